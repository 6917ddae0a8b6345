// A block file may come from anywhere: a damaged disk, a mail attachment, a
// file of another program renamed. Loading any bytes must end in a month or
// a refusal, never a crash, an overrun or an allocation the input cannot
// justify; whatever loads must save again and build, the repairs leaving
// every day slot of the month free, another assignment or its pairing's
// assigned day.
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "rules/block_build.h"
#include "storage/block_file.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The tables are large: one document serves every input, emptied after
    // each of the records the input filled.
    static auto doc = std::make_unique<tl::ScheduleDocument>();
    tl::SilentInteraction ui;
    doc->FileName = "fuzz.tl2";
    if (tl::LoadBlocksFromBytes(*doc, std::span<const uint8_t>(data, size), ui)) {
        if (doc->DaysInMonth < 1 || doc->DaysInMonth > 31 || doc->LastPair > 3000 ||
            doc->CrewCount > 1000 || doc->AbsenceCount > 300)
            __builtin_trap();
        // Saving what loaded must work too; large tables are skipped to keep
        // the fuzzer quick, their records are the ones the small cases check.
        if (doc->LastPair < 20 && doc->CrewCount < 20) {
            // A loaded file's kind is one of the four the loader knows.
            std::vector<uint8_t> again =
                tl::BlockFileBytes(*doc, static_cast<tl::BlockFileKind>(doc->FileKind));
            if (again.empty())
                __builtin_trap();
        }
        // Answering No to every question builds even with invalid pairings.
        // Building checks every crew member, so large rosters are left out
        // to keep the fuzzer quick; day slots are as hostile in small ones.
        if (doc->LastPair >= 100 || doc->CrewCount >= 100) {
            doc->DeleteAll(ui, tl::ScheduleDocument::Extent::InUse);
            return 0;
        }
        if (!tl::FinishOpeningMonth(*doc, ui) || !doc->GridOn)
            __builtin_trap();
        for (int c = 0; c < doc->CrewCount; ++c) {
            const tl::TPilot& crew = doc->Crew[static_cast<size_t>(c)];
            for (int d = 0; d < doc->DaysInMonth; ++d) {
                const int32_t p = crew.DaySlot[static_cast<size_t>(d)];
                if (p < tl::kOtherSlot || p > doc->LastPair)
                    __builtin_trap();
                const int32_t ops =
                    p >= 0 ? doc->Pairs[static_cast<size_t>(p)].OpsCount[static_cast<size_t>(d)]
                           : 2;
                if (ops != tl::kOpsAssigned && ops != tl::kOpsAssignedFlagged)
                    __builtin_trap();
            }
        }
    }
    doc->DeleteAll(ui, tl::ScheduleDocument::Extent::InUse);
    return 0;
}
