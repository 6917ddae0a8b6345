#pragma once

#include "model/schedule_document.h"
#include "model/vortime.h"
#include "support/scripted_interaction.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace tl::test {

// A month of two crew members and hand-made pairings for the legality tests.
struct LegalityMonth {
    std::unique_ptr<ScheduleDocument> doc = std::make_unique<ScheduleDocument>();
    ScriptedInteraction ui;

    explicit LegalityMonth(int crewKind = 0, int month = 6, int year = 2027, int crew = 2)
    {
        const int32_t first = JulianDay(month, 1, year);
        const int32_t next =
            month == 12 ? JulianDay(1, 1, year + 1) : JulianDay(month + 1, 1, year);
        EXPECT_TRUE(doc->SetMonth(ui, first, next - 1));
        doc->CrewKind = static_cast<int8_t>(crewKind);
        doc->CrewCount = crew;
        doc->MonthRules[MonthRule::CheckPilotMaxCredit] = 5400;
        for (int c = 0; c < crew; ++c) {
            Crew(c).EmpNumber = c + 1;
            Crew(c).Name = "CREW " + std::to_string(c + 1);
        }
        SetupDaylightSaving(*doc);
    }

    TPilot& Crew(int c = 0) { return doc->Crew[static_cast<size_t>(c)]; }
    TPair& Pair(int p) { return doc->Pairs[static_cast<size_t>(p)]; }

    // A pairing reporting at `on` and away `tafb` minutes, `days` duty days of
    // `hard` hard time each, starting every duty day at `on`.
    int AddPair(int on, int tafb, int days = 1, int hard = 0, int duty = 0)
    {
        const int p = ++doc->LastPair;
        doc->LastBasePair = doc->LastPair;
        TPair& pair = Pair(p);
        pair.PairNumber = 100 + p;
        pair.OnTime = on;
        pair.Tafb = tafb;
        pair.Length = static_cast<int8_t>(days);
        for (size_t k = 0; k < static_cast<size_t>(days); ++k) {
            pair.DayHard[k] = hard;
            pair.DayStart[k] = on;
            pair.DayDuty[k] = duty;
            pair.DayCredit[k] = 300;
        }
        pair.Credit = 300 * days;
        return p;
    }
    void Put(int c, int p, int slot)
    {
        Crew(c).DaySlot[static_cast<size_t>(slot)] = p;
        if (slot < 31)
            Pair(p).OpsCount[static_cast<size_t>(slot)] = kOpsAssigned;
    }
    // An other assignment: [0] start, [1] length, [4] reserve, [5] duty.
    void Other(int c, int slot, const char* code, int start, int length, bool duty,
               bool reserve = false, const char* code2 = "")
    {
        const auto s = static_cast<size_t>(slot);
        Crew(c).DaySlot[s] = kOtherSlot;
        Crew(c).DayCode[s] = code;
        Crew(c).DayCode2[s] = code2;
        Crew(c).DayOther[s] = {start, length, 0, 0, reserve ? 1 : 0, duty ? 1 : 0, 0, 0, 0, 0};
    }
};

} // namespace tl::test
