#include "import/lis_scan.h"

#include "model/cache_fetch.h"
#include "model/input_file.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/text_format.h"
#include "model/version.h"
#include "model/vortime.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <memory>
#include <unordered_map>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tl {

namespace {

constexpr std::string_view kMeals = "MEALS CAD:";
constexpr std::string_view kMealsUs = "MEALS US:";
constexpr std::string_view kFrench = "FRENCH";
constexpr std::string_view kFrenchMark = "FRENCH PAIRING";
constexpr size_t kNone = std::string_view::npos;

struct Tag {
    std::string_view find;
    std::string_view insert;
};
constexpr std::array<Tag, 4> kTags = {{
    {"CRA [", "  CRA"},
    {"CRJ [", "  CRJ"},
    {"DH1 [", "  DH1"},
    {"DH3 [", "  DH3"},
}};

std::string Identifier(const TPair& p)
{
    const char base = p.PairKey.empty() ? ' ' : p.PairKey[0];
    if (base != '\0' && p.PairNumber >= 0 && p.PairNumber <= 9999) {
        // The usual four digits, without printf's cost per pairing.
        std::string id(5, base);
        for (int i = 4, n = p.PairNumber; i >= 1; --i, n /= 10)
            id[static_cast<size_t>(i)] = static_cast<char>('0' + n % 10);
        return id;
    }
    return Format("%c%04d", p.PairKey.empty() ? ' ' : p.PairKey[0], p.PairNumber);
}

// Bit i of `digits`: byte i of the 64 at `p` is an ASCII digit. Bit i of
// `marks`: byte i is a '[' or the first of the pairs "D:" (as "MEALS CAD:"
// ends), "S:" (as "MEALS US:" ends) and, when asked, "FR" (as "FRENCH"
// begins); the byte itself tells which. Reads 65 bytes. SSE2 where there is
// one (every x86-64), plain loops else.
struct Masks64 {
    uint64_t digits = 0;
    uint64_t marks = 0;
};

template <bool kWithFrench> Masks64 MasksOf(const char* p)
{
    Masks64 m;
#if defined(__SSE2__)
    const __m128i belowZero = _mm_set1_epi8('0' - 1);
    const __m128i aboveNine = _mm_set1_epi8('9' + 1);
    for (int k = 0; k < 4; ++k) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k + 1));
        const __m128i digit =
            _mm_and_si128(_mm_cmpgt_epi8(v, belowZero), _mm_cmplt_epi8(v, aboveNine));
        const __m128i dOrS = _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('D')),
                                          _mm_cmpeq_epi8(v, _mm_set1_epi8('S')));
        __m128i marks = _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('[')),
                                     _mm_and_si128(dOrS, _mm_cmpeq_epi8(next, _mm_set1_epi8(':'))));
        if constexpr (kWithFrench)
            marks = _mm_or_si128(marks, _mm_and_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8('F')),
                                                      _mm_cmpeq_epi8(next, _mm_set1_epi8('R'))));
        const int shift = 16 * k;
        m.digits |= static_cast<uint64_t>(static_cast<uint32_t>(_mm_movemask_epi8(digit))) << shift;
        m.marks |= static_cast<uint64_t>(static_cast<uint32_t>(_mm_movemask_epi8(marks))) << shift;
    }
#else
    for (int i = 0; i < 64; ++i) {
        const char c = p[i];
        const char next = p[i + 1];
        const uint64_t bit = uint64_t(1) << i;
        m.digits |= c >= '0' && c <= '9' ? bit : 0;
        const bool mark = c == '[' || ((c == 'D' || c == 'S') && next == ':') ||
                          (kWithFrench && c == 'F' && next == 'R');
        m.marks |= mark ? bit : 0;
    }
#endif
    return m;
}

// Last start of `what` at or before `from` in `text`: string_view::rfind's
// answer. Pairing texts are searched thousands of times for flight numbers,
// whose bytes (digits, blanks) are everywhere in them: candidates are where
// both the needle's first and last bytes match, 16 starts at a time.
size_t LastFind(std::string_view text, std::string_view what, size_t from = kNone)
{
    const size_t n = what.size();
    if (n == 0)
        return std::min(from, text.size());
    if (n > text.size())
        return kNone;
    const size_t lastStart = std::min(from, text.size() - n);
    const char* data = text.data();
    const auto matchesAt = [&](size_t start) {
        return data[start] == what[0] && data[start + n - 1] == what[n - 1] &&
               std::memcmp(data + start + 1, what.data() + 1, n > 2 ? n - 2 : 0) == 0;
    };
    size_t end = lastStart + 1; // candidate starts below this
#if defined(__SSE2__)
    const __m128i first = _mm_set1_epi8(what[0]);
    const __m128i last = _mm_set1_epi8(what[n - 1]);
    // Starts base .. base+15 look at bytes up to base+15+n-1, which is at
    // most lastStart+n-1: inside the text.
    while (end >= 16) {
        const size_t base = end - 16;
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + base));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + base + n - 1));
        auto hits = static_cast<uint32_t>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, last))));
        while (hits != 0) {
            const int highest = 31 - std::countl_zero(hits);
            const size_t start = base + static_cast<size_t>(highest);
            if (std::memcmp(data + start + 1, what.data() + 1, n > 2 ? n - 2 : 0) == 0)
                return start;
            hits &= ~(uint32_t{1} << highest);
        }
        end = base;
    }
#endif
    while (end > 0)
        if (matchesAt(--end))
            return end;
    return kNone;
}

// Where things stand in the LIS text, found in one pass over it, so that no
// pairing has to search the whole text. Every answer is the one a search of
// the text would give.
class LisIndex {
public:
    LisIndex(std::string_view text, const std::vector<std::string>& identifiers, bool french)
        : m_text(text)
    {
        if (french)
            Index<true>(identifiers);
        else
            Index<false>(identifiers);
    }

    // Start of the last occurrence of an identifier; kNone when there is none.
    size_t LastOf(const std::string& id) const
    {
        if (id.size() == 5) {
            auto it = m_last.find(Key(id.data()));
            return it == m_last.end() ? kNone : it->second;
        }
        return LastFind(m_text, id);
    }

    // First "MEALS CAD:" starting at or after `from`.
    size_t NextMeals(size_t from) const
    {
        auto it = std::lower_bound(m_meals.begin(), m_meals.end(), from);
        return it == m_meals.end() ? kNone : *it;
    }

    // Last "MEALS US:" lying wholly inside [begin, end).
    size_t LastMealsUs(size_t begin, size_t end) const
    {
        if (end < kMealsUs.size())
            return kNone;
        auto it = std::upper_bound(m_mealsUs.begin(), m_mealsUs.end(), end - kMealsUs.size());
        return it == m_mealsUs.begin() || *(it - 1) < begin ? kNone : *(it - 1);
    }

    // Whether "FRENCH" lies wholly inside [begin, end).
    bool HasFrench(size_t begin, size_t end) const
    {
        auto it = std::lower_bound(m_french.begin(), m_french.end(), begin);
        return it != m_french.end() && *it + kFrench.size() <= end;
    }

    const std::vector<size_t>& TagPositions(size_t tag) const { return m_tags[tag]; }

private:
    static uint64_t Key(const char* p)
    {
        uint64_t key = 0;
        for (int i = 0; i < 5; ++i)
            key = key << 8 | static_cast<uint8_t>(p[i]);
        return key;
    }

    static bool Digits(std::string_view id)
    {
        return std::all_of(id.begin() + 1, id.end(), [](char c) { return c >= '0' && c <= '9'; });
    }

    // Identifiers are a byte and four digits as a rule: those are found where
    // the pass sees four digits after a wanted byte. Other five-byte ones (a
    // negative number) are looked for byte by byte; longer or shorter ones
    // are searched for.
    template <bool kWithFrench> void Index(const std::vector<std::string>& identifiers)
    {
        std::array<bool, 256> wanted{};
        std::array<bool, 256> odd{};
        std::vector<char> oddFirsts;
        for (const std::string& id : identifiers) {
            if (id.size() != 5)
                continue;
            m_last.emplace(Key(id.data()), kNone);
            const uint8_t first = static_cast<uint8_t>(id[0]);
            if (Digits(id)) {
                wanted[first] = true;
            } else if (!odd[first]) {
                odd[first] = true;
                oddFirsts.push_back(id[0]);
            }
        }

        const char* data = m_text.data();
        const size_t size = m_text.size();
        const auto visit = [&](size_t at) {
            if (auto it = m_last.find(Key(data + at)); it != m_last.end())
                it->second = at;
        };
        // Blocks of 64 bytes; the last ones, and what the masks of a block
        // need to look past its end, from a copy padded with zeros.
        char tail[64 + 64 + 16] = {};
        Masks64 next{};
        auto masksAt = [&](size_t block) {
            if (block + 65 <= size)
                return MasksOf<kWithFrench>(data + block);
            if (block >= size)
                return Masks64{};
            std::memset(tail, 0, sizeof tail);
            std::memcpy(tail, data + block, size - block);
            return MasksOf<kWithFrench>(tail);
        };
        if (size > 0)
            next = masksAt(0);
        for (size_t block = 0; block < size; block += 64) {
            const Masks64 here = next;
            next = masksAt(block + 64);
            // Whether the byte `k` places further on is a digit, a colon, an 'R'.
            auto ahead = [](uint64_t a, uint64_t b, int k) { return a >> k | b << (64 - k); };
            const uint64_t valid =
                size - block >= 64 ? ~uint64_t(0) : (uint64_t(1) << (size - block)) - 1;

            // Four digits after: a possible identifier (the digits are in the text).
            uint64_t ids = ahead(here.digits, next.digits, 1) & ahead(here.digits, next.digits, 2) &
                           ahead(here.digits, next.digits, 3) & ahead(here.digits, next.digits, 4) &
                           valid;
            for (; ids; ids &= ids - 1) {
                const size_t at = block + static_cast<size_t>(std::countr_zero(ids));
                if (wanted[static_cast<uint8_t>(data[at])])
                    visit(at);
            }
            // A text ending at a marked "D:" or "S:" is "MEALS CAD:" or "MEALS US:".
            const auto ending = [&](size_t at, std::string_view what, std::vector<size_t>& out) {
                if (at + 2 >= what.size() &&
                    m_text.compare(at + 2 - what.size(), what.size(), what) == 0)
                    out.push_back(at + 2 - what.size());
            };
            for (uint64_t b = here.marks & valid; b; b &= b - 1) {
                const size_t at = block + static_cast<size_t>(std::countr_zero(b));
                switch (data[at]) {
                case '[':
                    // Every tag ends in "[": look at the four bytes before it.
                    if (at >= 4) {
                        const std::string_view before(data + at - 4, 4);
                        for (size_t t = 0; t < kTags.size(); ++t)
                            if (before == kTags[t].find.substr(0, 4))
                                m_tags[t].push_back(at - 4);
                    }
                    break;
                case 'D':
                    ending(at, kMeals, m_meals);
                    break;
                case 'S':
                    ending(at, kMealsUs, m_mealsUs);
                    break;
                default: // 'F'
                    if (m_text.compare(at, kFrench.size(), kFrench) == 0)
                        m_french.push_back(at);
                    break;
                }
            }
        }

        // The rare identifiers with other bytes than digits: jump from one
        // first byte to the next. The last occurrence is the one with the
        // highest start, whatever the order of the passes.
        if (size < 5)
            return;
        const size_t limit = size - 4; // starts of 5-character windows
        for (const char c : oddFirsts) {
            for (size_t at = 0; at < limit;) {
                const void* hit = std::memchr(data + at, c, limit - at);
                if (!hit)
                    break;
                at = static_cast<size_t>(static_cast<const char*>(hit) - data);
                visit(at);
                ++at;
            }
        }
    }

    std::string_view m_text;
    std::vector<size_t> m_meals;
    std::vector<size_t> m_mealsUs;
    std::vector<size_t> m_french;
    std::array<std::vector<size_t>, 4> m_tags;
    std::unordered_map<uint64_t, size_t> m_last;
};

struct ShareClass {
    double above;
    const char* marker;
    const char* summary; // after the identifier
};
constexpr std::array<ShareClass, 5> kShareClasses = {{
    {0.99, " *** CRA100% CRA>74% CRA>49% CRA>24% CRA>0% *** ", " is CRA 100%."},
    {0.74, " *** CRA>74% CRA>49% CRA>24% CRA>0% *** ", " is CRA > 74%."},
    {0.49, " *** CRA>49% CRA>24% CRA>0% *** ", " is CRA > 49%."},
    {0.24, " *** CRA>24% CRA>0% *** ", " is CRA > 24%."},
    {0.0, " *** CRA>0% *** ", " is CRA > 0%."},
}};
constexpr ShareClass kNoCra = {0.0, " *** CRA=0% *** ", " is CRA 0%."};

// The share is compared in single precision, as the listing's percentages
// are classed: 37 of 50 counts as above 0.74, 6 of 25 not as above 0.24.
const ShareClass& ClassOfShare(float share)
{
    for (const ShareClass& c : kShareClasses)
        if (static_cast<double>(share) > c.above)
            return c;
    return kNoCra;
}

// A backward search that, unlike rfind, finds nothing from a negative start.
size_t FindBackFrom(const std::string& text, std::string_view what, size_t searchPosition)
{
    if (searchPosition == 0)
        return kNone;
    return LastFind(text, what, searchPosition - 1);
}

} // namespace

bool ReadLisFile(const std::filesystem::path& path, std::string& buffer, Interaction& ui)
{
    const InputFile file = OpenInputFile(path, InputText::Text);
    if (!file) {
        ui.Message(kCaption, "Unable to Open File " + path.string(), Icon::None);
        return false;
    }
    std::istream& in = *file.Stream;
    const uintmax_t size = file.Size;
    if (size > 6000000)
        ui.Message(kCaption, "LIS File is Larger than buffer. Some data was not Loaded",
                   Icon::None);

    // Read as text: a carriage return before a line feed goes.
    std::string text;
    text.reserve(static_cast<size_t>(std::min<uintmax_t>(size, kLisMaxText)));
    std::vector<char> chunk(1 << 16);
    bool pendingCr = false;
    while (text.size() < kLisMaxText && in) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        const size_t got = static_cast<size_t>(in.gcount());
        for (size_t i = 0; i < got && text.size() < kLisMaxText; ++i) {
            const char c = chunk[i];
            if (pendingCr) {
                pendingCr = false;
                if (c != '\n')
                    text += '\r';
                if (text.size() >= kLisMaxText)
                    break;
            }
            if (c == '\r')
                pendingCr = true;
            else
                text += c;
        }
    }
    if (pendingCr && text.size() < kLisMaxText)
        text += '\r';
    if (text.size() >= kLisMinFileText)
        buffer = std::move(text);
    return true;
}

bool LisFileNameHasMonth(const ScheduleDocument& doc, const std::filesystem::path& path)
{
    std::string name = path.filename().string();
    UpperCaseAscii(name);
    std::string month(doc.MonthName.data(),
                      std::find(doc.MonthName.begin(), doc.MonthName.end(), '\0'));
    UpperCase(month);
    return name.find(month) != std::string::npos;
}

std::string LisMonthQuestion(const ScheduleDocument& doc, const std::filesystem::path& path)
{
    std::string name = path.filename().string();
    UpperCaseAscii(name);
    std::string month(doc.MonthName.data(),
                      std::find(doc.MonthName.begin(), doc.MonthName.end(), '\0'));
    UpperCase(month);
    return name + " does not contain " + month +
           " in the File Name. Are you sure this is the correct LIS File";
}

bool ScanLisFiles(ScheduleDocument& doc, const std::vector<std::filesystem::path>& paths,
                  Interaction& ui)
{
    if (paths.empty()) {
        doc.Modified = true;
        return true;
    }
    std::string lis;
    for (const std::filesystem::path& path : paths) {
        std::string text;
        (void)ReadLisFile(path, text, ui);
        lis += text;
    }
    return ScanLisText(doc, lis, ui);
}

bool ScanLisText(ScheduleDocument& doc, std::string_view lis, Interaction& ui)
{
    if (lis.size() < kLisMinScanText) {
        ui.Message(
            kCaption,
            "Unable to Read Data from one or more LIS File(s). Try opening file(s) in WordPad and "
            "Save as Type Text Document.",
            Icon::None);
        return false;
    }

    const int last = std::clamp(doc.LastPair, -1, ScheduleDocument::kPairCapacity - 1);
    const bool cabin = doc.CrewKind == kFlightAttendants;
    const size_t distance = cabin ? 63 : 71;
    std::vector<std::string> ids;
    ids.reserve(static_cast<size_t>(last + 1));
    for (int i = 0; i <= last; ++i)
        ids.push_back(Identifier(doc.Pairs[static_cast<size_t>(i)]));
    const LisIndex index(lis, ids, cabin);

    std::string problems;
    std::string summary;
    int frenchCount = 0;
    std::string traceLine;
    {
        TProgressDialog progress(ui, "Scanning LIS Pairings", last, "Scanning Pairing %d of %d");
        // A pairing's listing lies anywhere in megabytes of text, and its
        // text anywhere on the heap: both are fetched a few pairings ahead
        // so the scan does not wait on memory for each.
        constexpr int kAhead = 2;
        const auto fetch = [&](int j) {
            if (j > last)
                return;
            const std::string& ahead = doc.Pairs[static_cast<size_t>(j)].PairText;
            FetchForReading(ahead.data(), ahead.size());
            const size_t from = index.LastOf(ids[static_cast<size_t>(j)]);
            if (from == kNone)
                return;
            const size_t to = index.NextMeals(from + 1);
            // A listing runs to a kilobyte or two; a stray one far longer is not fetched whole.
            if (to != kNone)
                FetchForReading(lis.data() + from,
                                std::min({to + 17, lis.size(), from + 8192}) - from);
        };
        for (int i = 1; i <= kAhead; ++i)
            fetch(i);
        for (int i = 0; i <= last; ++i) {
            fetch(i + kAhead + 1);
            TPair& pair = doc.Pairs[static_cast<size_t>(i)];
            std::string& text = pair.PairText;
            const std::string& id = ids[static_cast<size_t>(i)];
            traceLine.assign("Scanning Pairing ").append(id).append(" for CRA legs\n");
            ui.Trace(traceLine);
            progress.SetValue(i);

            const size_t at = index.LastOf(id);
            if (at == kNone) {
                problems.append(id).append(" Not Found in LIS File.");
                continue;
            }
            const size_t meals = index.NextMeals(at + 1);
            if (meals == kNone) {
                problems.append(id).append("Incomplete in LIS File. Can't Locate MEALS CAD:");
                continue;
            }
            const std::string_view block = lis.substr(at, meals - at + 17);
            const size_t blockEnd = at + block.size();

            if (cabin) {
                if (index.HasFrench(at, blockEnd)) {
                    if (text.find(kFrenchMark) == std::string::npos)
                        text += " FRENCH PAIRING";
                    summary.append(id).append(" is French Pairing.");
                    ++frenchCount;
                } else if (size_t mark = LastFind(text, kFrenchMark);
                           mark != std::string::npos && mark > 15) {
                    text.erase(mark - 1, 15);
                }
            }

            std::array<int, 4> counts{};
            if (block.size() < 6) {
                problems.append(id).append("Incomplete in LIS File.");
                continue;
            }

            for (size_t t = 0; t < kTags.size(); ++t) {
                const std::vector<size_t>& positions = index.TagPositions(t);
                // Occurrences lying wholly inside the block, last first.
                auto first = std::lower_bound(positions.begin(), positions.end(), at);
                auto end =
                    std::upper_bound(first, positions.end(), blockEnd - kTags[t].find.size());
                size_t textSearch = block.size();
                for (auto it = end; it != first;) {
                    --it;
                    ++counts[t];
                    const size_t position = *it - at;
                    if (position <= distance)
                        continue;
                    const std::string_view flight = block.substr(position - distance, 4);
                    const size_t f = FindBackFrom(text, flight, textSearch);
                    if (f == kNone) {
                        problems.append(id).append(" Flight Number not Located");
                        continue;
                    }
                    text.insert(std::min(f + 35, text.size()), kTags[t].insert);
                    textSearch = f;
                }
            }

            if (size_t a = LastFind(text, "***"); a != std::string::npos && a >= 3) {
                if (size_t b = LastFind(text, "***", a - 3); b != std::string::npos)
                    text.erase(b, a - b + 3);
            }
            const int total = counts[0] + counts[1] + counts[2] + counts[3];
            const float share =
                total == 0 ? 0.0f : static_cast<float>(counts[0]) / static_cast<float>(total);
            const ShareClass& shareClass = ClassOfShare(share);
            text += shareClass.marker;
            summary.append(id).append(shareClass.summary);

            if (size_t u = LastFind(text, kMealsUs); u != std::string::npos) {
                const size_t from = u >= 4 ? u - 4 : 0;
                text.erase(from, u + 34 - from);
            }
            if (size_t u = index.LastMealsUs(at, blockEnd); u != kNone) {
                u -= at;
                text += "\n   ";
                text += block.substr(u, block.size() - u - 1);
            }
        }
    }

    if (!problems.empty())
        ShowSummary(ui, "Flag CRA and French Pairings Errors", problems);
    ShowSummary(ui, "Flag French Pairings from LIS Summary",
                Format("Total Pairings %d.%d Pairings Flagged as French.", last + 1, frenchCount) +
                    summary);
    doc.Modified = true;
    return true;
}

} // namespace tl
