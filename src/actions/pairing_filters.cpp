#include "actions/pairing_filters.h"

#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/text_format.h"
#include "model/version.h"

#include <algorithm>
#include <cctype>

namespace tl {

namespace {

int PairCount(const ScheduleDocument& doc)
{
    return std::clamp(doc.LastPair + 1, 0, ScheduleDocument::kPairCapacity);
}

bool IsCrew(const ScheduleDocument& doc, int crew)
{
    return crew >= 0 && crew < std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
}

// A group of the stored number list read as the C library's atoi would:
// blanks, a sign, then digits up to the first other character.
int32_t GroupNumber(std::string_view group)
{
    size_t i = 0;
    while (i < group.size() && std::isspace(static_cast<unsigned char>(group[i])))
        ++i;
    bool negative = false;
    if (i < group.size() && (group[i] == '-' || group[i] == '+'))
        negative = group[i++] == '-';
    int32_t value = 0;
    for (; i < group.size() && group[i] >= '0' && group[i] <= '9'; ++i)
        value = value * 10 + (group[i] - '0');
    return negative ? -value : value;
}

// A number as a stored filter keeps it; numbers that do not fit four
// digits cannot be stored.
bool AppendNumber(std::string& out, int32_t number)
{
    if (number < 0 || number > 9999)
        return false;
    out += Format("%04d", number);
    return true;
}

void AddTerm(FilterTerms& terms, std::string_view term, size_t capacity, bool skipEmpty)
{
    if (skipEmpty && term.empty())
        return;
    const bool exclude = !term.empty() && term.front() == '!';
    std::vector<std::string>& list = exclude ? terms.Exclude : terms.Include;
    if (list.size() < capacity)
        list.emplace_back(exclude ? term.substr(1) : term);
}

std::vector<int32_t> SortedNumbers(std::vector<int32_t> numbers)
{
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

bool Contains(const std::vector<int32_t>& sorted, int32_t number)
{
    return std::binary_search(sorted.begin(), sorted.end(), number);
}

bool IsIndocKeyword(std::string_view term)
{
    return term == "INDOC1" || term == "indoc1" || term == "Indoc1";
}

// After any change of the marks or of the filters-on flag: the board
// follows and nothing on it stays chosen.
void MarksChanged(ScheduleDocument& doc)
{
    doc.CurrentPair = -1;
    doc.CurrentPairDay = -1;
    doc.Events().FilterMarksChanged();
}

void SetAllMarks(ScheduleDocument& doc, int8_t mark)
{
    for (int p = 0; p < PairCount(doc); ++p)
        doc.Pairs[size_t(p)].Mark = mark;
}

void SetStoredFilter(ScheduleDocument& doc, int crew, std::string text)
{
    std::string& stored = doc.Crew[size_t(crew)].FilterText;
    if (stored == text)
        return;
    stored = std::move(text);
    doc.Modified = true;
}

std::string CutToField(std::string_view text)
{
    return std::string(text.substr(0, kFilterTextLength));
}

} // namespace

FilterTerms SplitWindowFilterList(std::string_view text)
{
    FilterTerms terms;
    size_t pos = 0;
    while (true) {
        const size_t comma = text.find(',', pos);
        if (comma == std::string_view::npos) {
            const size_t end = text.find(';', pos);
            AddTerm(terms, text.substr(pos, end == std::string_view::npos ? end : end - pos),
                    kWindowTermCapacity, false);
            return terms;
        }
        AddTerm(terms, text.substr(pos, comma - pos), kWindowTermCapacity, false);
        pos = comma + 1;
        // A list past both capacities has nothing more to give.
        if (terms.Include.size() >= kWindowTermCapacity &&
            terms.Exclude.size() >= kWindowTermCapacity)
            return terms;
    }
}

FilterTerms SplitStoredFilterList(std::string_view list)
{
    FilterTerms terms;
    size_t pos = 0;
    while (true) {
        const size_t comma = list.find(',', pos);
        if (comma == std::string_view::npos) {
            // The last term stops short of the terminating ";".
            const std::string_view rest = list.substr(pos);
            AddTerm(terms, rest.substr(0, rest.empty() ? 0 : rest.size() - 1), kStoredTermCapacity,
                    true);
            return terms;
        }
        AddTerm(terms, list.substr(pos, comma - pos), kStoredTermCapacity, true);
        pos = comma + 1;
        if (terms.Include.size() >= kStoredTermCapacity &&
            terms.Exclude.size() >= kStoredTermCapacity)
            return terms;
    }
}

StoredFilter ParseStoredFilter(std::string_view stored)
{
    StoredFilter filter;
    const size_t marker = stored.find(kFilterMarker);
    if (marker == std::string_view::npos)
        return filter;
    filter.HasMarker = true;
    filter.NumberText = std::string(stored.substr(0, marker - marker % 4));
    filter.Numbers.reserve(marker / 4);
    for (size_t i = 0; i + 4 <= marker; i += 4)
        filter.Numbers.push_back(GroupNumber(stored.substr(i, 4)));
    filter.List = std::string(stored.substr(marker + kFilterMarker.size()));
    return filter;
}

bool Indoc1Matches(std::string_view s)
{
    // Positions as the test was first written: a newline not found is all
    // ones, so one past it wraps to 0. Every read is checked.
    if (s.empty())
        return false;
    auto at = [s](size_t i) { return i < s.size() ? s[i] : '\0'; };
    const size_t p1 = s.find('\n');
    if (at(p1 + 1) != '2')
        return false;
    const size_t p2 = s.find('\n', p1 + 1);
    if (at(p2 + 1) != '2')
        return false;
    if (s.size() < p2 + 48)
        return false;
    for (size_t k = 0; k < 3; ++k) {
        const size_t a = p1 + 29 + k;
        const size_t b = p2 + 44 + k;
        if (a >= s.size() || b >= s.size() || s[a] != s[b])
            return false;
    }
    return true;
}

void MarkByText(ScheduleDocument& doc, const FilterTerms& terms, bool indocKeyword,
                const std::function<void(int32_t)>& scanning)
{
    for (int p = 0; p < PairCount(doc); ++p) {
        TPair& pair = doc.Pairs[size_t(p)];
        if (pair.Mark == kMarkByNumber)
            continue;
        if (scanning)
            scanning(pair.PairNumber);
        for (const std::string& term : terms.Include) {
            const bool match = indocKeyword && IsIndocKeyword(term)
                                   ? Indoc1Matches(pair.Note)
                                   : pair.PairText.find(term) != std::string::npos;
            if (match) {
                pair.Mark = kMarkByText;
                break;
            }
        }
        if (pair.Mark != kMarkByText)
            continue;
        for (const std::string& term : terms.Exclude) {
            if (pair.PairText.find(term) != std::string::npos) {
                pair.Mark = kMarkHidden;
                break;
            }
        }
    }
}

std::string PairingsCaption(const ScheduleDocument& doc)
{
    if (doc.CrewKind == kFlightAttendants)
        return doc.FiltersOn ? "Filters On" : "";
    return doc.FiltersOn ? "Filters On For " + doc.FilterName : "Filters Off";
}

bool ApplyStoredFilters(ScheduleDocument& doc, Interaction& ui, int32_t empNumber)
{
    int crew = 0;
    while (IsCrew(doc, crew) && doc.Crew[size_t(crew)].EmpNumber != empNumber)
        ++crew;
    if (!IsCrew(doc, crew)) {
        ui.Message(kCaption, "Unable to Find Employee to Filter", Icon::Information);
        return false;
    }
    ApplyCrewFilters(doc, crew);
    return true;
}

void ApplyCrewFilters(ScheduleDocument& doc, int crew)
{
    if (!IsCrew(doc, crew))
        return;
    const TPilot& pilot = doc.Crew[size_t(crew)];
    const StoredFilter filter = ParseStoredFilter(pilot.FilterText);
    SetAllMarks(doc, kMarkHidden);
    if (filter.HasMarker) {
        const std::vector<int32_t> numbers = SortedNumbers(filter.Numbers);
        for (int p = 0; p < PairCount(doc); ++p) {
            TPair& pair = doc.Pairs[size_t(p)];
            if (Contains(numbers, pair.PairNumber))
                pair.Mark = kMarkByNumber;
        }
        MarkByText(doc, SplitStoredFilterList(filter.List), true);
    }
    doc.FiltersOn = true;
    doc.FilterName = pilot.Name;
    MarksChanged(doc);
    doc.Events().PairingsCaptionChanged("Filters On for " + doc.FilterName);
}

void FiltersOff(ScheduleDocument& doc)
{
    SetAllMarks(doc, kMarkHidden);
    doc.FiltersOn = false;
    doc.FilterName.clear();
    MarksChanged(doc);
    doc.Events().PairingsCaptionChanged("Filters Off");
}

std::string DescribeStoredFilter(const std::string& stored)
{
    std::string text = "--- Pairing Filters: ---\n";
    const StoredFilter filter = ParseStoredFilter(stored);
    if (!filter.HasMarker)
        return text + "No Filters. Click to Edit\n";
    text += "Always Show:\n";
    for (size_t i = 0; i + 4 <= filter.NumberText.size(); i += 4) {
        text.append(filter.NumberText, i, 4);
        text += ", ";
    }
    text += "\n";
    if (filter.List.find(';') == std::string::npos)
        return text;
    // Listed as the evaluation reads them, so the pane says what the board
    // will show.
    const FilterTerms terms = SplitStoredFilterList(filter.List);
    if (!terms.Include.empty()) {
        text += "Also Show Pairings Containing:\n";
        for (const std::string& term : terms.Include)
            text += term + ",";
        text += "\n";
    }
    if (!terms.Exclude.empty()) {
        text += "But Not Containing:\n";
        for (const std::string& term : terms.Exclude)
            text += term + ",";
    }
    return text;
}

bool ApplyTextFilter(ScheduleDocument& doc, Interaction& ui, std::string& text, int chosenCrew,
                     const std::function<void(int32_t)>& scanning)
{
    text = CutToField(text);
    // Asked before anything changes, so No leaves the marks as they were.
    if (!text.empty() && text.find(';') == std::string::npos) {
        if (!ui.AskYes(kCaption,
                       "Text Filter List must end in semi-colon ;. Do you want to Add semi-colon"))
            return false;
        text += ';';
    }
    for (int p = 0; p < PairCount(doc); ++p) {
        TPair& pair = doc.Pairs[size_t(p)];
        if (pair.Mark == kMarkByText)
            pair.Mark = kMarkHidden;
    }
    if (!text.empty()) {
        AddFilterHistory(doc, text);
        MarkByText(doc, SplitWindowFilterList(text), false, scanning);
    }
    doc.FiltersOn = true;
    doc.FilterCrew = chosenCrew;
    MarksChanged(doc);
    doc.Events().PairingsCaptionChanged("Filters On");
    return true;
}

void RemoveFilters(ScheduleDocument& doc)
{
    SetAllMarks(doc, kMarkHidden);
    doc.FiltersOn = false;
    doc.FilterName.clear();
    MarksChanged(doc);
    doc.Events().PairingsCaptionChanged("");
}

void InvertFilterMarks(ScheduleDocument& doc)
{
    for (int p = 0; p < PairCount(doc); ++p) {
        TPair& pair = doc.Pairs[size_t(p)];
        pair.Mark = pair.Mark == kMarkByNumber ? kMarkHidden : kMarkByNumber;
    }
    MarksChanged(doc);
}

void ToggleFilterNumber(ScheduleDocument& doc, int32_t number)
{
    for (int p = 0; p < PairCount(doc); ++p) {
        TPair& pair = doc.Pairs[size_t(p)];
        if (pair.PairNumber == number)
            pair.Mark = pair.Mark == kMarkByNumber ? kMarkHidden : kMarkByNumber;
    }
    MarksChanged(doc);
}

void AddFilterHistory(ScheduleDocument& doc, std::string_view text)
{
    std::vector<std::string> entries{std::string(text)};
    for (std::string& entry : doc.FilterWords)
        if (!entry.empty() && entry != text && entries.size() < kFilterHistoryLength)
            entries.push_back(std::move(entry));
    for (size_t i = 0; i < doc.FilterWords.size(); ++i)
        doc.FilterWords[i] = i < entries.size() ? std::move(entries[i]) : std::string();
}

std::vector<DistinctPairing> DistinctPairings(const ScheduleDocument& doc)
{
    std::vector<DistinctPairing> distinct;
    std::vector<int32_t> seen; // sorted
    for (int p = 0; p < PairCount(doc) && distinct.size() < kDistinctCapacity; ++p) {
        const int32_t number = doc.Pairs[size_t(p)].PairNumber;
        const auto at = std::lower_bound(seen.begin(), seen.end(), number);
        if (at != seen.end() && *at == number)
            continue;
        seen.insert(at, number);
        distinct.push_back({number, p});
    }
    return distinct;
}

bool SaveFilters(ScheduleDocument& doc, Interaction& ui, int crew, std::string_view text,
                 std::string& caption)
{
    if (!IsCrew(doc, crew)) {
        ui.Message(kCaption, "You have not selected the name to Save Filters to",
                   Icon::Information);
        return false;
    }
    std::string stored;
    for (int p = 0; p < PairCount(doc); ++p) {
        const TPair& pair = doc.Pairs[size_t(p)];
        if (pair.Mark == kMarkByNumber)
            AppendNumber(stored, pair.PairNumber);
    }
    stored += kFilterMarker;
    stored += CutToField(text);
    SetStoredFilter(doc, crew, std::move(stored));
    caption = FillTexts("Filters Saved to %s", {doc.Crew[size_t(crew)].Name});
    doc.FilterCrew = crew;
    return true;
}

bool RecallFilters(ScheduleDocument& doc, Interaction& ui, int crew, std::string& text,
                   std::string& caption)
{
    if (!IsCrew(doc, crew)) {
        ui.Message(kCaption, "You have not selected the name to Recall the Filters from",
                   Icon::Information);
        return false;
    }
    const TPilot& pilot = doc.Crew[size_t(crew)];
    const StoredFilter filter = ParseStoredFilter(pilot.FilterText);
    if (!filter.HasMarker) {
        caption = FillTexts("No Filters to Recall from %s", {pilot.Name});
        return false;
    }
    const std::vector<int32_t> numbers = SortedNumbers(filter.Numbers);
    for (int p = 0; p < PairCount(doc); ++p) {
        TPair& pair = doc.Pairs[size_t(p)];
        if (Contains(numbers, pair.PairNumber))
            pair.Mark = kMarkByNumber;
        else if (pair.Mark == kMarkByNumber)
            pair.Mark = kMarkHidden;
    }
    text = filter.List;
    caption = FillTexts("Filters Recalled from %s", {pilot.Name});
    MarksChanged(doc);
    return true;
}

WizardResult ComposeWizardFilter(const std::array<std::string, 8>& fields)
{
    WizardResult result;
    bool anyInclusion = false;
    for (size_t i = 0; i < fields.size(); ++i) {
        const std::string_view field = std::string_view(fields[i]).substr(0, kWizardFieldLength);
        if (field.empty())
            continue;
        if (i >= 4)
            result.Text += '!';
        else
            anyInclusion = true;
        result.Text += field;
        result.Text += ',';
    }
    if (result.Text.empty())
        return result;
    result.Text.back() = ';';
    if (!anyInclusion) {
        result.Ok = false;
        result.Error = "You need at least 1 Key word or Letter in a left edit box";
    }
    return result;
}

FilterButtons LoadFilterButtons(const ScheduleDocument& doc, int crew)
{
    FilterButtons buttons;
    buttons.Numbers = DistinctPairings(doc);
    buttons.Selected.assign(buttons.Numbers.size(), 0);
    if (!IsCrew(doc, crew))
        return buttons;
    const StoredFilter filter = ParseStoredFilter(doc.Crew[size_t(crew)].FilterText);
    const std::vector<int32_t> numbers = SortedNumbers(filter.Numbers);
    for (size_t i = 0; i < buttons.Numbers.size(); ++i)
        buttons.Selected[i] = Contains(numbers, buttons.Numbers[i].Number) ? 1 : 0;
    buttons.Text = filter.List;
    return buttons;
}

void StoreFilterButtons(ScheduleDocument& doc, int crew, FilterButtons& buttons)
{
    if (!IsCrew(doc, crew))
        return;
    buttons.Text = CutToField(buttons.Text);
    if (!buttons.Text.empty() && buttons.Text.find(';') == std::string::npos)
        buttons.Text += ';';
    if (!buttons.Text.empty())
        AddFilterHistory(doc, buttons.Text);
    std::string stored;
    for (size_t i = 0; i < buttons.Numbers.size() && i < buttons.Selected.size(); ++i)
        if (buttons.Selected[i])
            AppendNumber(stored, buttons.Numbers[i].Number);
    if (!stored.empty() || !buttons.Text.empty())
        stored += std::string(kFilterMarker) + buttons.Text;
    SetStoredFilter(doc, crew, std::move(stored));
}

} // namespace tl
