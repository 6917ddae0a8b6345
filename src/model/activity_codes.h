#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tl {

class Interaction;
class ScheduleDocument;

// The built-in activity code table, used while no toolbox record is loaded.
// Each row is one fixed-width line; the columns that matter (0-based):
namespace activity_columns {
constexpr int kCode = 0;           // three characters, blank-padded
constexpr int kCrewType = 6;       // 'C' cabin crew, 'P' pilots
constexpr int kCreditHours = 26;   // two digits, right-aligned
constexpr int kCreditMinutes = 29; // two digits
constexpr int kDuty = 42;          // 'D' for a duty day
constexpr int kDuty2 = 43;         // 'D' for the second duty flag (pilot rows)
constexpr int kTracking = 71;      // the crew tracking system's two-character code
constexpr int kMinPilotRow = 73;   // a pilot row must reach past the tracking code
} // namespace activity_columns

constexpr int kBuiltInActivityRows = 117;

std::span<const std::string_view> BuiltInActivityRows();

// What the lookup hands back for a matched tracking code.
struct ActivityCodeInfo {
    std::string Activity; // the program's three-character code ("VAC", "RA ")
    int32_t Credit = 0;   // minutes
    int32_t Value4 = 0;   // a second duration, minutes
    bool Duty = false;
    bool Reserve = false;
    bool Duty2 = false;
    bool Flag3 = false;
};

// Translates a two-character tracking code of the crew tracking system into the
// program's activity code: from the loaded toolbox records when there are any,
// otherwise from the built-in rows of the document's crew type. Nothing when
// the code has no match. Table faults go to the debug trace of `trace`.
std::optional<ActivityCodeInfo> LookupActivityCode(const ScheduleDocument& doc,
                                                   std::string_view code, Interaction& trace);

// The built-in part of the lookup over any set of rows: the first row of the
// crew type ('C' or 'P') whose tracking code is `code`. Pilot rows too short
// to hold a tracking code are skipped with a line in the debug trace.
std::optional<ActivityCodeInfo> LookupActivityRow(std::span<const std::string_view> rows,
                                                  char crewType, std::string_view code,
                                                  Interaction& trace);

// Crew type letter of the built-in rows for the document's group: 'C' for
// flight attendants, 'P' otherwise.
char ActivityCrewType(const ScheduleDocument& doc);

// The request items at the top of the toolbox window. dayFlag is the value a
// request leaves in TPilot::DayFlag.
struct ToolBoxRequestItem {
    std::string_view Code;
    std::string_view Label;
    int8_t DayFlag;
};

std::span<const ToolBoxRequestItem> ToolBoxRequestItems();

// The text of a day request code: "X1" to "X9", "XA", "XP", "XM", "RGD",
// "RPD", "X1" to "X32" for 20 to 51; empty for anything else.
std::string DayRequestText(int dayFlag);

// One activity item of the toolbox window, either a built-in row or a
// loaded toolbox record.
struct ToolBoxActivityItem {
    std::string Activity;     // three-character code
    std::string TrackingCode; // two-character code
    std::string Description;
    int32_t Credit = 0; // minutes
    int Index = -1;     // built-in row or toolbox record it comes from
};

// Activity items offered by the toolbox window: with no toolbox record
// loaded, every built-in row of the group's crew type that has a tracking
// code; otherwise every toolbox record marked to be offered (AbsFlag4).
std::vector<ToolBoxActivityItem> ToolBoxActivityItems(const ScheduleDocument& doc);

// Heading of the activity items: "Default ToolBox", or "ToolBox Date %s" with
// the loaded toolbox's date.
std::string ToolBoxHeading(const ScheduleDocument& doc);

} // namespace tl
