#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace tl::test {

// A fixed-column extract line of `length` blanks with fields put in place;
// numbers right-aligned with leading zeros.
struct FixedLine {
    std::string text;

    explicit FixedLine(size_t length) : text(length, ' ') {}
    FixedLine& Put(size_t column, std::string_view field)
    {
        text.resize(std::max(text.size(), column + field.size()), ' ');
        text.replace(column, field.size(), field);
        return *this;
    }
    FixedLine& Num(size_t column, long long value, size_t width)
    {
        std::string digits = std::to_string(value);
        return Put(column,
                   std::string(width > digits.size() ? width - digits.size() : 0, '0') + digits);
    }
    FixedLine& Date(size_t column, int year, int month, int day)
    {
        return Num(column, year, 4).Num(column + 4, month, 2).Num(column + 6, day, 2);
    }
    std::string Line() const { return text + "\n"; }
};

} // namespace tl::test
