#pragma once

#include <cstdint>
#include <string>

namespace tl {

class Interaction;
class ScheduleDocument;
class TPilot;

// The legality engine. It never refuses anything: it writes its findings on
// the crew member (Illegalities, Warnings, CarsLog, DayIllegal, DayWarning)
// and leaves the decisions to the scheduler. Open lines (EmpNumber -1) are
// never checked.

// Runs every rule of the crew member's kind on doc.Crew[crew].
void CheckLegality(ScheduleDocument& doc, int crew);

// Runs the rules on a record outside the crew table (the Who Is Legal
// scratch copy), judged as if it stood at roster place `rosterPlace`. Such a
// check leaves every other crew member alone.
void CheckLegalityOf(ScheduleDocument& doc, TPilot& crew, int rosterPlace);

// Re-checks every crew member whose LegalityValid is 0, then, for captains,
// the two-captain pass.
void RefreshLegality(ScheduleDocument& doc);

// Captains who share a two-captain pairing may not both be 60+ or both MED.
void CheckTwoCaptainPairs(ScheduleDocument& doc);

// CheckLegality for every crew member, then the two-captain pass for
// captains: what Build Blocks and the command line run.
void CheckAllLegality(ScheduleDocument& doc);

// The crew member's block credit in minutes, less the credit of LOA, MED and
// MAT days. Also keeps the block credit (SetBlockCredit), TimeBankCredit and
// AlbCredit. `all` counts excluded credit and training credit as well. A
// slot holding a pairing index beyond the table stops the walk with a
// message through `ui`. The caller redraws the row and the status bar.
int32_t BlockCredit(ScheduleDocument& doc, int crew, bool all, Interaction& ui);

// TimeBank + TimeBankCredit over all crew members, minutes.
int32_t TimeBankTotal(const ScheduleDocument& doc);
// The status bar text of that total: " TB %d:%02d".
std::string TimeBankText(const ScheduleDocument& doc);

} // namespace tl
