#pragma once

#include "model/interaction.h"

namespace tl::fuzz {

// Says Yes to every question, so the loaders go past their plausibility
// questions and read whatever they are given; shows nothing.
class AnswerYes : public SilentInteraction {
public:
    Answer Ask(std::string_view, std::string_view, Buttons buttons, Icon) override
    {
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Yes;
    }
};

} // namespace tl::fuzz
