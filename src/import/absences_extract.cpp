#include "import/absences_extract.h"

#include "import/extract_text.h"
#include "model/activity_codes.h"
#include "model/interaction.h"
#include "model/schedule_document.h"
#include "model/text_format.h"
#include "model/version.h"
#include "model/vortime.h"

#include <algorithm>
#include <optional>
#include <string>

namespace tl {

namespace {

using namespace absences_extract;

struct Entry {
    std::string code;
    int first = 0; // slots, 0-based
    int last = 0;
    int start = 0;
    int duration = 0;
};

// Writes one entry's days into one crew member's slots.
void WriteEntry(ScheduleDocument& doc, int crewIndex, const Entry& entry,
                const std::optional<ActivityCodeInfo>& info, ExtractWarnings& warnings)
{
    TPilot& pilot = doc.Crew[static_cast<size_t>(crewIndex)];
    const int from = std::max(entry.first, 0);
    const int to = std::min(entry.last, TPilot::kSlots - 1);
    for (int s = from; s <= to; ++s) {
        const auto slot = static_cast<size_t>(s);
        if (HoldsPairing(pilot.DaySlot[slot])) {
            warnings.Add("Cannot Assign Code %s in %d %s on day %02d Due Pairing "
                         "Assigned. ",
                         entry.code.c_str(), crewIndex + 1, pilot.Name.c_str(), s + 1);
            continue;
        }
        TPilot::SlotValues& other = pilot.DayOther[slot];
        other.fill(0);
        other[OtherValue::Start] = entry.start;
        other[OtherValue::Length] = entry.duration;
        if (info) {
            other[OtherValue::Credit] = info->Credit;
            other[OtherValue::HardTime] = info->Value4;
            other[OtherValue::Reserve] = info->Reserve ? 1 : 0;
            other[OtherValue::ContainsDuty] = info->Duty ? 1 : 0;
            other[OtherValue::ExcludeCredit] = info->Flag3 ? 0 : 1;
            other[OtherValue::CarsDuty] = info->Duty2 ? 1 : 0;
            pilot.DayCode[slot] = info->Activity;
        } else {
            warnings.Add("No Matching Code for %s. No Credit or Duty Info Recorded",
                         entry.code.c_str());
            pilot.DayCode[slot] = entry.code;
        }
        pilot.DaySlot[slot] = kOtherSlot;
        pilot.DayCode2[slot] = entry.code;
    }
}

bool ReadAbsences(ScheduleDocument& doc, std::string_view text, bool followingMonth,
                  Interaction& ui)
{
    if (FirstExtractLine(text, kKeep).size() != kRecord &&
        !ui.AskYes(kCaption, "This May Not Be a Valid Crew Absence Extract! Do You Want to Try "
                             "Load it Anyway"))
        return false;

    doc.FreshDocument = false;
    doc.Modified = true;
    ui.Trace("LoadCrewAbsencesBegin\n");

    const int shift = followingMonth ? doc.DaysInMonth : 0;
    ExtractWarnings warnings;
    ExtractLines lines(text, kKeep);
    std::string_view line;
    int employee = 0;
    while (employee != kLastEmployee && lines.Next(line)) {
        if (line.size() < kMinLine)
            break;
        employee = FieldInt(line, 0, 9, ui);
        for (int c = 0; c < doc.CrewCount; ++c) {
            if (doc.Crew[static_cast<size_t>(c)].EmpNumber != employee)
                continue;
            ui.Trace(Format("Loading Absenses for %s %d\n",
                            doc.Crew[static_cast<size_t>(c)].Name.c_str(), employee));
            for (int k = 0; k < kEntries; ++k) {
                const int p = kFirstEntry + kEntryLength * k;
                if (line.size() < static_cast<size_t>(p) + 2) {
                    ui.Message(kCaption,
                               "File Error - Unable to Load Crew Absences from this file.",
                               Icon::Error);
                    return false;
                }
                Entry entry;
                entry.code = std::string(line.substr(static_cast<size_t>(p), 2));
                if (entry.code == "  ")
                    break;
                entry.first = FieldInt(line, p + 2, 2, ui) + shift - 1;
                entry.last = FieldInt(line, p + 4, 2, ui) + shift - 1;
                entry.start = FieldInt(line, p + 6, 4, ui);
                entry.duration = ExtractDuration(entry.start, FieldInt(line, p + 10, 4, ui));
                const std::optional<ActivityCodeInfo> info =
                    LookupActivityCode(doc, entry.code, ui);
                WriteEntry(doc, c, entry, info, warnings);
            }
        }
    }

    if (!warnings.Empty())
        ShowSummary(ui, "Warnings from Absences Extract Load", warnings.Text());
    if (!followingMonth) {
        for (int c = 0; c < doc.CrewCount; ++c) {
            TPilot& pilot = doc.Crew[static_cast<size_t>(c)];
            if (pilot.IsAllMonthLeave(doc.DaysInMonth))
                pilot.BidReserveOrLoa = 1;
        }
    }
    ui.Trace("LoadCrewAbsencesEnd\n");
    return true;
}

} // namespace

bool ConfirmCrewAbsencesOverwrite(const ScheduleDocument& doc, bool followingMonth, Interaction& ui)
{
    if (followingMonth || doc.FreshDocument)
        return true;
    return ui.Ask(kCaption, "This will erase all conflicting Toolbox assignments. Proceed",
                  Buttons::YesNo, Icon::Error) == Answer::Yes;
}

int ExtractDuration(int start, int end)
{
    return end < start ? kMinutesPerDay - start + end : end - start;
}

bool LoadCrewAbsencesText(ScheduleDocument& doc, std::string_view text, bool followingMonth,
                          Interaction& ui)
{
    if (!ConfirmCrewAbsencesOverwrite(doc, followingMonth, ui))
        return false;
    return ReadAbsences(doc, text, followingMonth, ui);
}

bool LoadCrewAbsences(ScheduleDocument& doc, const std::filesystem::path& path, bool followingMonth,
                      Interaction& ui)
{
    return ConfirmCrewAbsencesOverwrite(doc, followingMonth, ui) &&
           LoadConfirmedCrewAbsences(doc, path, followingMonth, ui);
}

bool LoadConfirmedCrewAbsences(ScheduleDocument& doc, const std::filesystem::path& path,
                               bool followingMonth, Interaction& ui)
{
    ExtractFile text;
    if (!text.Read(path, ui))
        return false;
    return ReadAbsences(doc, text.Text(), followingMonth, ui);
}

} // namespace tl
