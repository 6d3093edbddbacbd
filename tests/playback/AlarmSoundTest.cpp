#include <functional>
#include <optional>
#include <string>

#include "PlaybackFixture.h"
#include "playback/WaveFile.h"

namespace {

constexpr const char* kAlarmWav = "C:\\Program Files\\Orvella\\Alarm.wav";
constexpr const char* kUserWav = "C:\\Users\\me\\Rooster.wav";
constexpr const char* kDefaultSound = fake::FakeSound::kDefaultSound;

// A WAV file of `frames` silent 16-bit mono frames: the sound service is a fake, only the
// program's check reads the bytes.
std::string Wave(std::uint32_t frames = 4) {
    auto word = [](std::uint32_t v, int bytes) {
        std::string out;
        for (int i = 0; i < bytes; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
        return out;
    };
    const std::uint32_t data = frames * 2;
    return "RIFF" + word(36 + data, 4) + "WAVE" + "fmt " + word(16, 4) + word(1, 2) + word(1, 2) +
           word(44100, 4) + word(88200, 4) + word(2, 2) + word(16, 2) + "data" + word(data, 4) +
           std::string(data, '\0');
}

// The main window with the program's Alarm.wav installed beside it.
struct AlarmSound : PlaybackFixture {
    AlarmSound() { p.files.AddFile(kAlarmWav, Wave()); }
    // Play pressed, then the ten seconds in which the player is asked whether it plays.
    void PlayAndWaitForTheCheck() {
        pb.PlayAction();
        p.gui.RunFor(10000);
    }
    bool Sounding() const { return !p.sound.playing.empty(); }
};

// What the player does after the play step, and what the user then hears.
struct PlayerCase {
    const char* name;
    bool window;             // a player window exists (else the launch starts nothing)
    bool inFront;            // Windows lets it come to the front
    int playsAfterCommands;  // 0: never plays
    bool hung;
    bool sound;              // the own sound rings after ten seconds
    std::vector<std::uintptr_t> posted;
};

class PlayerCheck : public AlarmSound, public ::testing::WithParamInterface<PlayerCase> {};

TEST_P(PlayerCheck, TheOwnSoundRingsExactlyWhenThePlayerDoesNotPlay) {
    const PlayerCase c = GetParam();
    if (c.window) StartPlayer();
    p.desktop.launchFails = !c.window;
    p.desktop.refuseForeground = !c.inFront;
    playsAfterCommands = c.playsAfterCommands;
    playerHung = c.hung;

    PlayAndWaitForTheCheck();

    EXPECT_EQ(p.sound.playing, c.sound ? kAlarmWav : "");
    EXPECT_EQ(PostedCommands(), c.posted);
    // No keystroke ever reaches a window that is not the player.
    for (const auto& key : p.desktop.keys) EXPECT_EQ(key.foreground, Player());
    if (c.hung) {
        for (auto timeout : p.desktop.askTimeouts) EXPECT_LE(timeout, 1000u);
    }
    // The check ran on the window's timer, not by sleeping on the thread.
    std::uint32_t slept = 0;
    for (auto ms : p.clock.sleeps) slept += ms;
    EXPECT_LE(slept, 5000u + 200u);
}

const std::vector<std::uintptr_t> kNone{};
const std::vector<std::uintptr_t> kPlay1{40045};
const std::vector<std::uintptr_t> kPlay4{40045, 40045, 40045, 40045};
const std::vector<std::uintptr_t> kPlay5{40045, 40045, 40045, 40045, 40045};

INSTANTIATE_TEST_SUITE_P(
    Playback, PlayerCheck,
    ::testing::Values(PlayerCase{"NoPlayerWindow", false, true, 1, false, true, kNone},
                      PlayerCase{"PlaysAtOnce", true, true, 1, false, false, kNone},
                      PlayerCase{"PlaysAfterTheCommand", true, true, 2, false, false, kPlay1},
                      PlayerCase{"NeverPlays", true, true, 0, false, true, kPlay4},
                      PlayerCase{"QuestionTimesOut", true, true, 1, true, true, kPlay4},
                      // Not in front: play goes by message, and the check's commands follow.
                      PlayerCase{"NotInFrontPlaysByMessage", true, false, 1, false, false, kPlay1},
                      PlayerCase{"NotInFrontNeverPlays", true, false, 0, false, true, kPlay5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AlarmSound, RingsOnlyWhenTheOptionIsOnAndSaysSoOnTheStartButton) {
    p.desktop.launchFails = true;
    s.OwnAlarmSound = false;
    PlayAndWaitForTheCheck();
    EXPECT_FALSE(Sounding());
    EXPECT_FALSE(pb.PlayerCheck.Enabled());

    pb.StopAction();
    s.OwnAlarmSound = true;
    PlayAndWaitForTheCheck();
    EXPECT_TRUE(Sounding());
    EXPECT_EQ(f1.Image1.hint, "Alarm sound");
    pb.StopAction();
    EXPECT_EQ(f1.Image1.hint, "Start");
}

// Which file rings: the user's, else Alarm.wav, else the system's own sound.
struct FileCase {
    const char* name;
    const char* setting;
    std::optional<std::string> userFile;  // content; nothing: no such file
    std::optional<std::string> alarmWav;
    std::string heard;
};

class SoundFile : public AlarmSound, public ::testing::WithParamInterface<FileCase> {};

TEST_P(SoundFile, TheFirstPlayableOneRings) {
    const FileCase c = GetParam();
    p.files.DeleteFile(kAlarmWav);
    if (c.alarmWav) p.files.AddFile(kAlarmWav, *c.alarmWav);
    if (c.userFile) p.files.AddFile(kUserWav, *c.userFile);
    s.AlarmSoundFile = c.setting;
    p.desktop.launchFails = true;
    PlayAndWaitForTheCheck();
    EXPECT_EQ(p.sound.playing, c.heard);
}

const std::string kGood = Wave();
constexpr std::nullopt_t kNoFile = std::nullopt;
INSTANTIATE_TEST_SUITE_P(
    Playback, SoundFile,
    ::testing::Values(FileCase{"TheUsersFile", kUserWav, kGood, kGood, kUserWav},
                      FileCase{"NoFileChosen", "", kNoFile, kGood, kAlarmWav},
                      FileCase{"TheUsersFileIsMissing", kUserWav, kNoFile, kGood, kAlarmWav},
                      FileCase{"TheUsersFileIsNoSound", kUserWav, "MZ not a wave", kGood, kAlarmWav},
                      FileCase{"NeitherFile", kUserWav, kNoFile, kNoFile, kDefaultSound},
                      FileCase{"AlarmWavDamaged", "", kNoFile, "RIFF", kDefaultSound}),
    [](const auto& info) { return std::string(info.param.name); });

// What ends the own sound. Each starts with it ringing (no player) and does one thing.
struct EndCase {
    const char* name;
    std::function<void(AlarmSound&)> act;
};

class SoundEnds : public AlarmSound, public ::testing::WithParamInterface<EndCase> {};

TEST_P(SoundEnds, AndStaysSilent) {
    p.desktop.launchFails = true;
    s.AutoClose = true;
    s.AutoCloseMinutes = 1;
    PlayAndWaitForTheCheck();
    ASSERT_TRUE(Sounding());

    GetParam().act(*this);

    EXPECT_FALSE(Sounding());
    p.gui.RunFor(20000);
    EXPECT_FALSE(Sounding());
}

INSTANTIATE_TEST_SUITE_P(
    Playback, SoundEnds,
    ::testing::Values(
        EndCase{"Stop", [](AlarmSound& t) { t.pb.StopAction(); }},
        EndCase{"Pause", [](AlarmSound& t) { t.pb.PauseAction(); }},
        EndCase{"Terminate", [](AlarmSound& t) { t.pb.TerminateAction(); }},
        EndCase{"AutomaticClosing", [](AlarmSound& t) { t.p.gui.Tick(t.pb.Timer2); }},
        EndCase{"EndOfTheRun",
                [](AlarmSound& t) {
                    t.pb.RunLevel = 500;
                    t.p.gui.Tick(t.pb.Timer1);
                }},
        EndCase{"ThePlayerPlaysAfterAll",
                [](AlarmSound& t) {
                    t.StartPlayer();
                    t.playerState = 1;
                    t.p.gui.Tick(t.pb.PlayerCheck);
                }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AlarmSound, PlayAfterPauseRingsAgainAndTheRunAtItsEndWithoutEndActionsKeepsRinging) {
    p.desktop.launchFails = true;
    PlayAndWaitForTheCheck();
    pb.PauseAction();
    ASSERT_FALSE(Sounding());
    pb.PlayAction();
    EXPECT_EQ(p.sound.playing, kAlarmWav);
    pb.PauseAction();
    pb.PauseAction();
    EXPECT_EQ(p.sound.playing, kAlarmWav);

    s.CloseAtFinalVolume = false;
    pb.RunLevel = 500;
    p.gui.Tick(pb.Timer1);
    EXPECT_TRUE(Sounding());
}

TEST_F(AlarmSound, PauseAndStopGoToAPlayerThatIsNotInFrontByMessage) {
    StartPlayer();
    p.desktop.refuseForeground = true;
    pb.PlayAction();
    pb.PauseAction();
    pb.StopAction();
    EXPECT_TRUE(p.desktop.keys.empty());
    EXPECT_EQ(PostedCommands(), (std::vector<std::uintptr_t>{40045, 40046, 40047}));
}

// The reader of the user's sound file: only what the system can play passes.
TEST(WaveFile, OnlyWholePcmWavesArePlayable) {
    const std::string good = Wave(2);
    std::string notPcm = good;
    notPcm[20] = 3;  // IEEE float
    std::string noData = good.substr(0, 36);
    std::string shortData = good.substr(0, 45);  // half a frame
    std::string hugeChunk = good;
    hugeChunk[16] = '\xFF';  // the format chunk claims more than the file holds
    std::string listFirst = good.substr(0, 12) + "LIST" + std::string("\x03\0\0\0abc\0", 8) + good.substr(12);

    EXPECT_TRUE(IsPlayableWave(good));
    EXPECT_TRUE(IsPlayableWave(listFirst));  // odd chunk padded to an even size
    EXPECT_TRUE(IsPlayableWave(good.substr(0, 46)));  // cut short, one whole frame left
    for (const std::string& bad : {std::string(), std::string("RIFF"), notPcm, noData, shortData, hugeChunk,
                                   std::string("RIFX") + good.substr(4)})
        EXPECT_FALSE(IsPlayableWave(bad)) << bad.size();
}

TEST(WaveFile, TheProgramsOwnAlarmSoundIsPlayable) {
    std::string bytes;
    FILE* file = std::fopen(ORVELLA_ALARM_SOUND, "rb");
    ASSERT_TRUE(file) << "no Alarm.wav built beside the tests: " << ORVELLA_ALARM_SOUND;
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.append(buffer, n);
    std::fclose(file);
    EXPECT_TRUE(IsPlayableWave(bytes));
    EXPECT_GT(bytes.size(), 44100u * 2);  // at least a second of sound
}

}  // namespace
