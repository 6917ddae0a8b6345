// The pairing file comes from outside: no content may crash the loader, read
// past a line, leave the table counts outside the table or let a crew slot
// point at a pairing that does not operate on its day.
#include "import/prg_file.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/vortime.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace {

tl::ScheduleDocument& Month()
{
    // One document for the whole run: it is large. March has the clock change.
    static std::unique_ptr<tl::ScheduleDocument> doc = [] {
        auto d = std::make_unique<tl::ScheduleDocument>();
        tl::SilentInteraction ui;
        (void)d->SetMonth(ui, tl::JulianDay(3, 1, 2027), tl::JulianDay(3, 31, 2027));
        d->GroupName = "YYZDH8FOZ";
        return d;
    }();
    return *doc;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    tl::ScheduleDocument& doc = Month();
    tl::SilentInteraction ui;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // The last byte picks the crew kind and how the base is chosen.
    const uint8_t mode = size > 0 ? data[size - 1] : 0;
    doc.CrewKind = static_cast<int8_t>(mode % 4);
    doc.CrewCount = 2;
    for (int c = 0; c < 2; ++c)
        for (size_t d = 0; d < 31; ++d)
            doc.Crew[static_cast<size_t>(c)].DaySlot[d] =
                static_cast<int32_t>((d * 97 + static_cast<size_t>(c)) % 3003) - 1;

    static constexpr std::string_view kBases[] = {"", "Z", "Z8", "M3"};
    (void)tl::LoadPRGPairsFromText(doc, bytes, "FUZZ.PRG", kBases[(mode >> 2) % 4],
                                   (mode & 16) != 0, ui);

    if (doc.LastPair < -1 || doc.LastPair >= tl::kPrgMaxPairs || doc.LastBasePair != doc.LastPair)
        __builtin_trap();
    // A file refused at its first line changes nothing, crew slots included.
    const bool read = size > 0 && data[0] == '1';
    for (int c = 0; read && c < 2; ++c) {
        for (size_t d = 0; d < static_cast<size_t>(doc.DaysInMonth); ++d) {
            const int32_t slot = doc.Crew[static_cast<size_t>(c)].DaySlot[d];
            if (slot >= 0 && (slot > doc.LastPair ||
                              doc.Pairs[static_cast<size_t>(slot)].OpsCount[d] != tl::kOpsAssigned))
                __builtin_trap();
        }
    }
    for (int i = 0; read && i <= doc.LastPair; ++i)
        if (doc.Pairs[static_cast<size_t>(i)].Note.size() > size + 64)
            __builtin_trap();
    return 0;
}
