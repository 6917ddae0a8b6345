#include "output/print_pages.h"

#include "model/activity_codes.h"
#include "model/schedule_document.h"
#include "model/text_format.h"
#include "model/vortime.h"
#include "output/pairing_reports.h"
#include "output/pairings_board.h"
#include "output/report_text.h"
#include "rules/legality.h"

#include <algorithm>
#include <filesystem>
#include <string_view>

namespace tl {

namespace {

using namespace report;
namespace g = print_geometry;

// The file's own name, without its folder, as the page names it.
std::string ShownFileName(const ScheduleDocument& doc)
{
    return std::filesystem::path(doc.FileName).filename().string();
}

std::vector<PrintDayHeading> DayHeadings(const ScheduleDocument& doc)
{
    std::vector<PrintDayHeading> days;
    for (int d = 0; d < MonthDays(doc); ++d) {
        PrintDayHeading h;
        h.Number = Format("%02d", doc.DayDate[U(d)].Day);
        h.Name = FieldText(doc.DayName[U(d)]);
        h.Weekend = h.Name == "SU" || h.Name == "SA";
        h.WeekStart = h.Name == "MO";
        days.push_back(std::move(h));
    }
    return days;
}

// Absences flight attendants' printouts show only as leave.
bool PrintsAsLeave(std::string_view code)
{
    for (std::string_view leave : {"PSD", "MED", "WCB", "LTD", "MOD", "PWC", "SCK"})
        if (code == leave)
            return true;
    return false;
}

// "%d:%02d", the sign in front of a negative total.
std::string TotalText(int64_t minutes)
{
    const int64_t a = minutes < 0 ? -minutes : minutes;
    return Format("%s%lld:%02lld", minutes < 0 ? "-" : "", static_cast<long long>(a / 60),
                  static_cast<long long>(a % 60));
}

std::vector<PrintDayCell> DayCells(const ScheduleDocument& doc, const TPilot& crew,
                                   const BlocksPrintOptions& options)
{
    const int days = MonthDays(doc);
    const bool fa = doc.CrewKind == kFlightAttendants;
    std::vector<PrintDayCell> cells(U(days));
    for (int d = 0; d < days; ++d) {
        const int32_t slot = crew.DaySlot[U(d)];
        PrintDayCell& cell = cells[U(d)];
        if (const TPair* pair = PairingIn(doc, slot)) {
            cell.Lines.push_back(Format("%04d", pair->PairNumber));
            if (fa && pair->PairType == "PU")
                cell.Lines.emplace_back("PU");
            for (int k = 1; k < pair->Length && d + k < days; ++k)
                cells[U(d + k)].Continued = true;
        } else if (slot == kOtherSlot) {
            const std::string code = TrimBlanks(crew.DayCode[U(d)]);
            cell.Lines.push_back(fa && PrintsAsLeave(code) ? "LOA" : code);
        } else if (crew.DayCarry[U(d + 31)][CarryValue::DayKind] != kNothingCarried) {
            cell.Lines.emplace_back("CARRYIN");
        }
        if (options.PrintXes) {
            std::string request = DayRequestText(crew.DayFlag[U(d)]);
            if (!request.empty())
                cell.Lines.push_back(std::move(request));
        }
    }
    return cells;
}

} // namespace

std::vector<int8_t> PrintSelection(const ScheduleDocument& doc, int from, int to,
                                   const std::vector<int>* shown)
{
    const int count = CrewCountOf(doc);
    std::vector<int8_t> selection(U(count), 0);
    auto inRange = [&](int i) { return i + 1 >= from && i + 1 <= to; };
    if (shown != nullptr) {
        for (int i : *shown)
            if (i >= 0 && i < count && inRange(i))
                selection[U(i)] = 1;
    } else {
        for (int i = 0; i < count; ++i)
            selection[U(i)] = inRange(i) ? 1 : 0;
    }
    return selection;
}

int32_t PrintedBlockMinutes(const ScheduleDocument& doc, int crew, int32_t blockCredit)
{
    const int32_t perDay = doc.CrewKind == kFlightAttendants ? 170 : 240;
    const TPilot& c = doc.Crew[U(crew)];
    int64_t minutes = blockCredit;
    for (int d = 0; d < MonthDays(doc); ++d)
        if (c.DaySlot[U(d)] == kOtherSlot && TrimBlanks(c.DayCode[U(d)]) == "VAU")
            minutes -= perDay;
    return Clamp32(std::max<int64_t>(minutes, 0));
}

std::vector<BlocksPage> BlocksPrintout(ScheduleDocument& doc, const std::vector<int8_t>& selection,
                                       const BlocksPrintOptions& options, Interaction& ui)
{
    const int days = MonthDays(doc);
    const bool fa = doc.CrewKind == kFlightAttendants;
    const std::string month = FieldText(doc.MonthName);
    const std::string year = FieldText(doc.YearText);
    const std::string file = ShownFileName(doc);
    const std::vector<PrintDayHeading> headings = DayHeadings(doc);

    std::vector<BlocksPage> pages;
    auto newPage = [&] {
        BlocksPage page;
        const int number = static_cast<int>(pages.size()) + 1;
        page.Header = options.Draft ? Format("*** %s %s DRAFT COPY *** Page %d %s", month.c_str(),
                                             year.c_str(), number, file.c_str())
                                    : Format("Tessara Lines %s %s FINAL. Page %d %s", month.c_str(),
                                             year.c_str(), number, file.c_str());
        page.Days = headings;
        pages.push_back(std::move(page));
        return &pages.back();
    };

    BlocksPage* page = newPage();
    int printed = 0;
    const int count = std::min(CrewCountOf(doc), static_cast<int>(selection.size()));
    for (int i = 0; i < count; ++i) {
        if (selection[U(i)] == 0)
            continue;
        if (static_cast<int>(page->Rows.size()) == g::kCrewRowsPerPage)
            page = newPage();
        ++printed;
        const TPilot& c = doc.Crew[U(i)];
        PrintCrewRow row;
        row.Label = Format("%d %-9s", fa ? i + 1 : printed, c.Name.substr(0, 9).c_str());
        const int32_t credit = BlockCredit(doc, i, false, ui);
        const int64_t carried =
            int64_t{c.CarryIn[CarryInEntry::Credit]} + c.DraftCredits + c.MiscHours;
        row.Hours = FormatHoursMinutes(PrintedBlockMinutes(doc, i, credit), true) + " " +
                    TotalText(carried);
        row.Days = DayCells(doc, c, options);
        page->Rows.push_back(std::move(row));
    }

    // Reserve days of every crew member, printed or not.
    page->HasReserves = true;
    page->ReservesY = g::kFirstRowY + static_cast<int>(page->Rows.size()) * g::kCell;
    for (int d = 0; d < days; ++d) {
        int reserves = 0;
        for (int i = 0; i < CrewCountOf(doc); ++i) {
            const TPilot& c = doc.Crew[U(i)];
            if (c.DaySlot[U(d)] == kOtherSlot && c.DayOther[U(d)][OtherValue::Reserve] != 0)
                ++reserves;
        }
        page->Reserves.push_back(Format("%d", reserves));
    }
    if (!options.OpenFlying)
        return pages;

    std::vector<std::vector<std::string>> open(U(days));
    for (int p = 0; p < PairCount(doc); ++p) {
        const TPair& pair = doc.Pairs[U(p)];
        for (int d = 0; d < days; ++d)
            if (pair.OpsCount[U(d)] == kOpsOpen || pair.OpsCount[U(d)] == kOpsOpenFlagged)
                open[U(d)].push_back(Format("%04d", pair.PairNumber));
    }
    size_t done = 0;
    size_t longest = 0;
    for (const auto& list : open)
        longest = std::max(longest, list.size());
    int openY = page->ReservesY + g::kCell;
    do {
        page->HasOpen = true;
        page->OpenY = openY;
        const size_t room = static_cast<size_t>(std::max(1, (g::kHeight - openY) / g::kLine));
        page->Open.resize(U(days));
        for (int d = 0; d < days; ++d) {
            const auto& list = open[U(d)];
            for (size_t k = done; k < list.size() && k < done + room; ++k)
                page->Open[U(d)].push_back(list[k]);
        }
        done += room;
        if (done < longest) {
            page = newPage();
            openY = g::kFirstRowY;
        }
    } while (done < longest);
    return pages;
}

std::vector<VisualPairingsPage> VisualPairingsPrintout(const ScheduleDocument& doc)
{
    const PairingsBoard board = LayOutPairingsBoard(doc, false);
    const std::string month = FieldText(doc.MonthName);
    const std::string year = FieldText(doc.YearText);
    const std::string average = AverageCreditPerDay(doc);
    const std::string file = ShownFileName(doc);
    const std::vector<PrintDayHeading> headings = DayHeadings(doc);

    std::vector<VisualPairingsPage> pages;
    size_t row = 0;
    do {
        VisualPairingsPage page;
        page.Title =
            Format("Tessara Lines Visual Pairings. %s %s  Quick Reference Only. See Pairings",
                   month.c_str(), year.c_str());
        page.Legend = {
            "Pairings are sorted in order of length, followed by continious duties.",
            " Pairings are then sub sorted by checkin time, from early to late. ",
            "Stars below the pairing number indicate credit hours per day. ",
            "* 4-5 hrs/day  ** 5-6 hrs/day  *** 6-7 hrs/day  **** 7 or more hrs/day.",
        };
        page.Days = headings;
        for (int k = 0; k < g::kBoardRowsPerPage && row < board.Rows.size(); ++k, ++row) {
            std::vector<std::vector<std::string>> cells;
            for (const BoardCell& cell : board.Rows[row]) {
                std::vector<std::string> lines;
                const std::string text = BoardCellText(doc, cell);
                size_t start = 0;
                while (start < text.size()) {
                    const size_t end = std::min(text.find('\n', start), text.size());
                    lines.push_back(text.substr(start, end - start));
                    start = end + 1;
                }
                cells.push_back(std::move(lines));
            }
            page.Rows.push_back(std::move(cells));
        }
        page.Footer = Format("Avg Pair Credit %s per/day.  File %s  Page %d", average.c_str(),
                             file.c_str(), static_cast<int>(pages.size()) + 1);
        pages.push_back(std::move(page));
    } while (row < board.Rows.size());
    return pages;
}

} // namespace tl
