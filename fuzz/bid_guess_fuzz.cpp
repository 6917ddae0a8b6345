// A bid is free text the scheduler may edit; guess the bid and the requests
// made from it must stay within the month and the request codes of bids.
#include "actions/bid_guess.h"
#include "actions/bid_requests.h"
#include "answer_yes.h"
#include "model/schedule_document.h"
#include "model/vortime.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

// November, or the February period that starts on January 31st, with the
// pairings Z8101 and Z8102.
tl::ScheduleDocument& Month(bool february)
{
    static tl::ScheduleDocument doc;
    tl::SilentInteraction quiet;
    (void)doc.SetMonth(quiet, february ? tl::JulianDay(1, 31, 2028) : tl::JulianDay(11, 1, 2027),
                       february ? tl::JulianDay(2, 29, 2028) : tl::JulianDay(11, 30, 2027));
    doc.CrewCount = 1;
    doc.LastPair = 1;
    for (int p = 0; p < 2; ++p) {
        doc.Pairs[static_cast<size_t>(p)].PairNumber = 8101 + p;
        doc.Pairs[static_cast<size_t>(p)].PairKey = "Z8";
    }
    tl::TPilot& crew = doc.Crew[0];
    crew.Reset();
    crew.EmpNumber = 42;
    crew.DayFlag[3] = 4; // a toolbox request
    return doc;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    tl::ScheduleDocument& doc = Month((size & 1) != 0);
    tl::fuzz::AnswerYes ui;
    std::string_view text(reinterpret_cast<const char*>(data), size);

    const tl::BidRequests requests = tl::GuessTheBid(doc, text);
    for (const tl::BidRequestGroup& g : requests) {
        for (int32_t d : g.Days)
            if (d != 0 && tl::SlotOfMonthDay(doc, d) < 0)
                __builtin_trap();
        for (int32_t p : g.Pairings)
            if (p != 0 && p != 8101 && p != 8102)
                __builtin_trap();
    }
    (void)tl::GuessPaneText(requests);
    (void)tl::SetDayOffRequests(doc, 0, requests, ui);
    (void)tl::SetBidFilters(doc, 0, requests, ui);
    const tl::TPilot& crew = doc.Crew[0];
    if (crew.DayFlag[3] != 4)
        __builtin_trap();
    for (int8_t flag : crew.DayFlag)
        if (flag != 0 && flag != 4 && (flag < tl::kFirstBidRequest || flag > tl::kLastBidRequest))
            __builtin_trap();
    return 0;
}
