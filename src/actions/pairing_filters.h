#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tl {

class Interaction;
class ScheduleDocument;

// Pairing filters narrow the pairings board to the pairings one crew member
// is interested in: numbers chosen one by one, and a text filter list of
// keywords ("Z,HOTEL,!YTZ;"). Every pairing carries a mark (TPair::Mark).
inline constexpr int8_t kMarkHidden = 0;   // left off the board while filters are on
inline constexpr int8_t kMarkByNumber = 1; // chosen by its pairing number
inline constexpr int8_t kMarkByText = 2;   // matched by the text filter list

// A crew member's stored filter (TPilot::FilterText) is "%04d" numbers run
// together, this marker, then the text filter list. No marker, no filter.
inline constexpr std::string_view kFilterMarker = "TEXT";
// Characters of the text field that count; the field holds one more.
inline constexpr size_t kFilterTextLength = 98;
// Terms per list: the filter window's lists and a stored filter's.
inline constexpr size_t kWindowTermCapacity = 30;
inline constexpr size_t kStoredTermCapacity = 50;
// Entries of the text filter history (ScheduleDocument::FilterWords).
inline constexpr size_t kFilterHistoryLength = 20;
// Distinct pairing numbers a filter window shows.
inline constexpr size_t kDistinctCapacity = 3001;
// Characters read from each field of the wizard.
inline constexpr size_t kWizardFieldLength = 29;

struct FilterTerms {
    std::vector<std::string> Include;
    std::vector<std::string> Exclude;
};

// The filter window's reading of its text: terms split at ",", the last one
// ending at the first ";"; empty terms are kept (an empty inclusion term
// matches every pairing). At most kWindowTermCapacity terms per list.
FilterTerms SplitWindowFilterList(std::string_view text);
// A stored filter's reading of its text list: the last term ends one
// character before the end (the ";"); empty terms are skipped. At most
// kStoredTermCapacity terms per list.
FilterTerms SplitStoredFilterList(std::string_view list);

struct StoredFilter {
    bool HasMarker = false;
    // The numbers before the marker, in stored order; a trailing group
    // shorter than four characters is ignored.
    std::vector<int32_t> Numbers;
    std::string NumberText; // the characters those numbers were read from
    std::string List;       // everything after the marker
};
StoredFilter ParseStoredFilter(std::string_view stored);

// The INDOC1 keyword's test on a pairing's source record text (TPair::Note):
// columns 28 to 30 of its second line equal columns 43 to 45 of its third,
// both lines being "2" records.
bool Indoc1Matches(std::string_view note);

// Marks kMarkByText every pairing not marked kMarkByNumber whose text
// contains an inclusion term, then hides again those that contain an
// exclusion term. With `indocKeyword` the terms INDOC1, indoc1 and Indoc1
// test the source record instead. `scanning` hears each pairing number.
void MarkByText(ScheduleDocument& doc, const FilterTerms& terms, bool indocKeyword,
                const std::function<void(int32_t)>& scanning = {});

// The pairings window's caption when it is created or the open-pairings
// switch toggles.
std::string PairingsCaption(const ScheduleDocument& doc);

// Loads the stored filter of the first crew member with that employee number into the marks and
// turns filters on; "Unable to Find Employee to Filter" and false when there is none.
bool ApplyStoredFilters(ScheduleDocument& doc, Interaction& ui, int32_t empNumber);
void FiltersOff(ScheduleDocument& doc);
// The same for the crew member at roster index `crew` (a valid index).
void ApplyCrewFilters(ScheduleDocument& doc, int crew);
// The filter pane's text for a stored filter string.
std::string DescribeStoredFilter(const std::string& stored);

// The filter window's "Apply Filters": evaluates `text` (cut to
// kFilterTextLength) against every pairing not marked 1 and turns filters
// on. A text without ";" asks first; Yes appends it to `text`, No returns
// false with nothing changed. `chosenCrew` is the chooser's selection, -1
// for none. A non-empty text goes to the top of the history.
bool ApplyTextFilter(ScheduleDocument& doc, Interaction& ui, std::string& text, int chosenCrew,
                     const std::function<void(int32_t)>& scanning = {});
// The filter window's "Remove Filters": every mark 0, filters off.
void RemoveFilters(ScheduleDocument& doc);
// Every pairing not marked 1 becomes 1, every one marked 1 becomes 0.
void InvertFilterMarks(ScheduleDocument& doc);
// Every pairing with that number toggles between 1 and 0 (2 becomes 1).
void ToggleFilterNumber(ScheduleDocument& doc, int32_t number);

// Puts a text at the top of the text filter history, dropping an identical
// entry and the oldest past kFilterHistoryLength.
void AddFilterHistory(ScheduleDocument& doc, std::string_view text);

struct DistinctPairing {
    int32_t Number = 0;
    int32_t FirstPair = 0; // index of the first pairing with that number
};
// The pairing numbers in document order, each once, at most
// kDistinctCapacity of them.
std::vector<DistinctPairing> DistinctPairings(const ScheduleDocument& doc);

// The filter window's "Save": the numbers of the pairings marked 1 (once per
// pairing), the marker and the text, stored on crew member `crew`. False
// with a message when no crew member is chosen. `caption` gets the window's
// new caption.
bool SaveFilters(ScheduleDocument& doc, Interaction& ui, int crew, std::string_view text,
                 std::string& caption);
// The filter window's "Recall": marks 1 from the crew member's stored
// numbers (marks 2 stay); `text` gets the stored list. Returns false when
// nothing was recalled (a message, or only the caption saying so).
bool RecallFilters(ScheduleDocument& doc, Interaction& ui, int crew, std::string& text,
                   std::string& caption);

// The filter wizard's OK: the eight fields (the first four inclusions, the
// last four exclusions) as a text filter list, or the reason to keep the
// dialog open.
struct WizardResult {
    bool Ok = true;
    std::string Text;
    std::string Error;
};
WizardResult ComposeWizardFilter(const std::array<std::string, 8>& fields);

// One crew member's stored filter as the filter button window edits it.
struct FilterButtons {
    std::vector<DistinctPairing> Numbers;
    std::vector<uint8_t> Selected; // one per distinct number
    std::string Text;
};
FilterButtons LoadFilterButtons(const ScheduleDocument& doc, int crew);
// The button window's OK: stores the selection and text on the crew
// member ("" when both are empty) and adds the text to the history.
void StoreFilterButtons(ScheduleDocument& doc, int crew, FilterButtons& buttons);

} // namespace tl
