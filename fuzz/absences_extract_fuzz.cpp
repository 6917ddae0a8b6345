// The crew absence extract comes from outside; no content may crash the
// loader, touch a slot outside the block or replace an assigned pairing.
#include "answer_yes.h"
#include "import/absences_extract.h"
#include "model/schedule_document.h"
#include "model/vortime.h"

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
        ready = true;
    }
    // The same roster every run: employees 1001 to 1003, 1001 twice, and a
    // pairing on the fifth day of the first.
    static const int32_t kNumbers[kCrew] = {1001, 1002, 1003, 1001};
    for (int i = 0; i < kCrew; ++i) {
        tl::TPilot& p = doc.Crew[static_cast<size_t>(i)];
        p.Reset();
        p.EmpNumber = kNumbers[i];
        p.Name = "A CREW";
    }
    doc.Crew[0].DaySlot[4] = 7;
    return doc;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    tl::ScheduleDocument& doc = Month();
    tl::fuzz::AnswerYes ui;
    std::string_view text(reinterpret_cast<const char*>(data), size);

    doc.CrewKind = static_cast<int8_t>(size % 3);
    doc.FreshDocument = (size & 4) != 0;
    (void)tl::LoadCrewAbsencesText(doc, text, (size & 1) != 0, ui);
    if (doc.Crew[0].DaySlot[4] != 7)
        __builtin_trap();
    for (int i = 0; i < kCrew; ++i) {
        const tl::TPilot& p = doc.Crew[static_cast<size_t>(i)];
        for (size_t s = 0; s < tl::TPilot::kSlots; ++s)
            if (p.DaySlot[s] < tl::kOtherSlot || p.DayCode2[s].size() > 2 ||
                p.DayCode[s].size() > 3)
                __builtin_trap();
    }
    return 0;
}
