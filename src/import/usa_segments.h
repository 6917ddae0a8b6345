#pragma once

#include <string_view>

namespace tl {

class Interaction;
class ScheduleDocument;

// The stations in the United States, each as the pairing text shows a leg
// departing from it: the three-letter code and "-". 360 entries of four
// characters, some codes twice.
extern const std::string_view kUsaStationList;

// Marks every pairing whose text has a leg departing from a station of the
// list: appends "   USA SEGMENT " once and sets HasUsaSegments.
void ScanUsaSegments(ScheduleDocument& doc, Interaction& ui);

} // namespace tl
