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

// File names are the system's UTF-8 bytes, not core text: they go out as they are;
// core text is converted.
TEST(CliInteractionTest, MessagesAndQuestionsGoToStderrListsToStdout)
{
    std::ostringstream out;
    std::ostringstream err;
    CliInteraction ui(out, err, AnswerPolicy::Cancel, false);
    ui.Message("File Error", "Cannot open file", Icon::Error);
    EXPECT_FALSE(ui.AskYes("Caution!", "All changes to file will be lost. Delete Anyway"));
    ui.ShowList("Summary", {"Pairing 1234 not found", "MONTR\xC9" "AL"});
    const std::filesystem::path file("/home/x/\xC3\x89t\xC3\xA9/juin.tl2");
    ui.MessageAboutFile("Tessara Lines - Cannot Open File", "%s", file, Icon::Error);
    EXPECT_EQ(ui.AskAboutFile("Tessara Lines", "Viewer File Saved as %s without personal data.",
                              file, Buttons::YesNo, Icon::Question),
              Answer::No);
    EXPECT_EQ(err.str(), "File Error: Cannot open file\n"
                         "Caution!: All changes to file will be lost. Delete Anyway [No]\n"
                         "Tessara Lines - Cannot Open File: /home/x/\xC3\x89t\xC3\xA9/juin.tl2\n"
                         "Tessara Lines: Viewer File Saved as /home/x/\xC3\x89t\xC3\xA9/juin.tl2 "
                         "without personal data. [No]\n");
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
