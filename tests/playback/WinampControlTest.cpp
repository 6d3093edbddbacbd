#include <functional>
#include <map>

#include "PlaybackFixture.h"

namespace {

using Wf = PlaybackFixture;
constexpr platform::WindowHandle kNoWindow = 0;

TEST_F(Wf, PlayWithThePlayerRunningRaisesItAndSendsPlayWithoutLaunchingOrWaiting) {
    const auto player = StartPlayer();
    f1.playback.PlayAction();

    EXPECT_TRUE(p.desktop.launches.empty());
    EXPECT_TRUE(p.clock.sleeps.empty());
    EXPECT_EQ(p.desktop.restored, std::vector<platform::WindowHandle>{player});
    ASSERT_EQ(p.desktop.keys.size(), 1u);
    EXPECT_EQ(p.desktop.keys[0].virtualKey, 'X');
    EXPECT_EQ(p.desktop.keys[0].foreground, player);
    EXPECT_EQ(f1.playback.PlayState, TPlayState::Play);
}

TEST_F(Wf, PlayLaunchesAMissingPlayerWaitsForItAndKeepsTheWindowDisabledMeanwhile) {
    bool enabledDuringLaunch = true;
    p.desktop.onOpen = [&](const fake::FakeDesktop::Launch&) {
        enabledDuringLaunch = f1.enabled;
        StartPlayer();
    };
    f1.playback.PlayAction();

    ASSERT_EQ(p.desktop.launches.size(), 1u);
    const auto& launch = p.desktop.launches[0];
    EXPECT_EQ(launch.file, "C:\\Winamp\\Winamp.exe");
    EXPECT_EQ(launch.parameters, "");
    EXPECT_EQ(launch.directory, "");
    EXPECT_EQ(launch.show, platform::ShowNormal);
    EXPECT_EQ(launch.owner, p.gui.FormWindow(f1));
    EXPECT_EQ(p.clock.sleeps, std::vector<std::uint32_t>{5000});
    EXPECT_FALSE(enabledDuringLaunch);
    EXPECT_EQ(p.desktop.KeysSent(), "X");
    EXPECT_EQ(p.desktop.keys[0].foreground, Player());
    // The window takes input again and the wait cursor is gone.
    EXPECT_TRUE(f1.enabled);
    EXPECT_EQ(p.app.cursors, (std::vector<platform::Cursor>{platform::Cursor::Wait, platform::Cursor::Default}));
}

TEST_F(Wf, WithoutWaitForWinampTheLaunchIsNotFollowedByTheLongWait) {
    s.WaitForWinamp = false;
    s.WinampWaitSeconds = 7;
    PlayerAppearsWhenLaunched();
    f1.playback.PlayAction();
    EXPECT_EQ(p.desktop.launches.size(), 1u);
    for (auto ms : p.clock.sleeps) EXPECT_LT(ms, 1000u);
}

TEST_F(Wf, RaisingIsBoundedWhenWindowsRefusesTheForegroundAndPlayGoesByMessage) {
    const auto player = StartPlayer();
    p.desktop.refuseForeground = true;
    f1.playback.PlayAction();

    EXPECT_EQ(p.desktop.bringToTopCalls, 20);
    std::uint32_t waited = 0;
    for (auto ms : p.clock.sleeps) waited += ms;
    EXPECT_LE(waited, 500u);
    // No keystroke into whatever window is in front: the player's play command instead.
    EXPECT_EQ(p.desktop.KeysSent(), "");
    ASSERT_EQ(p.desktop.posted.size(), 1u);
    EXPECT_EQ(p.desktop.posted[0].window, player);
    EXPECT_EQ(p.desktop.posted[0].message, 0x0111u);
    EXPECT_EQ(p.desktop.posted[0].wParam, 40045u);
    EXPECT_TRUE(f1.playback.Timer1.Enabled());
    EXPECT_TRUE(f1.enabled);
}

TEST_F(Wf, AFailedLaunchStillStartsPlayAndTheRunWithoutAnyMessage) {
    p.desktop.launchFails = true;
    f1.playback.PlayAction();

    EXPECT_EQ(f1.playback.PlayState, TPlayState::Play);
    EXPECT_TRUE(f1.playback.Timer1.Enabled());
    EXPECT_EQ(p.desktop.KeysSent(), "");
    EXPECT_TRUE(p.dialogs.shown.empty());
    EXPECT_TRUE(f1.enabled);
}

TEST_F(Wf, PlayFromStopSetsUpTheRunAndTheClosingCountdownFromTheOptions) {
    StartPlayer();
    SetInitialPercent(20);
    s.RiseIntervalMs = 250;
    s.BreakCount = 50;
    s.AutoClose = true;
    s.AutoCloseMinutes = 7;
    f1.playback.ElapsedMinutes = 3;
    f1.playback.BreaksDone = 2;

    f1.playback.PlayAction();

    EXPECT_EQ(f1.playback.Timer1.Interval(), 250);
    EXPECT_TRUE(f1.playback.Timer1.Enabled());
    EXPECT_EQ(f1.playback.RunLevel, 100);
    EXPECT_EQ(f1.playback.BreaksDone, 0);
    EXPECT_EQ(f1.playback.BreakStep, 5);
    EXPECT_EQ(f1.playback.NextBreakLevel, 5);
    // Silence first, then the initial volume on both channels.
    using Set = std::pair<std::uint16_t, std::uint16_t>;
    EXPECT_EQ(p.volume.sets, (std::vector<Set>{{0, 0}, {13100, 13100}}));
    EXPECT_EQ(f1.playback.ElapsedMinutes, 0);
    EXPECT_EQ(f1.Label2.caption, "Act: 7");
    EXPECT_TRUE(f1.playback.Timer2.Enabled());
    EXPECT_EQ(Face(f1.Image1), 15);
    EXPECT_EQ(Face(f1.Image7), 18);
    EXPECT_EQ(Face(f1.Image9), 24);
}

TEST_F(Wf, PlayWithoutRisingVolumeLeavesTheVolumeAndTheRunAlone) {
    StartPlayer();
    s.RisingVolume = false;
    f1.playback.PlayAction();
    EXPECT_TRUE(p.volume.sets.empty());
    EXPECT_FALSE(f1.playback.Timer1.Enabled());
    EXPECT_EQ(p.desktop.KeysSent(), "X");
}

// Each command from each state: the state reached, the keys the player receives and
// whether the two timers run afterwards (both options that drive them are on).
struct Transition {
    TPlayState from;
    const char* command;
    TPlayState to;
    const char* keys;
    bool timersOn;
};

class TransportTable : public PlaybackFixture, public ::testing::WithParamInterface<Transition> {};

void Press(Playback& pb, const std::string& command) {
    if (command == "Play") pb.PlayAction();
    if (command == "Pause") pb.PauseAction();
    if (command == "Stop") pb.StopAction();
}

TEST_P(TransportTable, WithTheRemoteControlOn) {
    const Transition t = GetParam();
    StartPlayer();
    s.AutoClose = true;
    EnterState(t.from);
    p.desktop.keys.clear();

    Press(pb, t.command);

    EXPECT_EQ(f1.playback.PlayState, t.to);
    EXPECT_EQ(p.desktop.KeysSent(), t.keys);
    for (const auto& key : p.desktop.keys) EXPECT_EQ(key.foreground, Player());
    EXPECT_EQ(f1.playback.Timer1.Enabled(), t.timersOn);
    EXPECT_EQ(f1.playback.Timer2.Enabled(), t.timersOn);
}

TEST_P(TransportTable, WithTheRemoteControlOffOnlyTheFirstPlayIsSent) {
    const Transition t = GetParam();
    StartPlayer();
    s.RemoteControl = false;
    EnterState(t.from);
    p.desktop.keys.clear();

    Press(pb, t.command);

    EXPECT_EQ(f1.playback.PlayState, t.to);
    const bool firstStart = t.from == TPlayState::Stop && std::string(t.command) == "Play";
    EXPECT_EQ(p.desktop.KeysSent(), firstStart ? "X" : "");
}

TEST_P(TransportTable, WithoutAPlayerWindowNoKeyIsSent) {
    const Transition t = GetParam();
    p.desktop.launchFails = true;
    EnterState(t.from);

    Press(pb, t.command);

    EXPECT_EQ(f1.playback.PlayState, t.to);
    EXPECT_EQ(p.desktop.KeysSent(), "");
}

INSTANTIATE_TEST_SUITE_P(Playback, TransportTable,
                         ::testing::Values(Transition{TPlayState::Stop, "Play", TPlayState::Play, "X", true},
                                           Transition{TPlayState::Stop, "Pause", TPlayState::Stop, "", false},
                                           Transition{TPlayState::Stop, "Stop", TPlayState::Stop, "", false},
                                           Transition{TPlayState::Play, "Play", TPlayState::Play, "", true},
                                           Transition{TPlayState::Play, "Pause", TPlayState::Pause, "C", false},
                                           Transition{TPlayState::Play, "Stop", TPlayState::Stop, "V", false},
                                           Transition{TPlayState::Pause, "Play", TPlayState::Play, "C", true},
                                           Transition{TPlayState::Pause, "Pause", TPlayState::Play, "C", true},
                                           Transition{TPlayState::Pause, "Stop", TPlayState::Stop, "V", false}),
                         [](const auto& info) {
                             return std::string(StateName(info.param.from)) + "Then" + info.param.command;
                         });

TEST_F(Wf, PauseWhileStoppedChangesOnlyThePictures) {
    StartPlayer();
    f1.playback.PauseAction();
    EXPECT_EQ(f1.playback.PlayState, TPlayState::Stop);
    EXPECT_EQ(Face(f1.Image1), 10);
    EXPECT_EQ(Face(f1.Image7), 19);
    EXPECT_EQ(Face(f1.Image9), 27);
    EXPECT_TRUE(p.desktop.keys.empty());
    EXPECT_EQ(p.desktop.bringToTopCalls, 0);
}

TEST_F(Wf, StopWhileStoppedOnlyResetsTheClosingLine) {
    StartPlayer();
    f1.Label2.caption = "Act: 5";
    f1.playback.ElapsedMinutes = 1;
    f1.playback.StopAction();
    EXPECT_EQ(f1.Label2.caption, "Act: 0");
    EXPECT_EQ(f1.playback.ElapsedMinutes, 1);
    EXPECT_TRUE(p.desktop.keys.empty());
    // The buttons keep the faces they had.
    EXPECT_EQ(Face(f1.Image1), 1);
    EXPECT_EQ(Face(f1.Image9), 9);
}

TEST_F(Wf, StopKeepsTheVolumeAndResetsTheMinuteCount) {
    StartPlayer();
    f1.playback.PlayAction();
    p.gui.Tick(f1.playback.Timer1, 50);
    const auto volumeBefore = p.volume.right;
    f1.playback.ElapsedMinutes = 4;
    f1.playback.StopAction();
    EXPECT_EQ(p.volume.right, volumeBefore);
    EXPECT_EQ(f1.playback.ElapsedMinutes, 0);
    EXPECT_EQ(f1.Label2.caption, "Act: 0");
    EXPECT_EQ(Face(f1.Image1), 10);
    EXPECT_EQ(Face(f1.Image7), 18);
    EXPECT_EQ(Face(f1.Image9), 28);
}

TEST_F(Wf, ResumingGoesOnFromThePausedLevelAtTheIntervalItHad) {
    StartPlayer();
    f1.playback.PlayAction();
    p.gui.Tick(f1.playback.Timer1, 30);
    f1.playback.PauseAction();
    s.RiseIntervalMs = 1000;
    SetInitialPercent(40);

    f1.playback.PlayAction();

    EXPECT_EQ(f1.playback.RunLevel, 30);
    EXPECT_EQ(f1.playback.Timer1.Interval(), 100);
    EXPECT_EQ(Face(f1.Image1), 15);
    p.gui.Tick(f1.playback.Timer1);
    EXPECT_EQ(f1.playback.RunLevel, 31);
}

TEST_F(Wf, TerminateWithoutAPlayerAsksNothingAndEnds) {
    s.CloseWinampOnExit = true;
    f1.playback.TerminateAction();
    EXPECT_TRUE(p.dialogs.shown.empty());
    EXPECT_TRUE(p.app.quitPosted);
}

TEST_F(Wf, TerminateOffersToCloseThePlayerAndEndsWhateverTheAnswer) {
    s.CloseWinampOnExit = true;
    for (int answer : {platform::IdNo, platform::IdYes}) {
        SCOPED_TRACE(answer);
        p.app.quitPosted = false;
        p.dialogs.shown.clear();
        p.desktop.windows.clear();
        const auto processId = p.desktop.ProcessId(StartPlayer());
        p.dialogs.answers = {answer};

        f1.playback.TerminateAction();

        ASSERT_EQ(p.dialogs.shown.size(), 1u);
        EXPECT_EQ(p.dialogs.shown[0].text, "Do you want to terminate Winamp?");
        EXPECT_EQ(p.dialogs.shown[0].caption, "Terminate Winamp");
        EXPECT_EQ(p.dialogs.shown[0].style & 0xFFu, platform::MbYesNo | platform::MbIconQuestion);
        EXPECT_EQ(p.desktop.IsRunning(processId), answer == platform::IdNo);
        EXPECT_TRUE(p.app.quitPosted);
    }
}

TEST_F(Wf, TerminateAsksInGermanWhenTheLanguageIsGerman) {
    p.system.UseGerman();
    s.CloseWinampOnExit = true;
    StartPlayer();
    p.dialogs.answers = {platform::IdNo};
    f1.playback.TerminateAction();
    ASSERT_EQ(p.dialogs.shown.size(), 1u);
    EXPECT_EQ(p.dialogs.shown[0].text, "Wollen Sie Winamp schlie\xDF" "en?");
    EXPECT_EQ(p.dialogs.shown[0].caption, "Winamp schlie\xDF" "en");
}

TEST_F(Wf, CloseWinampEndsThePlayersProcessAndIsSilentWithoutOne) {
    f1.playback.CloseWinamp();
    EXPECT_TRUE(p.desktop.terminated.empty());

    const auto player = StartPlayer();
    const auto processId = p.desktop.ProcessId(player);
    f1.playback.CloseWinamp();
    EXPECT_EQ(p.desktop.terminated, std::vector<std::uint32_t>{processId});
    EXPECT_EQ(Player(), kNoWindow);
}

}  // namespace
