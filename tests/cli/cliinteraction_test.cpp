#include "cliinteraction.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tl::cli {
namespace {

TEST(AnswerPolicyTest, AnswersFromTheOptions)
{
    EXPECT_EQ(AnswerFor(AnswerPolicy::Cancel, Buttons::YesNo), Answer::No);
    EXPECT_EQ(AnswerFor(AnswerPolicy::Cancel, Buttons::YesNoCancel), Answer::Cancel);
    EXPECT_EQ(AnswerFor(AnswerPolicy::No, Buttons::YesNoCancel), Answer::No);
    EXPECT_EQ(AnswerFor(AnswerPolicy::Yes, Buttons::Ok), Answer::Ok);
}

TEST(CliInteractionTest, MessagesAndQuestionsGoToStderrListsToStdout)
{
    std::ostringstream out;
    std::ostringstream err;
    CliInteraction ui(out, err, AnswerPolicy::Cancel, false);
    ui.Message("File Error", "Cannot open file", Icon::Error);
    EXPECT_FALSE(ui.AskYes("Caution!", "All changes to file will be lost. Delete Anyway"));
    ui.ShowList("Summary", {"Pairing 1234 not found", "MONTR\xC9" "AL"});
    EXPECT_EQ(err.str(), "File Error: Cannot open file\n"
                         "Caution!: All changes to file will be lost. Delete Anyway [No]\n");
    EXPECT_EQ(out.str(), "Pairing 1234 not found\nMONTRÉAL\n");
}

TEST(CliInteractionTest, ProgressBarOnlyOnATerminalAndClearedBeforeAMessage)
{
    std::ostringstream out;
    std::ostringstream piped;
    CliInteraction quiet(out, piped, AnswerPolicy::Cancel, false);
    quiet.Progress("Loading", "Completed 1 of 2", 50);
    quiet.ProgressDone();
    EXPECT_EQ(piped.str(), "");

    std::ostringstream tty;
    CliInteraction shown(out, tty, AnswerPolicy::Cancel, true);
    shown.Progress("Loading", "Completed 1 of 2", 50);
    EXPECT_NE(tty.str().find("Loading [###############               ] Completed 1 of 2"),
              std::string::npos);
    shown.Message("Tessara Lines", "Done", Icon::Information);
    EXPECT_NE(tty.str().find("\r\x1b[KTessara Lines: Done\n"), std::string::npos);
}

} // namespace
} // namespace tl::cli
