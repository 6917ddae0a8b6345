#include "output/document_json.h"

#include "model/schedule_document.h"
#include "model/text_encoding.h"
#include "model/vortime.h"
#include "storage/history_text.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <sstream>

namespace tl {

namespace {

using nlohmann::json;

std::string Text(std::string_view bytes)
{
    return Cp1252ToUtf8(bytes);
}

template <size_t N> std::string Code(const std::array<char, N>& code)
{
    size_t n = 0;
    while (n < N && code[n] != '\0')
        ++n;
    return Text(std::string_view(code.data(), n));
}

template <typename T, size_t N> json Numbers(const std::array<T, N>& values)
{
    json out = json::array();
    for (const T& v : values)
        out.push_back(static_cast<int64_t>(v));
    return out;
}

template <typename T, size_t N> json Texts(const std::array<T, N>& values)
{
    json out = json::array();
    for (const T& v : values)
        out.push_back(Text(v));
    return out;
}

json DateJson(const TDate& d)
{
    return json{{"Day", d.Day}, {"Month", d.Month}, {"Year", d.Year}};
}

json PairJson(const TPair& p)
{
    return json{
        {"OnTime", p.OnTime},
        {"OffTime", p.OffTime},
        {"Credit", p.Credit},
        {"Length", p.Length},
        {"DaysWorked", p.DaysWorked},
        {"Tafb", p.Tafb},
        {"PairNumber", p.PairNumber},
        {"Label", Text(p.Label)},
        {"PairType", Text(p.PairType)},
        {"OpsCount", Numbers(p.OpsCount)},
        {"ExcludedCredit", Numbers(p.ExcludedCredit)},
        {"DayOpsType", Numbers(p.DayOpsType)},
        {"DayStart", Numbers(p.DayStart)},
        {"DayDuty", Numbers(p.DayDuty)},
        {"DayHard", Numbers(p.DayHard)},
        {"DayCredit", Numbers(p.DayCredit)},
        {"FatigueUnits", p.FatigueUnits},
        {"MinRest", p.MinRest},
        {"CrossesMidnight", p.CrossesMidnight},
        {"HasUsaSegments", p.HasUsaSegments},
        {"Mark", p.Mark},
        {"Valid", p.Valid},
        {"CreditClass", p.CreditClass},
        {"ErrorText", Text(p.ErrorText)},
        {"PairText", Text(p.PairText)},
        {"Note", Text(p.Note)},
        {"Layovers", Text(p.Layovers)},
        {"PairKey", Text(p.PairKey)},
        {"Date", p.Date},
    };
}

json SlotTable(const std::array<TPilot::SlotValues, TPilot::kSlots>& table)
{
    json out = json::array();
    for (const TPilot::SlotValues& values : table)
        out.push_back(Numbers(values));
    return out;
}

json PilotJson(const TPilot& p)
{
    return json{
        {"Name", Text(p.Name)},
        {"Phone1", Text(p.Phone1)},
        {"Phone2", Text(p.Phone2)},
        {"InfoText3", Text(p.InfoText3)},
        {"Illegalities", Text(p.Illegalities)},
        {"CarsLog", Text(p.CarsLog)},
        {"Warnings", Text(p.Warnings)},
        {"DayCode", Texts(p.DayCode)},
        {"DayCode2", Texts(p.DayCode2)},
        {"FilterText", Text(p.FilterText)},
        {"BidText", Text(p.BidText)},
        {"Quals", Text(p.Quals)},
        {"Notes", Text(p.Notes)},
        {"EmpNumber", p.EmpNumber},
        {"SpareWord", p.SpareWord},
        {"AllMonthLeave", p.AllMonthLeave},
        {"DaySlot", Numbers(p.DaySlot)},
        {"DayFlag", Numbers(p.DayFlag)},
        {"DayOther", SlotTable(p.DayOther)},
        {"DayCarry", SlotTable(p.DayCarry)},
        {"DayText", Texts(p.DayText)},
        {"DraftCredits", p.DraftCredits},
        {"MiscHours", p.MiscHours},
        {"SpareCredit", p.SpareCredit},
        {"TimeBank", p.TimeBank},
        {"TimeBankCredit", p.TimeBankCredit},
        {"AlbCredit", p.AlbCredit},
        {"TrainingCredit", p.TrainingCredit},
        {"TrainingFlag", p.TrainingFlag},
        {"CarryIn", Numbers(p.CarryIn)},
        {"BidReserveOrLoa", p.BidReserveOrLoa},
        {"BeyondBlockHolders", p.BeyondBlockHolders},
        {"DayLocked", Numbers(p.DayLocked)},
        {"DayIllegal", Numbers(p.DayIllegal)},
        {"DayWarning", Numbers(p.DayWarning)},
        {"Requests", Numbers(p.Requests)},
        {"CreditHours", p.CreditHours},
        {"CreditMinutes", p.CreditMinutes},
        {"Selected", p.Selected},
        {"LegalityValid", p.LegalityValid},
        {"Option2", p.Option2},
    };
}

json AbsenceJson(const TAbsence& a)
{
    return json{
        {"AbsText1", Text(a.AbsText1)}, {"AbsText2", Text(a.AbsText2)},
        {"AbsText3", Text(a.AbsText3)}, {"AbsValue1", a.AbsValue1},
        {"AbsValue2", a.AbsValue2},     {"AbsValue3", a.AbsValue3},
        {"AbsValue4", a.AbsValue4},     {"AbsFlag1", a.AbsFlag1},
        {"AbsFlag2", a.AbsFlag2},       {"AbsFlag3", a.AbsFlag3},
        {"AbsFlag4", a.AbsFlag4},
    };
}

int UsedPairs(const ScheduleDocument& doc)
{
    return std::clamp(doc.LastPair, -1, ScheduleDocument::kPairCapacity - 1) + 1;
}

int UsedCrew(const ScheduleDocument& doc)
{
    return std::clamp(doc.CrewCount, 0, ScheduleDocument::kCrewCapacity);
}

} // namespace

void RefreshDerivedFields(ScheduleDocument& doc)
{
    for (int p = 0; p < UsedPairs(doc); ++p) {
        TPair& pair = doc.Pairs[static_cast<size_t>(p)];
        pair.Validate(doc.DaysInMonth);
        pair.UpdateCreditClass();
    }
    for (int c = 0; c < UsedCrew(doc); ++c)
        doc.Crew[static_cast<size_t>(c)].IsAllMonthLeave(doc.DaysInMonth);
}

std::string DocumentJson(const ScheduleDocument& doc, int indent)
{
    const int days = std::clamp(doc.DaysInMonth, 0, ScheduleDocument::kMonthDays);
    json out;
    out["GroupName"] = Text(doc.GroupName);
    out["CrewKind"] = doc.CrewKind;
    // A file name is the system's text, not core text: written as it is, and
    // bytes that are not UTF-8 become U+FFFD when dumped.
    out["FileName"] = doc.FileName;
    out["FileKind"] = doc.FileKind;
    out["DaysInMonth"] = doc.DaysInMonth;
    out["StartWeekday"] = doc.StartWeekday;
    out["Month"] = doc.Month;
    out["Year"] = doc.Year;
    out["MonthName"] = Code(doc.MonthName);
    out["YearText"] = Code(doc.YearText);
    json dayDate = json::array(), dayName = json::array(), weekend = json::array();
    for (int d = 0; d < days; ++d) {
        auto i = static_cast<size_t>(d);
        dayDate.push_back(DateJson(doc.DayDate[i]));
        dayName.push_back(Code(doc.DayName[i]));
        weekend.push_back(doc.Weekend[i]);
    }
    out["DayDate"] = dayDate;
    out["DayName"] = dayName;
    out["Weekend"] = weekend;
    json prev = json::array();
    for (const TDate& d : doc.PrevDate)
        prev.push_back(DateJson(d));
    out["PrevDate"] = prev;
    out["DstChangeMinute"] = doc.DstChangeMinute;
    out["DstShift"] = doc.DstShift;
    out["MonthRules"] = Numbers(doc.MonthRules);
    out["LastPair"] = doc.LastPair;
    out["LastBasePair"] = doc.LastBasePair;
    out["CrewCount"] = doc.CrewCount;
    out["AbsenceCount"] = doc.AbsenceCount;
    out["MaxCrew"] = doc.MaxCrew;
    out["Modified"] = doc.Modified;
    out["Untitled"] = doc.Untitled;
    out["BuildState"] = doc.BuildState;
    out["GridOn"] = doc.GridOn;
    out["BlockHolderCut"] = doc.BlockHolderCut;
    json balance = json::array();
    for (int d = 0; d < days; ++d)
        balance.push_back(doc.DayBalance[static_cast<size_t>(d)]);
    out["DayBalance"] = balance;
    out["ViewFlag"] = doc.ViewFlag;
    out["PendingFlag"] = doc.PendingFlag;
    out["SpareWord2"] = doc.SpareWord2;
    out["SpareCode1"] = Code(doc.SpareCode1);
    out["SpareCode2"] = Code(doc.SpareCode2);
    out["SpareFlags"] = Numbers(doc.SpareFlags);
    out["SpareTexts"] = Texts(doc.SpareTexts);
    out["FilterWords"] = Texts(doc.FilterWords);
    out["ToolBoxDate"] = Text(doc.ToolBoxDate);
    out["PairingSourceText"] = Text(doc.PairingSourceText);
    out["ViewerText"] = Text(doc.ViewerText);
    out["DocTexts"] = Texts(doc.DocTexts);
    out["History"] = SerializeHistory(doc.History);

    json pairs = json::array();
    for (int p = 0; p < UsedPairs(doc); ++p)
        pairs.push_back(PairJson(doc.Pairs[static_cast<size_t>(p)]));
    out["Pairs"] = std::move(pairs);
    json crew = json::array();
    for (int c = 0; c < UsedCrew(doc); ++c)
        crew.push_back(PilotJson(doc.Crew[static_cast<size_t>(c)]));
    out["Crew"] = std::move(crew);
    json absences = json::array();
    for (int a = 0; a < std::clamp(doc.AbsenceCount, 0, ScheduleDocument::kAbsenceCapacity); ++a)
        absences.push_back(AbsenceJson(doc.Absences[static_cast<size_t>(a)]));
    out["Absences"] = std::move(absences);
    return out.dump(indent, ' ', false, json::error_handler_t::replace) + "\n";
}

std::string DocumentSummary(const ScheduleDocument& doc)
{
    static const char* kinds[] = {"captains", "first officers", "flight attendants"};
    std::ostringstream s;
    s << "Crew group:    " << Text(doc.GroupName);
    if (doc.CrewKind >= kCaptains && doc.CrewKind <= kFlightAttendants)
        s << " (" << kinds[doc.CrewKind] << ")";
    s << "\n";
    if (doc.DaysInMonth >= 1 && doc.DaysInMonth <= ScheduleDocument::kMonthDays) {
        const TDate& first = doc.DayDate[0];
        const TDate& last = doc.DayDate[static_cast<size_t>(doc.DaysInMonth - 1)];
        s << "Month:         " << Code(doc.MonthName) << " " << Code(doc.YearText) << ", "
          << doc.DaysInMonth << " days from " << first.Year << "-" << (first.Month < 10 ? "0" : "")
          << first.Month << "-" << (first.Day < 10 ? "0" : "") << first.Day << " to " << last.Year
          << "-" << (last.Month < 10 ? "0" : "") << last.Month << "-" << (last.Day < 10 ? "0" : "")
          << last.Day << "\n";
    }
    static const char* fileKinds[] = {"scheduler file", "viewer file, before the roster",
                                      "viewer file, before the schedule", "final viewer file"};
    if (doc.FileKind >= 0 && doc.FileKind <= 3)
        s << "File kind:     " << fileKinds[doc.FileKind] << "\n";
    s << "Pairings:      " << UsedPairs(doc) << "\n";
    s << "Crew:          " << UsedCrew(doc) << "\n";
    s << "Toolbox:       " << doc.AbsenceCount << " items\n";
    s << "Block credit:  average "
      << FormatHoursMinutes(doc.MonthRules[MonthRule::AvgCredit], false) << ", max "
      << FormatHoursMinutes(doc.MonthRules[MonthRule::MaxCredit], false) << ", min "
      << FormatHoursMinutes(doc.MonthRules[MonthRule::MinCredit], false) << "\n";
    if (doc.GridOn)
        s << "Block holders: " << std::clamp(doc.BlockHolderCut + 1, 0, UsedCrew(doc)) << " of "
          << UsedCrew(doc) << "\n";
    s << "Days off:      " << doc.MonthRules[MonthRule::BlockHolderDaysOff] << " block holders, "
      << doc.MonthRules[MonthRule::ReserveDaysOff] << " reserve\n";
    return s.str();
}

} // namespace tl
