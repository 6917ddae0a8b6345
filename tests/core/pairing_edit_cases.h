#pragma once

#include "model/schedule_document.h"

#include <ostream>
#include <string>
#include <vector>

namespace tl::test {

// Pairing 0 of a month with crew member 0: number 0101, on 08:00, ten hours
// away, one day of 5:00 credit, operating every day; crew member 0 flies it
// on the third.
inline void ShapeEditedMonth(ScheduleDocument& doc)
{
    doc.LastPair = doc.LastBasePair = std::max(doc.LastPair, 0);
    TPair& p = doc.Pairs[0];
    p.PairNumber = 101;
    p.OnTime = 480;
    p.Tafb = 600;
    p.OffTime = 1080;
    p.Length = 1;
    p.Credit = p.DayCredit[0] = 300;
    for (int d = 0; d < doc.DaysInMonth; ++d)
        p.OpsCount[static_cast<size_t>(d)] = kOpsOpen;
    p.OpsCount[2] = kOpsAssigned;
    doc.Crew[0].DaySlot[2] = 0;
}

// One edit of the pairing editor's header: the fields typed (empty keeps the
// shown one), then what the store says. Shared by the core and the command line.
struct PairEditCase {
    const char* name;
    std::string number, on, credit, tafb, days;
    std::string problems;                   // empty: stored
    std::vector<std::string> messages = {}; // "caption: text" shown while storing
    int length = 1;
    int off = 0;
};

inline void PrintTo(const PairEditCase& c, std::ostream* os)
{
    *os << c.name;
}

inline std::vector<PairEditCase> PairEditCases()
{
    const std::string freed =
        "Change made to Days of Operation!: Removing Pairing 0101 from CREW 1";
    std::string butThird = "1,2";
    for (int d = 4; d <= 30; ++d)
        butThird += "," + std::to_string(d);
    // clang-format off
    return {
        {"whole day away", "", "00:00", "", "024:00", "", "", {}, 1, 1440},
        {"over midnight", "0202", "22:00", "06:30", "005:00", "", "", {}, 2, 180},
        {"tafb over 144 hours", "", "00:00", "", "144:01", "", "TAFB?  Calculated Length?", {}},
        {"seven days", "", "23:59", "", "144:00", "", "Calculated Length?", {}},
        {"credit over 85 hours", "", "", "85:01", "", "", "Credit ? ", {}},
        {"report at 24:00", "", "24:00", "", "", "", "Time On ? ", {}},
        {"number 0", "0", "", "", "", "", "Pair Number Not Valid 1-9999", {}},
        {"flown day taken off", "", "", "", "", butThird, "", {freed}, 1, 1080},
    };
    // clang-format on
}

} // namespace tl::test
