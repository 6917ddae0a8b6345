// The listing comes from outside: no content may crash the scan or make it
// search or insert outside the pairing texts. The input is the LIS text after
// a filler that makes it long enough to be scanned; it is scanned twice, so
// the second pass removes what the first one added.
#include "import/lis_scan.h"
#include "import/usa_segments.h"
#include "model/interaction.h"
#include "model/schedule_document.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace {

tl::ScheduleDocument& Month()
{
    static std::unique_ptr<tl::ScheduleDocument> doc = std::make_unique<tl::ScheduleDocument>();
    return *doc;
}

const char* const kTexts[] = {
    ("    Z8101   BSE REPT:07:00L\n  1     803   YYZ-YUL   08:00 09:15   1:15\n"
     "  1    7804   YUL-LGA   10:00 11:15   1:15\n"),
    "  1     805   YYZ-YOW   08:00 09:15   1:15\n FRENCH PAIRING *** CRA=0% *** \n   MEALS US:",
    "",
    "***MEALS US:***",
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    tl::ScheduleDocument& doc = Month();
    tl::SilentInteraction ui;
    const uint8_t mode = size > 0 ? data[0] : 0;
    doc.CrewKind = static_cast<int8_t>(mode % 3);
    doc.LastPair = 5;
    for (int i = 0; i <= doc.LastPair; ++i) {
        tl::TPair& p = doc.Pairs[static_cast<size_t>(i)];
        p.PairKey = i == 5 ? "" : "Z8";
        p.PairNumber = i == 4 ? -12 : 8101 + i % 3;
        p.PairText = kTexts[static_cast<size_t>(i + mode / 3) % 4];
    }
    std::string lis(tl::kLisMinScanText, '=');
    lis.append(reinterpret_cast<const char*>(data), size);

    size_t limit = 0;
    for (int i = 0; i <= doc.LastPair; ++i)
        limit += doc.Pairs[static_cast<size_t>(i)].PairText.size();
    limit = (limit + lis.size()) * 16 + 1024;

    for (int pass = 0; pass < 2; ++pass) {
        (void)tl::ScanLisText(doc, lis, ui);
        tl::ScanUsaSegments(doc, ui);
    }
    for (int i = 0; i <= doc.LastPair; ++i)
        if (doc.Pairs[static_cast<size_t>(i)].PairText.size() > limit)
            __builtin_trap();
    return 0;
}
