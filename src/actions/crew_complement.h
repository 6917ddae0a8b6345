#pragma once

#include <string>
#include <vector>

namespace tl {

class Interaction;
class ScheduleDocument;

// The Change Pairing Crew Complement dialog: which pairing days fly with a
// second captain (captains' and first officers' months) or with an extra
// flight attendant. Opening takes the marks apart into a list of pairing
// days; Done builds them again from the lines the scheduler selected.

struct ComplementLine {
    // " %c%04d   %-30s%03d%02d", then "%03d" with the holder of the extra
    // position when there is one.
    std::string Text;
    bool Selected = false;
    int Pairing = -1; // index in the pairing table
    int Day = -1;     // day slot
    int Holder = -1;  // crew member who held the copy (captains, attendants)
};

struct ComplementDialog {
    std::string Caption;
    std::string Instruction;
    std::vector<ComplementLine> Lines;
};

// Opens the dialog: one line per operating day of every pairing of the
// month, the days that had the extra crew member selected. Takes the
// markers out of PairText, clears the signs, drops the copies (captains,
// attendants) or the parked days and trailing open lines (first officers).
// The dialog must end with CrewComplementDone, also when it is closed
// without Done (with the lines as they stand), or the marks are lost.
ComplementDialog OpenCrewComplement(ScheduleDocument& doc);

// Done: the selected lines get the extra crew member. Captains and
// attendants get a copy per line after the last pairing, given back to its
// former holder; first officers park the day on an open line ("CAPT
// PAIRINGS"). The history is cleared: its indices name copies and open lines
// that were made again. False, with nothing changed, when the pairing table
// has no room for the copies; the dialog stays open then.
bool CrewComplementDone(ScheduleDocument& doc, Interaction& ui,
                        const std::vector<ComplementLine>& lines);

} // namespace tl
