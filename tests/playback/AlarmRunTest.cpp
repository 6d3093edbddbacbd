#include <algorithm>

#include "PlaybackFixture.h"

namespace {

struct AlarmRun : PlaybackFixture {
    AlarmRun() { StartPlayer(); }

    int BreaksTaken() const {
        return static_cast<int>(std::count(p.clock.sleeps.begin(), p.clock.sleeps.end(), 5000u));
    }
    // Steps the run until its timer stops, at most `limit` ticks; returns the ticks taken.
    int RunToTheEnd(int limit = 1000) {
        int ticks = 0;
        while (f1.playback.Timer1.Enabled() && ticks < limit) {
            p.gui.Tick(f1.playback.Timer1);
            ++ticks;
        }
        return ticks;
    }
};

TEST_F(AlarmRun, ADefaultRunReachesFullVolumeAfterFiftySecondsAndEndsAtTheNextTick) {
    f1.playback.PlayAction();
    p.gui.RunFor(50000);

    EXPECT_EQ(f1.playback.RunLevel, 500);
    EXPECT_EQ(f1.Label1.caption, "Vol: 100");
    EXPECT_EQ(p.volume.left, 65500);
    EXPECT_EQ(p.volume.right, 65500);
    EXPECT_EQ(f1.Shape1.width, 64);
    EXPECT_EQ(f1.Image37.left, f1.Shape1.left + 64);
    EXPECT_TRUE(f1.playback.Timer1.Enabled());
    EXPECT_FALSE(p.app.quitPosted);

    p.gui.RunFor(100);
    EXPECT_FALSE(f1.playback.Timer1.Enabled());
    EXPECT_TRUE(p.app.quitPosted);
    EXPECT_EQ(f1.playback.PlayState, TPlayState::Play);
    EXPECT_EQ(f1.playback.RunLevel, 500);
}

TEST_F(AlarmRun, EachStepRaisesByAFifthOfAPercentAndShowsTheRoundedPercent) {
    f1.playback.PlayAction();
    p.gui.Tick(f1.playback.Timer1, 7);
    EXPECT_EQ(p.volume.right, 7 * 131);
    EXPECT_EQ(f1.Label1.caption, "Vol: 1");  // 1.4 %
    EXPECT_EQ(f1.Shape1.width, 1);           // whole percents on the bar: 1 * 0.64
}

TEST_F(AlarmRun, FromThirtyToEightyTakesTwoHundredFiftySteps) {
    SetInitialPercent(30);
    SetFinalPercent(80);
    s.CloseAtFinalVolume = false;
    f1.playback.PlayAction();
    EXPECT_EQ(p.volume.right, 19650);

    EXPECT_EQ(RunToTheEnd(), 251);
    EXPECT_EQ(p.volume.right, 52400);
    EXPECT_EQ(f1.Label1.caption, "Vol: 80");
}

TEST_F(AlarmRun, BreaksComeByEqualityWithTheBreakLevels) {
    struct Case {
        int initial, final, breaks;
    };
    for (Case c : {Case{0, 100, 4}, Case{0, 70, 3}, Case{30, 100, 0}}) {
        SCOPED_TRACE(std::to_string(c.initial) + " to " + std::to_string(c.final));
        f1.playback.StopAction();
        p.clock.sleeps.clear();
        p.app.quitPosted = false;
        SetInitialPercent(c.initial);
        SetFinalPercent(c.final);
        s.Breaks = true;
        f1.playback.PlayAction();
        RunToTheEnd();
        EXPECT_EQ(BreaksTaken(), c.breaks);
        EXPECT_EQ(f1.playback.BreaksDone, c.breaks);
    }
}

TEST_F(AlarmRun, ABreakHoldsTheVolumeBelowTheBreakLevelWithTheBusyCursor) {
    s.Breaks = true;
    f1.playback.PlayAction();
    p.gui.Tick(f1.playback.Timer1, 99);
    p.app.cursors.clear();
    p.clock.sleeps.clear();
    const auto before = p.volume.right;
    p.volume.sets.clear();

    p.gui.Tick(f1.playback.Timer1);  // level 100: 20 %

    EXPECT_EQ(p.clock.sleeps, std::vector<std::uint32_t>{5000});
    EXPECT_EQ(p.app.cursors, (std::vector<platform::Cursor>{platform::Cursor::AppStarting, platform::Cursor::Default}));
    // Nothing was written before the wait; the break level comes right after it.
    ASSERT_EQ(p.volume.sets.size(), 1u);
    EXPECT_EQ(before, 99 * 131);
    EXPECT_EQ(p.volume.right, 100 * 131);
    EXPECT_EQ(f1.playback.NextBreakLevel, 200);
}

TEST_F(AlarmRun, BreakSpacingAndLengthFollowTheOptions) {
    s.Breaks = true;
    s.BreakCount = 50;
    s.BreakSeconds = 2;
    SetFinalPercent(60);
    f1.playback.PlayAction();
    RunToTheEnd();
    // A break at every whole percent from 1 % to 50 %: N = 50 are allowed.
    EXPECT_EQ(std::count(p.clock.sleeps.begin(), p.clock.sleeps.end(), 2000u), 50);
}

TEST_F(AlarmRun, WhileMutedTheDisplayMovesButTheVolumeStaysSilent) {
    f1.playback.PlayAction();
    p.gui.Tick(f1.playback.Timer1, 10);
    f1.Image2MouseUp({});  // mute: the run stops
    f1.playback.PauseAction();
    f1.playback.PlayAction();       // resuming restarts the run, still muted
    ASSERT_TRUE(f1.playback.Muted);
    ASSERT_TRUE(f1.playback.Timer1.Enabled());
    p.volume.sets.clear();

    p.gui.Tick(f1.playback.Timer1, 240);

    EXPECT_TRUE(p.volume.sets.empty());
    EXPECT_EQ(p.volume.right, 0);
    EXPECT_EQ(f1.Label1.caption, "Vol: 50");
    EXPECT_EQ(f1.Shape1.width, 32);
    EXPECT_EQ(f1.playback.CurrentVolume[1], 250 * 131);
}

TEST_F(AlarmRun, LoweringTheFinalVolumeBelowTheLevelEndsTheRunAtTheNextStep) {
    f1.playback.PlayAction();
    p.gui.Tick(f1.playback.Timer1, 300);
    SetFinalPercent(51);
    p.gui.Tick(f1.playback.Timer1);
    EXPECT_FALSE(f1.playback.Timer1.Enabled());
    EXPECT_TRUE(p.app.quitPosted);
    EXPECT_EQ(f1.playback.RunLevel, 300);
}

TEST_F(AlarmRun, WithoutEndActionsTheRunStopsAndTheProgramPlaysOn) {
    s.CloseAtFinalVolume = false;
    SetFinalPercent(60);
    f1.playback.PlayAction();
    RunToTheEnd();
    EXPECT_FALSE(p.app.quitPosted);
    EXPECT_EQ(f1.playback.PlayState, TPlayState::Play);
    EXPECT_TRUE(p.desktop.terminated.empty());
    EXPECT_TRUE(p.gui.modalForms.empty());
}

TEST_F(AlarmRun, TheEndClosesThePlayerThenCountsDownThenEndsTheProgram) {
    s.CloseWinampAtFinalVolume = true;
    s.ShutdownAtFinalVolume = true;
    SetFinalPercent(52);
    bool playerGoneBeforeCountdown = false, quitBeforeCountdownEnded = true;
    p.gui.onModal = [&](ui::Form& form) {
        playerGoneBeforeCountdown = Player() == 0;
        quitBeforeCountdownEnded = p.app.quitPosted;
        EXPECT_EQ(&form, &f6);
        f6.Button1.Click();
    };
    f1.playback.PlayAction();
    RunToTheEnd();

    ASSERT_EQ(p.gui.modalForms.size(), 1u);
    EXPECT_TRUE(playerGoneBeforeCountdown);
    EXPECT_FALSE(quitBeforeCountdownEnded);
    EXPECT_TRUE(p.app.quitPosted);
    EXPECT_TRUE(p.system.shutdowns.empty());
}

TEST_F(AlarmRun, TheCountdownNeedsItsOptionCheckedAndEnabled) {
    SetFinalPercent(52);
    s.ShutdownAtFinalVolume = true;
    f1.playback.PlayAction();
    s.RisingVolume = false;  // switched off during the run: the shutdown box is disabled now
    RunToTheEnd();
    EXPECT_TRUE(p.gui.modalForms.empty());
}

TEST_F(AlarmRun, RestartingTheTimerAfterTheEndRepeatsTheEndActions) {
    s.CloseAtFinalVolume = false;
    s.ShutdownAtFinalVolume = true;
    SetFinalPercent(52);
    f1.playback.PlayAction();
    RunToTheEnd();
    f1.playback.PauseAction();
    f1.playback.PlayAction();
    p.gui.Tick(f1.playback.Timer1);
    EXPECT_EQ(p.gui.modalForms.size(), 2u);
    EXPECT_FALSE(f1.playback.Timer1.Enabled());
}

}  // namespace
