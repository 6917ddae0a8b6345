#pragma once

#include "actions/bid_award.h"
#include "model/interaction.h"
#include "model/tpilot.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tl {

class ScheduleDocument;

// The bid of one crew member as the award reads it: the ranked items and
// every day the crew member asked to keep free.
struct BidItem {
    std::string Label;
    int Preference = 0; // 1 to 8 from the preference lines, 9 from the stored filter
    int32_t Number = 0; // pairing number; 0 for a day off
    int Slot = -1;      // day slot of a day off
};
struct CrewBid {
    std::vector<BidItem> Items;
    std::array<bool, TPilot::kSlots> DayOff{};
};
CrewBid ReadCrewBid(const ScheduleDocument& doc, const TPilot& crew, std::string_view bidText);
// Rank of each requested pairing number: its preference, the first wins.
std::map<int32_t, int> BidRanks(const CrewBid& bid);

bool AwardEligible(const TPilot& crew);

// Answers the assignment's questions as the award's options say and keeps
// its messages out of sight; progress and the trace go through.
class AwardAnswers : public Interaction {
public:
    AwardAnswers(Interaction& ui, bool yes) : m_ui(ui), m_yes(yes) {}
    void Message(std::string_view, std::string_view, Icon) override {}
    Answer Ask(std::string_view, std::string_view, Buttons buttons, Icon) override;
    void MessageAboutFile(std::string_view, std::string_view, const std::filesystem::path&,
                          Icon) override
    {
    }
    Answer AskAboutFile(std::string_view caption, std::string_view text,
                        const std::filesystem::path&, Buttons buttons, Icon icon) override
    {
        return Ask(caption, text, buttons, icon);
    }
    void ShowList(std::string_view, const std::vector<std::string>&) override {}
    void Progress(std::string_view title, std::string_view text, int percent) override
    {
        m_ui.Progress(title, text, percent);
    }
    void ProgressDone() override { m_ui.ProgressDone(); }
    void Beep() override {}
    void Trace(std::string_view text) override { m_ui.Trace(text); }
    bool Tracing() const override { return m_ui.Tracing(); }

private:
    Interaction& m_ui;
    bool m_yes;
};

// One award pass over the roster. The pool is every eligible crew member
// not yet awarded; Leave takes one out once its block is final.
class AwardEngine {
public:
    // `draftCrew` >= 0 reads `draftBid` in place of that crew member's bid.
    AwardEngine(ScheduleDocument& doc, const AwardOptions& options, Interaction& ui,
                int draftCrew = -1, std::string_view draftBid = {});

    struct Outcome {
        std::vector<AwardRow> Rows;
        int Granted = 0;
    };
    // Places the crew member's preferences and, with `complete`, the
    // coverage and fallback pairings.
    Outcome AwardCrew(int crew, bool complete);
    // AwardCrew, taken back afterwards.
    Outcome TryCrew(int crew);
    void Leave(int crew);
    const CrewBid& Bid(int crew) const { return m_bids[size_t(crew)]; }

private:
    struct Candidate {
        int Pairing;
        int Day;
    };
    struct Denial {
        AwardResult Result;
        std::string Cause;
    };

    void CountOpen();
    std::vector<bool> Available(int crew) const;
    std::vector<bool> Occupied(int crew) const;
    int EndDay(const Candidate& c) const;
    bool IsOpen(const Candidate& c) const;
    // Empty when granted.
    std::optional<Denial> Grant(int crew, const Candidate& c, std::vector<bool>& occupied);
    std::optional<Denial> CoverageDenial(int crew, const Candidate& c,
                                         const std::vector<bool>& occupied) const;
    std::vector<int> CriticalDays(int crew, const std::vector<bool>& occupied) const;
    std::string Label(int pairing) const;

    ScheduleDocument& m_doc;
    AwardOptions m_options;
    AwardAnswers m_answers;
    int m_days = 0;
    std::vector<CrewBid> m_bids;
    std::vector<std::vector<bool>> m_available; // per crew member, per day
    std::vector<int> m_pool;                    // per day: eligible crew not yet awarded
    std::vector<int> m_open;                    // per day: open pairing days flying it
    std::vector<int64_t> m_cheapest;            // per day, for the crew member being awarded
    std::vector<bool> m_skip;                   // per day: it cannot cover it after all
    std::map<int32_t, std::vector<int>> m_byNumber;
    std::vector<Candidate> m_openOrder; // every open pairing day, best first
    TPilot m_scratch;
};

} // namespace tl
