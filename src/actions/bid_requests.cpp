#include "actions/bid_requests.h"

#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/text_format.h"
#include "model/version.h"
#include "model/vortime.h"
#include "rules/block_build.h"
#include "rules/legality.h"

#include <algorithm>

namespace tl {

namespace {

size_t U(int value)
{
    return static_cast<size_t>(value);
}

bool IsCrew(const ScheduleDocument& doc, int crew)
{
    return crew >= 0 && crew < std::min(doc.CrewCount, ScheduleDocument::kCrewCapacity);
}

// The day offset of the schedule periods that are shifted by one day
// against the calendar month: February's starts the day before the 1st,
// March's the day after.
int DayOffset(const ScheduleDocument& doc)
{
    return doc.Month == 2 ? 1 : doc.Month == 3 ? -1 : 0;
}

} // namespace

BidImportResult ImportBids(ScheduleDocument& doc, const std::filesystem::path& path,
                           Interaction& ui)
{
    BidImportResult result = ImportPilotBids(doc, path, ui);
    if (result.Outcome != BidImportOutcome::Read)
        return result;
    // Crew flagged as bidding reserve no longer count as free.
    ComputeDayBalance(doc);
    if (doc.GridOn) {
        CheckAllLegality(doc);
        doc.Events().GridChanged();
    }
    ShowSummary(ui, bid_file::kSummaryCaption, result.Summary);
    return result;
}

BidSave SaveBidText(ScheduleDocument& doc, int crew, std::string_view text, Interaction& ui)
{
    if (!IsCrew(doc, crew))
        return BidSave::Unchanged;
    TPilot& pilot = doc.Crew[U(crew)];
    std::string bid(text);
    UpperCase(bid);
    if (bid == pilot.BidText)
        return BidSave::Unchanged;
    if (text.size() != pilot.BidText.size() &&
        !ui.AskYes(kCaption, "Save Changes to Bid for " + pilot.Name))
        return BidSave::Discarded;
    pilot.BidText = std::move(bid);
    doc.Modified = true;
    return BidSave::Stored;
}

bool SetDayOffRequests(ScheduleDocument& doc, int crew, BidRequests requests, Interaction& ui)
{
    if (!IsCrew(doc, crew))
        return false;
    TPilot& pilot = doc.Crew[U(crew)];
    for (size_t s = 0; s < ScheduleDocument::kMonthDays; ++s)
        if (pilot.DayFlag[s] >= kFirstBidRequest)
            pilot.DayFlag[s] = 0;
    const int offset = DayOffset(doc);

    int code = kFirstBidRequest;
    for (BidRequestGroup& group : requests) {
        auto& days = group.Days;
        std::stable_partition(days.begin(), days.end(), [](int32_t d) { return d != 0; });
        const size_t count =
            U(static_cast<int>(std::find(days.begin(), days.end(), 0) - days.begin()));
        const bool ascending =
            std::is_sorted(days.begin(), days.begin() + static_cast<long>(count));
        bool setAny = false;
        for (size_t i = 0; i < count; ++i) {
            int d = days[i];
            if (offset == 1 && d == 31) {
                d = 0; // the day before the 1st
            } else if (offset == 1 && d == 1) {
                if (!ui.AskYes(kCaption, "Is this request Feb 1st Off"))
                    d = 30;
            } else if (offset == -1 && d == 1) {
                ui.Message(kCaption,
                           "March 1st Is Not in This Schedule Period. Ignoring request for March "
                           "1st",
                           Icon::Error);
                continue;
            }
            const int slot = d - 1 + offset;
            if (slot < 0 || slot >= TPilot::kSlots)
                continue;
            if (pilot.DayFlag[U(slot)] == 0) {
                pilot.DayFlag[U(slot)] = static_cast<int8_t>(code);
                setAny = true;
            }
            const int32_t next = i + 1 < count ? days[i + 1] : 0;
            if (!ascending && slot + 1 < TPilot::kSlots && doc.DayDate[U(slot + 1)].Day != next &&
                code < kLastBidRequest)
                ++code;
        }
        // Past X32 the codes would show nothing: the last runs share it.
        if (setAny && code < kLastBidRequest)
            ++code;
    }

    doc.Modified = true;
    if (doc.GridOn) {
        ComputeDayBalance(doc); // day-off requests count in the balance
        CheckLegality(doc, crew);
    }
    doc.Events().CrewRowChanged(crew, 0, TPilot::kSlots - 1);
    return true;
}

bool SetBidFilters(ScheduleDocument& doc, int crew, const BidRequests& requests, Interaction& ui)
{
    if (!IsCrew(doc, crew))
        return false;
    TPilot& pilot = doc.Crew[U(crew)];
    const size_t marker = pilot.FilterText.find("TEXT");
    const std::string text =
        marker == std::string::npos ? std::string() : pilot.FilterText.substr(marker + 4);

    std::string numbers;
    std::string notFound;
    for (const BidRequestGroup& group : requests)
        for (int i = 0; i < kListedPairings; ++i) {
            const int32_t number = group.Pairings[U(i)];
            if (number <= 0)
                continue;
            if (PairingNumberExists(doc, number))
                numbers += Format("%04d", number);
            else
                notFound += Format("%04d ", number);
        }
    if (!notFound.empty())
        ui.Message(kCaption,
                   "The following Pair Numbers were Not Found in the Pairings. They Will Not be "
                   "Added to the Filters." +
                       notFound,
                   Icon::Information);

    std::string filter = numbers.empty() && text.empty() ? std::string() : numbers + "TEXT" + text;
    if (filter != pilot.FilterText) {
        pilot.FilterText = std::move(filter);
        doc.Modified = true;
    }
    return true;
}

} // namespace tl
