#include "sample/sample_formats.h"
#include "sample/sample_text.h"

#include "model/vortime.h"

namespace tl::sample {

// The pairing file. Every line is kPrgRecordLength characters, blank-padded,
// ended by a line feed. Columns 0-5 of every kind: the kind, the base letter
// and the four-digit pairing number. Times of day are minutes after midnight
// on the base's clock; durations are minutes; dates are YYYYMMDD.
//
// Columns the loader reads are written as it reads them. The others, free in
// the pairing system's layout, hold:
//   pairing line: 7-9 base airport, 11-13 aircraft type, 23-26 year of the
//     first date of validity, 82-85 release time on the last day, 86-90 total
//     block, 91-95 total time on duty, 96-97 number of legs, 174-197 credit
//     of days 1 to 6;
//   flight line: 20-22 aircraft tag of the leg, 46-53 arrival date;
//   duty line: 7-14 pairing start date, 15-16 duty number, 34-36 station
//     where the duty starts, 118-121 number of legs, and of the three totals
//     114-117 block flown, 130-133 deadhead, 122-125 time on the ground
//     between legs; 59-98 the crew on duty;
//   deadhead line: 18-24 carrier, flight number in four digits and a blank,
//     37-44 arrival date, 64-67 block time, 83-85 "CNF" (confirmed seat);
//   segment line: 47-54 arrival date, 59-62 time of the segment.
// The flight, duty, deadhead and segment lines follow the first pairing line
// only; the pairing lines of the further dates come after them, those of
// dates outside the period last.

namespace {

std::string Record(char kind, const SamplePairing& p)
{
    std::string line(static_cast<size_t>(kPrgRecordLength), ' ');
    line[0] = kind;
    line[1] = p.base;
    Put(line, 2, Digits(p.number, 4));
    return line;
}

void End(std::string& out, std::string& line)
{
    line.resize(static_cast<size_t>(kPrgRecordLength), ' ');
    out += line;
    out += '\n';
}

std::string MonthDay(int32_t day)
{
    const TDate d = DateFromJulianDay(day);
    return Digits(d.Month, 2) + Digits(d.Day, 2);
}

std::string CrewOnDuty(const std::string& complement)
{
    // "CA01FO01" reads "CA01 FO01" in the crew-on-duty text.
    std::string text;
    for (size_t i = 0; i + 4 <= complement.size(); i += 4) {
        if (!text.empty())
            text += ' ';
        text += complement.substr(i, 4);
    }
    return text;
}

void PairingLine(std::string& out, const SamplePairing& p, int32_t date, int legs, bool first)
{
    std::string line = Record('1', p);
    Put(line, 7, p.airport);
    Put(line, 11, p.aircraftType);
    Put(line, 19, MonthDay(p.validFrom));
    Put(line, 23, Digits(DateFromJulianDay(p.validFrom).Year, 4));
    Put(line, 27, MonthDay(p.validTo));
    for (size_t i = 0; i < 7; ++i)
        line[31 + i] = p.pattern[i] ? 'Y' : 'N';
    for (size_t i = 0; i < 4; ++i)
        Put(line, 38 + 4 * i, i < p.exceptions.size() ? MonthDay(p.exceptions[i]) : "0000");
    // A report at midnight is written as the end of the day before: 1440 on
    // the first line, 0000 on the others, as the pairing system varies it.
    Put(line, 70, Date8(p.midnightReport ? date - 1 : date));
    Put(line, 78, Digits(p.midnightReport && first ? 1440 : p.onTime, 4));
    Put(line, 82, Digits(p.release, 4));
    Put(line, 86, Digits(p.TotalBlock(), 5));
    Put(line, 91, Digits(p.TotalDuty(), 5));
    Put(line, 96, Digits(legs, 2));
    Put(line, 107, Digits(p.tafb, 5));
    line[112] = p.continuous ? 'Y' : 'N';
    Put(line, 113, p.complement);
    Put(line, 145, Digits(p.minRest, 4));
    for (size_t i = 0; i < 6; ++i) {
        Put(line, 150 + 4 * i, Digits(p.dayHard[i], 4));
        Put(line, 174 + 4 * i, Digits(p.dayCredit[i], 4));
    }
    Put(line, 299, Digits(p.credit, 4));
    End(out, line);
}

void FlightLine(std::string& out, const SamplePairing& p, const SampleLeg& leg)
{
    const int32_t first = p.dates.front();
    std::string line = Record('2', p);
    Put(line, 7, Date8(first));
    Put(line, 15, Digits(leg.flight, 4));
    Put(line, 20, leg.tag);
    Put(line, 28, leg.from);
    Put(line, 31, Date8(first + leg.depDay));
    Put(line, 39, Digits(leg.dep, 4));
    Put(line, 43, leg.to);
    Put(line, 46, Date8(first + leg.arrDay));
    Put(line, 54, Digits(leg.arr, 4));
    if (leg.deadhead)
        line[61] = 'D';
    Put(line, 64, Digits(leg.block, 4));
    End(out, line);
}

void DeadheadLine(std::string& out, const SamplePairing& p, const SampleLeg& leg)
{
    const int32_t first = p.dates.front();
    std::string line = Record('4', p);
    Put(line, 7, Date8(first));
    Put(line, 18, leg.carrier + Digits(leg.flight, 4) + " ");
    Put(line, 26, Date8(first + leg.depDay));
    Put(line, 34, leg.from);
    Put(line, 37, Date8(first + leg.arrDay));
    Put(line, 45, Digits(leg.dep, 4));
    Put(line, 49, leg.to);
    Put(line, 60, Digits(leg.arr, 4));
    Put(line, 64, Digits(leg.block, 4));
    Put(line, 83, "CNF");
    End(out, line);
}

void SegmentLine(std::string& out, const SamplePairing& p, const SampleLeg& leg)
{
    const int32_t first = p.dates.front();
    std::string line = Record('5', p);
    Put(line, 7, Date8(first));
    Put(line, 18, leg.segmentCode);
    Put(line, 29, leg.from);
    Put(line, 32, Date8(first + leg.depDay));
    Put(line, 40, Digits(leg.dep, 4));
    Put(line, 44, leg.to);
    Put(line, 47, Date8(first + leg.arrDay));
    Put(line, 55, Digits(leg.arr, 4));
    Put(line, 59, Digits(leg.block, 4));
    End(out, line);
}

// The pairing system's line for a free day at the outstation: a duty line
// with no times.
void FreeDayLine(std::string& out, const SamplePairing& p, const SampleDuty& before, int index)
{
    const int32_t first = p.dates.front();
    std::string line = Record('3', p);
    Put(line, 7, Date8(first));
    Put(line, 15, Digits(index + 1, 2));
    Put(line, 22, Date8(first + before.endDay + 1));
    Put(line, 34, before.endStation);
    Put(line, 56, before.endStation);
    Put(line, 59, "DAY OFF");
    End(out, line);
}

void DutyLine(std::string& out, const SamplePairing& p, const SampleDuty& duty, int index)
{
    const int32_t first = p.dates.front();
    std::string line = Record('3', p);
    Put(line, 7, Date8(first));
    Put(line, 15, Digits(index + 1, 2));
    Put(line, 22, Date8(first + duty.day));
    Put(line, 30, Digits(duty.report, 4));
    Put(line, 34, duty.legs.empty() ? p.airport : duty.legs.front().from);
    Put(line, 42, Digits(duty.end, 4));
    Put(line, 47, Digits(duty.onDuty, 4));
    Put(line, 51, Digits(duty.rest, 5));
    Put(line, 56, duty.endStation);
    Put(line, 59, CrewOnDuty(p.complement));
    Put(line, 114, Digits(duty.block, 4));
    Put(line, 118, Digits(static_cast<int64_t>(duty.legs.size()), 4));
    Put(line, 122, Digits(duty.sit, 4));
    Put(line, 126, Digits(duty.credit, 4));
    Put(line, 130, Digits(duty.deadhead, 4));
    End(out, line);
}

} // namespace

void AppendPrgPairing(std::string& out, const SamplePairing& p)
{
    if (p.dates.empty() || p.duties.empty())
        return;
    int legs = 0;
    for (const SampleDuty& d : p.duties)
        legs += static_cast<int>(d.legs.size());
    PairingLine(out, p, p.dates.front(), legs, true);
    int index = 0;
    for (const SampleDuty& duty : p.duties) {
        for (const SampleLeg& leg : duty.legs) {
            switch (leg.kind) {
            case SampleLeg::Kind::Flight:
                FlightLine(out, p, leg);
                break;
            case SampleLeg::Kind::OtherCarrier:
                DeadheadLine(out, p, leg);
                break;
            case SampleLeg::Kind::Ground:
                SegmentLine(out, p, leg);
                break;
            }
        }
        DutyLine(out, p, duty, index++);
        if (duty.dayOffAfter && p.blankDutyLines)
            FreeDayLine(out, p, duty, index++);
    }
    for (size_t i = 1; i < p.dates.size(); ++i)
        PairingLine(out, p, p.dates[i], legs, false);
    // The pairing system sometimes writes the last date's line twice; after
    // the details, so that the loader reads them.
    if (p.repeatedLine)
        PairingLine(out, p, p.dates.back(), legs, p.dates.size() == 1);
    for (int32_t date : p.outsideDates)
        PairingLine(out, p, date, legs, false);
}

} // namespace tl::sample
