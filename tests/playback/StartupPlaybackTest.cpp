#include "PlaybackFixture.h"

namespace {

struct StartupPlayback : PlaybackFixture {
    StartupPlayback() {
        StartPlayer();
        f1.playback.Programmstart.SetEnabled(true);
    }
};

TEST_F(StartupPlayback, NothingPlaysWithoutTheAutostartPairOrAWakeCall) {
    s.RunAtSystemStart = false;
    s.PlayAfterSystemStart = true;
    p.gui.RunFor(5000);
    EXPECT_FALSE(f1.playback.Programmstart.Enabled());
    EXPECT_EQ(f1.playback.PlayState, TPlayState::Stop);
    EXPECT_TRUE(p.desktop.keys.empty());

    s.RunAtSystemStart = true;
    s.PlayAfterSystemStart = false;
    f1.playback.Programmstart.SetEnabled(true);
    p.gui.RunFor(5000);
    EXPECT_EQ(f1.playback.PlayState, TPlayState::Stop);
}

TEST_F(StartupPlayback, AWakeCallStartsPlayAndTheRunOnce) {
    s.WakeCall = true;
    s.RiseIntervalMs = 200;
    SetInitialPercent(10);
    s.BreakCount = 9;
    f1.ShowFace(f1.Image7, f1.Image22);

    p.gui.Tick(f1.playback.Programmstart);

    EXPECT_FALSE(f1.playback.Programmstart.Enabled());
    EXPECT_EQ(f1.playback.PlayState, TPlayState::Play);
    EXPECT_EQ(Face(f1.Image1), 14);
    EXPECT_EQ(Face(f1.Image9), 24);
    EXPECT_EQ(Face(f1.Image7), 22);  // not looked at
    EXPECT_EQ(p.desktop.KeysSent(), "X");
    EXPECT_EQ(f1.playback.Timer1.Interval(), 200);
    EXPECT_TRUE(f1.playback.Timer1.Enabled());
    EXPECT_EQ(f1.playback.RunLevel, 50);
    EXPECT_EQ(f1.playback.NextBreakLevel, 50);
    using Set = std::pair<std::uint16_t, std::uint16_t>;
    EXPECT_EQ(p.volume.sets, (std::vector<Set>{{0, 0}, {6550, 6550}}));
}

TEST_F(StartupPlayback, TheAutostartPairStartsPlayAndKeepsTheClosingCount) {
    s.RunAtSystemStart = s.PlayAfterSystemStart = true;
    s.AutoClose = true;
    f1.playback.ElapsedMinutes = 1;
    f1.Label2.caption = "Act: 0";
    p.gui.Tick(f1.playback.Programmstart);
    EXPECT_EQ(f1.playback.PlayState, TPlayState::Play);
    EXPECT_TRUE(f1.playback.Timer2.Enabled());
    EXPECT_EQ(f1.playback.ElapsedMinutes, 1);
    EXPECT_EQ(f1.Label2.caption, "Act: 0");
}

struct AutomaticClosing : PlaybackFixture {
    AutomaticClosing() {
        StartPlayer();
        s.RisingVolume = false;
        s.AutoClose = true;
        s.AutoCloseMinutes = 2;
    }
};

TEST_F(AutomaticClosing, CountsTheMinutesDownAndEndsTheProgram) {
    f1.playback.PlayAction();
    EXPECT_EQ(f1.Label2.caption, "Act: 2");
    p.gui.RunFor(60000);
    EXPECT_EQ(f1.Label2.caption, "Act: 1");
    EXPECT_FALSE(p.app.quitPosted);
    p.gui.RunFor(60000);
    EXPECT_EQ(f1.Label2.caption, "Act: 0");
    EXPECT_TRUE(p.app.quitPosted);
    EXPECT_FALSE(f1.playback.Timer2.Enabled());
    EXPECT_EQ(p.desktop.windows.size(), 1u);  // the player is left alone
}

TEST_F(AutomaticClosing, APauseLengthensTheTimeToClosingByThePartOfAMinuteUnderWay) {
    f1.playback.PlayAction();
    p.gui.RunFor(30000);
    f1.playback.PauseAction();
    p.gui.RunFor(600000);
    f1.playback.PlayAction();
    p.gui.RunFor(59999);
    EXPECT_EQ(f1.Label2.caption, "Act: 2");
    p.gui.RunFor(1);
    EXPECT_EQ(f1.Label2.caption, "Act: 1");
}

TEST_F(AutomaticClosing, ClosesThePlayerWithoutAskingAndEndsAfterACancelledCountdown) {
    s.AutoCloseMinutes = 1;
    s.CloseWinampOnExit = true;
    s.ShutdownAfterAutoClose = true;
    bool playerGone = false;
    p.gui.onModal = [&](ui::Form&) {
        playerGone = Player() == 0;
        f6.Button1.Click();
    };
    f1.playback.PlayAction();
    p.gui.RunFor(60000);

    EXPECT_TRUE(p.dialogs.shown.empty());
    EXPECT_TRUE(playerGone);
    EXPECT_EQ(p.gui.modalForms.size(), 1u);
    EXPECT_TRUE(p.app.quitPosted);
    EXPECT_TRUE(p.system.shutdowns.empty());
}

TEST_F(AutomaticClosing, ACountdownOptionThatIsDisabledShowsNothing) {
    s.AutoCloseMinutes = 1;
    s.ShutdownAfterAutoClose = true;
    f1.playback.PlayAction();
    s.AutoClose = false;  // switched off while counting: the shutdown box is disabled now
    p.gui.RunFor(60000);
    EXPECT_TRUE(p.gui.modalForms.empty());
    EXPECT_TRUE(p.app.quitPosted);
}

TEST_F(AutomaticClosing, LoweringTheMinutesBelowThoseGoneClosesAtTheNextMinute) {
    s.AutoCloseMinutes = 10;
    f1.playback.PlayAction();
    p.gui.RunFor(3 * 60000);
    s.AutoCloseMinutes = 2;
    p.gui.RunFor(60000);
    EXPECT_EQ(f1.Label2.caption, "Act: 0");
    EXPECT_TRUE(p.app.quitPosted);
}

TEST_F(AutomaticClosing, StopEndsTheCountAndPlayStartsItAfresh) {
    f1.playback.PlayAction();
    p.gui.RunFor(60000);
    f1.playback.StopAction();
    EXPECT_FALSE(f1.playback.Timer2.Enabled());
    EXPECT_EQ(f1.playback.ElapsedMinutes, 0);
    f1.playback.PlayAction();
    EXPECT_EQ(f1.Label2.caption, "Act: 2");
    p.gui.RunFor(60000);
    EXPECT_EQ(f1.Label2.caption, "Act: 1");
}

}  // namespace
