// The bid file is written by another system and edited by hand; no content
// may crash the import, write a request code other than the bid's own, or
// touch a crew member's assignments.
#include "answer_yes.h"
#include "import/bid_file.h"
#include "model/schedule_document.h"
#include "model/vortime.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

constexpr int kCrew = 5;

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
    // The same roster every run: a seven-digit number, an open line and a
    // number twice; a pairing on the seventh day of the first.
    static const int32_t kNumbers[kCrew] = {410329, 1234567, -1, 42, 42};
    for (int i = 0; i < kCrew; ++i) {
        tl::TPilot& p = doc.Crew[static_cast<size_t>(i)];
        p.Reset();
        p.EmpNumber = kNumbers[i];
        p.Name = "A CREW";
        p.BidText = "OLD";
    }
    doc.Crew[0].DaySlot[6] = 7;
    return doc;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    tl::ScheduleDocument& doc = Month();
    tl::fuzz::AnswerYes ui;
    std::string_view text(reinterpret_cast<const char*>(data), size);

    (void)tl::ImportPilotBidsText(doc, text, ui);
    if (doc.Crew[0].DaySlot[6] != 7 || doc.Crew[2].BidText != "OLD")
        __builtin_trap();
    for (int i = 0; i < kCrew; ++i) {
        const tl::TPilot& p = doc.Crew[static_cast<size_t>(i)];
        // A bid holds the record's fields and the labels around them.
        if (p.BidText.size() > size + 400)
            __builtin_trap();
        for (size_t s = 0; s < tl::TPilot::kSlots; ++s)
            if (p.DayFlag[s] != 0 && p.DayFlag[s] != tl::bid_file::kGdoRequest &&
                p.DayFlag[s] != tl::bid_file::kPdoRequest)
                __builtin_trap();
    }
    return 0;
}
