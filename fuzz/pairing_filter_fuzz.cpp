// A crew member's stored pairing filter comes from the month's file, and a
// filter list from the text field: whatever they hold, reading them stays
// within the text, the term lists stay within their capacities and every
// mark is one of the three.
#include "actions/pairing_filters.h"
#include "model/schedule_document.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace {

void Check(bool ok)
{
    if (!ok)
        __builtin_trap();
}

void CheckTerms(const tl::FilterTerms& terms, size_t capacity)
{
    Check(terms.Include.size() <= capacity && terms.Exclude.size() <= capacity);
}

// A few pairings whose texts and source records the filters search.
tl::ScheduleDocument& Month()
{
    static std::unique_ptr<tl::ScheduleDocument> doc = [] {
        auto d = std::make_unique<tl::ScheduleDocument>();
        const char* texts[] = {"YYZ YTZ YYZ", "YYZ YUL", "", "Z"};
        for (int p = 0; p < 4; ++p) {
            tl::TPair& pair = d->Pairs[size_t(p)];
            pair.PairNumber = 12 * p;
            pair.PairText = texts[p];
        }
        d->LastPair = d->LastBasePair = 3;
        d->CrewCount = 1;
        return d;
    }();
    return *doc;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const tl::StoredFilter filter = tl::ParseStoredFilter(text);
    Check(filter.Numbers.size() <= size / 4);
    CheckTerms(tl::SplitStoredFilterList(filter.List), tl::kStoredTermCapacity);
    CheckTerms(tl::SplitWindowFilterList(text), tl::kWindowTermCapacity);
    Check(tl::DescribeStoredFilter(text).starts_with("--- Pairing Filters: ---\n"));
    (void)tl::Indoc1Matches(text);

    tl::ScheduleDocument& doc = Month();
    doc.Pairs[0].Note = text;
    doc.Crew[0].FilterText = text;
    tl::ApplyCrewFilters(doc, 0);
    for (int p = 0; p <= doc.LastPair; ++p)
        Check(doc.Pairs[size_t(p)].Mark >= 0 && doc.Pairs[size_t(p)].Mark <= 2);
    tl::FilterButtons buttons = tl::LoadFilterButtons(doc, 0);
    Check(buttons.Selected.size() == buttons.Numbers.size());
    tl::StoreFilterButtons(doc, 0, buttons);
    return 0;
}
