#include "import/pairing_warnings.h"

#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/text_format.h"
#include "model/vortime.h"

#include <algorithm>
#include <limits>

namespace tl {

namespace {

std::string HoursMinutes(int64_t minutes)
{
    return Format("%lld:%02lld", static_cast<long long>(minutes / 60),
                  static_cast<long long>(minutes % 60));
}

} // namespace

std::vector<std::string> PairingWarningsList(ScheduleDocument& doc)
{
    std::vector<std::string> lines;
    const int count = std::clamp(doc.LastPair, -1, ScheduleDocument::kPairCapacity - 1) + 1;
    const int days = std::clamp(doc.DaysInMonth, 0, ScheduleDocument::kMonthDays);

    int64_t creditSum = 0;
    int64_t lengthSum = 0;
    for (int i = 0; i < count; ++i) {
        const TPair& p = doc.Pairs[static_cast<size_t>(i)];
        for (int d = 0; d < days; ++d) {
            if (p.OpsCount[static_cast<size_t>(d)] != kNotOperating) {
                creditSum += p.Credit;
                lengthSum += p.Length;
            }
        }
    }
    const std::string average = lengthSum != 0 ? HoursMinutes(creditSum / lengthSum) : "0:00";
    lines.push_back(Format("Number of Pairings %d  Average Pairing Credit per day is %s", count,
                           average.c_str()));
    lines.emplace_back();
    lines.emplace_back("====== Pairing Warnings Report ======");
    lines.emplace_back();

    for (int i = 0; i < count; ++i) {
        TPair& p = doc.Pairs[static_cast<size_t>(i)];
        if (!p.Validate(days)) {
            lines.push_back(Format("Pair %04d  ", p.PairNumber) + p.ErrorText);
        }
    }

    lines.emplace_back();
    lines.emplace_back("====== End of Pairing Warnings ======");
    lines.emplace_back();
    lines.emplace_back("====== Begin Pairing Report ======");
    const std::string month(doc.MonthName.data(),
                            std::find(doc.MonthName.begin(), doc.MonthName.end(), '\0'));
    const std::string year(doc.YearText.data(),
                           std::find(doc.YearText.begin(), doc.YearText.end(), '\0'));
    lines.push_back("Pairing Report for " + month + " " + year +
                    " Carry Over Removed from Running Total");

    int64_t running = 0;
    int64_t grand = 0;
    for (int i = 0; i < count; ++i) {
        const TPair& p = doc.Pairs[static_cast<size_t>(i)];
        const int length = std::clamp<int>(p.Length, 0, TPair::kDays);
        int operating = 0;
        for (int d = 0; d < days; ++d) {
            if (p.OpsCount[static_cast<size_t>(d)] == kNotOperating)
                continue;
            ++operating;
            grand += p.Credit;
            if (d + p.Length <= days) {
                running += p.Credit;
            } else {
                for (int k = 0; k < std::min(days - d, TPair::kDays); ++k)
                    running += p.DayCredit[static_cast<size_t>(k)];
            }
        }
        int64_t hard = 0;
        for (int k = 0; k < length; ++k)
            hard += p.DayHard[static_cast<size_t>(k)];
        const int32_t hardMinutes =
            static_cast<int32_t>(std::clamp<int64_t>(hard, std::numeric_limits<int32_t>::min() / 2,
                                                     std::numeric_limits<int32_t>::max() / 2));
        lines.push_back(Format("Pair %04d  Credit %s  Hard %s  OPER %02d  Running Total %s",
                               p.PairNumber, FormatHoursMinutes(p.Credit, false).c_str(),
                               FormatHoursMinutes(hardMinutes, false).c_str(), operating,
                               HoursMinutes(running).c_str()));
    }
    lines.push_back("Total Hours including Carry Over " + HoursMinutes(grand));
    return lines;
}

void ShowPairingWarnings(ScheduleDocument& doc, Interaction& ui)
{
    ui.ShowList("Pairing Warnings and Report", PairingWarningsList(doc));
}

} // namespace tl
