#include "import/activity_extract.h"

#include "import/absences_extract.h"
#include "import/extract_text.h"
#include "model/activity_codes.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/vortime.h"

#include <algorithm>
#include <array>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace tl {

namespace {

using namespace activity_extract;

constexpr std::string_view kCaption = "Tessara Lines";
constexpr std::string_view kQuestion =
    "This May Not Be a Valid Crew Activity Extract! Do You Want to Try Load it Anyway";
constexpr int kPrevDays = 31;
constexpr int kLastBlockSlot = 60;
constexpr int kDayMinutes = 1440;

// Pairing extract columns.
constexpr size_t kIdLength = 5;
constexpr int kPairingDate = 6;
constexpr int kStartDate = 14;
constexpr int kReport = 22;
constexpr int kTafb = 50;
constexpr int kRest = 66;
constexpr int kDutyBlocks = 70;
constexpr int kDutyBlockLength = 24;
constexpr int kDayBlocks = 814;
constexpr int kDayBlockLength = 11;
constexpr int kBlocks = 31; // duty blocks and day blocks of a record

// A date as the extracts write it, year, month and day, compared field by
// field as written.
struct RawDate {
    int32_t year = 0;
    int32_t month = 0;
    int32_t day = 0;

    // One number for the index, one to one for every value a four-digit
    // and two two-digit fields can hold.
    int64_t Key() const { return (int64_t{year} * 1000 + (month + 100)) * 1000 + (day + 100); }
};

// Sums of figures from an extract that lists one employee over and over
// could pass the 32-bit range; they stop at its ends instead.
void AddClamped(int32_t& total, int64_t value)
{
    total = static_cast<int32_t>(std::clamp<int64_t>(int64_t{total} + value,
                                                     std::numeric_limits<int32_t>::min(),
                                                     std::numeric_limits<int32_t>::max()));
}

RawDate ReadRawDate(std::string_view line, int column, Interaction& trace)
{
    // Nearly every date is eight digits; those need none of FieldInt's care.
    if (column >= 0 && line.size() >= static_cast<size_t>(column) + 8) {
        const char* c = line.data() + column;
        int32_t v[8];
        bool digits = true;
        for (int i = 0; i < 8; ++i) {
            v[i] = c[i] - '0';
            digits &= v[i] >= 0 && v[i] <= 9;
        }
        if (digits)
            return {((v[0] * 10 + v[1]) * 10 + v[2]) * 10 + v[3], v[4] * 10 + v[5],
                    v[6] * 10 + v[7]};
    }
    return {FieldInt(line, column, 4, trace), FieldInt(line, column + 4, 2, trace),
            FieldInt(line, column + 6, 2, trace)};
}

int32_t DayNumber(const RawDate& d)
{
    return CheckedJulianDay(d.month, d.day, d.year);
}

// The pairing extract, indexed by identifier and pairing date so that each
// activity entry finds its record without walking the file. Among records of
// the same key the first in the file wins.
class PairingIndex {
public:
    PairingIndex(std::string_view text, Interaction& trace)
    {
        ExtractLines lines(text, kPairingKeep);
        std::string_view line;
        // Records run from the start of the file up to the first shorter line;
        // the last line counts its missing line feed.
        while (lines.Next(line) && line.size() + 1 >= kPairingRecord) {
            m_keys.push_back({IdKey(line), ReadRawDate(line, kPairingDate, trace).Key(),
                              static_cast<uint32_t>(m_records.size())});
            m_records.push_back(line);
        }
        std::sort(m_keys.begin(), m_keys.end());
    }

    // The record of the pairing `id` on `date`, or nothing.
    std::optional<std::string_view> Find(std::string_view id, const RawDate& date) const
    {
        const Key probe{IdKey(id), date.Key(), 0};
        auto it = std::lower_bound(m_keys.begin(), m_keys.end(), probe);
        if (it == m_keys.end() || it->id != probe.id || it->date != probe.date)
            return std::nullopt;
        return m_records[it->order];
    }

private:
    struct Key {
        uint64_t id = 0;
        int64_t date = 0;
        uint32_t order = 0;

        auto operator<=>(const Key&) const = default;
    };

    // The five characters of an identifier as one number.
    static uint64_t IdKey(std::string_view text)
    {
        uint64_t key = 0;
        for (size_t i = 0; i < kIdLength; ++i)
            key = key << 8 | static_cast<uint8_t>(text[i]);
        return key;
    }

    std::vector<Key> m_keys;
    std::vector<std::string_view> m_records;
};

// Day numbers of the extended days: the 31 days before the month, then the month.
class ExtendedDays {
public:
    explicit ExtendedDays(const ScheduleDocument& doc)
    {
        for (int e = 0; e < kPrevDays; ++e) {
            const TDate& d = doc.PrevDate[static_cast<size_t>(e)];
            m_days[static_cast<size_t>(e)] = CheckedJulianDay(d.Month, d.Day, d.Year);
        }
        const int inMonth = std::clamp(doc.DaysInMonth, 0, ScheduleDocument::kMonthDays);
        for (int d = 0; d < inMonth; ++d) {
            const TDate& date = doc.DayDate[static_cast<size_t>(d)];
            m_days[static_cast<size_t>(kPrevDays + d)] =
                CheckedJulianDay(date.Month, date.Day, date.Year);
        }
        m_count = kPrevDays + inMonth;
        // The same days as the extracts write them, for lookups without a
        // day-number conversion per date read.
        for (int e = 0; e < m_count; ++e) {
            const TDate& d = e < kPrevDays ? doc.PrevDate[static_cast<size_t>(e)]
                                           : doc.DayDate[static_cast<size_t>(e - kPrevDays)];
            m_keys[static_cast<size_t>(e)] =
                m_days[static_cast<size_t>(e)] != 0 ? RawDate{d.Year, d.Month, d.Day}.Key() : -1;
        }
        m_sorted = std::is_sorted(m_keys.begin(), m_keys.begin() + m_count);
    }

    // The extended day of a date as written, or -1: the same answer as Of
    // on its day number.
    int OfRaw(const RawDate& date) const
    {
        const int64_t key = date.Key();
        const auto end = m_keys.begin() + m_count;
        if (m_sorted) {
            const auto it = std::lower_bound(m_keys.begin(), end, key);
            return it != end && *it == key ? static_cast<int>(it - m_keys.begin()) : -1;
        }
        const auto it = std::find(m_keys.begin(), end, key);
        return it != end ? static_cast<int>(it - m_keys.begin()) : -1;
    }

    int Of(int32_t dayNumber) const
    {
        if (dayNumber == 0)
            return -1;
        // The days follow each other, so the offset from the first finds it at once.
        const int64_t guess = static_cast<int64_t>(dayNumber) - m_days[0];
        if (m_days[0] != 0 && guess >= 0 && guess < m_count &&
            m_days[static_cast<size_t>(guess)] == dayNumber)
            return static_cast<int>(guess);
        for (int e = 0; e < m_count; ++e)
            if (m_days[static_cast<size_t>(e)] == dayNumber)
                return e;
        return -1;
    }

private:
    std::array<int32_t, kPrevDays + ScheduleDocument::kMonthDays> m_days{};
    std::array<int64_t, kPrevDays + ScheduleDocument::kMonthDays> m_keys{};
    int m_count = 0;
    bool m_sorted = false;
};

class LastMonthReader {
public:
    LastMonthReader(ScheduleDocument& doc, std::string_view pairings, Interaction& ui)
        : m_doc(doc), m_ui(ui), m_index(pairings, ui), m_days(doc)
    {
    }

    void Line(std::string_view line, TPilot& pilot)
    {
        // Every pairing of the line is looked up first and the parts of its
        // record that will be read are fetched together: records are read
        // in no order, and one at a time the waits for memory add up.
        std::array<std::optional<std::string_view>, kEntries> records;
        for (int k = 0; k < kEntries; ++k) {
            const int p = kFirstEntry + kEntryLength * k;
            if (line.size() < static_cast<size_t>(p) + 39)
                break;
            if (IsPairingEntry(line, p) && !BlankId(line, p)) {
                records[static_cast<size_t>(k)] =
                    m_index.Find(Id(line, p), ReadRawDate(line, p + 8, m_ui));
                if (records[static_cast<size_t>(k)])
                    Prefetch(*records[static_cast<size_t>(k)]);
            }
        }
        for (int k = 0; k < kEntries; ++k) {
            const int p = kFirstEntry + kEntryLength * k;
            if (line.size() < static_cast<size_t>(p) + 39) {
                m_ui.Trace("Substring out of Range\n");
                break;
            }
            if (!IsPairingEntry(line, p))
                CodeEntry(line, p, pilot);
            else if (!BlankId(line, p))
                PairingEntry(line, p, records[static_cast<size_t>(k)], pilot);
        }
        for (int i = kPrevDays - 1; i >= 0; --i)
            pilot.DayCarry[static_cast<size_t>(i)][5] =
                FieldInt(line, kHardTimeColumn + 4 * i, 4, m_ui);
    }

    const ExtractWarnings& Warnings() const { return m_warnings; }

private:
    static bool IsPairingEntry(std::string_view line, int p)
    {
        return line[static_cast<size_t>(p)] == ' ' && line[static_cast<size_t>(p) + 1] == ' ';
    }

    static std::string_view Id(std::string_view line, int p)
    {
        return line.substr(static_cast<size_t>(p) + 2, kIdLength);
    }

    static bool BlankId(std::string_view line, int p)
    {
        return Id(line, p).find_first_not_of(' ') == std::string_view::npos;
    }

    // The cache lines of a record's header, first duty blocks and first day blocks.
    static void Prefetch(std::string_view rec)
    {
        for (size_t at :
             {size_t{0}, size_t{64}, size_t{128}, size_t{kDayBlocks}, size_t{kDayBlocks + 56}})
            if (at < rec.size())
                __builtin_prefetch(rec.data() + at);
    }

    void PairingEntry(std::string_view line, int p, const std::optional<std::string_view>& found,
                      TPilot& pilot)
    {
        const std::string_view id = Id(line, p);
        const RawDate date = ReadRawDate(line, p + 8, m_ui);
        if (!found) {
            m_warnings.Add("Could not find Pairing %.5s to Assign to %s.", id.data(),
                           pilot.Name.c_str());
            return;
        }
        const std::string_view rec = *found;
        const int start = m_days.OfRaw(ReadRawDate(rec, kStartDate, m_ui));
        if (start < 0) {
            const RawDate last = ReadRawDate(line, p + 28, m_ui);
            m_warnings.Add("Could not assign Pairing %.5s to %s from %02d %02d %04d to "
                           "%02d %02d %04d Last Month.",
                           id.data(), pilot.Name.c_str(), date.day, date.month, date.year, last.day,
                           last.month, last.year);
            return;
        }
        const auto s = static_cast<size_t>(start);
        TPilot::SlotValues& first = pilot.DayCarry[s];
        first[0] = FieldInt(rec, kReport, 4, m_ui);
        first[1] = FieldInt(rec, kTafb, 8, m_ui);
        pilot.DayText[s] = id;

        // Legal again after the release and the rest that follows it.
        const int64_t report = first[0];
        const int64_t away = first[1];
        int64_t legal = report + int64_t{start} * kDayMinutes + away;
        if (m_doc.CrewKind == 2) {
            legal += 720;
        } else {
            const int64_t rest = FieldInt(rec, kRest, 4, m_ui);
            legal += rest > 719 ? rest - 59 : 660;
        }
        legal -= int64_t{kPrevDays} * kDayMinutes;
        if (legal > 0)
            pilot.CarryIn[1] =
                static_cast<int32_t>(std::min<int64_t>(legal, std::numeric_limits<int32_t>::max()));

        // Days the pairing spans; a release in the first two hours of a day
        // does not count that day.
        const int64_t total = report + away;
        int64_t days = total / kDayMinutes;
        const int64_t lastDay = total > kDayMinutes ? (total - 1) % kDayMinutes + 1 : total;
        if (lastDay < 120 && days > 0)
            --days;
        if (start > 59)
            pilot.DayCarry[0][6] = 0;
        for (int64_t e = start; e <= start + days && e < TPilot::kSlots; ++e)
            pilot.DayCarry[static_cast<size_t>(e)][6] = 1;

        // Day block 0 is the day before the start; for a start on the first of
        // the 31 days that day is not kept, so the blocks begin at block 1.
        const int64_t blocks = days + 3;
        for (int64_t m = start == 0 ? 1 : 0; m < blocks && m < kBlocks; ++m) {
            const int64_t e = start - 1 + m;
            if (e > kLastBlockSlot)
                break;
            const int at = kDayBlocks + kDayBlockLength * static_cast<int>(m);
            TPilot::SlotValues& day = pilot.DayCarry[static_cast<size_t>(e)];
            AddClamped(day[5], FieldInt(rec, at + 3, 4, m_ui));
            AddClamped(day[4], FieldInt(rec, at + 7, 4, m_ui));
            if (e >= kPrevDays)
                AddClamped(pilot.CarryIn[0], day[4]);
        }

        for (int j = 0; j < kBlocks; ++j) {
            const int at = kDutyBlocks + kDutyBlockLength * j;
            const int e = m_days.OfRaw(ReadRawDate(rec, at, m_ui));
            if (e < 0)
                break;
            TPilot::SlotValues& day = pilot.DayCarry[static_cast<size_t>(e)];
            day[2] = FieldInt(rec, at + 8, 4, m_ui);
            day[3] = ExtractDuration(day[2], FieldInt(rec, at + 20, 4, m_ui));
        }
    }

    void CodeEntry(std::string_view line, int p, TPilot& pilot)
    {
        const std::string code(line.substr(static_cast<size_t>(p), 2));
        const RawDate firstDate = ReadRawDate(line, p + 16, m_ui);
        const RawDate lastDate = ReadRawDate(line, p + 28, m_ui);
        const int startTime = FieldInt(line, p + 24, 4, m_ui);
        const int endTime = FieldInt(line, p + 36, 4, m_ui);

        int slot = m_days.Of(DayNumber(firstDate));
        if (slot < 0 || slot >= kPrevDays) {
            m_warnings.Add("Could not assign %s code to %s from %02d %02d %04d to %02d "
                           "%02d %04d Last Month.",
                           code.c_str(), pilot.Name.c_str(), firstDate.day, firstDate.month,
                           firstDate.year, lastDate.day, lastDate.month, lastDate.year);
            slot = kPrevDays;
        }

        int duration = ExtractDuration(startTime, endTime);
        // Dates that are not real span no further days.
        const int32_t firstDay = DayNumber(firstDate);
        const int32_t lastDay = DayNumber(lastDate);
        int64_t days = firstDay != 0 && lastDay != 0 ? int64_t{lastDay} - firstDay : 0;
        if (days == 1 && endTime < startTime)
            days = 0;

        const std::optional<ActivityCodeInfo> info = LookupActivityCode(m_doc, code, m_ui);
        for (int64_t e = slot; e <= slot + days && e <= kLastBlockSlot; ++e) {
            const auto s = static_cast<size_t>(e);
            TPilot::SlotValues& day = pilot.DayCarry[s];
            if (info) {
                day[4] = info->Credit;
                day[6] = info->Reserve ? 2 : info->Duty ? 1 : 0;
                day[8] = info->Duty2 ? 1 : 0;
                pilot.DayText[s] = info->Activity;
            } else {
                day[4] = day[5] = day[6] = day[8] = 0;
                m_warnings.Add("No Matching Code for %s Last Month %s day %02d - No "
                               "Duty Info loaded.",
                               code.c_str(), pilot.Name.c_str(), static_cast<int>(e) + 1);
                pilot.DayText[s] = code;
            }
            day[2] = startTime;
            if (e == kPrevDays - 1) {
                int legal = -1;
                if (day[6] == 2) {
                    duration = 840;
                    legal = startTime + 840 - 901;
                } else if (day[6] == 1) {
                    legal = startTime + duration - (m_doc.CrewKind == 2 ? 720 : 780);
                }
                if (day[6] == 1 || day[6] == 2)
                    pilot.CarryIn[1] = std::max(legal, 0);
            }
            day[3] = duration;
        }
    }

    ScheduleDocument& m_doc;
    Interaction& m_ui;
    PairingIndex m_index;
    ExtendedDays m_days;
    ExtractWarnings m_warnings;
};

bool ConfirmActivity(std::string_view activity, Interaction& ui)
{
    return FirstExtractLine(activity, kKeep).size() == kRecord || ui.AskYes(kCaption, kQuestion);
}

// The pairing extract's record length counts the line feed.
bool ConfirmPairings(std::string_view pairings, Interaction& ui)
{
    return FirstExtractLine(pairings, kPairingKeep).size() + 1 == kPairingRecord ||
           ui.AskYes(kCaption, kQuestion);
}

// Both files read and accepted: clear last month's data and read it again.
bool ReadLastMonthsData(ScheduleDocument& doc, std::string_view activity, std::string_view pairings,
                        Interaction& ui)
{
    ui.Trace("LoadLastMonthsDataFromExtractBegin\n");
    doc.FreshDocument = false;
    doc.Modified = true;

    auto clearLastMonth = [](TPilot& pilot) {
        for (TPilot::SlotValues& day : pilot.DayCarry)
            day.fill(0);
        // Every text here came from the previous import of last month's data.
        for (std::string& text : pilot.DayText)
            if (!text.empty())
                text.clear();
        std::fill_n(pilot.CarryIn.begin(), 4, 0);
    };
    // Each record is cleared just before its line is read, while it is in
    // the cache anyway; the crew members without a line are cleared at the end.
    std::vector<bool> cleared(static_cast<size_t>(std::max(doc.CrewCount, 0)));
    std::unordered_map<int32_t, int> firstWithNumber;
    for (int c = 0; c < doc.CrewCount; ++c)
        firstWithNumber.emplace(doc.Crew[static_cast<size_t>(c)].EmpNumber, c);
    TProgressDialog progress(ui, "Loading Last Month's Data", doc.CrewCount);
    ui.Trace("Progress Dialog Created\n");

    LastMonthReader reader(doc, pairings, ui);
    ExtractLines lines(activity, kKeep);
    std::string_view line;
    int matched = 0;
    while (lines.Next(line)) {
        if (line.size() < kMinLine)
            break;
        if (line.size() != kRecord)
            ui.Trace("Crew Activity Record Line Not Correct Length\n");
        const auto found = firstWithNumber.find(FieldInt(line, 0, 9, ui));
        if (found == firstWithNumber.end())
            continue;
        TPilot& pilot = doc.Crew[static_cast<size_t>(found->second)];
        if (!cleared[static_cast<size_t>(found->second)]) {
            cleared[static_cast<size_t>(found->second)] = true;
            clearLastMonth(pilot);
        }
        progress.SetValue(++matched);
        ui.Trace(
            FormatText("LoadingLastMonthsDataFor %s %d\n", pilot.Name.c_str(), pilot.EmpNumber));
        reader.Line(line, pilot);
    }

    for (int c = 0; c < doc.CrewCount; ++c)
        if (!cleared[static_cast<size_t>(c)])
            clearLastMonth(doc.Crew[static_cast<size_t>(c)]);
    ui.Trace("LoadLastMonthsData Finished...\n");
    if (!reader.Warnings().Empty())
        ShowSummary(ui, "Errors from Overlap Info Extract Load", reader.Warnings().Text());
    return true;
}

} // namespace

int ExtendedDayOf(const ScheduleDocument& doc, int32_t dayNumber)
{
    return ExtendedDays(doc).Of(dayNumber);
}

bool LoadLastMonthsDataText(ScheduleDocument& doc, std::string_view activity,
                            std::string_view pairings, Interaction& ui)
{
    if (!ConfirmActivity(activity, ui) || !ConfirmPairings(pairings, ui))
        return false;
    return ReadLastMonthsData(doc, activity, pairings, ui);
}

bool LoadLastMonthsData(ScheduleDocument& doc, const std::filesystem::path& activityPath,
                        const std::filesystem::path& pairingPath, Interaction& ui)
{
    ExtractFile activity;
    if (!activity.Read(activityPath, ui) || !ConfirmActivity(activity.Text(), ui))
        return false;
    ExtractFile pairings;
    if (!pairings.Read(pairingPath, ui) || !ConfirmPairings(pairings.Text(), ui))
        return false;
    return ReadLastMonthsData(doc, activity.Text(), pairings.Text(), ui);
}

} // namespace tl
