#include "commands/index_option.h"

#include <algorithm>
#include <string>

namespace tl::cli {

CLI::Validator DecimalIndex()
{
    return CLI::Validator(
        [](std::string& text) {
            const size_t sign = !text.empty() && text[0] == '-' ? 1 : 0;
            if (text.size() == sign ||
                text.find_first_not_of("0123456789", sign) != std::string::npos)
                return std::string("takes a decimal number");
            // Leading zeros would make it octal.
            const size_t first = std::min(text.find_first_not_of('0', sign), text.size() - 1);
            text.erase(sign, first - sign);
            return std::string();
        },
        "", "DECIMAL");
}

} // namespace tl::cli
