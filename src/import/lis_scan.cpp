#include "import/lis_scan.h"

#include "model/input_file.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/vortime.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <unordered_map>

namespace tl {

namespace {

constexpr std::string_view kCaption = "Tessara Lines";
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
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%c%04d", p.PairKey.empty() ? ' ' : p.PairKey[0],
                  p.PairNumber);
    return buffer;
}

std::vector<size_t> Positions(std::string_view text, std::string_view what)
{
    std::vector<size_t> out;
    for (size_t at = text.find(what); at != kNone; at = text.find(what, at + 1))
        out.push_back(at);
    return out;
}

// Where things stand in the LIS text, found in one pass each, so that no
// pairing has to search the whole text. Every answer is the one a search of
// the text would give.
class LisIndex {
public:
    LisIndex(std::string_view text, const std::vector<std::string>& identifiers, bool french)
        : m_text(text), m_meals(Positions(text, kMeals))
    {
        if (french)
            m_french = Positions(text, kFrench);
        IndexTags();
        IndexIdentifiers(identifiers);
    }

    // Start of the last occurrence of an identifier; kNone when there is none.
    size_t LastOf(const std::string& id) const
    {
        if (id.size() == 5) {
            auto it = m_last.find(Key(id.data()));
            return it == m_last.end() ? kNone : it->second;
        }
        return m_text.rfind(id);
    }

    // First "MEALS CAD:" starting at or after `from`.
    size_t NextMeals(size_t from) const
    {
        auto it = std::lower_bound(m_meals.begin(), m_meals.end(), from);
        return it == m_meals.end() ? kNone : *it;
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

    // Every tag ends in "[", which is rare elsewhere: look at what stands
    // before each one.
    void IndexTags()
    {
        const char* data = m_text.data();
        const size_t size = m_text.size();
        for (size_t at = 4; at < size;) {
            const void* hit = std::memchr(data + at, '[', size - at);
            if (!hit)
                break;
            at = static_cast<size_t>(static_cast<const char*>(hit) - data);
            const std::string_view before(data + at - 4, 4);
            for (size_t t = 0; t < kTags.size(); ++t)
                if (before == kTags[t].find.substr(0, 4))
                    m_tags[t].push_back(at - 4);
            ++at;
        }
    }

    // The last start of every five-character identifier, in one pass over
    // the text per base letter; longer or shorter ones are searched for.
    void IndexIdentifiers(const std::vector<std::string>& identifiers)
    {
        std::array<bool, 256> wanted{};
        std::vector<char> firsts;
        for (const std::string& id : identifiers) {
            if (id.size() != 5)
                continue;
            m_last.emplace(Key(id.data()), kNone);
            const uint8_t first = static_cast<uint8_t>(id[0]);
            if (!wanted[first])
                firsts.push_back(static_cast<char>(first));
            wanted[first] = true;
        }
        if (firsts.empty() || m_text.size() < 5)
            return;
        const char* data = m_text.data();
        const size_t limit = m_text.size() - 4; // starts of 5-character windows
        const auto visit = [&](size_t at) {
            if (auto it = m_last.find(Key(data + at)); it != m_last.end())
                it->second = at;
        };
        if (firsts.size() <= 8) {
            // Few base letters (one as a rule): jump from one to the next. The
            // last occurrence is the one with the highest start, whatever the
            // order of the passes.
            for (const char c : firsts) {
                for (size_t at = 0; at < limit;) {
                    const void* hit = std::memchr(data + at, c, limit - at);
                    if (!hit)
                        break;
                    at = static_cast<size_t>(static_cast<const char*>(hit) - data);
                    visit(at);
                    ++at;
                }
            }
        } else {
            for (size_t at = 0; at < limit; ++at)
                if (wanted[static_cast<uint8_t>(data[at])])
                    visit(at);
        }
    }

    std::string_view m_text;
    std::vector<size_t> m_meals;
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
    return text.rfind(what, searchPosition - 1);
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
    const bool cabin = doc.CrewKind == 2;
    const size_t distance = cabin ? 63 : 71;
    std::vector<std::string> ids;
    ids.reserve(static_cast<size_t>(last + 1));
    for (int i = 0; i <= last; ++i)
        ids.push_back(Identifier(doc.Pairs[static_cast<size_t>(i)]));
    const LisIndex index(lis, ids, cabin);

    std::string problems;
    std::string summary;
    int frenchCount = 0;
    char buffer[96];
    {
        TProgressDialog progress(ui, "Scanning LIS Pairings", last, "Scanning Pairing %d of %d");
        for (int i = 0; i <= last; ++i) {
            TPair& pair = doc.Pairs[static_cast<size_t>(i)];
            std::string& text = pair.PairText;
            const std::string& id = ids[static_cast<size_t>(i)];
            ui.Trace("Scanning Pairing " + id + " for CRA legs\n");
            progress.SetValue(i);

            const size_t at = index.LastOf(id);
            if (at == kNone) {
                problems += id + " Not Found in LIS File.";
                continue;
            }
            const size_t meals = index.NextMeals(at + 1);
            if (meals == kNone) {
                problems += id + "Incomplete in LIS File. Can't Locate MEALS CAD:";
                continue;
            }
            const std::string_view block = lis.substr(at, meals - at + 17);
            const size_t blockEnd = at + block.size();

            if (cabin) {
                if (index.HasFrench(at, blockEnd)) {
                    if (text.find(kFrenchMark) == std::string::npos)
                        text += " FRENCH PAIRING";
                    summary += id + " is French Pairing.";
                    ++frenchCount;
                } else if (size_t mark = text.rfind(kFrenchMark);
                           mark != std::string::npos && mark > 15) {
                    text.erase(mark - 1, 15);
                }
            }

            std::array<int, 4> counts{};
            if (block.size() < 6) {
                problems += id + "Incomplete in LIS File.";
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
                        problems += id + " Flight Number not Located";
                        continue;
                    }
                    text.insert(std::min(f + 35, text.size()), kTags[t].insert);
                    textSearch = f;
                }
            }

            if (size_t a = text.rfind("***"); a != std::string::npos && a >= 3) {
                if (size_t b = text.rfind("***", a - 3); b != std::string::npos)
                    text.erase(b, a - b + 3);
            }
            const int total = counts[0] + counts[1] + counts[2] + counts[3];
            const float share =
                total == 0 ? 0.0f : static_cast<float>(counts[0]) / static_cast<float>(total);
            const ShareClass& shareClass = ClassOfShare(share);
            text += shareClass.marker;
            summary += id + shareClass.summary;

            if (size_t u = text.rfind(kMealsUs); u != std::string::npos) {
                const size_t from = u >= 4 ? u - 4 : 0;
                text.erase(from, u + 34 - from);
            }
            if (size_t u = block.rfind(kMealsUs); u != kNone) {
                text += "\n   ";
                text += block.substr(u, block.size() - u - 1);
            }
        }
    }

    if (!problems.empty())
        ShowSummary(ui, "Flag CRA and French Pairings Errors", problems);
    std::snprintf(buffer, sizeof buffer, "Total Pairings %d.%d Pairings Flagged as French.",
                  last + 1, frenchCount);
    ShowSummary(ui, "Flag French Pairings from LIS Summary", buffer + summary);
    doc.Modified = true;
    return true;
}

} // namespace tl
