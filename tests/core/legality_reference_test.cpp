// A second, deliberately plain reading of the rest and hard-time rules,
// compared with the engine on random blocks.
#include "core/legality_month.h"
#include "rules/legality.h"
#include "rules/legality_rules.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

namespace tl {
namespace {

using test::LegalityMonth;
using Flags = std::array<bool, 62>;

size_t U(int i)
{
    return static_cast<size_t>(i);
}

const TPair* PairOn(const ScheduleDocument& doc, const TPilot& crew, int slot)
{
    const int32_t p = crew.DaySlot[U(slot)];
    return p >= 0 && p <= 3000 ? &doc.Pairs[U(p)] : nullptr;
}

// Where the rest stands after slot j: earliest legal start, the rest that
// followed that duty, and the start seen on the slot.
struct RestState {
    int32_t earliest, prevRest, lastStart;
};

RestState StateAfter(const ScheduleDocument& doc, const TPilot& crew, int j)
{
    if (j < 0)
        return {crew.CarryIn[1], 660, 0};
    const RestState before = StateAfter(doc, crew, j - 1);
    const auto& o = crew.DayOther[U(j)];
    if (const TPair* p = PairOn(doc, crew, j)) {
        const int32_t rest = p->MinRest > 660 ? p->MinRest : 660;
        return {p->OnTime + j * 1440 + p->Tafb + rest, rest, p->OnTime + j * 1440};
    }
    if (crew.DaySlot[U(j)] != -2)
        return before;
    if (o[5] != 0) {
        const int32_t rest = o[4] != 0 ? 539 : 660;
        return {o[0] + j * 1440 + o[1] + rest, rest, o[0] + j * 1440};
    }
    const std::string& code = crew.DayCode[U(j)];
    const bool off =
        code == "STT" || code == "VAC" || code == "GO " || code == "GO" || code == "STA";
    const int32_t start = off ? j * 1440 + before.prevRest + 120 : o[0] + j * 1440 + 660;
    return {o[0] + j * 1440 + o[1], 0, start};
}

void ReferenceRest(const ScheduleDocument& doc, const TPilot& crew, Flags& illegal, Flags& warn)
{
    for (int d = 0; d <= doc.DaysInMonth + 30; ++d) {
        const bool pairing = PairOn(doc, crew, d) != nullptr;
        if (!pairing && crew.DaySlot[U(d)] != -2)
            continue;
        const RestState s = StateAfter(doc, crew, d - 1);
        const auto& o = crew.DayOther[U(d)];
        const bool duty = pairing || o[5] != 0;
        const bool reserve = !pairing && o[4] != 0;
        int32_t start = pairing ? PairOn(doc, crew, d)->OnTime + d * 1440 : o[0] + d * 1440;
        if (!duty) {
            if (StateAfter(doc, crew, d).lastStart < s.earliest && !reserve)
                illegal[U(d)] = true;
            continue;
        }
        // Walk the minutes since the last start for the clock change.
        for (int32_t t = s.lastStart + 1; doc.DstShift != 0 && t <= start; ++t)
            if (t == doc.DstChangeMinute) {
                start -= doc.DstShift;
                break;
            }
        int32_t restMinutesShort = 0; // minutes of required rest not yet had at the start
        for (int32_t t = start; t < s.earliest; ++t)
            ++restMinutesShort;
        if (restMinutesShort > 0) {
            if (!reserve || restMinutesShort > 121 || (d == 0 && crew.DayCarry[30][6] == 2))
                illegal[U(d)] = true;
        } else if (start < s.earliest + 60 && !reserve) {
            warn[U(d)] = true;
        }
    }
}

// Hard time of calendar slot j: every pairing still flying that day, the
// other assignment of the day, and last month's carried hard time.
int32_t HardOn(const ScheduleDocument& doc, const TPilot& crew, int j)
{
    int32_t hard = j < 5 ? crew.DayCarry[U(j + 31)][5] : 0;
    for (int s = 0; s <= j && j >= 0; ++s) {
        const TPair* p = s < doc.DaysInMonth ? PairOn(doc, crew, s) : nullptr;
        if (p && j - s < p->Length)
            hard += p->DayHard[U(j - s)];
    }
    if (j >= 0 && crew.DaySlot[U(j)] == -2)
        hard += crew.DayOther[U(j)][3];
    return hard;
}

void ReferenceHard(const ScheduleDocument& doc, const TPilot& crew, int width, int32_t limit,
                   int ignoreFrom, Flags& illegal)
{
    for (int s = -(width - 1); s < doc.DaysInMonth; ++s)
        for (int i = std::max(s, 0); i < s + width && i < ignoreFrom; ++i) {
            int32_t sum = 0;
            for (int j = s; j <= i; ++j)
                sum += j < 0 ? crew.DayCarry[U(j + 31)][5] : HardOn(doc, crew, j);
            if (sum > limit)
                illegal[U(i)] = true;
        }
}

void RandomBlock(LegalityMonth& m, std::mt19937& rng)
{
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    TPilot& crew = m.Crew();
    crew.Reset();
    crew.EmpNumber = 1;
    m.doc->LastPair = -1;
    crew.CarryIn[1] = pick(-600, 1800);
    crew.DayCarry[30][6] = pick(0, 2);
    for (size_t e = 25; e <= 35; ++e)
        crew.DayCarry[e][5] = pick(0, 3) == 0 ? pick(0, 600) : 0;
    static const char* const kCodes[] = {"VAC", "GO ", "STT", "STA", "XXX", "RSV"};
    for (int d = 0; d < 62; ++d) {
        const int roll = pick(0, 99);
        if (d < m.doc->DaysInMonth && roll < 40) {
            const int length = pick(1, 4);
            const int on = pick(0, 1439);
            const int p = m.AddPair(on, (length - 1) * 1440 + pick(60, 1300), length);
            for (size_t k = 0; k < size_t(length); ++k)
                m.Pair(p).DayHard[k] = pick(0, 700);
            m.Pair(p).MinRest = pick(600, 780);
            m.Put(0, p, d);
            d += pick(0, length);
        } else if (roll < 55) {
            m.Other(0, d, kCodes[pick(0, 5)], pick(0, 1439), pick(0, 900), pick(0, 1) == 1,
                    pick(0, 2) == 0);
            crew.DayOther[U(d)][3] = pick(0, 2) == 0 ? pick(0, 400) : 0;
        }
    }
}

TEST(LegalityReferenceTest, RestAndHardTimeAgreeOnRandomBlocks)
{
    std::mt19937 rng(12);
    LegalityMonth months[] = {LegalityMonth(0, 6), LegalityMonth(0, 3), LegalityMonth(0, 11)};
    ASSERT_NE(months[1].doc->DstShift, 0);
    for (int block = 0; block < 3000; ++block) {
        LegalityMonth& m = months[block % 3];
        RandomBlock(m, rng);
        TPilot& crew = m.Crew();
        legality::CrewView view(*m.doc, crew, 0);
        Flags illegal{}, warn{};

        legality::CheckPilotRest(view);
        ReferenceRest(*m.doc, crew, illegal, warn);
        for (size_t s = 0; s < 62; ++s) {
            ASSERT_EQ(crew.DayIllegal[s] != 0, illegal[s])
                << "rest, block " << block << " slot " << s;
            ASSERT_EQ(crew.DayWarning[s] != 0, warn[s]) << "rest, block " << block << " slot " << s;
        }
        const struct {
            void (*rule)(legality::CrewView&);
            int width, limit, ignoreFrom;
        } windows[] = {{legality::CheckHardIn7, 7, 2400, 62},
                       {legality::CheckHardIn30, 30, 7200, m.doc->DaysInMonth + 5}};
        for (const auto& w : windows) {
            crew.DayIllegal.fill(0);
            illegal.fill(false);
            w.rule(view);
            ReferenceHard(*m.doc, crew, w.width, w.limit, w.ignoreFrom, illegal);
            for (size_t s = 0; s < 62; ++s)
                ASSERT_EQ(crew.DayIllegal[s] != 0, illegal[s])
                    << "hard in " << w.width << ", block " << block << " slot " << s;
        }
        crew.DayIllegal.fill(0);
        crew.DayWarning.fill(0);
    }
}

// Whatever a file holds, a check reads only inside the tables.
TEST(LegalityReferenceTest, HostileValuesAreCheckedSafely)
{
    std::mt19937 rng(7);
    auto any = [&] {
        static const int32_t kEdges[] = {INT32_MIN, -3,  -2,   -1,   0,    1,
                                         119,       120, 1440, 3000, 3001, INT32_MAX};
        return std::uniform_int_distribution<int>(0, 1)(rng)
                   ? kEdges[std::uniform_int_distribution<size_t>(0, 11)(rng)]
                   : static_cast<int32_t>(rng());
    };
    for (int kind : {0, 2}) {
        LegalityMonth m(kind, 11);
        m.doc->LastPair = 3000;
        m.doc->LastBasePair = 1500;
        for (int p = 0; p < 40; ++p) {
            TPair& pair = m.Pair(p);
            pair.OnTime = any();
            pair.Tafb = any();
            pair.Length = static_cast<int8_t>(any());
            pair.MinRest = any();
            pair.FatigueUnits = any();
            pair.PairText = "FRENCH PAIRING YTZ EXTRA FA ON";
            for (size_t k = 0; k < 31; ++k)
                pair.DayHard[k] = pair.DayStart[k] = pair.DayDuty[k] = pair.DayCredit[k] = any();
        }
        for (int c = 0; c < 2; ++c) {
            TPilot& crew = m.Crew(c);
            for (size_t s = 0; s < 62; ++s) {
                crew.DaySlot[s] = std::uniform_int_distribution<int>(-3, 45)(rng);
                for (size_t i = 0; i < 10; ++i) {
                    crew.DayOther[s][i] = any();
                    crew.DayCarry[s][i] = any();
                }
                crew.DayText[s] = "RB ";
                crew.DayCode2[s] = "RB";
            }
            for (auto& value : crew.CarryIn)
                value = any();
        }
        m.Crew(0).CarryIn[8] = 3;
        m.Crew(0).CarryIn[11] = 1;
        CheckAllLegality(*m.doc);
        BlockCredit(*m.doc, 0, true, m.ui);
        EXPECT_FALSE(m.Crew(0).Illegalities.empty());
    }
}

} // namespace
} // namespace tl
