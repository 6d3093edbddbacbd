// The snooze and the volume given back at the alarm's end. The player runs; the initial volume
// is 20 % (13100), the snooze two minutes, and the run ends without closing anything unless a
// case asks for it.
#include "PlaybackFixture.h"

namespace {

constexpr std::uint16_t kInitial = 13100;
constexpr int kMinute = 60000;

struct SnoozeFixture : PlaybackFixture {
    SnoozeFixture() {
        StartPlayer();
        SetInitialPercent(20);
        s.SnoozeMinutes = 2;
        s.CloseAtFinalVolume = false;
    }
    std::string Keys() const { return p.desktop.KeysSent(); }
};

// Snooze from each play state: only "Play" is silenced; the others stay as they were.
class SnoozeByState : public SnoozeFixture, public ::testing::WithParamInterface<TPlayState> {};

TEST_P(SnoozeByState, SilencesOnlyAPlayingAlarm) {
    const TPlayState from = GetParam();
    s.AutoClose = true;
    EnterState(from);
    p.gui.Tick(pb.Timer1, 40);  // the run has risen above the initial volume
    p.desktop.keys.clear();
    const std::string before = f1.Label2.caption;

    pb.SnoozeAction();

    if (from != TPlayState::Play) {
        EXPECT_EQ(pb.PlayState, from);
        EXPECT_EQ(Keys(), "");
        EXPECT_FALSE(pb.Snoozing());
        EXPECT_FALSE(pb.SnoozeTimer.Enabled());
        EXPECT_EQ(f1.Label2.caption, before);
        return;
    }
    EXPECT_EQ(pb.PlayState, TPlayState::Stop);
    EXPECT_EQ(Keys(), "V");
    EXPECT_FALSE(pb.Timer1.Enabled());
    EXPECT_FALSE(pb.Timer2.Enabled());
    EXPECT_EQ(Face(f1.Image9), 28);  // Stop's faces
    EXPECT_EQ(p.volume.right, kInitial);
    EXPECT_EQ(p.volume.left, kInitial);
    EXPECT_EQ(f1.Label1.caption, "Vol: 20");
    EXPECT_EQ(f1.Label2.caption, "Act: Zz 2");
    EXPECT_TRUE(pb.SnoozeTimer.Enabled());
}

INSTANTIATE_TEST_SUITE_P(States, SnoozeByState,
                         ::testing::Values(TPlayState::Play, TPlayState::Pause, TPlayState::Stop),
                         [](const auto& info) { return std::string(StateName(info.param)); });

using Snooze = SnoozeFixture;

TEST_F(Snooze, CountsDownAndRingsAgainAsAWakeCallDoes) {
    s.AutoClose = true;
    s.AutoCloseMinutes = 5;
    s.RiseIntervalMs = 200;
    pb.PlayAction();
    p.gui.Tick(pb.Timer1, 40);
    pb.SnoozeAction();
    p.desktop.keys.clear();
    p.volume.sets.clear();

    p.gui.RunFor(kMinute);
    EXPECT_EQ(f1.Label2.caption, "Act: Zz 1");
    EXPECT_EQ(pb.PlayState, TPlayState::Stop);
    p.gui.RunFor(kMinute);

    EXPECT_EQ(pb.PlayState, TPlayState::Play);
    EXPECT_FALSE(pb.Snoozing());
    EXPECT_FALSE(pb.SnoozeTimer.Enabled());
    EXPECT_EQ(Keys(), "X");
    EXPECT_EQ(Face(f1.Image1), 14);
    EXPECT_EQ(Face(f1.Image9), 24);
    // The rising run again, from silence to the initial volume and on from there.
    using Set = std::pair<std::uint16_t, std::uint16_t>;
    EXPECT_EQ(p.volume.sets, (std::vector<Set>{{0, 0}, {kInitial, kInitial}}));
    EXPECT_TRUE(pb.Timer1.Enabled());
    EXPECT_EQ(pb.Timer1.Interval(), 200);
    EXPECT_EQ(pb.RunLevel, 100);
    // Automatic closing counts from the new start.
    EXPECT_TRUE(pb.Timer2.Enabled());
    EXPECT_EQ(pb.ElapsedMinutes, 0);
    EXPECT_EQ(f1.Label2.caption, "Act: 5");
}

TEST_F(Snooze, SnoozeDuringASnoozeStartsItsLengthAgain) {
    pb.PlayAction();
    pb.SnoozeAction();
    p.gui.RunFor(kMinute + kMinute / 2);
    EXPECT_EQ(f1.Label2.caption, "Act: Zz 1");
    p.desktop.keys.clear();

    pb.SnoozeAction();
    EXPECT_EQ(f1.Label2.caption, "Act: Zz 2");
    EXPECT_EQ(Keys(), "") << "nothing more to stop";
    p.gui.RunFor(2 * kMinute - 1000);
    EXPECT_EQ(pb.PlayState, TPlayState::Stop);
    p.gui.RunFor(1000);
    EXPECT_EQ(pb.PlayState, TPlayState::Play);
}

// A player that does not play: the own alarm sound rings, falls silent with the snooze, and
// rings again when the player still does not play after the snooze.
TEST_F(Snooze, SilencesTheOwnAlarmSoundAndRingsItAgain) {
    playsAfterCommands = 0;
    pb.PlayAction();
    p.gui.RunFor(10000);
    ASSERT_TRUE(pb.OwnAlarmSoundPlaying());

    pb.SnoozeAction();
    EXPECT_EQ(p.sound.playing, "");
    EXPECT_FALSE(pb.PlayerCheck.Enabled());
    p.gui.RunFor(2 * kMinute);
    EXPECT_EQ(pb.PlayState, TPlayState::Play);
    EXPECT_TRUE(pb.PlayerCheck.Enabled());
    p.gui.RunFor(10000);
    EXPECT_TRUE(pb.OwnAlarmSoundPlaying());
    EXPECT_NE(p.sound.playing, "");
}

// Stop, Terminate and playing by hand end a snooze: it never rings afterwards.
struct SnoozeEnd {
    const char* name;
    void (*act)(Playback&);
};
class SnoozeEnded : public SnoozeFixture, public ::testing::WithParamInterface<SnoozeEnd> {};

TEST_P(SnoozeEnded, NeverRingsAfterwards) {
    pb.PlayAction();
    pb.SnoozeAction();
    GetParam().act(pb);
    EXPECT_FALSE(pb.Snoozing());
    const std::string keys = Keys();

    p.gui.RunFor(10 * kMinute);
    EXPECT_EQ(Keys(), keys);
    EXPECT_FALSE(pb.SnoozeTimer.Enabled());
    if (std::string(GetParam().name) == "Stop") {
        EXPECT_EQ(f1.Label2.caption, "Act: 0");
    }
}

INSTANTIATE_TEST_SUITE_P(Ends, SnoozeEnded,
                         ::testing::Values(SnoozeEnd{"Stop", [](Playback& pb) { pb.StopAction(); }},
                                           SnoozeEnd{"Terminate", [](Playback& pb) { pb.TerminateAction(); }},
                                           SnoozeEnd{"Play", [](Playback& pb) { pb.PlayAction(); }}),
                         [](const auto& info) { return std::string(info.param.name); });

// The volume before play (left 30000, right 20000, the device muted) comes back at each end of
// the alarm when the option is on. During the alarm the user unmutes the device.
struct AlarmEnd {
    const char* name;
    bool restore;
    void (*setUp)(TSettings&);
    void (*end)(PlaybackFixture&);
};
class VolumeAtTheEnd : public SnoozeFixture, public ::testing::WithParamInterface<AlarmEnd> {};

TEST_P(VolumeAtTheEnd, ComesBackWhenAsked) {
    const AlarmEnd& c = GetParam();
    s.RestoreVolume = c.restore;
    c.setUp(s);
    p.volume.left = 30000;
    p.volume.right = 20000;
    p.volume.muted = true;
    pb.PlayAction();
    p.volume.muted = false;
    p.gui.Tick(pb.Timer1, 10);

    c.end(*this);

    if (!c.restore) {
        EXPECT_EQ(p.volume.right, (5 * 20 + 10) * 131) << "left where the run had it";
        EXPECT_FALSE(p.volume.muted);
        return;
    }
    EXPECT_EQ(p.volume.left, 30000);
    EXPECT_EQ(p.volume.right, 20000);
    EXPECT_TRUE(p.volume.muted);
    EXPECT_EQ(f1.Label1.caption, "Vol: 31");
    EXPECT_FALSE(pb.Muted);
}

void NoChange(TSettings&) {}
void Stop(PlaybackFixture& f) { f.pb.StopAction(); }

INSTANTIATE_TEST_SUITE_P(
    Ends, VolumeAtTheEnd,
    ::testing::Values(
        AlarmEnd{"Stop", true, NoChange, Stop},
        AlarmEnd{"Terminate", true, NoChange, [](PlaybackFixture& f) { f.pb.TerminateAction(); }},
        // The run ends at 50 s without an end action and leaves the volume; closing follows at 60 s.
        AlarmEnd{"AutomaticClosing", true,
                 [](TSettings& s) {
                     s.AutoClose = true;
                     s.AutoCloseMinutes = 1;
                 },
                 [](PlaybackFixture& f) { f.p.gui.RunFor(kMinute); }},
        AlarmEnd{"TheRunsEndActions", true, [](TSettings& s) { s.CloseWinampAtFinalVolume = true; },
                 [](PlaybackFixture& f) { f.p.gui.Tick(f.pb.Timer1, 400); }},
        // A snooze is part of the alarm: the volume of before the first ringing comes back.
        AlarmEnd{"StopAfterASnoozeAndTheOwnMute", true, NoChange,
                 [](PlaybackFixture& f) {
                     f.pb.SnoozeAction();
                     f.p.gui.RunFor(2 * kMinute);
                     f.pb.SetMuted(true);
                     f.pb.StopAction();
                 }},
        AlarmEnd{"StopWithTheOptionOff", false, NoChange, Stop}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
