#include "model/schedule_document.h"
#include "sample/sample_formats.h"
#include "sample/sample_text.h"
#include "sample/sample_world.h"

#include "model/text_format.h"
#include "model/vortime.h"

namespace tl::sample {

// The pairing listing (LIS file). The scan relies on a few things only, and
// the layout keeps them:
//   - each pairing's listing starts with "PAIRING " and its identifier, which
//     appears nowhere else in the file, and ends with its meal line;
//   - a leg line has the flight number at column 5 and the aircraft tag
//     ("CRA [", "CRJ [", "DH1 [" or "DH3 [", the four the scan counts) 71
//     columns after it in pilot listings (column 76) and 63 columns
//     after it in flight attendant listings (column 68); the flight number
//     is written as the pairing text shows it, a leading 0 as a blank;
//     legs on other carriers and road segments carry no tag;
//   - the meal line is three blanks, "MEALS US:" and the amount in 7
//     characters and two blanks (or 18 blanks when the pairing has no United
//     States portion), then "MEALS CAD:", the amount in 6 characters and a
//     blank: the 17 characters from "MEALS CAD:" end the scan's block, and
//     the line from "MEALS US:" is the 34 characters it copies;
//   - flight attendant listings say "LANGUAGE: FRENCH" for French pairings
//     (and "LANGUAGE: ENGLISH" otherwise); pilot listings have no language.
// Each file opens with a header and closes with a station index, so that
// even a listing of one pairing is longer than the 7500 characters below
// which the scan reads nothing.

namespace {

constexpr size_t kFlightColumn = 5;
constexpr size_t kPilotTagColumn = kFlightColumn + 71;
constexpr size_t kCabinTagColumn = kFlightColumn + 63;

const char* const kDayNames[7] = {"MON", "TUE", "WED", "THU", "FRI", "SAT", "SUN"};

std::string ShownFlight(int flight)
{
    std::string text = Digits(flight, 4);
    if (text[0] == '0')
        text[0] = ' ';
    return text;
}

std::string Registration(int flight)
{
    std::string reg = "C-G";
    int n = flight * 7919 + 13;
    for (int i = 0; i < 3; ++i, n /= 26)
        reg += static_cast<char>('A' + n % 26);
    return reg;
}

void AddLine(std::string& out, std::string line)
{
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    out += line;
    out += '\n';
}

std::string Operates(const SamplePairing& p)
{
    std::string text =
        "OPERATES " + ShortDate(p.validFrom, true) + "-" + ShortDate(p.validTo, true) + " ";
    int days = 0;
    for (bool on : p.pattern)
        days += on ? 1 : 0;
    if (days == 7) {
        text += " DAILY";
    } else {
        for (size_t i = 0; i < 7; ++i)
            if (p.pattern[i])
                text += std::string(" ") + kDayNames[i];
    }
    if (!p.exceptions.empty()) {
        text += "   EXCEPT";
        for (int32_t day : p.exceptions)
            text += " " + ShortDate(day, true);
    }
    return text;
}

void LegLine(std::string& out, const SampleLeg& leg, int day, bool cabin, const SampleDuty& duty,
             size_t index)
{
    std::string line;
    Put(line, 2, std::to_string(day + 1));
    switch (leg.kind) {
    case SampleLeg::Kind::Flight:
        Put(line, kFlightColumn, ShownFlight(leg.flight));
        break;
    case SampleLeg::Kind::OtherCarrier:
        Put(line, kFlightColumn, leg.carrier + " " + Digits(leg.flight, 4));
        break;
    case SampleLeg::Kind::Ground:
        Put(line, kFlightColumn, leg.segmentCode);
        break;
    }
    if (leg.deadhead)
        Put(line, 12, "DH");
    Put(line, 15, leg.from);
    Put(line, 19, ClockText(leg.dep));
    Put(line, 26, leg.to);
    Put(line, 30, ClockText(leg.arr));
    Put(line, 37, DurationText(leg.block));
    if (index + 1 < duty.legs.size()) {
        const SampleLeg& next = duty.legs[index + 1];
        const int ground = (next.depDay * 1440 + next.dep) - (leg.arrDay * 1440 + leg.arr);
        if (ground > 0)
            Put(line, 44, DurationText(ground));
    }
    if (leg.kind == SampleLeg::Kind::Flight) {
        const Station* a = FindStation(leg.from);
        const Station* b = FindStation(leg.to);
        const int km = a && b ? DistanceKm(*a, *b) : 0;
        if (cabin) {
            Put(line, 51, km > 700 ? "SNK" : "BEV");
            Put(line, kCabinTagColumn, leg.tag + " [");
        } else {
            Put(line, 51, Registration(leg.flight));
            Put(line, 59, Format("%4d KM", km));
            Put(line, kPilotTagColumn, leg.tag + " [");
        }
        int seats = 50;
        for (const Equipment& e : EquipmentTypes())
            if (e.mainTag == leg.tag)
                seats = e.seats;
        line += std::to_string(seats) + "]";
    }
    AddLine(out, line);
}

void Listing(std::string& out, const SamplePairing& p, bool cabin)
{
    AddLine(out, std::string(100, '-'));
    std::string head = "PAIRING " + p.Identifier();
    Put(head, 16, p.airport + " " + p.aircraftType);
    Put(head, 26, p.complement);
    Put(head, 44, Operates(p));
    AddLine(out, head);

    std::string second = "REPORT " + ClockText(p.onTime) + "  RELEASE " + ClockText(p.release) +
                         "  TAFB " + DurationText(p.tafb) + "  BLOCK " +
                         DurationText(p.TotalBlock()) + "  CREDIT " + DurationText(p.credit) +
                         "  DUTY DAYS " + std::to_string(p.duties.size());
    if (p.continuous)
        second += "  CONTINUOUS DUTY";
    if (cabin)
        second += p.french ? "  LANGUAGE: FRENCH" : "  LANGUAGE: ENGLISH";
    AddLine(out, second);

    std::string columns = " DAY FLT";
    Put(columns, 12, "DH DEP TIME");
    Put(columns, 26, "ARR TIME    BLK   GRND");
    Put(columns, 51, cabin ? "SVC" : "REG       DIST");
    Put(columns, cabin ? kCabinTagColumn : kPilotTagColumn, "EQP");
    AddLine(out, columns);

    for (size_t d = 0; d < p.duties.size(); ++d) {
        const SampleDuty& duty = p.duties[d];
        for (size_t i = 0; i < duty.legs.size(); ++i)
            LegLine(out, duty.legs[i], duty.legs[i].depDay, cabin, duty, i);
        std::string line = "      DUTY " + std::to_string(d + 1) + "  REPORT " +
                           ClockText(duty.report) + "  END " + ClockText(duty.end) + "  ON DUTY " +
                           DurationText(duty.onDuty) + "  CREDIT " + DurationText(duty.credit);
        if (duty.rest > 0)
            line += "  LAYOVER " + duty.endStation + "  REST " + DurationText(duty.rest);
        AddLine(out, line);
    }
    const int us = p.mealsUsCents < 1000000 ? p.mealsUsCents : 999999;
    const int cad = p.mealsCadCents < 100000 ? p.mealsCadCents : 99999;
    std::string meals = "   ";
    meals += us > 0 ? "MEALS US:" + Money(us, 7) + "  " : std::string(18, ' ');
    meals += "MEALS CAD:" + Money(cad, 6) + " ";
    out += meals;
    out += '\n';
    out += '\n';
}

} // namespace

std::string LisText(const std::vector<const SamplePairing*>& pairings, const GroupInfo& group,
                    const SamplePeriod& period)
{
    const bool cabin = group.crewKind == kFlightAttendants;
    std::string out;
    const TDate last = DateFromJulianDay(period.lastDay);
    char digit = pairings.empty() ? ' ' : pairings.front()->Equipment();
    AddLine(out, "PAIRING LISTING   " + group.code + "   PERIOD " +
                     ShortDate(period.firstDay, true) + " - " + ShortDate(period.lastDay, true) +
                     " " + std::to_string(last.Year));
    AddLine(out, "CREW " + group.status + "   BASE " + group.airport + "   EQUIPMENT " +
                     std::string(1, digit) + "   PAIRINGS " + std::to_string(pairings.size()));
    AddLine(
        out,
        "TIMES ARE CLOCK TIMES AT THE BASE. BLOCK, GROUND AND DUTY TIMES IN HOURS AND MINUTES.");
    AddLine(out,
            "EQUIPMENT TAGS: CRA JET 75 SEATS, CRJ JET 50 SEATS, DH1 DASH 8-100, DH3 DASH 8-300, "
            "DH3 DASH 8-300 AND 8-400.");
    out += '\n';
    for (const SamplePairing* p : pairings)
        Listing(out, *p, cabin);

    AddLine(out, std::string(100, '='));
    AddLine(out, "STATION INDEX");
    const Station* base = FindStation(group.airport);
    for (const Station& s : Stations()) {
        const int km = base ? DistanceKm(*base, s) : 0;
        AddLine(out, Format(" %.3s  %s  %2d.%02dN %3d.%02dW  %5d KM FROM %s   DH8 %s   CRJ %s",
                            s.code.data(), s.usa ? "USA" : "CAN", s.lat / 100, s.lat % 100,
                            -s.lon / 100, -s.lon % 100, km, group.airport.c_str(),
                            base ? DurationText(BlockMinutes(*base, s, 440)).c_str() : " 0:00",
                            base ? DurationText(BlockMinutes(*base, s, 700)).c_str() : " 0:00"));
    }
    return out;
}

} // namespace tl::sample
