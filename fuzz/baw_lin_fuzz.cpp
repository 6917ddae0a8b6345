// BAW and LIN files come back from disk; no content may crash the reader,
// read outside a line, or place anything outside the crew member's month.
// The input is the BAW bytes, a form feed, then the LIN bytes.
#include "actions/baw_lin_import.h"
#include "answer_yes.h"
#include "import/baw_lin.h"
#include "model/schedule_document.h"
#include "model/vortime.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static tl::ScheduleDocument doc;
    static bool ready = false;
    tl::fuzz::AnswerYes ui;
    if (!ready) {
        ready = doc.SetMonth(ui, tl::JulianDay(6, 1, 2027), tl::JulianDay(6, 30, 2027));
        doc.LastPair = doc.LastBasePair = 0;
        doc.Pairs[0].PairKey.assign(1, 'V'); // not = "V": a false -Wrestrict of GCC 12
        doc.Pairs[0].PairNumber = 8101;
        doc.Pairs[0].Length = 2;
    }
    doc.CrewCount = 3;
    for (int c = 0; c < 3; ++c) {
        doc.Crew[static_cast<size_t>(c)].Reset();
        doc.Crew[static_cast<size_t>(c)].EmpNumber = c;
    }
    doc.Pairs[0].OpsCount.fill(tl::kOpsOpen);
    doc.History.clear();

    std::string_view text(reinterpret_cast<const char*>(data), size);
    const size_t split = std::min(text.find('\f'), text.size());
    const tl::BawLinFile file =
        tl::ParseBawLin(text.substr(0, split), text.substr(std::min(split + 1, text.size())));
    if (file.Blocks.size() > tl::ScheduleDocument::kCrewCapacity)
        __builtin_trap();
    for (const tl::BawLinBlock& block : file.Blocks)
        if (block.Days.size() > 33 || tl::BlockListLine(block).empty())
            __builtin_trap();
    (void)tl::ImportBawLinBlocks(doc, ui, file.Blocks);
    return 0;
}
