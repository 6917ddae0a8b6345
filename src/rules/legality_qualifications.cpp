// Rules that depend on a crew member's qualifications: check-pilot credit
// and the YTZ airport (pilots), French and familiarisation pairings (flight
// attendants).
#include "rules/legality_rules.h"

#include "model/vortime.h"

#include <algorithm>

namespace tl::legality {

namespace {

bool Mentions(const TPair& p, std::string_view text)
{
    return p.PairText.find(text) != std::string::npos;
}

// Header once, then the label of every slot of the month whose pairing
// mentions `text`.
template <typename Mark>
void MarkPairingsMentioning(CrewView& v, std::string_view text, std::string& out,
                            std::string_view header, Mark mark)
{
    bool first = true;
    for (int d = 0; d < v.days; ++d) {
        if (!v.pair[d] || !Mentions(*v.pair[d], text))
            continue;
        if (first)
            out += header;
        first = false;
        AppendDay(out, v, d);
        mark(d);
    }
}

} // namespace

void CheckCheckPilotCredit(CrewView& v)
{
    int64_t sum = v.crew.CarryIn[CarryInEntry::Credit];
    for (int d = 0; d < v.days; ++d) {
        const TPair* p = v.pair[d];
        if (!p)
            continue;
        if (d + p->Length > v.days) {
            for (int k = 0; k < v.days - d && k < TPair::kDays; ++k)
                sum += p->DayCredit[U(k)];
        } else {
            sum += p->Credit;
        }
    }
    const int32_t limit = v.doc.MonthRules[MonthRule::CheckPilotMaxCredit];
    if (sum > limit)
        v.crew.Illegalities += "Check Pilot Pair Credit > " + FormatHoursMinutes(limit, false);
}

void CheckYtzQualification(CrewView& v)
{
    MarkPairingsMentioning(v, "YTZ", v.crew.Illegalities, " Not Qualified for YTZ on",
                           [&](int d) { v.Illegal(d); });
}

bool FrenchPairingFine(CrewView& v, int pairing, int slot, int& responsible)
{
    responsible = v.rosterPlace;
    if (pairing < 0 || pairing >= ScheduleDocument::kPairCapacity || slot < 0 || slot >= kSlots)
        return true;
    const TPair& p = v.doc.Pairs[U(pairing)];
    if (!Mentions(p, "FRENCH PAIRING") || v.crew.CarryIn[CarryInEntry::Flags] != 0)
        return true;
    // Its copies: the other records of the same pairing for the other cabin members.
    DayArray<int, 10> copies{};
    int count = 0;
    const int lastPair = std::min(v.doc.LastPair, ScheduleDocument::kPairCapacity - 1);
    for (int q = 0; q <= lastPair && count < int(10); ++q) {
        const TPair& c = v.doc.Pairs[U(q)];
        if (q != pairing && c.PairNumber == p.PairNumber && c.PairKey == p.PairKey)
            copies[count++] = q;
    }
    const int crewCount = std::clamp(v.doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
    bool fine = false;
    int holders = 0;
    for (int i = 0; i < count; ++i) {
        for (int c = 0; c < crewCount; ++c) {
            TPilot& other = v.doc.Crew[U(c)];
            // Open lines hold pairing days nobody flies yet.
            if (c == v.rosterPlace || other.EmpNumber == -1 || other.DaySlot[U(slot)] != copies[i])
                continue;
            if (v.markOthers)
                other.LegalityValid = 0;
            if (other.CarryIn[CarryInEntry::Flags] != 0)
                fine = true;
            else
                ++holders;
            if (i == count - 1)
                responsible = std::max(responsible, c);
        }
    }
    return fine || holders < count;
}

void CheckFrenchPairings(CrewView& v)
{
    bool header = false;
    for (int d = 0; d < v.days; ++d) {
        if (!v.pair[d])
            continue;
        int responsible = 0;
        if (FrenchPairingFine(v, v.crew.DaySlot[U(d)], d, responsible) ||
            responsible != v.rosterPlace)
            continue;
        if (!header) {
            v.crew.Illegalities += " French Pair ";
            header = true;
        }
        AppendDay(v.crew.Illegalities, v, d);
        v.Illegal(d);
    }
}

void CheckFamPairings(CrewView& v)
{
    MarkPairingsMentioning(v, "EXTRA FA ON", v.crew.Warnings, "Fam Pairing in Block on",
                           [&](int d) { v.Warn(d); });
}

} // namespace tl::legality
