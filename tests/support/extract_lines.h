#pragma once

#include "import/new_month.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/vortime.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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
    std::string Line() const { return text + "\n"; }
};

// An empty November 2027 of `group` with `crew` (name, number) on its roster.
inline std::unique_ptr<ScheduleDocument>
November(std::string_view group, const std::vector<std::pair<const char*, int>>& crew = {})
{
    auto doc = std::make_unique<ScheduleDocument>();
    SilentInteraction ui;
    EXPECT_TRUE(CreateEmptyMonth(*doc, group, JulianDay(11, 1, 2027), JulianDay(11, 30, 2027), ui));
    for (const auto& [name, number] : crew) {
        TPilot& p = doc->Crew[static_cast<size_t>(doc->CrewCount++)];
        p.Name = name;
        p.EmpNumber = number;
    }
    return doc;
}

} // namespace tl::test
