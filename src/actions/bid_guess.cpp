#include "actions/bid_guess.h"

#include "model/schedule_document.h"
#include "model/text_format.h"
#include "model/vortime.h"

#include <algorithm>

namespace tl {

namespace {

size_t U(int value)
{
    return static_cast<size_t>(value);
}

// atoi: a sign, then digits up to the first other character; held short of
// overflow, which no day or pairing number comes near.
int32_t ReadInt(std::string_view text)
{
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    int32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min(value * 10 + (text[i] - '0'), int32_t{100000000});
    return negative ? -value : value;
}

int PeriodDays(const ScheduleDocument& doc)
{
    return std::clamp(doc.DaysInMonth, 0, ScheduleDocument::kMonthDays);
}

template <size_t N> void Add(std::array<int32_t, N>& list, int& used, int32_t value)
{
    if (used < static_cast<int>(N))
        list[U(used++)] = value;
}

void ReadPreference(const ScheduleDocument& doc, std::string_view bid, int number,
                    BidRequestGroup& group)
{
    const size_t at = bid.find(Format("(%d).", number));
    if (at == std::string_view::npos || at + 4 > bid.size())
        return;
    const size_t end = std::min(bid.find('\n', at + 4), bid.size());
    if (end - (at + 4) < 2)
        return;
    std::string line = " " + std::string(bid.substr(at + 4, end - at - 4));
    UpperCase(line);
    const bool off = line.find("OFF") != std::string::npos;
    int days = 0;
    int pairings = 0;

    if (off && line.find("WEEKENDS") != std::string::npos)
        for (int s = 0; s < PeriodDays(doc); ++s)
            if (doc.Weekend[U(s)])
                Add(group.Days, days, doc.DayDate[U(s)].Day);

    const bool prefixed = doc.LastPair >= 1 && !doc.Pairs[0].PairKey.empty();
    const char prefix = prefixed ? doc.Pairs[0].PairKey[0] : '\0';
    size_t pos = 0;
    while (pos < line.size()) {
        const size_t stop = std::min(line.find_first_of(" ,", pos), line.size());
        const std::string_view token = std::string_view(line).substr(pos, stop - pos);
        pos = stop + 1;
        if (token.empty())
            continue;
        const size_t dash = token.find('-');
        if (dash != std::string_view::npos && off) {
            const int a = ReadInt(token.substr(0, dash));
            const int b = ReadInt(token.substr(dash + 1));
            const int sa = SlotOfMonthDay(doc, a);
            const int sb = SlotOfMonthDay(doc, b);
            if (sa < 0 || sb < 0)
                continue;
            if (a < b && sa < sb) {
                for (int d = a; d <= b; ++d)
                    Add(group.Days, days, d);
            } else if (a > b && sa > sb) {
                for (int d = a; d >= b; --d)
                    Add(group.Days, days, d);
            } else if (sa < sb) {
                // A range across the start of the calendar month, 31-2.
                for (int s = sa; s <= sb; ++s)
                    Add(group.Days, days, doc.DayDate[U(s)].Day);
            } else {
                for (int s = sa; s >= sb; --s)
                    Add(group.Days, days, doc.DayDate[U(s)].Day);
            }
            continue;
        }
        const int32_t n = ReadInt(token);
        if (n != 0) {
            if (off && SlotOfMonthDay(doc, n) >= 0)
                Add(group.Days, days, n);
        } else if (token.size() >= 2 && prefixed && token[0] == prefix) {
            const int32_t pairing = ReadInt(token.substr(1));
            if (pairing != 0 && PairingNumberExists(doc, pairing))
                Add(group.Pairings, pairings, pairing);
        }
    }
}

// Keeps each number only in the first group that asks for it, and there
// only at its last place.
template <size_t N>
void RemoveRepeats(BidRequests& requests, std::array<int32_t, N> BidRequestGroup::*list)
{
    for (size_t g = 0; g < requests.size(); ++g) {
        std::array<int32_t, N>& values = requests[g].*list;
        for (size_t i = 0; i < N; ++i) {
            const int32_t v = values[i];
            if (v == 0)
                continue;
            bool earlier = std::find(values.begin() + static_cast<long>(i) + 1, values.end(), v) !=
                           values.end();
            for (size_t h = 0; h < g && !earlier; ++h) {
                const std::array<int32_t, N>& before = requests[h].*list;
                earlier = std::find(before.begin(), before.end(), v) != before.end();
            }
            if (earlier)
                values[i] = 0;
        }
    }
}

} // namespace

int SlotOfMonthDay(const ScheduleDocument& doc, int day)
{
    for (int s = 0; s < PeriodDays(doc); ++s)
        if (doc.DayDate[U(s)].Day == day)
            return s;
    return -1;
}

bool PairingNumberExists(const ScheduleDocument& doc, int32_t number)
{
    const int last = std::min(doc.LastPair, ScheduleDocument::kPairCapacity - 1);
    for (int p = 0; p <= last; ++p)
        if (doc.Pairs[U(p)].PairNumber == number)
            return true;
    return false;
}

BidRequests GuessTheBid(const ScheduleDocument& doc, std::string_view bid)
{
    BidRequests requests{};
    for (int n = 1; n <= kBidPreferences; ++n)
        ReadPreference(doc, bid, n, requests[U(n - 1)]);
    RemoveRepeats(requests, &BidRequestGroup::Days);
    RemoveRepeats(requests, &BidRequestGroup::Pairings);
    return requests;
}

std::string GuessPaneText(const BidRequests& requests)
{
    std::string text = "--- Requested Days Off ---\n";
    for (const BidRequestGroup& g : requests) {
        bool any = false;
        for (int32_t d : g.Days)
            if (d > 0) {
                text += Format("%02d, ", d);
                any = true;
            }
        if (any)
            text += "\n";
    }
    text += "\n--- Requested Pairings ---\n";
    for (const BidRequestGroup& g : requests) {
        bool any = false;
        for (int i = 0; i < kListedPairings; ++i)
            if (g.Pairings[U(i)] > 0) {
                text += Format("%04d, ", g.Pairings[U(i)]);
                any = true;
            }
        if (any)
            text += "\n";
    }
    return text;
}

} // namespace tl
