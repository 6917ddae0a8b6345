// The toolbox file comes from outside; no content may crash the parser, leave
// the toolbox count outside the table or make the lookups misbehave.
#include "import/toolbox_file.h"
#include "model/activity_codes.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/vortime.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // One document for the whole run: it is large, and every load resets the
    // toolbox count first.
    static tl::ScheduleDocument doc;
    tl::SilentInteraction ui;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);

    doc.CrewKind = static_cast<int8_t>(size % 3);
    (void)tl::ParseToolBoxText(bytes, doc, ui);
    if (doc.AbsenceCount < 0 || doc.AbsenceCount > tl::ScheduleDocument::kAbsenceCapacity)
        __builtin_trap();
    for (int i = 0; i < doc.AbsenceCount; ++i) {
        auto info = tl::LookupActivityCode(doc, doc.Absences[static_cast<size_t>(i)].AbsText2, ui);
        if (info && info->Credit < 0)
            __builtin_trap(); // a negative credit must never reach the blocks
    }
    (void)tl::ToolBoxActivityItems(doc);

    // The time and column readers see the same bytes.
    (void)tl::ParseHoursMinutes(bytes, false);
    (void)tl::GetInt(bytes, 3, 5, ui);
    int32_t minutes = tl::LeadingInt(bytes);
    if (tl::FormatHoursMinutes(minutes, true).size() > 24)
        __builtin_trap();
    return 0;
}
