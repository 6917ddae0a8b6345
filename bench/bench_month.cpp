#include "bench_month.h"

#include "model/interaction.h"
#include "model/vortime.h"
#include "rules/block_build.h"

#include <random>
#include <string>

namespace tl::bench {

namespace {

using tl::ScheduleDocument;

constexpr int kCrew = 1000;
constexpr int kPairings = 3000;
constexpr int kCopies = 100;

size_t U(int i)
{
    return static_cast<size_t>(i);
}

} // namespace

void FillRandomPairing(TPair& pair, int index, std::mt19937& rng)
{
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const int length = pick(1, 4);
    pair.PairNumber = 1000 + index;
    pair.PairKey = "K" + std::to_string(index);
    pair.Length = static_cast<int8_t>(length);
    pair.OnTime = pick(300, 1200);
    pair.Tafb = (length - 1) * 1440 + pick(480, 720);
    pair.FatigueUnits = pick(600, 1800);
    pair.Credit = 0;
    for (size_t k = 0; k < U(length); ++k) {
        pair.DayStart[k] = pair.OnTime;
        pair.DayDuty[k] = pick(420, 780);
        pair.DayHard[k] = pick(180, 420);
        pair.DayCredit[k] = pick(240, 420);
        pair.Credit += pair.DayCredit[k];
    }
}

std::unique_ptr<ScheduleDocument> MakeFullMonth()
{
    auto doc = std::make_unique<ScheduleDocument>();
    tl::SilentInteraction ui;
    doc->DeleteAll(ui);
    (void)doc->SetMonth(ui, tl::JulianDay(11, 1, 2027), tl::JulianDay(11, 30, 2027));
    doc->CrewKind = kCaptains;
    std::mt19937 rng(2027);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };

    doc->LastPair = kPairings - 1;
    doc->LastBasePair = kPairings - kCopies - 1;
    for (int p = 0; p <= doc->LastBasePair; ++p) {
        tl::TPair& pair = doc->Pairs[U(p)];
        tl::bench::FillRandomPairing(pair, p, rng);
        pair.PairText = "YYZ YUL YYZ";
        for (int d = 0; d < doc->DaysInMonth; ++d)
            pair.OpsCount[U(d)] = pick(0, 2) == 0 ? 0 : 1;
        pair.OpsCount[0] = kOpsOpen;
    }
    // Each copy flies one day of a base pairing with a second captain.
    for (int p = doc->LastBasePair + 1; p <= doc->LastPair; ++p) {
        tl::TPair& copy = doc->Pairs[U(p)];
        copy = doc->Pairs[U(p - doc->LastBasePair - 1)];
        copy.OpsCount.fill(0);
        copy.OpsCount[0] = kOpsOpen;
    }

    doc->CrewCount = kCrew;
    for (int c = 0; c < kCrew; ++c) {
        tl::TPilot& crew = doc->Crew[U(c)];
        crew.EmpNumber = 100000 + c;
        crew.Name = "CAPTAIN " + std::to_string(c + 1);
        crew.CarryIn[CarryInEntry::Flags] = c % 7 == 0 ? pick(1, 3) : 0;
        crew.BidReserveOrLoa = c % 40 == 39 ? 1 : 0;
        for (int d = 0; d < doc->DaysInMonth;) {
            if (pick(0, 9) == 0) {
                crew.DaySlot[U(d)] = kOtherSlot;
                crew.DayCode[U(d)] = "VAC";
                crew.DayOther[U(d)][OtherValue::Credit] = 240;
                ++d;
                continue;
            }
            const int p = pick(0, kPairings - 1);
            tl::TPair& pair = doc->Pairs[U(p)];
            if (pair.OpsCount[U(d)] != kOpsOpen) {
                ++d;
                continue;
            }
            pair.OpsCount[U(d)] = kOpsAssigned;
            crew.DaySlot[U(d)] = p;
            d += pair.Length + pick(1, 2);
        }
    }
    tl::FlagTwoCaptPairs(*doc, ui);
    return doc;
}

} // namespace tl::bench
