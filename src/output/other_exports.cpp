#include "output/other_exports.h"

#include "model/activity_codes.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/text_format.h"
#include "model/version.h"
#include "model/vortime.h"
#include "output/report_text.h"
#include "rules/legality.h"
#include "storage/safe_write.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace tl {

namespace {

using namespace report;

constexpr const char* kFileError = "File Error";

// Text for an HTML page: the characters that would start markup or an
// entity, or end an attribute, are written as entities.
std::string Html(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '&':
            escaped += "&amp;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '\'':
            escaped += "&#39;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string Cell(std::string_view text)
{
    return "<TD>" + Html(text) + "</TD>";
}

// ASCII case only: the texts are Windows-1252, whose other letters keep
// their case as the clipboard always showed them.
std::string AsciiCase(std::string text, bool upper)
{
    for (char& c : text) {
        if (upper && c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        else if (!upper && c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

std::string Credit(ScheduleDocument& doc, int crew, Interaction& ui)
{
    return FormatHoursMinutes(BlockCredit(doc, crew, false, ui), false);
}

bool Write(const std::filesystem::path& path, const std::string& text)
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    return WriteFileSafely(path, std::span(bytes, text.size())) == WriteResult::Written;
}

} // namespace

std::string InternetPage(ScheduleDocument& doc, Interaction& ui)
{
    const int days = MonthDays(doc);
    const std::string month = Html(FieldText(doc.MonthName)) + " " + Html(FieldText(doc.YearText));
    std::string page = "<title>" + month + "</title>\n";
    page += "<BODY BGCOLOR=\"#ffcc00\" TEXT=\"#000000\" LINK=\"#008080\" VLINK=\"#00aa00\">\n";
    page += "<B><font face=\"Courier\" size=2>\n";
    page += "<center>Crew Blocks for " + month + "\n<br><br></center>\n";
    page += "<TABLE BORDER=1 CELLPADDING=2 CELLSPACING=1>\n";
    page += "<TR>\n<TH>Name</TH><TH>Emp Num</TH><TH>Block</TH>";
    for (int d = 0; d < days; ++d)
        page += "<TH>" + Html(FieldText(doc.DayName[U(d)])) +
                Format(" %02d</TH>", doc.DayDate[U(d)].Day);
    page += "\n<TR>\n<B><font face=\"Arial\" size=1>\n";

    std::vector<std::string> cells(U(days));
    for (int i = 0; i < CrewCountOf(doc); ++i) {
        const TPilot& c = doc.Crew[U(i)];
        page += "<TR>" + Cell(c.Name) + Format("<TD>%ld</TD>", long{c.EmpNumber}) +
                Cell(Credit(doc, i, ui));
        std::fill(cells.begin(), cells.end(), "<TD>X</TD>");
        // Each day's own assignment overwrites what an earlier day ran into it.
        auto put = [&](int d, std::string cell) {
            if (d < days)
                cells[U(d)] = std::move(cell);
        };
        for (int d = 0; d < days; ++d) {
            const int32_t slot = c.DaySlot[U(d)];
            if (const TPair* pair = PairingIn(doc, slot)) {
                put(d, Format("<TD>%d</TD>", pair->PairNumber));
                if (pair->CrossesMidnight) {
                    put(d + 1, "<TD>-></TD>");
                } else {
                    int next = d + 1;
                    for (size_t s = 0; s + 3 <= pair->Layovers.size() && next < days; s += 3)
                        put(next++, Cell(std::string_view(pair->Layovers).substr(s, 3)));
                }
            } else if (slot == kOtherSlot) {
                put(d, Cell(c.DayCode[U(d)]));
                const auto& other = c.DayOther[U(d)];
                if (int64_t{other[OtherValue::Start]} + other[OtherValue::Length] > kMinutesPerDay)
                    put(d + 1, "<TD>-></TD>");
            }
        }
        for (const std::string& cell : cells)
            page += cell;
        page += "</TR>\n";
    }
    return page;
}

std::optional<std::filesystem::path> SaveForInternet(ScheduleDocument& doc, Interaction& ui)
{
    std::filesystem::path path(doc.FileName);
    if (doc.Untitled || doc.FileName.empty() || !path.has_extension()) {
        ui.Message(kFileError, "File Must be Named First, Select Save As", Icon::Error);
        return std::nullopt;
    }
    path.replace_extension(".htm");
    ui.Trace("SaveForNetBegin\n");
    if (!Write(path, InternetPage(doc, ui))) {
        ui.Message(kFileError, "Cant create file for Internet Publishing", Icon::Error);
        return std::nullopt;
    }
    ui.Trace("SaveForNetEnd\n");
    ui.MessageAboutFile(kCaption, "HTML Tessara Lines File Saved as %s", path, Icon::Information);
    return path;
}

std::string SelectedBlocksText(ScheduleDocument& doc, bool clipPairs, bool clipXes, Interaction& ui)
{
    const int days = MonthDays(doc);
    const std::string monthName = FieldText(doc.MonthName);
    const std::string year = FieldText(doc.YearText);
    std::string text = "Selected Blocks for " + monthName + " " + year + ".\r\n\r\n";
    ui.Trace("Copying Blocks To Clipboard\n");
    // A hostile file may name any weekday; the week still has seven columns.
    const int firstColumn = std::clamp(doc.StartWeekday, 0, 6);
    for (int i = 0; i < CrewCountOf(doc); ++i) {
        const TPilot& c = doc.Crew[U(i)];
        if (c.Selected == 0)
            continue;
        text += "Name: " + c.Name + Format("  Emp: %09ld  Credit ", long{c.EmpNumber}) +
                Credit(doc, i, ui) + " \r\n\r\n";
        text +=
            "\t\t     " + AsciiCase(monthName, true) + "   " + AsciiCase(year, true) + "\r\n\r\n";
        text += "SUN\tMON\tTUE\tWED\tTHU\tFRI\tSAT\r\n\r\n";

        std::string dayRow(U(firstColumn), '\t');
        std::string assignmentRow = dayRow;
        std::string requestRow = dayRow;
        auto writeWeek = [&] {
            text += dayRow + "\r\n" + assignmentRow + "\r\n";
            if (clipXes)
                text += AsciiCase(requestRow, false) + "\r\n";
            text += "\r\n";
            dayRow.clear();
            assignmentRow.clear();
            requestRow.clear();
        };
        int column = firstColumn;
        for (int d = 0; d < days; ++d) {
            dayRow += Format("%02d \t", doc.DayDate[U(d)].Day);
            const int32_t slot = c.DaySlot[U(d)];
            if (const TPair* pair = PairingIn(doc, slot))
                assignmentRow += Format("P%04d", pair->PairNumber);
            else if (slot == kOtherSlot)
                assignmentRow += c.DayCode[U(d)] + " ";
            assignmentRow += '\t';
            const std::string request = DayRequestText(c.DayFlag[U(d)]);
            if (!request.empty())
                requestRow += request + " ";
            requestRow += '\t';
            if (++column == 7) {
                writeWeek();
                column = 0;
            }
        }
        writeWeek();
        text += "\r\n";

        if (clipPairs) {
            for (int d = 0; d < days; ++d) {
                if (const TPair* pair = PairingIn(doc, c.DaySlot[U(d)])) {
                    for (char ch : pair->PairText)
                        text += ch == '\n' ? std::string_view("\r\n") : std::string_view(&ch, 1);
                    text += "\r\n\r\n";
                }
            }
        }
        if (ui.Tracing())
            ui.Trace("Adding Employee " + c.Name + " to Clipboard\n");
    }
    return text;
}

std::string TrainingReportText(const ScheduleDocument& doc)
{
    const int days = MonthDays(doc);
    std::string text = "Tessara Lines Training Report\n";
    const TDate first = doc.DayDate[0];
    const TDate last = doc.DayDate[U(std::max(days - 1, 0))];
    text += Format("%9s,%04d%02d%02d,%04d%02d%02d\n", doc.GroupName.c_str(), first.Year,
                   first.Month, first.Day, last.Year, last.Month, last.Day);
    // The ninth character of the group names the base; a short group has none.
    const char base = doc.GroupName.size() > 8 ? doc.GroupName[8] : ' ';
    int64_t indoc = 0;
    int64_t check = 0;
    for (int i = 0; i < CrewCountOf(doc); ++i) {
        const TPilot& c = doc.Crew[U(i)];
        for (int d = 0; d < days; ++d) {
            const TPair* pair = PairingIn(doc, c.DaySlot[U(d)]);
            if (pair == nullptr)
                continue;
            const int32_t kind = pair->DayOpsType[U(d)];
            if (kind != 1 && kind != 2)
                continue;
            const TDate& date = doc.DayDate[U(d)];
            text += Format("%s,%09d,%c%4d,%4d%02d%02d\n", kind == 1 ? "INDOC" : "CHECK",
                           c.EmpNumber, base, pair->PairNumber, date.Year, date.Month, date.Day);
            (kind == 1 ? indoc : check) += pair->Credit;
        }
    }
    text += Format("TOTAL CREDIT MINS,INDOC,%08d,CHECK,%08d\n", Clamp32(indoc), Clamp32(check));
    return text;
}

bool TrainingReport(const ScheduleDocument& doc, const std::filesystem::path& path, Interaction& ui)
{
    const std::string text = TrainingReportText(doc);
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    switch (WriteFileSafely(path, std::span(bytes, text.size()))) {
    case WriteResult::Written:
        return true;
    case WriteResult::CannotCreate:
        ui.Message(kFileError, "Cant create file for Exporting Data", Icon::Error);
        return false;
    case WriteResult::WriteFailed:
        break;
    }
    ui.Message(kFileError, "Cannot Save CSV File to specified disk. Disk may be full", Icon::Error);
    return false;
}

} // namespace tl
