#pragma once

#include <string>
#include <vector>

namespace tl {

class Interaction;
class ScheduleDocument;

// The lines of the pairing warnings and report list: the pairing count and
// average credit per day, every pairing that fails validation (each pairing
// is validated on the way), and the month's credit report with its running
// total of the credit that falls inside the month.
std::vector<std::string> PairingWarningsList(ScheduleDocument& doc);

// Shows the list captioned "Pairing Warnings and Report".
void ShowPairingWarnings(ScheduleDocument& doc, Interaction& ui);

} // namespace tl
