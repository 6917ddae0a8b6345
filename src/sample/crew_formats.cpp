#include "sample/sample_formats.h"
#include "sample/sample_text.h"

#include "model/activity_codes.h"
#include "model/vortime.h"

#include <algorithm>

namespace tl::sample {

namespace {

void EndLine(std::string& out, std::string& line, size_t length)
{
    line.resize(length, ' ');
    out += line;
    out += '\n';
}

std::vector<const SampleCrewMember*> ByEmployeeNumber(const std::vector<SampleCrewMember>& crew)
{
    std::vector<const SampleCrewMember*> sorted;
    for (const SampleCrewMember& c : crew)
        sorted.push_back(&c);
    std::sort(sorted.begin(), sorted.end(),
              [](const SampleCrewMember* a, const SampleCrewMember* b) {
                  return a->empNumber < b->empNumber;
              });
    return sorted;
}

std::string Trimmed(std::string_view text)
{
    size_t end = text.size();
    while (end > 0 && text[end - 1] == ' ')
        --end;
    size_t begin = 0;
    while (begin < end && text[begin] == ' ')
        ++begin;
    return std::string(text.substr(begin, end - begin));
}

} // namespace

// Employee record extract, kRosterRecordLength characters a line, every
// employee of the airline in seniority order (the roster order of each
// group). Read by the loader: 0-8 employee number, 9-28 last name, 29 first
// initial, 31-38 crew group (airport, aircraft type, status), 77-88
// qualification codes. Our own columns: 40-59 first name, 61-68 seniority
// date, 70-75 system seniority number, 90-97 date of the last check, 98-101
// "ACTV". Records of the longer layout (kLongRosterRecordLength) add the
// employee's home station at 102-104, a transfer date at 106-113 and the
// employee's contract code at 115-146.
std::string RosterText(const std::vector<SampleCrewMember>& crew)
{
    std::string out;
    int seniority = 0;
    for (const SampleCrewMember& c : crew) {
        std::string line(static_cast<size_t>(kRosterRecordLength), ' ');
        Put(line, 0, Digits(c.empNumber, 9));
        Put(line, 9, c.lastName.substr(0, 20));
        line[29] = c.firstName.empty() ? ' ' : c.firstName[0];
        Put(line, 31, c.groupCode.substr(0, 8));
        Put(line, 40, c.firstName.substr(0, 20));
        Put(line, 61, Date8(c.hireDate));
        Put(line, 70, Digits(++seniority, 6));
        Put(line, 77, c.quals.substr(0, 12));
        Put(line, 90, Date8(c.checkDate));
        Put(line, 98, "ACTV");
        size_t length = static_cast<size_t>(kRosterRecordLength);
        if (c.longRecord) {
            length = static_cast<size_t>(kLongRosterRecordLength);
            Put(line, 102, c.groupCode.substr(0, 3));
            Put(line, 106, Date8(c.checkDate - 400));
            Put(line, 115, c.groupCode.substr(6, 2) == "FA" ? "CUPE CABIN" : "ALPA FLIGHT DECK");
        }
        if (c.lowerCase)
            for (char& ch : line)
                if (ch >= 'A' && ch <= 'Z')
                    ch = static_cast<char>(ch - 'A' + 'a');
        EndLine(out, line, length);
    }
    return out;
}

// Crew absence extract, kAbsenceRecordLength characters a line, in employee
// number order, closed by the line of employee 99999. Entries of 14
// characters from column 9: code, first and last day (day numbers of the
// period, day 1 its first day), start and end time in minutes; a blank code
// ends the entries.
std::string AbsenceText(const std::vector<SampleCrewMember>& crew, bool nextMonth)
{
    std::string out;
    for (const SampleCrewMember* c : ByEmployeeNumber(crew)) {
        const std::vector<SampleAbsence>& list = nextMonth ? c->nextAbsences : c->absences;
        std::string line(static_cast<size_t>(kAbsenceRecordLength), ' ');
        Put(line, 0, Digits(c->empNumber, 9));
        size_t p = 9;
        for (const SampleAbsence& a : list) {
            if (p + 14 > line.size())
                break;
            Put(line, p, a.code.substr(0, 2));
            Put(line, p + 2, Digits(a.firstDay, 2));
            Put(line, p + 4, Digits(a.lastDay, 2));
            Put(line, p + 6, Digits(a.start, 4));
            Put(line, p + 10, Digits(a.end, 4));
            p += 14;
        }
        EndLine(out, line, static_cast<size_t>(kAbsenceRecordLength));
    }
    std::string last(static_cast<size_t>(kAbsenceRecordLength), ' ');
    Put(last, 0, Digits(99999, 9));
    EndLine(out, last, static_cast<size_t>(kAbsenceRecordLength));
    return out;
}

// Crew activity extract, kActivityRecordLength characters a line, in
// employee number order. 31 entries of 40 characters from column 9, then
// blanks, then from column 1481 the hard time of each of the 31 days before
// the month. A pairing entry has a blank code, the identifier, the pairing
// date and, in the fields of an activity code, its report and release dates
// and times; an activity code entry has no identifier and no pairing date.
std::string ActivityText(const std::vector<SampleCrewMember>& crew,
                         const std::vector<SamplePairing>& templates)
{
    std::string out;
    for (const SampleCrewMember* c : ByEmployeeNumber(crew)) {
        std::string line(static_cast<size_t>(kActivityRecordLength), ' ');
        Put(line, 0, Digits(c->empNumber, 9));
        size_t k = 0;
        for (const SamplePriorEntry& e : c->prior) {
            if (k >= 31)
                break;
            const size_t p = 9 + 40 * k++;
            if (e.pairing) {
                if (e.templateIndex < 0 || static_cast<size_t>(e.templateIndex) >= templates.size())
                    continue;
                const SamplePairing& t = templates[static_cast<size_t>(e.templateIndex)];
                Put(line, p + 2, t.Identifier());
                Put(line, p + 8, Date8(e.date));
                Put(line, p + 16, Date8(e.date));
                Put(line, p + 24, Digits(t.onTime, 4));
                Put(line, p + 28, Date8(e.date + t.days - 1));
                Put(line, p + 36, Digits(t.release, 4));
            } else {
                Put(line, p, e.code.substr(0, 2));
                Put(line, p + 16, Date8(e.date));
                Put(line, p + 24, Digits(e.start, 4));
                Put(line, p + 28, Date8(e.lastDate));
                Put(line, p + 36, Digits(e.end, 4));
            }
        }
        for (size_t i = 0; i < 31; ++i)
            Put(line, 1481 + 4 * i, Digits(c->priorHard[i], 4));
        EndLine(out, line, static_cast<size_t>(kActivityRecordLength));
    }
    return out;
}

// Pairing extract of the prior blocking period: one line per pairing
// instance, kPriorPairingRecordLength characters with the line feed, in date
// order. Read: 0-4 identifier, 6-13 pairing date, 14-21 start date, 22-25
// report, 50-57 time away from base, 66-69 rest after the pairing, 31 duty
// blocks of 24 from column 70 (date, start, end at +20) and 31 day blocks of
// 11 from column 814 (station, hard time, credit). Our own columns: 26-33
// release date, 34-37 release time, 38-41 credit, 42-45 block, 58-65 crew
// complement, the release date of a duty at +12 of its block. Day block 0 is
// the day before the start date, as the loader places the blocks; block
// 1 + k is day k of the pairing, with the station where that day ends.
std::string PriorPairingText(const std::vector<PriorInstance>& instances,
                             const std::vector<SamplePairing>& templates)
{
    std::string out;
    const size_t length = static_cast<size_t>(kPriorPairingRecordLength) - 1;
    for (const PriorInstance& in : instances) {
        if (in.templateIndex < 0 || static_cast<size_t>(in.templateIndex) >= templates.size())
            continue;
        const SamplePairing& t = templates[static_cast<size_t>(in.templateIndex)];
        std::string line(length, ' ');
        Put(line, 0, t.Identifier());
        Put(line, 6, Date8(in.date));
        Put(line, 14, Date8(in.date));
        Put(line, 22, Digits(t.onTime, 4));
        Put(line, 26, Date8(in.date + t.days - 1));
        Put(line, 34, Digits(t.release, 4));
        Put(line, 38, Digits(t.credit, 4));
        Put(line, 42, Digits(t.TotalBlock(), 4));
        Put(line, 50, Digits(t.tafb, 8));
        Put(line, 58, t.complement.substr(0, 8));
        Put(line, 66, Digits(t.minRest, 4));
        for (size_t j = 0; j < t.duties.size() && j < 31; ++j) {
            const SampleDuty& d = t.duties[j];
            const size_t at = 70 + 24 * j;
            Put(line, at, Date8(in.date + d.day));
            Put(line, at + 8, Digits(d.report, 4));
            Put(line, at + 12, Date8(in.date + d.endDay));
            Put(line, at + 20, Digits(d.end, 4));
        }
        for (size_t m = 0; m < 31; ++m) {
            const size_t at = 814 + 11 * m;
            const int day = static_cast<int>(m) - 1;
            std::string station;
            int hard = 0;
            int credit = 0;
            if (day >= 0 && day < t.days) {
                station = t.airport;
                for (const SampleDuty& d : t.duties) {
                    if (d.day <= day)
                        station = d.endStation;
                    if (d.day == day) {
                        hard += d.block;
                        credit += d.credit;
                    }
                }
                if (day == t.days - 1)
                    station = t.airport;
            }
            Put(line, at, station.empty() ? "   " : station);
            Put(line, at + 3, Digits(hard, 4));
            Put(line, at + 7, Digits(credit, 4));
        }
        line.resize(length, ' ');
        out += line;
        out += '\n';
    }
    return out;
}

// Toolbox file: the header lines, then 13 lines for each row of the
// built-in activity table in table order (code of three characters as the
// table has it, "Cabin" or "Pilot", tracking code, description, the row's
// two clock times, credit, a second duration (0:00 but on a few rows with
// the odd cases), the two duty flags of the row, the third flag (cleared on
// a few rows with the odd cases),
// "Y" for being offered unless the row has no tracking code, "-"), and one
// record of our own: RTB, a pilot training block that is never a reserve
// although its tracking code RT is a reserve code for pilots.
std::string ToolBoxText(int32_t fileDate, bool oddCases)
{
    size_t index = 0;
    std::string out;
    auto line = [&out](std::string_view text) {
        out += text;
        out += '\n';
    };
    const std::span<const std::string_view> rows = BuiltInActivityRows();
    const TDate d = DateFromJulianDay(fileDate);
    line("TLToolBox");
    line("Activity codes of the sample airline");
    line(Digits(d.Year, 4) + "-" + Digits(d.Month, 2) + "-" + Digits(d.Day, 2));
    line("");
    line(std::to_string(rows.size() + 1));
    for (std::string_view row : rows) {
        const auto column = [row](size_t from, size_t count) {
            return from < row.size() ? row.substr(from, count) : std::string_view{};
        };
        const std::string code(column(0, 3)); // three characters, blank-padded
        const std::string tracking = Trimmed(column(activity_columns::kTracking, 2));
        const std::string hours = Trimmed(column(activity_columns::kCreditHours, 2));
        const std::string minutes = Trimmed(column(activity_columns::kCreditMinutes, 2));
        line(code);
        line(column(activity_columns::kCrewType, 1) == "C" ? "Cabin" : "Pilot");
        line(tracking);
        line(Trimmed(column(50, 20)));
        line(Trimmed(column(121, 5)));
        line(Trimmed(column(127, 5)));
        line(hours.empty() ? "0:00" : hours + ":" + (minutes.empty() ? "00" : minutes));
        // Real toolboxes carry a second duration on some codes and clear
        // the third flag on others.
        ++index;
        line(oddCases && index % 23 == 4 ? (index % 2 ? "1:30" : "2:00") : "0:00");
        line(column(activity_columns::kDuty, 1) == "D" ? "Y" : "N");
        line(column(activity_columns::kDuty2, 1) == "D" ? "Y" : "N");
        line(oddCases && index % 17 == 3 ? "N" : "Y");
        line(tracking.empty() || tracking == "--" ? "N" : "Y");
        line("-");
    }
    for (std::string_view text : {"RTB", "Pilot", "RT", "Reserve Training Blk", "08:00", "16:00",
                                  "4:00", "0:00", "Y", "Y", "Y", "Y", "-"})
        line(text);
    return out;
}

} // namespace tl::sample
