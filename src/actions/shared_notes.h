#pragma once

#include <string>
#include <string_view>

namespace tl {

class ScheduleDocument;

// The notes every user of the month's file shares, kept in the first of the
// document texts so they travel with the file.
const std::string& SharedNotes(const ScheduleDocument& doc);

// Replaces the notes; marks the month modified when they changed.
void SetSharedNotes(ScheduleDocument& doc, std::string_view text);

} // namespace tl
