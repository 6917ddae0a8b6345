#pragma once

#include "sample/sample_model.h"
#include "sample/sample_month.h"

#include <string>
#include <string_view>
#include <vector>

namespace tl::sample {

// The crew group as the loaders read its code.
struct GroupInfo {
    std::string code;     // nine characters
    std::string airport;  // columns 0-2
    std::string aircraft; // columns 3-5
    std::string status;   // columns 6-7
    int crewKind = 1;
    char baseLetter = 'Z';   // the letter the pairing loader takes for the code
    std::vector<char> draws; // equipment characters of the group's pairings, repeats weigh
    std::string accepted;    // equipment characters the pairing loader takes; empty: all
};

bool ParseGroup(std::string_view code, GroupInfo& info, std::string& error);

// Pairing file lines of one pairing: one pairing line per operating date,
// the first followed by its flight, duty, deadhead and segment lines.
void AppendPrgPairing(std::string& out, const SamplePairing& p);

// Listing of the pairings of one equipment character, in the layout the
// listing scan expects of the group's crew kind.
std::string LisText(const std::vector<const SamplePairing*>& pairings, const GroupInfo& group,
                    const SamplePeriod& period);

// Instance of a pairing of last month flown by the group.
struct PriorInstance {
    int templateIndex = 0;
    int32_t date = 0;
};

std::string RosterText(const std::vector<SampleCrewMember>& crew);
std::string AbsenceText(const std::vector<SampleCrewMember>& crew, bool nextMonth);
std::string ActivityText(const std::vector<SampleCrewMember>& crew,
                         const std::vector<SamplePairing>& templates);
std::string PriorPairingText(const std::vector<PriorInstance>& instances,
                             const std::vector<SamplePairing>& templates);
std::string ToolBoxText(int32_t fileDate, bool oddCases);
std::string BidsText(const std::vector<SampleCrewMember>& crew,
                     const std::vector<SamplePairing>& pairings, const GroupInfo& group,
                     const SamplePeriod& period, uint64_t seed, bool oddCases);

} // namespace tl::sample
