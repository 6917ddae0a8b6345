#include "model/activity_codes.h"

#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/text_format.h"
#include "model/vortime.h"

#include <algorithm>

namespace tl {

namespace {

// Code, crew type, credit, duty flags, tracking code and the columns the
// lookup does not read (a second code, a description, times and flag letters).
// CEV, TLC and TLP (tracking codes EV, TC, TP) are our own codes for the
// company event day and the days of work on this program.
// clang-format off
constexpr std::string_view kRows[kBuiltInActivityRows] = {
    "5HS B C   B   N    D   I   5:00 5HS       D    P  Five Hour Standby    5H   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "4HS B P   B   N    D   I   4:30 4HS       D    P  Four Hour Standby    4H   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "ALP B P   B   N    D   I   4:30 ALP       D    P  Alpa Business        AL   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "ALU B P   B   N    D   I        ALU       N    P  Alpa Unpaid          --   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "CEV B C   B   N    D   I   4:00 CEV       D    P  Company Event        EV   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "TLC B C   B   N    D   I   5:00 TLC       D    P  Scheduling Tool Work TC   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "TLP B P   B   N    D   I   4:30 TLP       D    P  Scheduling Tool Work TP   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "BRG B C   B   N    D   I   5:00 BRG       D    P  Briefing             BR   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "BST B C   B   N    D   I   2:50 BST       N    P  Base Standby         BT   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "COB B C   B   N    D   I   4:00 COB       D    P  Company Business     CB   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "COB B P   B   N    D   I   4:30 COB       D    P  Company Business     CB   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "CPT B P   B   N    D   I   4:00 CPT       DD   P  Cockpit Procedures   CP   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "CBT B P   B   N    D   I   4:00 CBT       DD   P  Computer Training    CT   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "CIR B P   B   N    D   I   4:00 CIR       DD   P  Circuit Training     CR   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "CRI B P   B   N    D   I   5:18 CRI       DD   P  Check Ride InstructorCI   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "CRM B C   B   N    D   I   4:00 CRM       DD   P  Crew Resource Mgmt   CM   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "CRM B P   B   N    D   I   4:00 CRM       DD   P  Crew Resource Mgmt   CM   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "DFD B P   B   N    D   I   2:00 DFD       N    P  Deferred Day         DD   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "DOR B C   B   N    D   I        DOR       N    P  Day Off Request      --   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "FAT B C   B   N    D   I   4:45 FAT       D    P  Fatigue              FT   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "FLS B P   B   N    D   I   5:00 FLS       DD   P  Flight Simulator     FS   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "FOC B C   B   N    D   I   4:00 FOC       D    P  Familiarization      FC   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "FRN B C   B   N    D   I   4:00 FRN       D    P  French Training      FN   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "FSA B C   B   N    D   I   5:00 FSA       D    P  Flight Service Admin FA   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "GO  B C   B   N    D   I        GO        N    P  Guaranteed Day Off   GO   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "GO  B P   B   N    D   I        GO        N    P  Guaranteed Day Off   GO   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "GS  B P   B   N    D   I   4:00 GS        DD   P  Ground School        GS   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "GSI B P   B   N    D   I   5:18 GSI       DD   P  Ground School Instr  GI   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "HTL B C   B   N    D   I   5:00 HTL       D    P  Hotel Standby        HO   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "IDO B P   B   N    D   I   5:00 IDO       D    P  Instructor Duty      I8   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "INS B C   B   N    D   I   5:00 INS       D    P  Instructor           IS   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "IPT B P   B   N    D   I   4:00 IPT       DD   P  Initial Training     IP   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "ITR B P   B   N    D   I   4:00 ITR       DD   P  Instrument Training  IT   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "LDS B C   B   N    D   I   4:00 LDS       N    P  Leadership Day       LS   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "LOA B C   B   N    D   I   2:50 LOA       N    P  Leave of Absence     LA   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "LOA B P   B   N    D   I   2:50 LOA       N    P  Leave of Absence     LA   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "MAT B C   B   N    D   I   2:50 MAT       N    P  Maternity Leave      MT   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "MAT B P   B   N    D   I   2:50 MAT       N    P  Maternity Leave      MT   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "MED B C   B   N    D   I   2:50 MED       N    P  Medical Leave        MD   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "MED B P   B   N    D   I   2:50 MED       N    P  Medical Leave        MD   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "MOV B C   B   N    D   I   4:00 MOV       N    P  Moving Day           MV   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "MOV B P   B   N    D   I   2:50 MOV       N    P  Moving Day           MV   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "MOD B C   B   N    D   I   2:30 MOD       N    P  Modified Duty        MW   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "OF  B C   B   N    D   I   4:00 OF        DD   P  Office Duty          OC   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "OF  B P   B   N    D   I   4:30 OF        DD   P  Office Duty          OC   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "REC B C   B   N    D   I   4:00 REC       D    P  Recurrent Training   RT   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "RA  B C   B   N    D   I   4:00 RA        D    P  Reserve A            RA   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "RA  B P   B   N    D   I        RA        DD   P  Reserve A            RA   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "RB  B C   B   N    D   I   4:00 RB        D    P  Reserve B            RB   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "RB  B P   B   N    D   I        RB        DD   P  Reserve B            RB   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "RE  B C   B   N    D   I   4:00 RE        D    P  Reserve E            RE   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "RCK B P   B   N    D   I        RCK       DD   P  Reserve Check        RK   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "SDO B P   B   N    D   I        SDO       N    P  Scheduled Day Off    SO   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "SEC B C   B   N    D   I   4:00 SEC       DD   P  Security Training    SC   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "SEC B P   B   N    D   I   4:00 SEC       DD   P  Security Training    SC   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "SEW B P   B   N    D   I   4:00 SEW       DD   P  Safety Emergency     SW   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "SIM B P   B   N    D   I   4:00 SIM       DD   P  Simulator            SM   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "STA B P   B   N    D   I   4:00 STA       N    P  Statutory Holiday    SA   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "STA B C   B   N    D   I   4:00 STA       N    P  Statutory Holiday    SA   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "STT B P   B   N    D   I   4:00 STT       N    P  Statutory Day        ST   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "STT B C   B   N    D   I   4:00 STT       N    P  Statutory Day        ST   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "TBK B C   B   N    D   I   2:50 TBK       N    P  Time Bank            TK   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "TEA B C   B   N    D   I   5:00 TEA       D    P  Team Day             TE   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "TRN B C   B   N    D   I   4:00 TRN       D    P  Training             TN   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "TRN B P   B   N    D   I   4:00 TRN       DD   P  Training             TN   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "TVL B C   B   N    D   I   4:00 TVL       DD   P  Travel               TL   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "TVL B P   B   N    D   I   4:30 TVL       DD   P  Travel               TL   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "TVU B C   B   N    D   I        TVU       N    P  Travel Unpaid        TU   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "TVU B P   B   N    D   I        TVU       N    P  Travel Unpaid        TU   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "TVS B P   B   N    D   I   4:00 TVS       DD   P  Travel Simulator     TS   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "UNF B C   B   N    D   I   5:00 UNF       D    P  Uniform Fitting      UN   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "UTF B C   B   N    D   I        UTF       N    P  Unfit                UF   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "UTF B P   B   N    D   I        UTF       N    P  Unfit                UF   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "VAC B C   B   N    D   I   2:50 VAC       N    P  Vacation             VC   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "VAC B P   B   N    D   I   2:50 VAC       N    P  Vacation             VC   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "VAU B P   B   N    D   I   2:50 VAU       N    P  Vacation Unpaid      VU   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "VAU B C   B   N    D   I   2:50 VAU       N    P  Vacation Unpaid      VU   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "SIW B P   B   N    D   I   4:00 SIW       DD   P  Simulator Week       74   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "CRW B P   B   N    D   I   4:00 CRW       DD   P  Crew Resource Week   CW   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "GRW B P   B   N    D   I   4:00 GRW       DD   P  Ground School Week   GW   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "LCK B P   B   N    D   I   5:18 LCK       N    P  Line Check           LC   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "SMI B P   B   N    D   I   5:18 SMI       DD   P  Simulator Instr      SI   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "VTP B P   B   N    D   I   5:18 VTP       N    P  Vacation Trip        VT   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "WCB B C   B   N    D   I        WCB       N    P  Workers Compensation 64   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "WCB B P   B   N    D   I        WCB       N    P  Workers Compensation 64   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "LTD B C   B   N    D   I        LTD       N    P  Long Term Disability LD   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "LTD B P   B   N    D   I        LTD       N    P  Long Term Disability LD   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "PSD B C   B   N    D   I        PSD       N    P  Personal Sick Day    PD   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "PSD B P   B   N    D   I        PSD       N    P  Personal Sick Day    PD   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "IPW B P   B   N    D   I   4:00 IPW       DD   P  Initial Training Wk  IW   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "CPW B P   B   N    D   I   4:00 CPW       DD   P  Cockpit Proc Week    68   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "CBW B P   B   N    D   I   4:00 CBW       DD   P  Computer Training Wk BW   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "SEW B P   B   N    D   I   4:00 SEW       DD   P  Safety Emergency     SW   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "TVW B P   B   N    D   I   4:00 TVW       DD   P  Travel Week          TW   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "ALP B P   B   N    D   I   4:30 ALP       N    P  Alpa Business        53   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "SCK B P   B   N    D   I   4:00 SCK       N    P  Sick                 54   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "LCK B P   B   N    D   I        LCK       N    P  Line Check           62   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "LCP B P   B   N    D   I        LCP       N    P  Line Check Pilot     59   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "SMI B P   B   N    D   I   4:00 SMI       N    P  Simulator Instr      SU   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "LPC B P   B   N    D   I        LPC       DD   P  Line Check Pilot     LC   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "GDV B P   B   N    D   I        GDV       N    P  Guaranteed Day Vac   GV   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "DDT B P   B   N    D   I   4:30 DDT       N    P  Deadhead Travel      49   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "IPI B P   B   N    D   I   4:00 IPI       N    P  Initial Training Ins 56   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "RSF B C   B   N    D   I   4:00 RSF       DD   P  Reserve Standby      67   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "RSF B P   B   N    D   I        RSF       DD   P  Reserve Standby      67   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "OWP B C   B   N    D   I        OWP       N    P  Other Work Paid      H9   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "OWP B P   B   N    D   I        OWP       N    P  Other Work Paid      52   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "ONP B C   B   N    D   I        ONP       N    P  Other Not Paid       OP   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "ONP B P   B   N    D   I        ONP       N    P  Other Not Paid       OP   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "FPG B C   B   N    D   I        FPG       D    P  Flight Pay Guarantee FG   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "FPG B P   B   N    D   I        FPG       N    P  Flight Pay Guarantee FG   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "BEV B C   B   N    D   I        BEV       N    P  Bereavement          BV   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "BEV B P   B   N    D   I        BEV       N    P  Bereavement          BV   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "SKU B C   B   N    D   I        SKU       N    P  Sick Unpaid          61   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "SKU B P   B   N    D   I        SKU       N    P  Sick Unpaid          61   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "RTA B C   B   N    D   I        RTA       D    P  Return to Active     69   N     N   N   V         N             N 00   12:00 16:00   Y N",
    "RTA B P   B   N    D   I        RTA       D    P  Return to Active     69   N     N   N   V         N             N 00   12:00 16:00   Y N",
};
// clang-format on

constexpr ToolBoxRequestItem kRequestItems[] = {
    {"X1", "X1 First Request", 1},   {"X2", "X2 Second Request", 2},
    {"X3", "X3 Third Request", 3},   {"X4", "X4 Forth Request", 4},
    {"X5", "X5 Fifth Request", 5},   {"X6", "X6 Sixth Request", 6},
    {"X7", "X7 Seventh Request", 7}, {"X8", "X8 Eighth Request", 8},
    {"X9", "X9 Nineth Request", 9},  {"XA", "XA Off in the AM", 10},
    {"XP", "XP Off in the PM", 11},  {"XM", "XM Off in the Middle of Day", 12},
};

constexpr int kDescription = 50;
constexpr int kDescriptionWidth = 21;

bool IsPilotGroup(const ScheduleDocument& doc)
{
    return doc.CrewKind != kFlightAttendants;
}

bool IsReserveCode(std::string_view code, bool pilots)
{
    static constexpr std::string_view kCabin[] = {"RA", "RB", "RC", "RE"};
    static constexpr std::string_view kPilot[] = {"RA", "RB", "RC", "RE", "RT"};
    auto matches = [code](std::string_view c) { return c == code; };
    return pilots ? std::any_of(std::begin(kPilot), std::end(kPilot), matches)
                  : std::any_of(std::begin(kCabin), std::end(kCabin), matches);
}

int RecordCount(const ScheduleDocument& doc)
{
    return std::clamp<int>(doc.AbsenceCount, 0, ScheduleDocument::kAbsenceCapacity);
}

int32_t RowCredit(std::string_view row, Interaction& trace)
{
    using namespace activity_columns;
    return 60 * GetInt(row, kCreditHours, 2, trace) + GetInt(row, kCreditMinutes, 2, trace);
}

std::string Trimmed(std::string_view text)
{
    size_t end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string() : std::string(text.substr(0, end + 1));
}

} // namespace

std::span<const std::string_view> BuiltInActivityRows()
{
    return kRows;
}

char ActivityCrewType(const ScheduleDocument& doc)
{
    return IsPilotGroup(doc) ? 'P' : 'C';
}

std::optional<ActivityCodeInfo> LookupActivityRow(std::span<const std::string_view> rows,
                                                  char crewType, std::string_view code,
                                                  Interaction& trace)
{
    using namespace activity_columns;
    const bool pilots = crewType == 'P';
    for (std::string_view row : rows) {
        if (row.size() <= static_cast<size_t>(kCrewType) || row[kCrewType] != crewType)
            continue;
        if (row.size() < static_cast<size_t>(kMinPilotRow)) {
            if (pilots)
                trace.Trace("Quarnelle Codes Data Error\n");
            continue;
        }
        if (row.substr(kTracking, 2) != code)
            continue;

        ActivityCodeInfo info;
        info.Activity = std::string(row.substr(kCode, 3));
        info.Credit = RowCredit(row, trace);
        info.Duty = row[kDuty] == 'D';
        info.Duty2 = pilots && row[kDuty2] == 'D';
        info.Value4 = 0;
        info.Reserve = info.Activity == "RA " || info.Activity == "RB " || info.Activity == "RE ";
        info.Flag3 = true;
        return info;
    }
    return std::nullopt;
}

std::optional<ActivityCodeInfo> LookupActivityCode(const ScheduleDocument& doc,
                                                   std::string_view code, Interaction& trace)
{
    const int count = RecordCount(doc);
    if (count == 0)
        return LookupActivityRow(kRows, ActivityCrewType(doc), code, trace);

    for (int i = 0; i < count; ++i) {
        const TAbsence& record = doc.Absences[static_cast<size_t>(i)];
        if (record.AbsText2 != code)
            continue;
        ActivityCodeInfo info;
        // "RTB" names a code that is never a reserve, whatever its tracking code.
        info.Reserve = IsReserveCode(code, IsPilotGroup(doc)) && record.AbsText1 != "RTB";
        info.Activity = record.AbsText1;
        info.Credit = record.AbsValue3;
        info.Value4 = record.AbsValue4;
        info.Duty = record.AbsFlag1;
        info.Duty2 = record.AbsFlag2;
        info.Flag3 = record.AbsFlag3;
        return info;
    }
    return std::nullopt;
}

std::string DayRequestText(int dayFlag)
{
    static const char* const kNamed[] = {"XA", "XP", "XM", "RGD", "RPD"};
    if (dayFlag >= 1 && dayFlag <= 9)
        return Format("X%d", dayFlag);
    if (dayFlag >= 10 && dayFlag <= 14)
        return kNamed[static_cast<size_t>(dayFlag - 10)];
    if (dayFlag >= 20 && dayFlag <= 51)
        return Format("X%d", dayFlag - 19);
    return {};
}

std::span<const ToolBoxRequestItem> ToolBoxRequestItems()
{
    return kRequestItems;
}

std::vector<ToolBoxActivityItem> ToolBoxActivityItems(const ScheduleDocument& doc)
{
    using namespace activity_columns;
    std::vector<ToolBoxActivityItem> items;
    const int count = RecordCount(doc);
    if (count == 0) {
        // Every built-in row holds its credit columns: nothing to trace.
        SilentInteraction none;
        const char crewType = ActivityCrewType(doc);
        for (size_t i = 0; i < std::size(kRows); ++i) {
            std::string_view row = kRows[i];
            if (row[kCrewType] != crewType || row[kTracking] == ' ')
                continue;
            items.push_back({std::string(row.substr(kCode, 3)),
                             std::string(row.substr(kTracking, 2)),
                             Trimmed(row.substr(kDescription, kDescriptionWidth)),
                             RowCredit(row, none), static_cast<int>(i)});
        }
        return items;
    }
    for (int i = 0; i < count; ++i) {
        const TAbsence& record = doc.Absences[static_cast<size_t>(i)];
        if (record.AbsFlag4)
            items.push_back(
                {record.AbsText1, record.AbsText2, record.AbsText3, record.AbsValue3, i});
    }
    return items;
}

std::string ToolBoxHeading(const ScheduleDocument& doc)
{
    if (RecordCount(doc) == 0)
        return "Default ToolBox";
    return "ToolBox Date " + doc.ToolBoxDate;
}

} // namespace tl
