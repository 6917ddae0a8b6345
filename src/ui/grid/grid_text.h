#pragma once

#include "model/activity_codes.h"

#include <cstddef>
#include <string>

namespace tl {
class ScheduleDocument;
class TPilot;
} // namespace tl

namespace tl::ui {

// An index already checked against its table.
inline size_t Ix(int i)
{
    return static_cast<size_t>(i);
}

// Texts and lookups the grid shares between painting, hover and tests.
// Every index read from the document is checked here, so a hostile file
// cannot send the painter outside a table.

// The text of a day request code (the core's, shared with the exports).
using tl::DayRequestText;

// The pairing index in a day slot when it names a pairing of the table.
bool IsPairing(const ScheduleDocument& doc, int slotValue);
int CrewRows(const ScheduleDocument& doc);
int MonthDays(const ScheduleDocument& doc);
// Days a pairing is drawn over: its Length held to 1 to 31.
int DrawnLength(const ScheduleDocument& doc, int pairing);

// The pairing whose days cover day slot `slot` of the crew member, with its
// start day; -1 when none.
int PairingCovering(const ScheduleDocument& doc, const TPilot& crew, int slot, int* startDay);

// Status bar texts of a hovered cell: a pairing, an other assignment, or
// last month's activity on extended slot `extended` (0 to 61).
std::string PairingHoverText(const ScheduleDocument& doc, int pairing);
std::string OtherHoverText(const TPilot& crew, int slot);
std::string LastMonthHoverText(const TPilot& crew, int extended);
// What the status bar says for day slot `slot` of crew member `crew`
// (the last-month view passes the extended slot instead); empty when
// nothing is there.
std::string DayHoverText(const ScheduleDocument& doc, int crew, int slot, bool lastMonthView);

// The viewer watermark line for a file kind (1 PREBUILD, 2 PRESKED,
// 3 FINAL); empty otherwise.
std::string WatermarkText(int fileKind);

// "%d %s%s": row number from 1, qualification prefix, name.
std::string RowLabelText(const ScheduleDocument& doc, const TPilot& crew, int row);

} // namespace tl::ui
