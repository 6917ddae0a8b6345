#include "import/prg_file.h"

#include "import/line_reader.h"
#include "import/pairing_warnings.h"
#include "import/usa_segments.h"
#include "model/input_file.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/text_format.h"
#include "model/version.h"
#include "model/vortime.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace tl {

namespace {

// Group name airport codes and the base letters of their pairings, in the
// order they are looked for.
constexpr std::array<std::pair<std::string_view, char>, 9> kBaseAirports = {{
    {"YYJ", 'J'},
    {"YVR", 'V'},
    {"YYC", 'C'},
    {"YXE", 'S'},
    {"YYZ", 'Z'},
    {"YXU", 'U'},
    {"YUL", 'M'},
    {"YQB", 'Q'},
    {"YHZ", 'H'},
}};

constexpr std::array<std::string_view, 7> kWeekdayNames = {"MON ", "TUE ", "WED ", "THU ",
                                                           "FRI ", "SAT ", "SUN "};

// printf's "%02d" (zeroPad) or "%2d" of a value: the pairing text formats
// thousands of times per load, so it is done by hand.
void AppendNumber(std::string& out, int64_t value, bool zeroPad)
{
    char digits[24];
    int n = 0;
    uint64_t magnitude = value < 0 ? uint64_t(0) - uint64_t(value) : uint64_t(value);
    do {
        digits[n++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    const int width = n + (value < 0 ? 1 : 0);
    if (!zeroPad && width < 2)
        out += ' ';
    if (value < 0)
        out += '-';
    if (zeroPad && width < 2)
        out += '0';
    while (n > 0)
        out += digits[--n];
}

// The same text as FormatHoursMinutes: "%02d:%02d" for a clock time,
// "%2d:%02d" for a duration, both parts carrying the sign.
std::string HoursMinutes(int32_t minutes, bool duration)
{
    const int64_t hours = minutes / 60;
    const int64_t rest = minutes - 60 * hours;
    std::string out;
    AppendNumber(out, hours, !duration);
    out += ':';
    AppendNumber(out, rest, true);
    return out;
}

std::string Clock(int32_t minutes)
{
    return HoursMinutes(minutes, false);
}

std::string Duration(int32_t minutes)
{
    return HoursMinutes(minutes, true);
}

// Sums that a hostile file could push past 32 bits stop at the limit.
void AddClamped(int32_t& total, int64_t value)
{
    total = static_cast<int32_t>(std::clamp<int64_t>(int64_t(total) + value,
                                                     std::numeric_limits<int32_t>::min(),
                                                     std::numeric_limits<int32_t>::max()));
}

void EndTextLine(std::string& text)
{
    if (!text.empty())
        text.back() = '\n';
}

// Which lines of the file belong to the pairings wanted.
struct Selection {
    bool hasBase = false;
    char base = 0;
    bool hasEqp = false;
    char eqp = 0;
    char alternate = 'X';
    bool anyEquipment = false;

    bool Matches(std::string_view line) const
    {
        if (!hasBase || line.size() < 2 || line[1] != base)
            return false;
        if (anyEquipment)
            return true;
        if (line.size() < 3)
            return false;
        return (hasEqp && line[2] == eqp) || line[2] == alternate;
    }
};

Selection ChooseSelection(const ScheduleDocument& doc, std::string_view baseAndEqp,
                          bool anyEquipment)
{
    Selection s;
    s.anyEquipment = anyEquipment;
    if (baseAndEqp.empty()) {
        const std::string& group = doc.GroupName;
        if (group.size() > 8) {
            s.hasBase = true;
            s.base = group[8];
        }
        for (const auto& [airport, letter] : kBaseAirports) {
            if (group.find(airport) != std::string::npos) {
                s.hasBase = true;
                s.base = letter;
                break;
            }
        }
        if (!anyEquipment) {
            if (group.find("DH8") != std::string::npos) {
                s.hasEqp = true;
                s.eqp = '8';
            } else if (group.find("DH3") != std::string::npos) {
                s.hasEqp = true;
                s.eqp = '3';
            } else if (group.find("DH4") != std::string::npos) {
                s.hasEqp = true;
                s.eqp = '4';
            } else if (group.find("CRJ") != std::string::npos) {
                s.hasEqp = true;
                s.eqp = '7';
                s.alternate = '2';
            }
        }
    } else {
        s.hasBase = true;
        s.base = baseAndEqp[0];
        if (baseAndEqp.size() > 1) {
            s.hasEqp = true;
            s.eqp = baseAndEqp[1];
        }
    }
    return s;
}

// The date in YYYYMMDD at a column as a day number; 0 when it is no date.
int32_t DateAt(std::string_view line, int column, Interaction& ui)
{
    return CheckedJulianDay(GetInt(line, column + 4, 2, ui), GetInt(line, column + 6, 2, ui),
                            GetInt(line, column, 4, ui));
}

int DayNumber(int32_t date, int32_t start)
{
    const int64_t d = int64_t(date) - int64_t(start) + 1;
    return static_cast<int>(
        std::clamp<int64_t>(d, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// A copy count from the crew complement: the two characters after the
// first occurrence of the position code.
int ComplementCount(std::string_view complement, std::string_view code)
{
    const size_t at = complement.find(code);
    if (at == std::string_view::npos)
        return 0;
    return LeadingInt(complement.substr(at + code.size(), 2));
}

class PrgLoader {
public:
    PrgLoader(ScheduleDocument& doc, Interaction& ui, const Selection& selection)
        : m_doc(doc), m_ui(ui), m_sel(selection)
    {
    }

    // Reads every line; false when a line ended before a text field.
    bool Read(ChunkLineReader& reader, size_t totalBytes, TProgressDialog& progress);

    int Stored() const { return m_stored; }
    const std::string& ProgressList() const { return m_progressList; }

private:
    // A text field: false (file error) when the line ends before its first column.
    bool Field(std::string_view line, size_t first, size_t count, std::string_view& out)
    {
        if (line.size() < first) {
            m_fileError = true;
            return false;
        }
        out = line.substr(first, count);
        return true;
    }

    int Int(std::string_view line, int start, int count)
    {
        return GetInt(line, start, count, m_ui);
    }

    bool PairingLine(std::string_view line);
    bool FlightLine(std::string_view line);
    bool DutyLine(std::string_view line);
    bool DeadheadLine(std::string_view line);
    bool SegmentLine(std::string_view line);
    bool Header(std::string_view line, std::string_view complement);
    void OperatingDate(std::string_view line);
    // Stores the pairing in hand; false when its copies did not all fit.
    bool Store();
    bool Put(int count);
    void TableFull();

    ScheduleDocument& m_doc;
    Interaction& m_ui;
    Selection m_sel;
    TPair m_work;
    bool m_inHand = false;
    bool m_started = false; // the last pairing line began a pairing
    int32_t m_prevNumber = -1;
    int32_t m_firstDate = 0;
    int m_dutyIndex = 0;
    int m_captainOrOfficers = 0;
    int m_attendants = 0;
    int m_pursers = 0;
    int m_stored = 0;
    bool m_fileError = false;
    bool m_stop = false;
    std::string m_progressList;
};

bool PrgLoader::Read(ChunkLineReader& reader, size_t totalBytes, TProgressDialog& progress)
{
    std::string line;
    int lastPercent = -1;
    while (!m_stop && reader.Next(line)) {
        const bool full =
            !line.empty() && line[0] != '1' && m_work.Note.size() >= kPrgMaxPairingNote;
        if (!line.empty() && line[0] >= '1' && line[0] <= '5' && !full && m_sel.Matches(line)) {
            bool ok = true;
            switch (line[0]) {
            case '1':
                ok = PairingLine(line);
                break;
            case '2':
                ok = !m_started || FlightLine(line);
                break;
            case '3':
                ok = !m_started || DutyLine(line);
                break;
            case '4':
                ok = !m_started || DeadheadLine(line);
                break;
            case '5':
                ok = !m_started || SegmentLine(line);
                break;
            }
            if (!ok)
                return false;
        }
        const int percent = totalBytes == 0
                                ? 100
                                : static_cast<int>(uint64_t(reader.Consumed()) * 100 / totalBytes);
        if (percent != lastPercent) {
            lastPercent = percent;
            progress.SetValue(std::min(percent, 100));
        }
    }
    if (!m_stop && m_inHand && !Store())
        TableFull();
    return true;
}

void PrgLoader::TableFull()
{
    m_ui.Message(kCaption, "Maximum Number of Pairings Reached. Not all Pairings Loaded",
                 Icon::Error);
    m_stop = true;
}

bool PrgLoader::PairingLine(std::string_view line)
{
    const int32_t number = Int(line, 2, 4);
    const std::string numberText = std::to_string(number);
    m_ui.Trace("Loading Pair " + numberText + "  Index is " + std::to_string(m_stored) + "\n");
    m_progressList += numberText;
    m_progressList += ' ';

    if (m_inHand && number == m_prevNumber) {
        m_started = false;
        OperatingDate(line);
        return true;
    }

    std::string_view key, ident, complement;
    if (!Field(line, 1, 2, key) || !Field(line, 1, 5, ident) || !Field(line, 113, 32, complement))
        return false;

    if (m_inHand) {
        m_inHand = false;
        if (!Store() || m_stored >= kPrgMaxPairs) {
            TableFull();
            return true;
        }
    }

    m_work.Reset();
    m_prevNumber = number;
    m_work.PairNumber = number;
    m_work.PairKey = std::string(key);
    m_work.OnTime = Int(line, 78, 4);
    if (m_work.OnTime == kMinutesPerDay)
        m_work.OnTime = 0;
    m_work.Tafb = Int(line, 107, 5);
    m_work.Length = static_cast<int8_t>((m_work.OnTime + m_work.Tafb) / kMinutesPerDay + 1);
    m_work.OffTime = m_work.OnTime + m_work.Tafb;
    if (m_work.OffTime > kMinutesPerDay)
        m_work.OffTime -= (m_work.OffTime - 1) / kMinutesPerDay * kMinutesPerDay;
    m_work.MinRest = Int(line, 145, 4);
    m_work.Credit = Int(line, 299, 4);
    m_work.CrossesMidnight = line.size() > 112 && line[112] == 'Y';
    for (int k = 0; k < 6; ++k)
        m_work.DayHard[static_cast<size_t>(k)] = Int(line, 150 + 4 * k, 4);

    m_captainOrOfficers = m_attendants = m_pursers = 0;
    switch (m_doc.CrewKind) {
    case kCaptains:
        m_captainOrOfficers = ComplementCount(complement, "CA");
        m_work.PairType = "CA";
        break;
    case kFirstOfficers:
        m_captainOrOfficers = ComplementCount(complement, "FO");
        m_work.PairType = "FO";
        break;
    case kFlightAttendants:
        m_attendants = ComplementCount(complement, "FA");
        m_pursers = ComplementCount(complement, "PU");
        break;
    default:
        m_captainOrOfficers = 1;
        break;
    }
    m_work.Note.append(line);
    m_work.Note += '\n';
    if (!Header(line, complement))
        return false;
    m_inHand = true;
    m_started = true;
    m_dutyIndex = 0;
    m_firstDate = 0;
    OperatingDate(line);
    return true;
}

void PrgLoader::OperatingDate(std::string_view line)
{
    int32_t date = CheckedJulianDay(Int(line, 74, 2), Int(line, 76, 2), Int(line, 70, 4));
    if (date != 0 && m_work.OnTime == 0)
        ++date;
    if (m_started && m_firstDate == 0)
        m_firstDate = date;
    if (date == 0)
        return;
    const TDate d = DateFromJulianDay(date);
    const int days = std::clamp(m_doc.DaysInMonth, 0, ScheduleDocument::kMonthDays);
    for (int i = 0; i < days; ++i) {
        if (m_doc.DayDate[static_cast<size_t>(i)] == d) {
            m_work.OpsCount[static_cast<size_t>(i)] = kOpsOpen;
            break;
        }
    }
}

bool PrgLoader::Header(std::string_view line, std::string_view complement)
{
    std::string_view ident, pattern;
    if (!Field(line, 1, 5, ident) || !Field(line, 31, 7, pattern))
        return false;
    std::string& t = m_work.PairText;
    t.assign(4, ' ');
    t += ident;
    t += "   BSE REPT:";
    t += Clock(m_work.OnTime);
    t += "L   OPERATES - ";
    t += Format("%s.%d-", MonthAbbreviation(Int(line, 19, 2)), Int(line, 21, 2));
    t += Format("%s.%d ", MonthAbbreviation(Int(line, 27, 2)), Int(line, 29, 2));
    int count = 0;
    for (char c : pattern)
        count += c == 'Y' ? 1 : -1;
    if (count > 0) {
        t += "EXCEPT ";
        for (size_t i = 0; i < pattern.size(); ++i)
            if (pattern[i] == 'N')
                t += kWeekdayNames[i];
    } else {
        for (size_t i = 0; i < pattern.size(); ++i)
            if (pattern[i] == 'Y')
                t += kWeekdayNames[i];
    }
    EndTextLine(t);
    t += "    ";
    t += complement;
    bool first = true;
    for (int i = 0; i < 4; ++i) {
        const int day = Int(line, 40 + 4 * i, 2);
        if (day <= 0)
            continue;
        if (first)
            t += "EXCEPT ";
        first = false;
        t += Format("%s.%02d ", MonthAbbreviation(Int(line, 38 + 4 * i, 2)), day);
    }
    t += "  ";
    EndTextLine(t);
    t += "  ";
    EndTextLine(t);
    return true;
}

bool PrgLoader::FlightLine(std::string_view line)
{
    std::string_view flight, from, to;
    if (!Field(line, 15, 4, flight) || !Field(line, 28, 3, from) || !Field(line, 43, 3, to))
        return false;
    m_work.Note.append(line);
    m_work.Note += '\n';
    std::string& t = m_work.PairText;
    t += "  ";
    t += std::to_string(DayNumber(DateAt(line, 31, m_ui), DateAt(line, 7, m_ui)));
    t += line.size() > 61 && line[61] == 'D' ? "  DH" : "    ";
    const size_t at = t.size();
    t += flight;
    if (t.size() > at && t[at] == '0')
        t[at] = ' ';
    t += "   ";
    t += from;
    t += '-';
    t += to;
    t += "   ";
    t += Clock(Int(line, 39, 4));
    t += ' ';
    t += Clock(Int(line, 54, 4));
    t += "  ";
    t += Duration(Int(line, 64, 4));
    t += ' ';
    EndTextLine(t);
    AddClamped(m_work.FatigueUnits, 60);
    return true;
}

bool PrgLoader::DeadheadLine(std::string_view line)
{
    std::string_view carrier, from, to, code;
    if (!Field(line, 18, 7, carrier) || !Field(line, 34, 3, from) || !Field(line, 49, 3, to) ||
        !Field(line, 83, 3, code))
        return false;
    m_work.Note.append(line);
    m_work.Note += '\n';
    std::string& t = m_work.PairText;
    t += "  ";
    t += std::to_string(DayNumber(DateAt(line, 26, m_ui), DateAt(line, 7, m_ui)));
    t += " DH";
    const size_t at = t.size();
    t += carrier;
    if (t.size() > at + 2 && t[at + 2] == '0')
        t[at + 2] = ' ';
    t += ' ';
    t += from;
    t += '-';
    t += to;
    t += "   ";
    t += Clock(Int(line, 45, 4));
    t += ' ';
    t += Clock(Int(line, 60, 4));
    t += "         ";
    t += code;
    t += ' ';
    EndTextLine(t);
    AddClamped(m_work.FatigueUnits, 60);
    return true;
}

bool PrgLoader::SegmentLine(std::string_view line)
{
    std::string_view code, from, to;
    if (!Field(line, 18, 3, code) || !Field(line, 29, 3, from) || !Field(line, 44, 3, to))
        return false;
    m_work.Note.append(line);
    m_work.Note += '\n';
    std::string& t = m_work.PairText;
    t += "  ";
    t += std::to_string(DayNumber(DateAt(line, 32, m_ui), DateAt(line, 7, m_ui)));
    t += "     ";
    t += code;
    t += "   ";
    t += from;
    t += '-';
    t += to;
    t += "   ";
    t += Clock(Int(line, 40, 4));
    t += ' ';
    t += Clock(Int(line, 55, 4));
    t += "             ";
    EndTextLine(t);
    return true;
}

bool PrgLoader::DutyLine(std::string_view line)
{
    m_work.Note.append(line);
    m_work.Note += '\n';
    if (line.size() > 31 && line[30] == ' ' && line[31] == ' ')
        return true;
    std::string_view station, crew;
    if (!Field(line, 56, 3, station) || !Field(line, 59, 40, crew))
        return false;

    const int previous = m_dutyIndex;
    const int64_t index = int64_t(DateAt(line, 22, m_ui)) - int64_t(m_firstDate);
    m_dutyIndex = static_cast<int>(std::clamp<int64_t>(index, -1, TPair::kDays));
    const int report = Int(line, 30, 4);
    const int onDuty = Int(line, 47, 4);
    if (m_dutyIndex >= 0 && m_dutyIndex < TPair::kDays) {
        const size_t k = static_cast<size_t>(m_dutyIndex);
        AddClamped(m_work.DayCredit[k], Int(line, 126, 4));
        m_work.DayStart[k] = report;
        m_work.DayDuty[k] = onDuty;
    }

    std::string& lay = m_work.Layovers;
    if (m_dutyIndex == previous && lay.size() > 1)
        lay.erase(lay.size() - std::min<size_t>(3, lay.size()));
    if (m_dutyIndex > previous + 1) {
        if (lay.size() >= 3)
            lay += lay.substr(lay.size() - 3);
        else
            lay += station;
    }
    lay += station;

    AddClamped(m_work.FatigueUnits, onDuty);

    std::string& t = m_work.PairText;
    if (!t.empty())
        t.back() = ' ';
    t += Duration(Int(line, 114, 4)) + "  ";
    t += Duration(Int(line, 130, 4)) + "  ";
    t += Duration(Int(line, 122, 4)) + "  ";
    t += Duration(onDuty) + "  ";
    const int rest = Int(line, 51, 5);
    const int end = Int(line, 42, 4);
    if (rest > 0 && m_work.CrossesMidnight) {
        EndTextLine(t);
        t += "     CREW ON DUTY ";
        t += crew;
    } else if (rest > 0) {
        t += station;
        t += ' ' + Duration(rest) + ' ';
        EndTextLine(t);
        t += "    REPT: " + Clock(report) + ' ';
        t += "D-END: " + Clock(end) + ' ';
        t += crew;
    } else {
        EndTextLine(t);
        t += "    REPT: " + Clock(report) + ' ';
        t += "D-END: " + Clock(end) + ' ';
        EndTextLine(t);
        int32_t block = 0;
        for (int k = 0; k < 6; ++k)
            block += m_work.DayHard[static_cast<size_t>(k)];
        t += "   TOTALS  TAFB " + Clock(m_work.Tafb) + "  ";
        t += "  BLOCK " + Duration(block) + "  ";
        t += "  CREDIT " + Duration(m_work.Credit) + "  ";
        t += "  FATIGUE UNITS: " + Duration(m_work.FatigueUnits) + "  ";
    }
    EndTextLine(t);

    if (m_doc.CrewKind == kCaptains || m_doc.CrewKind == kFirstOfficers) {
        const int elapsed = report < end ? end - report : kMinutesPerDay - report + end;
        m_work.MinRest = std::abs(elapsed - onDuty) > 179 ? 780 : kPilotMinRest;
    }
    return true;
}

bool PrgLoader::Put(int count)
{
    for (int i = 0; i < count; ++i) {
        if (m_stored >= kPrgMaxPairs)
            return false;
        m_doc.Pairs[static_cast<size_t>(m_stored++)] = m_work;
    }
    return true;
}

bool PrgLoader::Store()
{
    std::string& lay = m_work.Layovers;
    if (lay.size() > 2)
        lay.erase(lay.size() - 3);
    if (m_doc.CrewKind == kFlightAttendants) {
        m_work.PairType = "PU";
        if (!Put(m_pursers))
            return false;
        m_work.PairType = "FA";
        return Put(m_attendants);
    }
    return Put(m_captainOrOfficers);
}

void TidyPairs(ScheduleDocument& doc)
{
    for (int i = 0; i <= doc.LastPair; ++i) {
        TPair& p = doc.Pairs[static_cast<size_t>(i)];
        const int length = std::clamp<int>(p.Length, 0, TPair::kDays);
        int64_t sum = 0;
        for (int k = 0; k < length; ++k)
            sum += p.DayCredit[static_cast<size_t>(k)];
        if (sum != p.Credit && length > 0) {
            size_t last = static_cast<size_t>(length - 1);
            if (p.DayCredit[last] <= 0 && length > 1)
                --last;
            AddClamped(p.DayCredit[last], int64_t(p.Credit) - sum);
        }
        p.Length = static_cast<int8_t>((p.OnTime + p.Tafb - 1) / kMinutesPerDay + 1);
        if (p.Tafb < 900 && p.OffTime < p.OnTime && p.OffTime < 120)
            p.CrossesMidnight = true;
    }
}

// Crew day slots keep a pairing only where the new table operates it that day.
void CheckCrewSlots(ScheduleDocument& doc)
{
    const int crew = std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
    const int days = std::clamp(doc.DaysInMonth, 0, ScheduleDocument::kMonthDays);
    for (int c = 0; c < crew; ++c) {
        TPilot& pilot = doc.Crew[static_cast<size_t>(c)];
        for (int d = 0; d < days; ++d) {
            int32_t& slot = pilot.DaySlot[static_cast<size_t>(d)];
            if (slot < 0)
                continue;
            int32_t* ops =
                slot <= doc.LastPair
                    ? &doc.Pairs[static_cast<size_t>(slot)].OpsCount[static_cast<size_t>(d)]
                    : nullptr;
            if (ops && *ops == kOpsOpen)
                *ops = kOpsAssigned;
            else
                slot = kFreeSlot;
        }
    }
}

void AdjustForDaylightSaving(ScheduleDocument& doc)
{
    const int days = std::clamp(doc.DaysInMonth, 0, ScheduleDocument::kMonthDays);
    for (int i = 0; i <= doc.LastPair; ++i) {
        TPair& p = doc.Pairs[static_cast<size_t>(i)];
        int day = 0;
        while (day < days && p.OpsCount[static_cast<size_t>(day)] == kNotOperating)
            ++day;
        if (day == days)
            continue;
        const int64_t start = int64_t(p.OnTime) + int64_t(day) * kMinutesPerDay;
        const int64_t end = start + p.Tafb;
        if (start < doc.DstChangeMinute && doc.DstChangeMinute <= end) {
            p.OffTime += doc.DstShift;
            if (p.OffTime > kMinutesPerDay)
                p.OffTime -= kMinutesPerDay;
            if (p.OffTime < 1)
                p.OffTime += kMinutesPerDay;
            p.Length = static_cast<int8_t>((p.OnTime + p.Tafb + doc.DstShift) / kMinutesPerDay + 1);
        }
    }
}

// Resets the records in use. Those past LastPair are blank already (see
// ScheduleDocument::LastPair), so a load costs what the last table held, not
// what the table could hold.
void ClearPairTable(ScheduleDocument& doc)
{
    const int used = std::clamp(doc.LastPair + 1, 0, kPrgMaxPairs);
    for (int i = 0; i < used; ++i)
        doc.Pairs[static_cast<size_t>(i)].Reset();
}

// Where the loader's passes read the file's lines: the file, opened afresh
// for each pass, or its bytes in memory, read where they are.
class PrgSource {
public:
    virtual ~PrgSource() = default;
    // A reader at the first line; null when the file cannot be opened.
    virtual std::unique_ptr<ChunkLineReader> Lines() = 0;
};

class PrgFileSource : public PrgSource {
public:
    explicit PrgFileSource(const std::filesystem::path& path) : m_path(path) {}
    std::unique_ptr<ChunkLineReader> Lines() override
    {
        m_file = OpenInputFile(m_path, InputText::Text).Stream;
        if (!m_file || !*m_file)
            return nullptr;
        return std::make_unique<ChunkLineReader>(*m_file, kPrgMaxLineLength);
    }

private:
    const std::filesystem::path& m_path;
    std::unique_ptr<std::istream> m_file;
};

class PrgTextSource : public PrgSource {
public:
    // A byte-order mark is skipped as it is when the file is opened.
    explicit PrgTextSource(std::string_view text)
        : m_text(text.starts_with("\xEF\xBB\xBF") ? text.substr(3) : text)
    {
    }
    std::unique_ptr<ChunkLineReader> Lines() override
    {
        return std::make_unique<ChunkLineReader>(m_text, kPrgMaxLineLength);
    }

private:
    std::string_view m_text;
};

void CityPairReport(ScheduleDocument& doc, ChunkLineReader& reader);

bool LoadPairs(ScheduleDocument& doc, PrgSource& source, size_t totalBytes, std::string_view name,
               std::string_view baseAndEqp, bool anyEquipment, Interaction& ui)
{
    {
        std::unique_ptr<ChunkLineReader> first = source.Lines();
        if (!first) {
            ui.Message(name, "Unable to Open File", Icon::Error);
            return false;
        }
        std::string line;
        if (!first->Next(line) || line.empty() || line[0] != '1') {
            ui.Message(kCaption,
                       "This does not appear to be a valid PRG file. The first char should be 1",
                       Icon::None);
            return false;
        }
    }

    ui.Trace("BeginLoadPRGPairs\n");
    ClearPairTable(doc);
    doc.LastPair = doc.LastBasePair = -1;
    doc.Modified = true;
    const Selection selection = ChooseSelection(doc, baseAndEqp, anyEquipment);

    std::unique_ptr<ChunkLineReader> reader = source.Lines();
    if (!reader) {
        ui.Message(name, "Unable to Open File", Icon::Error);
        return false;
    }
    PrgLoader loader(doc, ui, selection);
    std::optional<TProgressDialog> progress(std::in_place, ui, "Loading PRG Pairings", 100);
    if (!loader.Read(*reader, totalBytes, *progress)) {
        // A load cut short in the middle of a record keeps nothing of it,
        // nor of the records stored before it.
        for (int i = 0; i < loader.Stored(); ++i)
            doc.Pairs[static_cast<size_t>(i)].Reset();
        doc.LastPair = doc.LastBasePair = -1;
        progress.reset();
        ui.Message(kCaption,
                   "File Error - Unable to Load Pairings from this file. See Next Message Box for "
                   "Progress",
                   Icon::Error);
        ui.Message("Pair Loading Progress", loader.ProgressList(), Icon::None);
        CheckCrewSlots(doc);
        return false;
    }
    reader.reset();
    doc.LastPair = doc.LastBasePair = loader.Stored() - 1;

    if (doc.LastPair >= 0)
        TidyPairs(doc);
    CheckCrewSlots(doc);
    progress.reset();
    if (doc.LastPair >= 0) {
        // Validating derives the days worked that the credit classes below
        // need, whoever shows the report. A window shows it in its own
        // dialog, from which the scheduler can open the editor on a pairing.
        for (int i = 0; i <= doc.LastPair; ++i)
            (void)doc.Pairs[static_cast<size_t>(i)].Validate(doc.DaysInMonth);
        if (!doc.Events().ShowPairingWarnings())
            ShowPairingWarnings(doc, ui);
    } else
        ui.Message(kCaption, "Unable to load pairings from this file", Icon::Error);

    ScanUsaSegments(doc, ui);
    (void)SetupDaylightSaving(doc);
    if (doc.DstShift != 0)
        AdjustForDaylightSaving(doc);
    // The pairings window colours pairings by class before anything is
    // built or saved.
    for (int i = 0; i <= doc.LastPair; ++i)
        doc.Pairs[static_cast<size_t>(i)].UpdateCreditClass();
    doc.Modified = true;
    if (std::unique_ptr<ChunkLineReader> again = source.Lines())
        CityPairReport(doc, *again);
    else
        doc.PairingSourceText.clear();
    return true;
}

} // namespace

bool LoadPRGPairs(ScheduleDocument& doc, const std::filesystem::path& path,
                  std::string_view baseAndEqp, bool anyEquipment, Interaction& ui)
{
    std::error_code ec;
    const uintmax_t size = std::filesystem::file_size(path, ec);
    PrgFileSource source(path);
    return LoadPairs(doc, source, ec ? 0 : static_cast<size_t>(size), path.string(), baseAndEqp,
                     anyEquipment, ui);
}

bool LoadPRGPairsFromText(ScheduleDocument& doc, std::string_view text, std::string_view name,
                          std::string_view baseAndEqp, bool anyEquipment, Interaction& ui)
{
    PrgTextSource source(text);
    return LoadPairs(doc, source, text.size(), name, baseAndEqp, anyEquipment, ui);
}

void BuildCityPairReport(ScheduleDocument& doc, const std::filesystem::path& path)
{
    const InputFile in = OpenInputFile(path, InputText::Text);
    if (!in) {
        doc.PairingSourceText.clear();
        return;
    }
    BuildCityPairReport(doc, *in.Stream);
}

void BuildCityPairReport(ScheduleDocument& doc, std::istream& in)
{
    ChunkLineReader reader(in, kPrgMaxLineLength);
    CityPairReport(doc, reader);
}

namespace {

void CityPairReport(ScheduleDocument& doc, ChunkLineReader& reader)
{
    constexpr size_t kMaxPairs = 500;
    constexpr size_t kMaxCodes = 20;
    struct Cell {
        int64_t block = 0;
        int64_t deadheads = 0;
    };
    doc.PairingSourceText.clear();
    // The loading pass already traced every short line of this file.
    SilentInteraction quiet;
    std::vector<std::string> pairs;
    std::vector<std::string> codes;
    std::unordered_map<std::string, size_t> pairIndex;
    // A row of cells per city pair, added as pairs are met: most files name
    // far fewer than the 500 that fit.
    std::vector<Cell> cells;

    std::string line;
    std::string pair;
    while (reader.Next(line)) {
        if (line.size() < 80 || (line[0] != '2' && line[0] != '4'))
            continue;
        const bool flight = line[0] == '2';
        const size_t from = flight ? 28 : 34;
        const size_t to = flight ? 43 : 49;
        pair.assign(line, from, 3);
        pair += '-';
        pair.append(line, to, 3);
        const std::string_view code(line.data() + 1, 2);

        const auto found = pairIndex.find(pair);
        size_t column = 0;
        while (column < codes.size() && codes[column] != code)
            ++column;
        if ((found == pairIndex.end() && pairs.size() >= kMaxPairs) ||
            (column == codes.size() && codes.size() >= kMaxCodes))
            break;
        size_t row;
        if (found != pairIndex.end()) {
            row = found->second;
        } else {
            row = pairs.size();
            pairs.push_back(pair);
            pairIndex.emplace(pair, row);
            cells.resize(pairs.size() * kMaxCodes);
        }
        if (column == codes.size())
            codes.emplace_back(code);
        Cell& cell = cells[row * kMaxCodes + column];
        if (flight)
            cell.block += GetInt(line, 64, 4, quiet);
        else
            ++cell.deadheads;
    }

    std::string& out = doc.PairingSourceText;
    out.assign(8, ' ');
    for (const std::string& code : codes) {
        out += " ----- ";
        out += code.size() < 2 ? std::string(2 - code.size(), ' ') + code : code;
        out += " ----- ";
    }
    out += '\n';
    for (size_t r = 0; r < pairs.size(); ++r) {
        out += pairs[r];
        for (size_t c = 0; c < codes.size(); ++c) {
            const Cell& cell = cells[r * kMaxCodes + c];
            if (cell.block == 0 && cell.deadheads == 0) {
                out.append(16, ' ');
                continue;
            }
            const int32_t block = static_cast<int32_t>(
                std::clamp<int64_t>(cell.block, std::numeric_limits<int32_t>::min() / 2,
                                    std::numeric_limits<int32_t>::max() / 2));
            out += Format(" %8s  DH%3lld", Clock(block).c_str(),
                          static_cast<long long>(cell.deadheads));
        }
        out += '\n';
    }
}

} // namespace

} // namespace tl
