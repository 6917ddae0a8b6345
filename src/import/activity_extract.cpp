#include "import/activity_extract.h"

#include "import/absences_extract.h"
#include "import/extract_text.h"
#include "import/line_reader.h"
#include "model/activity_codes.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/version.h"
#include "model/vortime.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstring>
#include <istream>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <system_error>
#include <type_traits>
#include <unordered_map>
#include <vector>

namespace tl {

namespace {

using namespace activity_extract;

constexpr std::string_view kQuestion =
    "This May Not Be a Valid Crew Activity Extract! Do You Want to Try Load it Anyway";
constexpr int kPrevDays = 31;
constexpr int kLastBlockSlot = 60;

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
// Large enough for few reads, small enough to stay in the cache.
constexpr size_t kStreamBuffer = 128 * 1024;

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

// Nearly every number of the extracts is written with all its digits; those
// need none of FieldInt's care. Reads the `count` (4 or 8) characters at `c`
// as two-digit numbers into `pairs`; false when one of them is no digit.
template <size_t count>
[[gnu::always_inline]] inline bool AllDigits(const char* c, int32_t (&pairs)[count / 2])
{
    if constexpr (std::endian::native == std::endian::little) {
        using Word = std::conditional_t<count == 8, uint64_t, uint32_t>;
        constexpr Word kZeros = static_cast<Word>(0x3030303030303030ULL);
        constexpr Word kHigh = static_cast<Word>(0xF0F0F0F0F0F0F0F0ULL);
        constexpr Word kSix = static_cast<Word>(0x0606060606060606ULL);
        Word w;
        std::memcpy(&w, c, sizeof w);
        // Every byte 0x30 to 0x39: the high half 3, and still 3 after adding 6.
        if ((w & kHigh) != kZeros || ((w + kSix) & kHigh) != kZeros)
            return false;
        w -= kZeros;
        w = w * 10 + (w >> 8); // each even byte: ten times its digit plus the next
        for (size_t i = 0; i < count / 2; ++i)
            pairs[i] = static_cast<int32_t>((w >> (16 * i)) & 0xFF);
        return true;
    } else {
        for (size_t i = 0; i < count; ++i)
            if (c[i] < '0' || c[i] > '9')
                return false;
        for (size_t i = 0; i < count / 2; ++i)
            pairs[i] = (c[2 * i] - '0') * 10 + (c[2 * i + 1] - '0');
        return true;
    }
}

// The fields that are not all digits, left out of line so that the common
// case stays small enough to inline.
[[gnu::noinline]] int32_t OtherFieldInt(std::string_view line, int column, int count,
                                        Interaction& trace)
{
    return FieldInt(line, column, count, trace);
}

[[gnu::noinline]] RawDate OtherRawDate(std::string_view line, int column, Interaction& trace)
{
    return {FieldInt(line, column, 4, trace), FieldInt(line, column + 4, 2, trace),
            FieldInt(line, column + 6, 2, trace)};
}

// FieldInt of a four-digit field.
[[gnu::always_inline]] inline int32_t Field4(std::string_view line, int column, Interaction& trace)
{
    int32_t pairs[2];
    if (column >= 0 && line.size() >= static_cast<size_t>(column) + 4 &&
        AllDigits<4>(line.data() + column, pairs))
        return pairs[0] * 100 + pairs[1];
    return OtherFieldInt(line, column, 4, trace);
}

// FieldInt of an eight-digit field.
int32_t Field8(std::string_view line, int column, Interaction& trace)
{
    int32_t pairs[4];
    if (column >= 0 && line.size() >= static_cast<size_t>(column) + 8 &&
        AllDigits<8>(line.data() + column, pairs))
        return ((pairs[0] * 100 + pairs[1]) * 100 + pairs[2]) * 100 + pairs[3];
    return OtherFieldInt(line, column, 8, trace);
}

[[gnu::always_inline]] inline RawDate ReadRawDate(std::string_view line, int column,
                                                  Interaction& trace)
{
    int32_t pairs[4];
    if (column >= 0 && line.size() >= static_cast<size_t>(column) + 8 &&
        AllDigits<8>(line.data() + column, pairs))
        return {pairs[0] * 100 + pairs[1], pairs[2], pairs[3]};
    return OtherRawDate(line, column, trace);
}

int32_t DayNumber(const RawDate& d)
{
    return CheckedJulianDay(d.month, d.day, d.year);
}

// A pairing instance as the extracts name it: the identifier's five
// characters as one number, and the date as written.
struct PairingKey {
    uint64_t id = 0;
    int64_t date = 0;

    bool operator==(const PairingKey&) const = default;
};

uint64_t IdKey(std::string_view text)
{
    uint64_t key = 0;
    for (size_t i = 0; i < kIdLength && i < text.size(); ++i)
        key = key << 8 | static_cast<uint8_t>(text[i]);
    return key;
}

// The pairing instances the activity extract names, each listed once, for
// finding them while the pairing extract goes by.
class PairingNeeds {
public:
    // The number of `key` in the list, added when new.
    int Add(const PairingKey& key)
    {
        if ((m_keys.size() + 1) * 2 > m_table.size())
            Grow();
        size_t at = Home(key);
        while (m_table[at] != 0) {
            const int n = m_table[at] - 1;
            if (m_keys[static_cast<size_t>(n)] == key)
                return n;
            at = (at + 1) & (m_table.size() - 1);
        }
        m_keys.push_back(key);
        m_table[at] = static_cast<int32_t>(m_keys.size());
        return static_cast<int>(m_keys.size()) - 1;
    }

    // The number of `key`, -1 when it is not listed.
    int Find(const PairingKey& key) const
    {
        if (m_table.empty())
            return -1;
        for (size_t at = Home(key); m_table[at] != 0; at = (at + 1) & (m_table.size() - 1))
            if (m_keys[static_cast<size_t>(m_table[at] - 1)] == key)
                return m_table[at] - 1;
        return -1;
    }

    size_t Size() const { return m_keys.size(); }

private:
    // Multipliers drawn for each load: keys made to collide under fixed ones
    // cannot slow a load down to a crawl. Only the table's layout depends on
    // them, never the order of the needs.
    static uint64_t RandomOdd()
    {
        std::random_device device;
        return (uint64_t{device()} << 32 | device()) | 1;
    }

    size_t Home(const PairingKey& key) const
    {
        const uint64_t h =
            key.id * m_idMultiplier + static_cast<uint64_t>(key.date) * m_dateMultiplier;
        return static_cast<size_t>(h >> 32) & (m_table.size() - 1);
    }

    uint64_t m_idMultiplier = RandomOdd();
    uint64_t m_dateMultiplier = RandomOdd();

    void Grow()
    {
        m_table.assign(std::max<size_t>(64, m_table.size() * 2), 0);
        for (size_t n = 0; n < m_keys.size(); ++n) {
            size_t at = Home(m_keys[n]);
            while (m_table[at] != 0)
                at = (at + 1) & (m_table.size() - 1);
            m_table[at] = static_cast<int32_t>(n + 1);
        }
    }

    std::vector<PairingKey> m_keys;
    std::vector<int32_t> m_table; // number + 1 per slot, 0 for a free slot
};

// What an activity entry takes from its pairing record, read while the
// record is at hand.
struct PairingFigures {
    int32_t start = -1; // extended day of the start date, -1 when there is none
    int32_t report = 0;
    int32_t away = 0;
    int32_t rest = 0;
    int32_t days = 0;        // days spanned after the first
    uint32_t firstBlock = 0; // day block of m_values[at]
    uint32_t blocks = 0;     // day blocks taken: hard time and credit each
    uint32_t duties = 0;     // duty blocks on extended days: day, start, time on duty each
    size_t at = 0;
};

// Lines of an extract read from a stream a buffer at a time, cut and ended
// as ExtractLines does, so the whole file need not be held: a line longer
// than `keep` is cut there and the rest of it skipped.
class ExtractStream {
public:
    ExtractStream(std::istream& in, size_t keep, size_t buffer)
        : m_in(in), m_keep(keep), m_buffer(std::max(buffer, keep + 2))
    {
    }

    // The first line; the next call to Next hands it out again.
    std::string_view First()
    {
        m_again = false;
        std::string_view line;
        m_again = Next(line);
        m_last = line;
        return line;
    }

    bool Next(std::string_view& line)
    {
        if (m_again) {
            m_again = false;
            line = m_last;
            return true;
        }
        for (;;) {
            const char* begin = m_buffer.data() + m_pos;
            const size_t avail = m_end - m_pos;
            const void* feed = avail > 0 ? std::memchr(begin, '\n', avail) : nullptr;
            if (m_skip) {
                // The rest of a line cut short.
                m_pos =
                    feed ? static_cast<size_t>(static_cast<const char*>(feed) - m_buffer.data()) + 1
                         : m_end;
                m_skip = !feed;
                if (m_skip && !Fill())
                    return false;
                continue;
            }
            if (feed || (m_eof && avail > 0)) {
                size_t length =
                    feed ? static_cast<size_t>(static_cast<const char*>(feed) - begin) : avail;
                m_pos += feed ? length + 1 : length;
                if (length > 0 && begin[length - 1] == '\r')
                    --length;
                line = std::string_view(begin, std::min(length, m_keep));
                return true;
            }
            if (avail > m_keep + 1) {
                // Longer than what is kept whatever ends it.
                line = std::string_view(begin, m_keep);
                m_pos = m_end;
                m_skip = true;
                return true;
            }
            if (!Fill())
                return false;
        }
    }

private:
    // Moves what is left to the front and reads more; false at the end.
    bool Fill()
    {
        if (m_eof)
            return false;
        if (m_pos > 0) {
            std::memmove(m_buffer.data(), m_buffer.data() + m_pos, m_end - m_pos);
            m_end -= m_pos;
            m_pos = 0;
        }
        m_in.read(m_buffer.data() + m_end, static_cast<std::streamsize>(m_buffer.size() - m_end));
        const auto got = static_cast<size_t>(m_in.gcount());
        m_end += got;
        m_eof = got == 0 || !m_in;
        return got > 0 || m_end > m_pos;
    }

    std::istream& m_in;
    size_t m_keep;
    std::vector<char> m_buffer;
    size_t m_pos = 0;
    size_t m_end = 0;
    bool m_eof = false;
    bool m_skip = false;
    bool m_again = false;
    std::string_view m_last;
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
        // Each day written once, the first of equal days kept.
        m_slots.fill(-1);
        for (int e = 0; e < m_count; ++e) {
            const int64_t key = m_keys[static_cast<size_t>(e)];
            if (key == -1)
                continue;
            size_t at = Home(key);
            while (m_slots[at] >= 0 && m_keys[static_cast<size_t>(m_slots[at])] != key)
                at = (at + 1) % m_slots.size();
            if (m_slots[at] < 0)
                m_slots[at] = static_cast<int8_t>(e);
        }
    }

    // The extended day of a date as written, or -1: the same answer as Of
    // on its day number.
    int OfRaw(const RawDate& date) const
    {
        const int64_t key = date.Key();
        for (size_t at = Home(key); m_slots[at] >= 0; at = (at + 1) % m_slots.size())
            if (m_keys[static_cast<size_t>(m_slots[at])] == key)
                return m_slots[at];
        return -1;
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

    // Days from the first of the 31 days before the month to a real day,
    // negative before it; nothing when either is not a real day.
    std::optional<int64_t> FromFirst(int32_t dayNumber) const
    {
        if (dayNumber == 0 || m_days[0] == 0)
            return std::nullopt;
        return int64_t{dayNumber} - m_days[0];
    }

private:
    static constexpr size_t kSlots = 128; // at least twice the extended days

    static size_t Home(int64_t key)
    {
        return static_cast<size_t>((static_cast<uint64_t>(key) * 0x9e3779b97f4a7c15ULL) >> 57);
    }

    std::array<int32_t, kPrevDays + ScheduleDocument::kMonthDays> m_days{};
    std::array<int64_t, kPrevDays + ScheduleDocument::kMonthDays> m_keys{};
    int m_count = 0;
    std::array<int8_t, kSlots> m_slots{}; // extended day per hash slot, -1 for none
};

class LastMonthReader {
public:
    LastMonthReader(ScheduleDocument& doc, Interaction& ui) : m_doc(doc), m_ui(ui), m_days(doc) {}

    // First pass over a crew member's line: the pairing instances it names.
    void Need(std::string_view line)
    {
        for (int k = 0; k < kEntries; ++k) {
            const int p = kFirstEntry + kEntryLength * k;
            if (line.size() < static_cast<size_t>(p) + 39)
                break;
            if (NamesPairing(line, p))
                m_entries.push_back(m_needs.Add(EntryKey(line, p)));
        }
    }

    // The pairing extract's records, up to its first shorter line, are read
    // once in file order; each instance named takes the figures of its
    // first record. Reading stops when every instance is found.
    void ReadPairings(ExtractStream& lines)
    {
        m_found.assign(m_needs.Size(), -1);
        size_t missing = m_needs.Size();
        std::string_view rec;
        while (missing > 0 && lines.Next(rec) && rec.size() + 1 >= kPairingRecord) {
            const int n = m_needs.Find({IdKey(rec), ReadRawDate(rec, kPairingDate, m_ui).Key()});
            if (n < 0 || m_found[static_cast<size_t>(n)] >= 0)
                continue;
            m_found[static_cast<size_t>(n)] = static_cast<int32_t>(m_figures.size());
            m_figures.push_back(Figures(rec));
            --missing;
        }
    }

    // Second pass: the line written into its crew member's record.
    void Line(std::string_view line, TPilot& pilot)
    {
        for (int k = 0; k < kEntries; ++k) {
            const int p = kFirstEntry + kEntryLength * k;
            if (line.size() < static_cast<size_t>(p) + 39) {
                m_ui.Trace("Substring out of Range\n");
                break;
            }
            if (!IsPairingEntry(line, p)) {
                CodeEntry(line, p, pilot);
            } else if (NamesPairing(line, p)) {
                // Need listed this line's entries in this order.
                const int32_t n = m_entries[m_nextEntry++];
                const int32_t f = m_found[static_cast<size_t>(n)];
                PairingEntry(line, p, f >= 0 ? &m_figures[static_cast<size_t>(f)] : nullptr, pilot);
            }
        }
        for (int i = kPrevDays - 1; i >= 0; --i)
            pilot.DayCarry[static_cast<size_t>(i)][CarryValue::HardTime] =
                Field4(line, kHardTimeColumn + 4 * i, m_ui);
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

    // A pairing entry whose identifier is not five blanks.
    static bool NamesPairing(std::string_view line, int p)
    {
        return IsPairingEntry(line, p) && std::memcmp(line.data() + p + 2, "     ", kIdLength) != 0;
    }

    PairingKey EntryKey(std::string_view line, int p)
    {
        return {IdKey(Id(line, p)), ReadRawDate(line, p + 8, m_ui).Key()};
    }

    // Everything PairingEntry reads from a record, the same for every crew
    // member who flew it.
    PairingFigures Figures(std::string_view rec)
    {
        PairingFigures f;
        f.start = m_days.OfRaw(ReadRawDate(rec, kStartDate, m_ui));
        if (f.start < 0)
            return f;
        f.report = Field4(rec, kReport, m_ui);
        f.away = Field8(rec, kTafb, m_ui);
        f.rest = Field4(rec, kRest, m_ui);

        // Days the pairing spans; a release in the first two hours of a day
        // does not count that day.
        const int64_t total = int64_t{f.report} + f.away;
        int64_t days = total / kMinutesPerDay;
        const int64_t lastDay = total > kMinutesPerDay ? (total - 1) % kMinutesPerDay + 1 : total;
        if (lastDay < 120 && days > 0)
            --days;
        f.days = static_cast<int32_t>(days);
        f.at = m_values.size();

        // Day block 0 is the day before the start; for a start on the first of
        // the 31 days that day is not kept, so the blocks begin at block 1.
        f.firstBlock = f.start == 0 ? 1 : 0;
        for (int64_t m = f.firstBlock; m < days + 3 && m < kBlocks; ++m) {
            if (f.start - 1 + m > kLastBlockSlot)
                break;
            const int at = kDayBlocks + kDayBlockLength * static_cast<int>(m);
            m_values.push_back(Field4(rec, at + 3, m_ui));
            m_values.push_back(Field4(rec, at + 7, m_ui));
            ++f.blocks;
        }

        for (int j = 0; j < kBlocks; ++j) {
            const int at = kDutyBlocks + kDutyBlockLength * j;
            const int e = m_days.OfRaw(ReadRawDate(rec, at, m_ui));
            if (e < 0)
                break;
            const int32_t start = Field4(rec, at + 8, m_ui);
            m_values.push_back(e);
            m_values.push_back(start);
            m_values.push_back(ExtractDuration(start, Field4(rec, at + 20, m_ui)));
            ++f.duties;
        }
        return f;
    }

    void PairingEntry(std::string_view line, int p, const PairingFigures* found, TPilot& pilot)
    {
        const std::string_view id = Id(line, p);
        if (!found) {
            m_warnings.Add("Could not find Pairing %.5s to Assign to %s.", id.data(),
                           pilot.Name.c_str());
            return;
        }
        const PairingFigures& f = *found;
        if (f.start < 0) {
            const RawDate date = ReadRawDate(line, p + 8, m_ui);
            const RawDate last = ReadRawDate(line, p + 28, m_ui);
            m_warnings.Add("Could not assign Pairing %.5s to %s from %02d %02d %04d to "
                           "%02d %02d %04d Last Month.",
                           id.data(), pilot.Name.c_str(), date.day, date.month, date.year, last.day,
                           last.month, last.year);
            return;
        }
        const auto s = static_cast<size_t>(f.start);
        TPilot::SlotValues& first = pilot.DayCarry[s];
        first[CarryValue::PairingStart] = f.report;
        first[CarryValue::PairingTafb] = f.away;
        pilot.DayText[s] = id;

        // Legal again after the release and the rest that follows it.
        int64_t legal = int64_t{f.report} + int64_t{f.start} * kMinutesPerDay + f.away;
        if (m_doc.CrewKind == kFlightAttendants)
            legal += kAttendantMinRest;
        else
            legal += f.rest > 719 ? int64_t{f.rest} - 59 : kPilotMinRest;
        legal -= int64_t{kPrevDays} * kMinutesPerDay;
        if (legal > 0)
            pilot.CarryIn[CarryInEntry::LegalAt] =
                static_cast<int32_t>(std::min<int64_t>(legal, std::numeric_limits<int32_t>::max()));

        if (f.start > 59)
            pilot.DayCarry[0][CarryValue::DayKind] = kNothingCarried;
        for (int64_t e = f.start; e <= int64_t{f.start} + f.days && e < TPilot::kSlots; ++e)
            pilot.DayCarry[static_cast<size_t>(e)][CarryValue::DayKind] = kWorkedDay;

        const int32_t* value = m_values.data() + f.at;
        for (uint32_t m = 0; m < f.blocks; ++m, value += 2) {
            const int64_t e = int64_t{f.start} - 1 + f.firstBlock + m;
            TPilot::SlotValues& day = pilot.DayCarry[static_cast<size_t>(e)];
            AddClamped(day[CarryValue::HardTime], value[0]);
            AddClamped(day[CarryValue::Credit], value[1]);
            if (e >= kPrevDays)
                AddClamped(pilot.CarryIn[CarryInEntry::Credit], day[CarryValue::Credit]);
        }
        for (uint32_t j = 0; j < f.duties; ++j, value += 3) {
            TPilot::SlotValues& day = pilot.DayCarry[static_cast<size_t>(value[0])];
            day[CarryValue::DutyStart] = value[1];
            day[CarryValue::DutyTime] = value[2];
        }
    }

    void CodeEntry(std::string_view line, int p, TPilot& pilot)
    {
        const std::string code(line.substr(static_cast<size_t>(p), 2));
        const RawDate firstDate = ReadRawDate(line, p + 16, m_ui);
        const RawDate lastDate = ReadRawDate(line, p + 28, m_ui);
        const int startTime = Field4(line, p + 24, m_ui);
        const int endTime = Field4(line, p + 36, m_ui);

        int duration = ExtractDuration(startTime, endTime);
        // Dates that are not real span no further days.
        const int32_t firstDay = DayNumber(firstDate);
        const int32_t lastDay = DayNumber(lastDate);
        int64_t days = firstDay != 0 && lastDay != 0 ? int64_t{lastDay} - firstDay : 0;
        if (days == 1 && endTime < startTime)
            days = 0;

        // Each day goes on its own date or nowhere: an entry that begins
        // before the 31 days keeps the days inside them, and one that does
        // not begin before the month is not last month's.
        int64_t slot = m_days.Of(firstDay);
        if (slot < 0 || slot >= kPrevDays) {
            m_warnings.Add("Could not assign %s code to %s from %02d %02d %04d to %02d "
                           "%02d %04d Last Month.",
                           code.c_str(), pilot.Name.c_str(), firstDate.day, firstDate.month,
                           firstDate.year, lastDate.day, lastDate.month, lastDate.year);
            const std::optional<int64_t> from = m_days.FromFirst(firstDay);
            if (!from || *from >= 0)
                return;
            slot = *from;
        }

        const std::optional<ActivityCodeInfo>& info = Lookup(code);
        for (int64_t e = std::max<int64_t>(slot, 0); e <= slot + days && e <= kLastBlockSlot; ++e) {
            const auto s = static_cast<size_t>(e);
            TPilot::SlotValues& day = pilot.DayCarry[s];
            if (info) {
                day[CarryValue::Credit] = info->Credit;
                day[CarryValue::DayKind] = info->Reserve ? kReserveDay
                                           : info->Duty  ? kWorkedDay
                                                         : kNothingCarried;
                day[CarryValue::CarsDuty] = info->Duty2 ? 1 : 0;
                pilot.DayText[s] = info->Activity;
            } else {
                day[CarryValue::Credit] = day[CarryValue::HardTime] = day[CarryValue::DayKind] =
                    day[CarryValue::CarsDuty] = 0;
                m_warnings.Add("No Matching Code for %s Last Month %s day %02d - No "
                               "Duty Info loaded.",
                               code.c_str(), pilot.Name.c_str(), static_cast<int>(e) + 1);
                pilot.DayText[s] = code;
            }
            day[CarryValue::DutyStart] = startTime;
            if (e == kPrevDays - 1) {
                int legal = -1;
                if (day[CarryValue::DayKind] == kReserveDay) {
                    duration = 840;
                    legal = startTime + 840 - 901;
                } else if (day[CarryValue::DayKind] == kWorkedDay) {
                    legal =
                        startTime + duration - (m_doc.CrewKind == kFlightAttendants ? 720 : 780);
                }
                if (day[CarryValue::DayKind] == kWorkedDay ||
                    day[CarryValue::DayKind] == kReserveDay)
                    pilot.CarryIn[CarryInEntry::LegalAt] = std::max(legal, 0);
            }
            day[CarryValue::DutyTime] = duration;
        }
    }

    // The activity code lookup, done once per code: the document does not
    // change during the import, so each later lookup of a code has the same
    // answer and the same trace lines, which are written again.
    const std::optional<ActivityCodeInfo>& Lookup(const std::string& code)
    {
        const auto key = static_cast<uint16_t>(static_cast<uint8_t>(code[0]) << 8 |
                                               static_cast<uint8_t>(code[1]));
        auto [it, added] = m_codes.try_emplace(key);
        if (added) {
            TraceRecorder recorder;
            it->second.info = LookupActivityCode(m_doc, code, recorder);
            it->second.trace = std::move(recorder.lines);
        }
        for (const std::string& text : it->second.trace)
            m_ui.Trace(text);
        return it->second.info;
    }

    struct TraceRecorder : SilentInteraction {
        void Trace(std::string_view text) override { lines.emplace_back(text); }
        bool Tracing() const override { return true; }
        std::vector<std::string> lines;
    };

    struct CodeLookup {
        std::optional<ActivityCodeInfo> info;
        std::vector<std::string> trace;
    };

    ScheduleDocument& m_doc;
    Interaction& m_ui;
    ExtendedDays m_days;
    std::unordered_map<uint16_t, CodeLookup> m_codes;
    PairingNeeds m_needs;
    std::vector<int32_t> m_entries; // the need of each pairing entry, in line order
    size_t m_nextEntry = 0;
    std::vector<int32_t> m_found; // per need, its figures or -1
    std::vector<PairingFigures> m_figures;
    std::vector<int32_t> m_values; // the figures' day and duty blocks
    ExtractWarnings m_warnings;
};

bool ConfirmActivity(std::string_view activity, Interaction& ui)
{
    return FirstExtractLine(activity, kKeep).size() == kRecord || ui.AskYes(kCaption, kQuestion);
}

// The pairing extract's record length counts the line feed.
bool ConfirmPairings(ExtractStream& pairings, Interaction& ui)
{
    return pairings.First().size() + 1 == kPairingRecord || ui.AskYes(kCaption, kQuestion);
}

// Both files read and accepted: clear last month's data and read it again.
bool ReadLastMonthsData(ScheduleDocument& doc, std::string_view activity, ExtractStream& pairings,
                        Interaction& ui)
{
    ui.Trace("LoadLastMonthsDataFromExtractBegin\n");
    doc.FreshDocument = false;
    doc.Modified = true;

    auto clearLastMonth = [](TPilot& pilot) {
        pilot.DayCarry = {};
        // Every text here came from the previous import of last month's data.
        for (SlotText& text : pilot.DayText)
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

    // The lines to be read, each with its crew member (-1 for none). The
    // first pass lists the pairing instances they name, so that the pairing
    // extract is read once, before the second pass writes the crew records.
    struct CrewLine {
        std::string_view text;
        int crew = -1;
    };
    std::vector<CrewLine> crewLines;
    LastMonthReader reader(doc, ui);
    ExtractLines lines(activity, kKeep);
    std::string_view line;
    while (lines.Next(line) && line.size() >= kMinLine) {
        // Lines of 100 characters or more hold the nine digits.
        const auto found = firstWithNumber.find(FieldInt(line, 0, 9, ui));
        crewLines.push_back({line, found != firstWithNumber.end() ? found->second : -1});
        if (crewLines.back().crew >= 0)
            reader.Need(line);
    }
    reader.ReadPairings(pairings);

    int matched = 0;
    std::string traceLine;
    for (const CrewLine& at : crewLines) {
        if (at.text.size() != kRecord)
            ui.Trace("Crew Activity Record Line Not Correct Length\n");
        if (at.crew < 0)
            continue;
        TPilot& pilot = doc.Crew[static_cast<size_t>(at.crew)];
        if (!cleared[static_cast<size_t>(at.crew)]) {
            cleared[static_cast<size_t>(at.crew)] = true;
            clearLastMonth(pilot);
        }
        progress.SetValue(++matched);
        // As "%s %d" prints them: the name up to a NUL byte.
        char number[16];
        const auto written = std::to_chars(number, number + sizeof number, pilot.EmpNumber);
        traceLine.assign("LoadingLastMonthsDataFor ");
        traceLine.append(pilot.Name.c_str());
        traceLine.append(1, ' ').append(number, written.ptr).append(1, '\n');
        ui.Trace(traceLine);
        reader.Line(at.text, pilot);
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
    if (!ConfirmActivity(activity, ui))
        return false;
    // A buffer of one kept line is enough for a text already in memory.
    MemoryStreamBuf bytes(pairings.data(), pairings.size());
    std::istream in(&bytes);
    ExtractStream lines(in, kPairingKeep, 0);
    if (!ConfirmPairings(lines, ui))
        return false;
    return ReadLastMonthsData(doc, activity, lines, ui);
}

bool LoadLastMonthsData(ScheduleDocument& doc, const std::filesystem::path& activityPath,
                        const std::filesystem::path& pairingPath, Interaction& ui)
{
    ExtractFile activity;
    if (!activity.Read(activityPath, ui) || !ConfirmActivity(activity.Text(), ui))
        return false;
    // The pairing extract is read as it is needed: usually only part of it,
    // and never the whole file at once.
    InputFile in;
    if (!OpenExtract(pairingPath, in, ui))
        return false;
    ExtractStream lines(*in.Stream, kPairingKeep, kStreamBuffer);
    if (!ConfirmPairings(lines, ui))
        return false;
    return ReadLastMonthsData(doc, activity.Text(), lines, ui);
}

} // namespace tl
