#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tl {

class Interaction;
class ScheduleDocument;

// The month's text reports: the global credit summary, the pairing report
// with its occurrences table, and the crew lines. Texts are core text
// (Windows-1252); the clipboard forms end their lines in "\r\n".

// Days off of crew member `crew` in the month: the month's days less those
// covered by last month's work, pairings and other assignments with duty;
// pilots also lose the days their vacation and sick codes stand for.
int32_t DaysOff(const ScheduleDocument& doc, int crew);

// Credit of the pairing days still open, minutes, inside the month; tells
// the open-time gauge.
int32_t OpenHours(ScheduleDocument& doc);

// Credit over length of every operating pairing day, "%d:%02d"; "0:00" when
// nothing operates.
std::string AverageCreditPerDay(const ScheduleDocument& doc);

// The lines of the "Global Information" list, each followed by an empty line.
std::vector<std::string> GlobalInfoLines(ScheduleDocument& doc);

// A list as it goes on the clipboard: each line followed by "\r\n".
std::string ClipboardLines(const std::vector<std::string>& lines);

// A report as it goes on the clipboard: the text, and the fixed-width font
// its rich-text form is set in.
struct ClipboardReport {
    std::string Text;
    std::string FontFamily = "Courier New";
    int PointSize = 0; // 0: the word processor's own size
};

// The pairing report with its running total, carry-over total and
// occurrences table, then the pairing load notes.
ClipboardReport PairingReport(const ScheduleDocument& doc);

// Every crew member's month as a fixed-width grid, five rows a crew member,
// the title again before every sixth. Crediting each block keeps its credit
// (BlockCredit), so the document changes; `ui` hears of a block that names a
// pairing beyond the table.
ClipboardReport CrewLines(ScheduleDocument& doc, Interaction& ui);

} // namespace tl
