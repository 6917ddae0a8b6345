// The employee record extract comes from outside; no content may crash the
// roster loader, write past the crew table or leave fields longer than their
// columns.
#include "answer_yes.h"
#include "import/roster_extract.h"
#include "model/schedule_document.h"
#include "model/vortime.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static tl::ScheduleDocument doc;
    static const char* const kGroups[] = {"YYZDH8CAZ", "YYZDH8FOZ", "YYZDH8FAZ"};
    tl::fuzz::AnswerYes ui;
    std::string_view text(reinterpret_cast<const char*>(data), size);

    const size_t kind = size % 3;
    doc.CrewKind = static_cast<int8_t>(kind);
    (void)tl::LoadRosterFromExtractText(doc, kGroups[kind], text, ui);
    if (doc.CrewCount < 0 || doc.CrewCount > tl::ScheduleDocument::kCrewCapacity)
        __builtin_trap();
    for (int i = 0; i < doc.CrewCount; ++i) {
        const tl::TPilot& p = doc.Crew[static_cast<size_t>(i)];
        if (p.Name.size() > 22 || p.Name.size() < 3 || p.Quals.size() > 12)
            __builtin_trap();
    }
    return 0;
}
