#pragma once

#include <cstdint>
#include <string>

namespace tl {

// One toolbox item: the definition of one activity code as loaded from the
// toolbox file.
struct TAbsence {
    std::string AbsText1;  // the program's activity code ("VAC")
    std::string AbsText2;  // the crew tracking system's two-character code
    std::string AbsText3;  // description
    int32_t AbsValue1 = 0; // clock time
    int32_t AbsValue2 = 0; // clock time
    int32_t AbsValue3 = 0; // credit, minutes
    int32_t AbsValue4 = 0; // a second duration, minutes
    bool AbsFlag1 = false;
    bool AbsFlag2 = false;
    bool AbsFlag3 = true;
    bool AbsFlag4 = true;

    void Reset() { *this = TAbsence{}; }

    bool operator==(const TAbsence&) const = default;
};

} // namespace tl
