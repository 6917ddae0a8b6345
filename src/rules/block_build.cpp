#include "rules/block_build.h"

#include "model/schedule_document.h"

#include <algorithm>

namespace tl {

namespace {

size_t U(int i)
{
    return static_cast<size_t>(i);
}

bool IsOpen(int32_t ops)
{
    return ops == 1 || ops == -1;
}

} // namespace

CreditLimits CreditLimitsOf(const ScheduleDocument& doc, const TPilot& crew)
{
    CreditLimits limits{doc.MonthRules[5], doc.MonthRules[4], doc.MonthRules[3]};
    if (crew.CarryIn[5] > 0)
        limits.Min = crew.CarryIn[5];
    if (crew.CarryIn[6] > 0)
        limits.Max = crew.CarryIn[6];
    if (crew.CarryIn[5] > 0 || crew.CarryIn[6] > 0)
        limits.Average = int32_t((int64_t(limits.Min) + limits.Max) / 2);
    return limits;
}

int32_t StoredBlockCredit(const TPilot& crew)
{
    return int32_t(crew.CreditHours) * 60 + crew.CreditMinutes;
}

int32_t OpenCredit(ScheduleDocument& doc, int32_t* totalOut)
{
    const int days = std::clamp(doc.DaysInMonth, 0, ScheduleDocument::kMonthDays);
    const int last = std::min(doc.LastPair, ScheduleDocument::kPairCapacity - 1);
    int64_t total = 0;
    int64_t open = 0;
    for (int p = 0; p <= last; ++p) {
        const TPair& pair = doc.Pairs[U(p)];
        for (int d = 0; d < days; ++d) {
            const int32_t ops = pair.OpsCount[U(d)];
            if (ops == 0)
                continue;
            total += pair.Credit;
            if (!IsOpen(ops))
                continue;
            if (d + pair.Length > days) {
                // Only the days that fall inside this month count.
                for (int k = 0; k < days - d && k < TPair::kDays; ++k)
                    open += pair.DayCredit[U(k)];
            } else {
                open += pair.Credit;
            }
        }
    }
    auto to32 = [](int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
    if (totalOut)
        *totalOut = to32(total);
    doc.Events().OpenCreditChanged(to32(open), to32(total));
    return to32(open);
}

int32_t ComputeBlockHolderCut(ScheduleDocument& doc)
{
    int64_t available = OpenCredit(doc);
    const int count = std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
    int trailing = 0;
    int stop = count;
    for (int i = 0; i < count; ++i) {
        const TPilot& c = doc.Crew[U(i)];
        if (c.BidReserveOrLoa) {
            ++trailing;
            continue;
        }
        trailing = 0;
        const int32_t credit = StoredBlockCredit(c);
        const CreditLimits limits = CreditLimitsOf(doc, c);
        if (credit > limits.Max) {
            available += credit - limits.Average;
        } else if (credit < limits.Min) {
            if (limits.Min - credit > available) {
                stop = i;
                break;
            }
            available += credit - limits.Average;
        }
    }
    const int32_t cut = stop - 1 - trailing;
    doc.BlockHolderCut = cut;
    // The marks are set even when the cut-off stays: records moved in the
    // roster carry their old marks with them.
    for (int i = 0; i < count; ++i)
        doc.Crew[U(i)].BeyondBlockHolders = i > cut ? 1 : 0;
    return cut;
}

void ComputeDayBalance(ScheduleDocument& doc)
{
    const int days = std::clamp(doc.DaysInMonth, 0, ScheduleDocument::kMonthDays);
    std::array<int32_t, ScheduleDocument::kMonthDays> balance{};
    const int last = std::min(doc.LastPair, ScheduleDocument::kPairCapacity - 1);
    for (int p = 0; p <= last; ++p) {
        const TPair& pair = doc.Pairs[U(p)];
        for (int d = 0; d < days; ++d) {
            if (!IsOpen(pair.OpsCount[U(d)]))
                continue;
            for (int k = d; k < d + std::max<int>(pair.Length, 0) && k < days; ++k)
                --balance[U(k)];
        }
    }
    const int count = std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
    for (int i = 0; i < count; ++i) {
        const TPilot& c = doc.Crew[U(i)];
        if (c.BidReserveOrLoa || c.BeyondBlockHolders)
            continue;
        const int32_t credit = StoredBlockCredit(c);
        const CreditLimits limits = CreditLimitsOf(doc, c);
        if (credit > limits.Min && credit < limits.Max)
            continue;
        // A legal check-in from 14:01 on leaves no usable duty that day.
        const int32_t checkIn = std::max(c.CarryIn[1], 0);
        int d = checkIn / 1440 + (checkIn % 1440 >= 14 * 60 + 1 ? 1 : 0);
        while (d < days) {
            const int32_t p = c.DaySlot[U(d)];
            if (p >= 0 && p <= last) {
                d += std::max<int>(doc.Pairs[U(p)].Length, 1);
                continue;
            }
            const int8_t request = c.DayFlag[U(d)];
            if (p == -1 && !(request >= 1 && request <= 51))
                ++balance[U(d)];
            ++d;
        }
    }
    for (int d = 0; d < ScheduleDocument::kMonthDays; ++d) {
        if (balance[U(d)] == doc.DayBalance[U(d)])
            continue;
        doc.DayBalance[U(d)] = balance[U(d)];
        doc.Events().DayBalanceChanged(d);
    }
}

void TakeDownGrid(ScheduleDocument& doc)
{
    if (!doc.GridOn)
        return;
    doc.GridOn = false;
    doc.Events().GridTakenDown();
    doc.Events().GridChanged();
}

} // namespace tl
