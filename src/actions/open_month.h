#pragma once

#include "rules/block_build.h"

#include <string>

namespace tl {

class Interaction;
class ScheduleDocument;

// What opening a month's file found. A month is whole when its file was
// read to its end marker, in a version this program knows all of, and the
// opening build ran to the end; only a whole scheduler file may be
// written back onto itself.
struct OpenedMonth {
    bool Opened = false;         // the file was read into the document
    int FileKind = 0;            // 0 scheduler file, 1 to 3 a viewer copy
    std::string Version;         // the file's version text
    bool EndCheckFailed = false; // the end marker was missing: data may be lost
    bool NewerVersion = false;   // sections of a newer version were not read
    bool BuildStopped = false;   // building stopped so a pairing can be edited
    BuildReport Build;

    bool Whole() const { return Opened && !EndCheckFailed && !NewerVersion && !BuildStopped; }
    bool ViewerCopy() const { return FileKind != 0; }
    bool Writable() const { return Whole() && !ViewerCopy(); }
};

// Opens a month as both programs do: clears the document, reads the file
// named `fileName`, and builds the month. Sets the document's ReadOnly for
// a viewer copy and for a file not read whole, so its own file is never
// overwritten by what was read. When the file does not open, the document
// is left cleared.
[[nodiscard]] OpenedMonth OpenMonthFile(ScheduleDocument& doc, const std::string& fileName,
                                        Interaction& ui, bool showPairings = true);

// Why the month is not whole, for a message ("its end marker is missing",
// ...), the reasons joined by "; "; empty when it is whole.
std::string NotWholeReason(const OpenedMonth& month);

} // namespace tl
