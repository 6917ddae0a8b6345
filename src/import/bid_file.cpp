#include "import/bid_file.h"

#include "model/input_file.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/text_format.h"
#include "model/version.h"
#include "model/vortime.h"

#include <algorithm>
#include <memory>
#include <unordered_map>

namespace tl {

namespace {

using namespace bid_file;

constexpr std::string_view kSeparator = "\",\"";

size_t U(int value)
{
    return static_cast<size_t>(value);
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The digits that stand for an employee in the file.
std::string EmpKey(int32_t number)
{
    return Format("%06ld", static_cast<long>(number));
}

// atoi on a piece of a field: leading blanks and a sign, then digits up to
// the first other character; held short of overflow.
int ReadDay(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    int value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i)
        value = std::min(value * 10 + (text[i] - '0'), 1000000);
    return negative ? -value : value;
}

// The first slot from `first` to `last` whose date is day `day` of its month.
int SlotOfDay(const ScheduleDocument& doc, int day, int first, int last)
{
    for (int s = first; s <= last; ++s)
        if (doc.DayDate[U(s)].Day == day)
            return s;
    return -1;
}

// Vertical tabs of a preference are line breaks in the bidding system; all
// but a last character become blanks.
std::string Preference(std::string_view field)
{
    std::string text(field);
    for (size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == '\v')
            text[i] = ' ';
    return text;
}

} // namespace

std::vector<BidRecord> FindBidRecords(std::string_view text, const std::vector<int32_t>& empNumbers)
{
    std::vector<BidRecord> records(empNumbers.size());
    // Only the roster's numbers are looked for, so the table stays as small
    // as the roster whatever the file holds.
    std::unordered_map<std::string, size_t> start;
    for (int32_t number : empNumbers)
        start.emplace(EmpKey(number), std::string_view::npos);

    size_t missing = start.size();
    size_t at = text.find('"');
    while (at != std::string_view::npos && missing > 0) {
        size_t end = at + 1;
        if (end < text.size() && text[end] == '-')
            ++end;
        while (end < text.size() && IsDigit(text[end]))
            ++end;
        if (end > at + 1 && end + 1 < text.size() && text[end] == '"' && text[end + 1] == ',') {
            auto it = start.find(std::string(text.substr(at + 1, end - at - 1)));
            if (it != start.end() && it->second == std::string_view::npos) {
                it->second = at;
                --missing;
            }
        }
        // The closing quote may open the next number.
        at = text.find('"', end > at + 1 ? end : at + 1);
    }

    // Each record ends at the first marker after its start; walking the
    // starts in order, one search serves every start before the marker found.
    std::vector<size_t> starts;
    for (const auto& [key, pos] : start)
        if (pos != std::string_view::npos)
            starts.push_back(pos);
    std::sort(starts.begin(), starts.end());
    std::unordered_map<size_t, size_t> endOf;
    size_t marker = 0;
    bool searched = false;
    for (size_t s : starts) {
        if (!searched || (marker != std::string_view::npos && marker < s)) {
            marker = text.find(kEndMarker, s);
            searched = true;
        }
        endOf[s] = marker;
    }

    for (size_t i = 0; i < empNumbers.size(); ++i) {
        const size_t s = start[EmpKey(empNumbers[i])];
        if (s == std::string_view::npos)
            continue;
        BidRecord& r = records[i];
        r.Found = true;
        const size_t e = endOf[s];
        r.Ended = e != std::string_view::npos;
        r.Text = text.substr(s, r.Ended ? e - s : std::string_view::npos);
    }
    return records;
}

bool SplitBidRecord(std::string_view record, std::array<std::string_view, kFields>& fields)
{
    size_t pos = 1; // past the employee number's opening quote
    for (std::string_view& field : fields) {
        if (pos > record.size())
            return false;
        const size_t sep = record.find(kSeparator, pos);
        if (sep == std::string_view::npos)
            return false;
        field = record.substr(pos, sep - pos);
        pos = sep + kSeparator.size();
    }
    return true;
}

std::string ApplyRequestDays(const ScheduleDocument& doc, TPilot& pilot, std::string_view field,
                             int8_t code, bool& failed)
{
    std::string shown(field);
    failed = false;
    struct Day {
        int number;
        bool next;
    };
    std::vector<Day> days;
    size_t pos = 0;
    while (pos <= field.size()) {
        const size_t comma = std::min(field.find(',', pos), field.size());
        std::string_view piece = field.substr(pos, comma - pos);
        pos = comma + 1;
        const size_t plus = piece.find('+');
        const bool next = plus != std::string_view::npos;
        const int n = ReadDay(next ? piece.substr(plus + 1) : piece);
        if (static_cast<int>(days.size()) == kMaxRequestDays) {
            failed = true;
            return shown +
                   (code == kGdoRequest ? " ERROR! TO MANY GDOs " : " ERROR! TO MANY PDOs ");
        }
        if (n < 1 || n > 31) {
            failed = true;
            return shown + " ERROR! ";
        }
        days.push_back({n, next});
    }

    const int daysInMonth = std::clamp(doc.DaysInMonth, 0, ScheduleDocument::kMonthDays);
    for (const Day& d : days) {
        const int slot = d.next ? SlotOfDay(doc, d.number, daysInMonth, TPilot::kSlots - 1)
                                : SlotOfDay(doc, d.number, 0, daysInMonth - 1);
        if (slot < 0) {
            failed = true;
            continue;
        }
        pilot.DayFlag[U(slot)] = code;
        if (pilot.DaySlot[U(slot)] != kFreeSlot)
            failed = true;
    }
    if (failed)
        shown += " ERROR! ";
    return shown;
}

bool ApplyBidRecord(const ScheduleDocument& doc, TPilot& pilot, const BidRecord& record,
                    std::string& summary)
{
    std::array<std::string_view, kFields> f;
    if (!record.Ended || !SplitBidRecord(record.Text, f)) {
        summary += Format("* Bid Found but Unable to Extract Bid Data for %s  Emp Number %d.",
                          pilot.Name.c_str(), pilot.EmpNumber);
        return false;
    }
    auto field = [&f](int number) { return std::string(f[U(number - 1)]); };

    std::string bid = field(2) + " " + field(3) + "    " + field(1) + "\n";
    bid += "MAX DAYS: " + field(18) + "MAX DAYS RES: " + field(21) + "    CREW REST: " + field(19) +
           "    PAIR/RES: " + field(20) + "    LBW: " + field(9) + "\n";
    std::string pairOrReserve = field(20);
    UpperCase(pairOrReserve);
    if (!pairOrReserve.empty() && pairOrReserve[0] == 'R') {
        pilot.BidReserveOrLoa = 1;
        summary += pilot.Name + " Flagged as Bidding Reserve.";
    }

    struct Labelled {
        const char* label;
        int number;
        int8_t code;
        const char* error; // the field's name in the summary
    };
    static constexpr Labelled kDayFields[] = {
        {"VAC: ", 10, 0, nullptr},           {"STAT: ", 11, 0, nullptr},
        {"GDO: ", 12, kGdoRequest, "GDO"},   {"PDO1: ", 13, kPdoRequest, "PDO1"},
        {"PDO2: ", 14, kPdoRequest, "PDO2"}, {"PDO NEXT: ", 15, 0, nullptr},
        {"USED PDO: ", 16, 0, nullptr},      {"SIM: ", 17, 0, nullptr},
    };
    bool anyDays = false;
    for (const Labelled& l : kDayFields) {
        std::string value = field(l.number);
        if (value.empty())
            continue;
        if (l.code != 0) {
            bool failed = false;
            value = ApplyRequestDays(doc, pilot, value, l.code, failed);
            if (failed)
                summary += Format("* %s Load Error for %s  Emp Number %d.", l.error,
                                  pilot.Name.c_str(), pilot.EmpNumber);
        }
        bid += l.label + value + "   ";
        anyDays = true;
    }
    if (anyDays)
        bid += "\n";
    bid += "\n";

    for (int p = 1; p <= 8; ++p) {
        const std::string_view preference = f[U(21 + p - 1)];
        if (!preference.empty())
            bid += Format("(%d). ", p) + Preference(preference) + "\n";
    }
    bid += "\nPref Pairs: " + field(30) + "\n\nComments This: " + field(31) +
           "\nComments Last: " + field(32) + "\n\n";
    bid += "eMail: " + field(4) + "   Ph1: " + field(5) + "   Ph2: " + field(6) + "\n";
    bid += "HIST PDO: " + field(33) + "SUBMITTED: " + field(34) + " " +
           std::string(f[34].substr(0, 8));

    UpperCase(bid);
    pilot.BidText = std::move(bid);
    pilot.Phone1 = field(5);
    pilot.Phone2 = field(6);
    return true;
}

BidImportResult ImportPilotBidsText(ScheduleDocument& doc, std::string_view text, Interaction& ui)
{
    BidImportResult result;
    result.Outcome = BidImportOutcome::Read;
    const int count = std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
    std::vector<int32_t> numbers;
    for (int c = 0; c < count; ++c)
        numbers.push_back(doc.Crew[U(c)].EmpNumber);
    const std::vector<BidRecord> records = FindBidRecords(text, numbers);

    std::string summary;
    TProgressDialog progress(ui, "Importing Pilot Bids", count, "Searching for Bid %d of %d");
    for (int c = 0; c < count; ++c) {
        progress.SetValue(c + 1);
        TPilot& pilot = doc.Crew[U(c)];
        // An open line is no one's block and sends no bid.
        if (pilot.EmpNumber == -1)
            continue;
        const BidRecord& record = records[U(c)];
        if (!record.Found) {
            summary +=
                Format("No Bid Found for %s  Emp Number %d.", pilot.Name.c_str(), pilot.EmpNumber);
            continue;
        }
        ++result.Found;
        ApplyBidRecord(doc, pilot, record, summary);
    }
    if (result.Found > 0)
        doc.Modified = true;
    result.Summary = std::string(kSummaryHeading) + summary;
    return result;
}

BidImportResult ImportPilotBids(ScheduleDocument& doc, const std::filesystem::path& path,
                                Interaction& ui)
{
    BidImportResult result;
    if (doc.CrewKind == kFlightAttendants) {
        ui.Message(kCaption, "This Feature is for Pilot Use Only", Icon::Information);
        return result;
    }
    const int count = std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
    bool deleteAll = false;
    const bool anyBid = std::any_of(doc.Crew.get(), doc.Crew.get() + count,
                                    [](const TPilot& p) { return !p.BidText.empty(); });
    if (anyBid) {
        const Answer answer = ui.Ask(kCaption,
                                     "Current Bids will be replaced on an individual basis when a "
                                     "bid is found in this file. Would you Like to Delete All "
                                     "Current Bids First",
                                     Buttons::YesNoCancel, Icon::Question);
        if (answer == Answer::Cancel) {
            result.Outcome = BidImportOutcome::Cancelled;
            return result;
        }
        deleteAll = answer == Answer::Yes &&
                    ui.Ask(kCaption,
                           "Confirm that you wish to Delete All Pilot Bids before Importing the "
                           "Bids from the CSV File",
                           Buttons::YesNo, Icon::Error) == Answer::Yes;
    }

    // Read whole before anything changes: a file that does not open leaves
    // every bid as it was, the deleted ones included.
    const InputFile in = OpenInputFile(path, InputText::Text);
    std::string text;
    if (in && in.Size <= kMaxSize) {
        text.resize(static_cast<size_t>(in.Size));
        in.Stream->read(text.data(), static_cast<std::streamsize>(text.size()));
        text.resize(static_cast<size_t>(in.Stream->gcount()));
    }
    if (!in || in.Size > kMaxSize || in.Stream->bad()) {
        ui.MessageAboutFile(kCaption, "Unable to Open File %s", path, Icon::Error);
        result.Outcome = BidImportOutcome::Unreadable;
        return result;
    }

    if (deleteAll) {
        for (int c = 0; c < count; ++c)
            doc.Crew[U(c)].BidText.clear();
        doc.Modified = true;
    }
    return ImportPilotBidsText(doc, text, ui);
}

} // namespace tl
