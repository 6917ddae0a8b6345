#pragma once

#include <string>
#include <string_view>

namespace tl::test {

// A fixed-column extract line: `length` blanks with fields put in place.
class FixedLine {
public:
    explicit FixedLine(size_t length) : m_text(length, ' ') {}

    FixedLine& Put(size_t column, std::string_view field)
    {
        if (m_text.size() < column + field.size())
            m_text.resize(column + field.size(), ' ');
        m_text.replace(column, field.size(), field);
        return *this;
    }

    // A number right-aligned with leading zeros in `width` columns.
    FixedLine& Num(size_t column, long long value, int width)
    {
        std::string digits = std::to_string(value);
        if (digits.size() < static_cast<size_t>(width))
            digits.insert(0, static_cast<size_t>(width) - digits.size(), '0');
        return Put(column, digits);
    }

    // Year, month and day as eight digits.
    FixedLine& Date(size_t column, int year, int month, int day)
    {
        return Num(column, year, 4).Num(column + 4, month, 2).Num(column + 6, day, 2);
    }

    const std::string& Text() const { return m_text; }
    std::string Line() const { return m_text + "\n"; }

private:
    std::string m_text;
};

} // namespace tl::test
