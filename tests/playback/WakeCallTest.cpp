// A wake call keeps the computer awake: what is asked of the power management from its start
// through a snooze to each way the alarm ends, a wake call handed over by a second copy, and a
// wake call with no player to start.
#include "PlaybackFixture.h"

namespace {

using platform::KeepAwake;
using Requests = std::vector<KeepAwake>;

struct WakeCall : PlaybackFixture {
    WakeCall() {
        PlayerAppearsWhenLaunched();
        s.WakeCall = true;
        s.SnoozeMinutes = 1;
        SetInitialPercent(49);
        SetFinalPercent(51);
        s.CloseAtFinalVolume = false;
    }
    void RingAtStart() {
        pb.Programmstart.SetEnabled(true);
        p.gui.Tick(pb.Programmstart);
        ASSERT_EQ(pb.PlayState, TPlayState::Play);
    }
};

// Each way of ending: the keep-awake state is given up at that moment, not before.
struct Ending {
    const char* name;
    std::function<void(WakeCall&)> end;
};

class WakeCallEnds : public WakeCall, public ::testing::WithParamInterface<Ending> {};

TEST_P(WakeCallEnds, HoldsTheDisplayUntilTheAlarmEnds) {
    RingAtStart();
    EXPECT_EQ(p.power.requests, Requests{KeepAwake::SystemAndDisplay});
    GetParam().end(*this);
    EXPECT_EQ(p.power.requests, (Requests{KeepAwake::SystemAndDisplay, KeepAwake::Nothing}));
}

INSTANTIATE_TEST_SUITE_P(
    Ways, WakeCallEnds,
    ::testing::Values(Ending{"Stop", [](WakeCall& t) { t.pb.StopAction(); }},
                      Ending{"Terminate", [](WakeCall& t) { t.pb.TerminateAction(); }},
                      Ending{"AutomaticClosing",
                             [](WakeCall& t) {
                                 t.s.AutoClose = true;
                                 t.s.AutoCloseMinutes = 1;
                                 t.pb.Timer2.SetEnabled(true);
                                 t.p.gui.Tick(t.pb.Timer2);
                             }},
                      Ending{"EndActions",
                             [](WakeCall& t) {
                                 t.s.CloseAtFinalVolume = true;
                                 t.p.gui.Tick(t.pb.Timer1, 12);
                                 EXPECT_TRUE(t.p.app.quitPosted);
                             }},
                      Ending{"Shutdown",
                             [](WakeCall& t) {
                                 t.s.ShutdownAtFinalVolume = true;
                                 t.p.gui.onModal = [&](ui::Form&) {
                                     EXPECT_EQ(t.p.power.State(), KeepAwake::Nothing);
                                 };
                                 t.p.gui.Tick(t.pb.Timer1, 12);
                             }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WakeCall, ASnoozeKeepsOnlyTheComputerAwakeAndRingsWithTheDisplayAgain) {
    RingAtStart();
    pb.PauseAction();  // a pause does not end the alarm
    pb.PauseAction();
    pb.SnoozeAction();
    EXPECT_EQ(p.power.requests, (Requests{KeepAwake::SystemAndDisplay, KeepAwake::System}));
    p.gui.RunFor(60000);
    EXPECT_EQ(pb.PlayState, TPlayState::Play);
    pb.SnoozeAction();
    pb.StopAction();  // Stop during a snooze ends it
    EXPECT_EQ(p.power.requests, (Requests{KeepAwake::SystemAndDisplay, KeepAwake::System, KeepAwake::SystemAndDisplay,
                                          KeepAwake::System, KeepAwake::Nothing}));
}

TEST_F(WakeCall, PlayByHandAndTheAutostartAskNothing) {
    s.WakeCall = false;
    s.RunAtSystemStart = s.PlayAfterSystemStart = true;
    RingAtStart();
    pb.StopAction();
    pb.PlayAction();
    pb.StopAction();
    EXPECT_TRUE(p.power.requests.empty());
}

// Handed over by a second copy: played from "Stop" and from "Pause", but an alarm that rings
// or a snooze that waits goes on as it was.
TEST_F(WakeCall, AHandedOverCallPlaysUnlessAnAlarmRingsOrASnoozeWaits) {
    s.WakeCall = false;
    pb.TakeWakeCall();
    EXPECT_EQ(pb.PlayState, TPlayState::Play);
    EXPECT_EQ(pb.RunLevel, 5 * 49);  // the rising volume from the initial volume
    EXPECT_EQ(p.desktop.KeysSent(), "X");
    const auto keys = p.desktop.keys.size();
    pb.TakeWakeCall();
    EXPECT_EQ(p.desktop.keys.size(), keys);  // ringing: nothing changes
    pb.SnoozeAction();
    pb.TakeWakeCall();
    EXPECT_TRUE(pb.Snoozing());
    EXPECT_EQ(pb.PlayState, TPlayState::Stop);
    pb.StopAction();

    pb.PlayAction();
    pb.PauseAction();
    p.power.requests.clear();
    pb.TakeWakeCall();
    EXPECT_EQ(pb.PlayState, TPlayState::Play);
    EXPECT_TRUE(pb.Timer1.Enabled());
    EXPECT_EQ(p.power.State(), KeepAwake::SystemAndDisplay);
}

// No player runs and none is known: the shell is not asked to open an empty path (it would open
// a folder window), nothing is waited for, and the own sound rings at once.
TEST_F(WakeCall, WithoutAPlayerPathTheOwnSoundRingsAtOnce) {
    p.desktop.onOpen = nullptr;
    s.WinampPath.clear();
    s.WaitForWinamp = true;
    RingAtStart();
    EXPECT_TRUE(p.desktop.launches.empty());
    EXPECT_TRUE(p.clock.sleeps.empty() || p.clock.sleeps.front() < 1000);
    EXPECT_FALSE(p.sound.playing.empty());
    EXPECT_TRUE(pb.OwnAlarmSoundPlaying());
}

}  // namespace
