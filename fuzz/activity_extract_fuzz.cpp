// Last month's activity and pairing extracts come from outside; no content
// may crash the loader or leave a crew member legal before the month starts.
// The first two bytes give the length of the activity extract; the rest of
// the input is the pairing extract.
#include "answer_yes.h"
#include "import/activity_extract.h"
#include "model/schedule_document.h"
#include "model/vortime.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

constexpr int kCrew = 4;

tl::ScheduleDocument& Month()
{
    static tl::ScheduleDocument doc;
    static bool ready = false;
    if (!ready) {
        tl::SilentInteraction quiet;
        (void)doc.SetMonth(quiet, tl::JulianDay(11, 1, 2027), tl::JulianDay(11, 30, 2027));
        doc.CrewCount = kCrew;
        static const int32_t kNumbers[kCrew] = {2001, 2002, 2003, 2001};
        for (int i = 0; i < kCrew; ++i) {
            doc.Crew[static_cast<size_t>(i)].EmpNumber = kNumbers[i];
            doc.Crew[static_cast<size_t>(i)].Name = "A CREW";
        }
        ready = true;
    }
    return doc;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    tl::ScheduleDocument& doc = Month();
    tl::fuzz::AnswerYes ui;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    size_t split = 0;
    if (bytes.size() >= 2) {
        split = std::min<size_t>(static_cast<uint8_t>(bytes[0]) |
                                     size_t{static_cast<uint8_t>(bytes[1])} << 8,
                                 bytes.size() - 2);
        bytes.remove_prefix(2);
    }

    doc.CrewKind = static_cast<int8_t>(size % 3);
    (void)tl::LoadLastMonthsDataText(doc, bytes.substr(0, split), bytes.substr(split), ui);
    for (int i = 0; i < kCrew; ++i) {
        const tl::TPilot& p = doc.Crew[static_cast<size_t>(i)];
        if (p.CarryIn[tl::CarryInEntry::LegalAt] < 0)
            __builtin_trap();
        for (const tl::SlotText& text : p.DayText)
            if (text.size() > 5)
                __builtin_trap();
    }
    return 0;
}
