#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace tl::test {

// A case's description as a test name the runner accepts: letters and digits
// stay, a minus before a digit is spelled out, any other run of bytes is one
// '_'. "11:00 exactly warns" runs as 11_00_exactly_warns.
inline std::string CaseName(std::string_view text)
{
    auto alnum = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    };
    std::string name;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (alnum(c)) {
            name += c;
        } else if (c == '-' && i + 1 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '9') {
            name += name.empty() || name.back() == '_' ? "minus" : "_minus";
        } else if (!name.empty() && name.back() != '_') {
            name += '_';
        }
    }
    while (!name.empty() && name.back() == '_')
        name.pop_back();
    return name.empty() ? "empty" : name;
}

// Names each case of a table by its `name`.
struct ByName {
    template <class Case> std::string operator()(const ::testing::TestParamInfo<Case>& info) const
    {
        return CaseName(info.param.name);
    }
};

} // namespace tl::test
