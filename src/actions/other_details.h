#pragma once

#include <optional>
#include <string>

namespace tl {

class Interaction;
class ScheduleDocument;

// The Other Assignment Details dialog: the numbers of one other assignment
// (a day slot holding -2) as the scheduler reads and edits them. Times are
// texts "H:MM" so the dialog shows what was typed when it refuses it.

struct OtherDetailsForm {
    std::string Date;           // shown only
    std::string Code;           // DayCode, 1 to 3 characters
    std::string Start;          // [0] time starting work, a time of day
    std::string AtWork;         // [1] hours:minutes at work
    std::string Credit;         // [2]
    std::string HardTime;       // [3] above 0:00 makes the day a duty day
    bool ContainsDuty = false;  // [5]
    bool Reserve = false;       // [4]
    std::string TrackingCode;   // DayCode2, the crew tracking system's code
    bool DayOff = false;        // [8]
    bool ExcludeCredit = false; // [6]
    bool CarsDuty = false;      // [7]
};

enum class DetailsField { Code, Start, AtWork, Credit, HardTime, TrackingCode };

struct DetailsError {
    DetailsField Field;
    std::string Message;
};

// "%s Assignment Details" with the day's code.
std::string OtherDetailsCaption(const ScheduleDocument& doc, int crew, int day);

// The form for day slot `day` of crew member `crew`; nothing when the day
// holds no other assignment. Days -31 to -1 are last month's entries (the
// extended slots 0 to 30) when they hold a code of one to three characters.
std::optional<OtherDetailsForm> ReadOtherDetails(const ScheduleDocument& doc, int crew, int day);

// The first field that cannot be taken, with the message to show.
std::optional<DetailsError> ValidateOtherDetails(const OtherDetailsForm& form);

// Reads "H:MM" (or "HH:MM"); -1 when the text is not a time of that form
// or its hours exceed maxHours (minutes 00 to 59; maxHours:00 itself is
// allowed when maxHours is above 23, so "24:00" is a whole day).
int ParseDetailsTime(const std::string& text, int maxHours);

// OK: validates, shows the first fault ("Oops") and returns false with
// nothing changed; otherwise writes the day and checks the crew member
// again (legality, the two-captain pass, block credit, all-month leave),
// sets Modified and redraws the row.
bool ApplyOtherDetails(ScheduleDocument& doc, Interaction& ui, int crew, int day,
                       const OtherDetailsForm& form);

} // namespace tl
