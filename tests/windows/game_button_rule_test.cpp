#include "windows/game_button_rule.h"

#include <string>

#include <gtest/gtest.h>

#include "app/update_state.h"

namespace {

GameButtonInputs Installed() {
    GameButtonInputs in;
    in.gameExecutableExists = true;
    return in;
}

struct RuleCase {
    const char* name;
    GameButtonInputs in;
    std::wstring textId;
    bool enabled;
    int page;
    AutoStart autoStart;
};

GameButtonInputs With(GameButtonInputs in, void (*change)(GameButtonInputs&)) {
    change(in);
    return in;
}

TEST(GameButtonRuleTest, ChoosesTextPageAndAutomaticStartFromTheState) {
    const RuleCase cases[] = {
        {"nothing installed", {}, kGetGameText, true, kGameAreaSetup, AutoStart::kNone},
        {"installed, up to date", Installed(), kStartGameText, true, kGameAreaNone, AutoStart::kNone},
        {"launcher check keeps the text", With({}, [](GameButtonInputs& in) {
             in.stateType = kCheckVersionStateType;
             in.stateMode = kLauncherMode;
         }), L"", false, kGameAreaCheck, AutoStart::kNone},
        {"launcher download", With({}, [](GameButtonInputs& in) {
             in.stateType = kDownloadFilesStateType;
             in.stateMode = kLauncherMode;
         }), L"", false, kGameAreaDownload, AutoStart::kNone},
        {"game check while paused", With(Installed(), [](GameButtonInputs& in) {
             in.stateType = kCheckVersionStateType;
             in.stateMode = kGameMode;
             in.downloadsPaused = true;
         }), kPausedText, false, kGameAreaCheck, AutoStart::kNone},
        {"game download", With(Installed(), [](GameButtonInputs& in) {
             in.stateType = kDownloadFilesStateType;
             in.stateMode = kGameMode;
         }), kStartGameText, false, kGameAreaDownload, AutoStart::kNone},
        {"entering the game counts as idle", With(Installed(), [](GameButtonInputs& in) {
             in.stateType = kEnterGameStateType;
             in.stateMode = kGameMode;
         }), kStartGameText, true, kGameAreaNone, AutoStart::kNone},
        {"interrupted download continues", With({}, [](GameButtonInputs& in) { in.pendingVersionMap = true; }),
         kContinueDownloadText, true, kGameAreaNone, AutoStart::kContinueDownload},
        {"no automatic continue once a box was shown", With({}, [](GameButtonInputs& in) {
             in.pendingVersionMap = true;
             in.messageBoxShown = true;
         }), kContinueDownloadText, true, kGameAreaNone, AutoStart::kNone},
        {"update without automatic updates", With(Installed(), [](GameButtonInputs& in) { in.updateAvailable = true; }),
         kUpdateGameText, true, kGameAreaNone, AutoStart::kNone},
        {"automatic update", With(Installed(), [](GameButtonInputs& in) {
             in.updateAvailable = true;
             in.autoUpdate = true;
         }), kUpdateGameText, true, kGameAreaNone, AutoStart::kUpdate},
        {"no automatic update while the game runs", With(Installed(), [](GameButtonInputs& in) {
             in.updateAvailable = true;
             in.autoUpdate = true;
             in.gameRunning = true;
         }), kUpdateGameText, true, kGameAreaNone, AutoStart::kNone},
        {"no automatic update while a box is open", With(Installed(), [](GameButtonInputs& in) {
             in.updateAvailable = true;
             in.autoUpdate = true;
             in.messageBoxOpen = true;
         }), kUpdateGameText, true, kGameAreaNone, AutoStart::kNone},
    };
    for (const RuleCase& c : cases) {
        const GameButtonLook look = DecideGameButton(c.in);
        EXPECT_EQ(look.textId, c.textId) << c.name;
        EXPECT_EQ(look.enabled, c.enabled) << c.name;
        EXPECT_EQ(look.page, c.page) << c.name;
        EXPECT_EQ(look.autoStart, c.autoStart) << c.name;
    }
}

TEST(GameButtonRuleTest, APauseRemembersTheTextFromBeforeTheFirstPause) {
    PausedTextMemory memory;
    EXPECT_EQ(memory.Pause(kUpdateGameText), kPausedText);
    // A second pause must not record the paused look as the text to bring back.
    EXPECT_EQ(memory.Pause(kPausedText), kPausedText);
    EXPECT_EQ(memory.Resume(kPausedText), kUpdateGameText);
}

TEST(GameButtonRuleTest, AResumeWithoutARecordedPauseNeverBlanksTheButton) {
    PausedTextMemory memory;
    EXPECT_EQ(memory.Resume(kGetGameText), kGetGameText);
    EXPECT_EQ(memory.Resume(kPausedText), kStartGameText);
    // A recorded text is brought back once, not again after the rule moved on.
    memory.Pause(kContinueDownloadText);
    EXPECT_EQ(memory.Resume(kPausedText), kContinueDownloadText);
    EXPECT_EQ(memory.Resume(kStartGameText), kStartGameText);
}

}  // namespace
