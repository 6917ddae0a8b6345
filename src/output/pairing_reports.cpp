#include "output/pairing_reports.h"

#include "model/schedule_document.h"
#include "model/text_encoding.h"
#include "model/text_format.h"
#include "model/vortime.h"
#include "output/report_text.h"
#include "rules/block_build.h"
#include "rules/legality.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string_view>
#include <unordered_map>

namespace tl {

namespace {

using namespace report;

bool CodeIs(std::string_view code, std::string_view want)
{
    while (!code.empty() && code.back() == ' ')
        code.remove_suffix(1);
    return code == want;
}

// The credit of a pairing copy starting on day d that falls inside the month:
// its day credits up to the month's end when it runs past it.
int64_t InMonthCredit(const TPair& pair, int d, int days)
{
    if (d + pair.Length <= days)
        return pair.Credit;
    int64_t credit = 0;
    for (int k = 0; k < days - d && k < TPair::kDays; ++k)
        credit += pair.DayCredit[U(k)];
    return credit;
}

// "%5ld:%02d": hours and minutes of a sum, as the global information shows it.
std::string Amount(int64_t minutes)
{
    return Format("%5lld:%02lld", static_cast<long long>(minutes / 60),
                  static_cast<long long>(minutes % 60));
}

std::string HoursMinutes(int64_t minutes)
{
    return Format("%lld:%02lld", static_cast<long long>(minutes / 60),
                  static_cast<long long>(minutes % 60));
}

// Marks day d and the `following` days after it, inside the month.
void Cover(std::array<bool, ScheduleDocument::kMonthDays>& covered, int d, int64_t following,
           int days)
{
    const int64_t last = std::min<int64_t>(d + std::max<int64_t>(following, 0), days - 1);
    for (int64_t k = d; k <= last; ++k)
        covered[static_cast<size_t>(k)] = true;
}

// The file name without folder and extension; a file name is the system's
// text, so it is turned into core text here.
std::string FileTitle(const std::string& fileName)
{
    std::string_view name = fileName;
    const size_t slash = name.find_last_of("/\\");
    if (slash != std::string_view::npos)
        name.remove_prefix(slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string_view::npos)
        name = name.substr(0, dot);
    return Utf8ToCp1252(name);
}

// The k-th character of a text, a blank past its end.
char At(std::string_view text, size_t k)
{
    return k < text.size() ? text[k] : ' ';
}

} // namespace

int32_t DaysOff(const ScheduleDocument& doc, int crew)
{
    if (crew < 0 || crew >= ScheduleDocument::kCrewCapacity)
        return 0;
    const TPilot& c = doc.Crew[U(crew)];
    const int days = MonthDays(doc);
    std::array<bool, ScheduleDocument::kMonthDays> covered{};
    int64_t deduction = 0;
    for (int d = 0; d < days; ++d) {
        // Last month's activity is kept by extended day: the month starts at 31.
        if (c.DayCarry[U(d + 31)][CarryValue::DayKind] != kNothingCarried)
            covered[U(d)] = true;
    }
    for (int d = 0; d < days; ++d) {
        const int32_t slot = c.DaySlot[U(d)];
        if (const TPair* pair = PairingIn(doc, slot)) {
            Cover(covered, d, (int64_t{pair->OnTime} + pair->Tafb - 120) / kMinutesPerDay, days);
        } else if (slot == kOtherSlot) {
            const auto& other = c.DayOther[U(d)];
            if (other[OtherValue::ContainsDuty] != 0) {
                Cover(covered, d,
                      (int64_t{other[OtherValue::Start]} + other[OtherValue::Length] - 121) /
                          kMinutesPerDay,
                      days);
                continue;
            }
            const std::string_view code = c.DayCode[U(d)];
            const int32_t credit = other[OtherValue::Credit];
            if (CodeIs(code, "STT") || CodeIs(code, "VAC"))
                deduction += 1;
            else if (CodeIs(code, "VCI") || CodeIs(code, "SCI"))
                deduction += credit / 240;
            else if (CodeIs(code, "VTP") || CodeIs(code, "STP"))
                deduction += credit / 318;
        }
    }
    int64_t off = days - std::count(covered.begin(), covered.end(), true);
    if (doc.CrewKind < kFlightAttendants)
        off -= deduction;
    return Clamp32(off);
}

int32_t OpenHours(ScheduleDocument& doc)
{
    return OpenCredit(doc);
}

std::string AverageCreditPerDay(const ScheduleDocument& doc)
{
    const int days = MonthDays(doc);
    int64_t credit = 0;
    int64_t length = 0;
    for (int p = 0; p < PairCount(doc); ++p) {
        const TPair& pair = doc.Pairs[U(p)];
        for (int d = 0; d < days; ++d) {
            if (pair.OpsCount[U(d)] == kNotOperating)
                continue;
            credit += pair.Credit;
            length += pair.Length;
        }
    }
    return length != 0 ? HoursMinutes(credit / length) : "0:00";
}

std::vector<std::string> GlobalInfoLines(ScheduleDocument& doc)
{
    const int days = MonthDays(doc);
    const int crewCount = CrewCountOf(doc);
    const bool firstOfficers = doc.CrewKind == kFirstOfficers;

    int64_t twoCaptains = 0;
    int64_t overlap = 0;
    int64_t current = 0;
    int64_t hard = 0;
    for (int p = 0; p < PairCount(doc); ++p) {
        const TPair& pair = doc.Pairs[U(p)];
        for (int d = 0; d < days; ++d) {
            const int32_t ops = pair.OpsCount[U(d)];
            if (ops == kNotOperating)
                continue;
            const int64_t inMonth = InMonthCredit(pair, d, days);
            if (firstOfficers && ops < 0) {
                twoCaptains += inMonth;
                continue;
            }
            overlap += pair.Credit;
            current += inMonth;
            const int length = std::min<int>({pair.Length, days - d, TPair::kDays});
            for (int k = 0; k < length; ++k)
                hard += pair.DayHard[U(k)];
        }
    }

    std::vector<std::string> lines;
    auto add = [&lines](std::string line) {
        lines.push_back(std::move(line));
        lines.emplace_back();
    };
    int64_t monthTotal = current;
    add(Amount(current) + "  Pairing Credit for Current Month");
    if (firstOfficers)
        add(Amount(twoCaptains) + "  Pairing Credit Reserved for Two Capt Pairings");
    add(Amount(overlap) + "  Pairing Credit for Month with Overlap");
    const int32_t openHours = OpenHours(doc);
    add(Amount(openHours) + "  Hours currently in Open");

    // How far down the roster the open time reaches: blocks above their
    // maximum give time back, blocks below their minimum take it.
    int64_t open = openHours;
    int last = -1;
    for (int i = 0; i < crewCount; ++i) {
        const TPilot& c = doc.Crew[U(i)];
        if (c.BidReserveOrLoa != 0)
            continue;
        const int64_t credit = StoredBlockCredit(c);
        const CreditLimits limits = CreditLimitsOf(doc, c);
        if (credit > limits.Max) {
            open += credit - limits.Average;
        } else if (credit < limits.Min) {
            if (limits.Min - credit > open) {
                open = std::max<int64_t>(open, 0);
                break;
            }
            open -= limits.Average - credit;
        }
        last = i;
    }
    // A roster of reserve and leave blocks alone has no last blockholder either.
    add(last < 0 ? std::string("No Blocks")
                 : "Last Blockholder is " + doc.Crew[U(last)].Name + " with " +
                       FormatHoursMinutes(Clamp32(open), false) + " in open");

    struct Average {
        int64_t Sum = 0;
        int64_t Count = 0;
    };
    Average regular, reduced, ccp;
    int64_t carryIn = 0;
    int64_t draft = 0;
    int64_t misc = 0;
    struct CodeSum {
        std::string Code;
        int64_t Credit = 0;
        int64_t Count = 0;
    };
    std::vector<CodeSum> codes;
    std::unordered_map<std::string, size_t> codeIndex;
    for (int i = 0; i < crewCount; ++i) {
        const TPilot& c = doc.Crew[U(i)];
        const int64_t credit = StoredBlockCredit(c);
        int64_t min = doc.MonthRules[MonthRule::MinCredit];
        int64_t max = doc.MonthRules[MonthRule::MaxCredit];
        const int32_t ownMin = c.CarryIn[CarryInEntry::MinCredit];
        const int32_t ownMax = c.CarryIn[CarryInEntry::MaxCredit];
        const bool isReduced = ownMin > 0 && ownMin < 3900;
        if (isReduced)
            min = ownMin;
        if (ownMax > 0)
            max = ownMax;
        const bool isCcp =
            ownMax > 0 && c.CarryIn[CarryInEntry::Qualification] == kCheckPilot && max > 4440;
        if (min <= credit && credit <= max) {
            Average& kind = isReduced ? reduced : isCcp ? ccp : regular;
            kind.Sum += credit;
            ++kind.Count;
        }
        carryIn += c.CarryIn[CarryInEntry::Credit];
        draft += c.DraftCredits;
        misc += c.MiscHours;
        for (int d = 0; d < days; ++d) {
            if (c.DaySlot[U(d)] != kOtherSlot)
                continue;
            const std::string code(c.DayCode[U(d)]);
            auto found = codeIndex.find(code);
            if (found == codeIndex.end()) {
                if (codes.size() >= size_t{ScheduleDocument::kAbsenceCapacity})
                    continue;
                found = codeIndex.emplace(code, codes.size()).first;
                codes.push_back({code});
            }
            codes[found->second].Credit += c.DayOther[U(d)][OtherValue::Credit];
            ++codes[found->second].Count;
        }
    }
    for (const auto& [kind, text] :
         {std::pair{&regular, "  Avg for Completed Regular Blocks"},
          std::pair{&reduced, "  Avg for Completed Reduced Blocks"},
          std::pair{&ccp, "  Avg for Non-Reduced Completed CCP Blocks"}}) {
        if (kind->Count > 0)
            add(Amount(kind->Sum / kind->Count) + text);
    }
    add(Amount(carryIn) + "  Carry In");
    add(Amount(draft) + "  Draft Credits");
    add(Amount(misc) + "  Misc Hours");
    monthTotal += carryIn + draft + misc;
    for (const CodeSum& code : codes) {
        add(Amount(code.Credit) +
            Format(" in %03lld Occurrences of ", static_cast<long long>(code.Count)) + code.Code);
        monthTotal += code.Credit;
    }
    add("--------");
    add(Amount(monthTotal) + "  Total Credits for Month");
    add(Amount(hard) + "  Total Hard Time");
    add("Average Pairing Credit per day is " + AverageCreditPerDay(doc));
    return lines;
}

std::string ClipboardLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

ClipboardReport PairingReport(const ScheduleDocument& doc)
{
    const int days = MonthDays(doc);
    std::string text = "Pairing Report for " + FieldText(doc.MonthName) + " " +
                       FieldText(doc.YearText) + " Carry Over Removed from Running Total\r\n\r\n";
    int64_t running = 0;
    int64_t carryOver = 0;
    constexpr int kColumns = 8;
    std::array<std::array<int32_t, kColumns>, ScheduleDocument::kMonthDays> occurrences{};
    for (int p = 0; p < PairCount(doc); ++p) {
        const TPair& pair = doc.Pairs[U(p)];
        int operating = 0;
        for (int d = 0; d < days; ++d) {
            if (pair.OpsCount[U(d)] == kNotOperating)
                continue;
            ++operating;
            carryOver += pair.Credit;
            running += InMonthCredit(pair, d, days);
        }
        int64_t hard = 0;
        for (int k = 0; k < std::clamp<int>(pair.Length, 0, TPair::kDays); ++k)
            hard += pair.DayHard[U(k)];
        text += Format("Pair %04d  Credit %s  Hard %s  OP %02d  RT ", pair.PairNumber,
                       FormatHoursMinutes(pair.Credit, false).c_str(),
                       FormatHoursMinutes(Clamp32(hard), false).c_str(), operating) +
                HoursMinutes(running) + "\r\n";

        // Seven days and more share the last column; two-day pairings that
        // cross midnight have one of their own (C/D), which the seven-day
        // rule must not fold into the last.
        int column = pair.DaysWorked - 1;
        if (column > 5)
            column = 7;
        else if (column == 1 && pair.CrossesMidnight)
            column = 6;
        if (column < 0) // no days worked: not a pairing of any length
            continue;
        for (int d = 0; d < TPair::kDays; ++d) {
            if (pair.OpsCount[U(d)] > 0)
                ++occurrences[U(d)][U(column)];
        }
    }
    text += "\r\nTotal Hours including Carry Over " + HoursMinutes(carryOver);
    text += "\r\n\r\nPairing Occurances Report\r\n\r\n"
            "        One    Two    Three  Four   Five   Six    C/D    Seven+\r\n";
    for (int d = 0; d < days; ++d) {
        text += Format(" %02d %2s  ", doc.DayDate[U(d)].Day, FieldText(doc.DayName[U(d)]).c_str());
        for (int32_t count : occurrences[U(d)])
            text += Format("%3d    ", count);
        text += "\r\n";
    }
    text += "\r\n\n\n";
    text += doc.PairingSourceText;
    return {std::move(text)};
}

ClipboardReport CrewLines(ScheduleDocument& doc, Interaction& ui)
{
    const int days = MonthDays(doc);
    const bool attendants = doc.CrewKind == kFlightAttendants;
    const std::string title = "Crew Lines for " + FieldText(doc.MonthName) + " " +
                              FieldText(doc.YearText) + "  " + FileTitle(doc.FileName) + "\n\r\n";
    std::string dayNumbers;
    std::string dayNames;
    for (int d = 0; d < days; ++d) {
        dayNumbers += Format("%02d  ", doc.DayDate[U(d)].Day);
        dayNames += Format("%2s  ", FieldText(doc.DayName[U(d)]).c_str());
    }

    std::string text = title;
    std::array<std::string, 5> rows;
    for (int i = 0; i < CrewCountOf(doc); ++i) {
        if (i > 0 && i % 6 == 0)
            text += title;
        const TPilot& c = doc.Crew[U(i)];
        text += Format("%-11.11s ", c.Name.c_str()) + dayNumbers + "\r\n" + std::string(12, ' ') +
                dayNames + "\r\n";

        const int32_t credit = BlockCredit(doc, i, false, ui);
        rows[0] = "IN  " + FormatHoursMinutes(credit, false) + "  ";
        rows[1] = "OUT " + FormatHoursMinutes(credit, true) + "  ";
        rows[2] = Format("OFF %02d     ", DaysOff(doc, i));
        rows[3] = "C/I " + FormatHoursMinutes(c.CarryIn[CarryInEntry::Credit], false) + "  ";
        rows[4] = "DC  " + FormatHoursMinutes(c.DraftCredits, false) + "  ";
        auto appendAll = [&rows](const char* cell) {
            for (std::string& row : rows)
                row += cell;
        };
        // Vertical text: row k shows the k-th character of each.
        auto appendColumns = [&rows](std::string_view left, std::string_view right) {
            for (size_t k = 0; k < rows.size(); ++k) {
                if (k > 0)
                    rows[k] += ' ';
                rows[k] += At(left, k);
                rows[k] += '|';
                rows[k] += At(right, k);
            }
        };
        auto freeDay = [&](int d) { return d < days && c.DaySlot[U(d)] == kFreeSlot; };

        int d = 0;
        // Rest carried in from last month keeps the first free days.
        int64_t rest = int64_t{c.CarryIn[CarryInEntry::LegalAt]} -
                       (attendants ? kAttendantMinRest : kPilotMinRest);
        for (; rest > 0 && freeDay(d); ++d, rest -= kMinutesPerDay) {
            for (size_t k = 0; k < rows.size(); ++k)
                rows[k] += std::array{" C  ", " /  ", " I  ", "->  ", "->  "}[k];
        }
        for (; d < days; ++d) {
            const int32_t slot = c.DaySlot[U(d)];
            if (const TPair* pair = PairingIn(doc, slot)) {
                const std::string number = At(pair->PairKey, 0) + Format("%04d", pair->PairNumber);
                rows[0] += attendants && CodeIs(pair->PairType, "PU") ? '*' : ' ';
                appendColumns(number, FormatHoursMinutes(pair->OnTime, false));
                if (!pair->CrossesMidnight) {
                    for (size_t s = 0; s + 3 <= pair->Layovers.size() && freeDay(d + 1); s += 3) {
                        ++d;
                        for (size_t k = 0; k < 3; ++k) {
                            rows[k] += ' ';
                            rows[k] += pair->Layovers[s + k];
                            rows[k] += "  ";
                        }
                        rows[3] += "    ";
                        rows[4] += "    ";
                    }
                } else if (freeDay(d + 1)) {
                    ++d;
                    appendAll(" -> ");
                }
            } else if (slot == kOtherSlot) {
                const std::string code = c.DayCode[U(d)] + "      ";
                const auto& other = c.DayOther[U(d)];
                if (other[OtherValue::ContainsDuty] != 0) {
                    rows[0] += ' ';
                    appendColumns(code, FormatHoursMinutes(other[OtherValue::Start], false));
                } else {
                    for (size_t k = 0; k < 3; ++k) {
                        rows[k] += ' ';
                        rows[k] += code[k];
                        rows[k] += "  ";
                    }
                    rows[3] += "    ";
                    rows[4] += "    ";
                }
            } else {
                appendAll("    ");
            }
        }
        for (const std::string& row : rows)
            text += row + "\r\n";
        text += "\r\n";
    }
    return {std::move(text), "Courier New", 11};
}

} // namespace tl
