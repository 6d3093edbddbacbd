// The own alarm sound under Wine, heard for real: ALSA's file plugin writes everything the
// program plays to a raw file, whose 16-bit samples are then measured. ALSA reads its
// configuration in each Linux process that opens a sound device, from the file named by
// ALSA_CONFIG_PATH in that process's own Linux environment, which Wine hands on to the programs
// started from here but does not take from a variable set inside Wine. So ctest sets it for
// these tests (tests/e2e/CMakeLists.txt): a configuration under the build tree that writes to
// "capture.raw" beside it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "E2eSupport.h"
#include "ForeignControls.h"

#include <mmsystem.h>

namespace {

const char* const kKey = "Software\\Orvella";
const char* const kPlayerClass = "Winamp v1.x";
// A sample magnitude no silence reaches; the program's own sound peaks near 25000.
constexpr int kLoud = 4000;

// The capture file beside the ALSA configuration, as a path on Wine's drive Z:, the root of
// the Linux file system; empty when sound is not captured.
std::string CaptureFile() {
    char value[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("ALSA_CONFIG_PATH", value, sizeof value);
    if (length == 0 || length >= sizeof value || value[0] != '/') return "";
    std::string path = std::string("Z:") + value;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path.substr(0, path.find_last_of('\\') + 1) + "capture.raw";
}

// A WAV file of a 440 Hz sine of the given amplitude, 16-bit mono 44.1 kHz, one second.
std::string SineWave(int amplitude) {
    auto word = [](std::uint32_t v, int bytes) {
        std::string out;
        for (int i = 0; i < bytes; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
        return out;
    };
    const std::uint32_t frames = 44100, data = frames * 2;
    std::string wave = "RIFF" + word(36 + data, 4) + "WAVE" + "fmt " + word(16, 4) + word(1, 2) + word(1, 2) +
                       word(44100, 4) + word(88200, 4) + word(2, 2) + word(16, 2) + "data" + word(data, 4);
    for (std::uint32_t i = 0; i < frames; ++i)
        wave += word(static_cast<std::uint16_t>(static_cast<std::int16_t>(
                         std::lround(amplitude * std::sin(2 * 3.14159265358979 * 440 * i / 44100.0)))),
                     2);
    return wave;
}

// Orvella installed with the stand-in player and a pending wake call, its sound going to a file.
class AlarmSound : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(capture_.empty()) << "the sound is not captured: run as ctest's AlarmSound tests, which set "
                                          "ALSA_CONFIG_PATH (scripts/run-e2e.sh -R AlarmSound)";
        e2e::EndWindowOwners(kPlayerClass, nullptr);
        e2e::InstallOrvellaWithWakeCallPending();
        // A slow rise from 40 %, so that the run neither ends nor is silent during the test.
        e2e::SetRegistryDword(kKey, "Lautstärke - Interval", 1000);
        e2e::SetRegistryDword(kKey, "Lautstärke - Startlautstärke", 100 - 40);
        e2e::SetRegistryDword(kKey, "Lautstärke - Automatisch schließen", 0);
        // A skin that exists: no question at the show.
        e2e::SetRegistryString(kKey, "Theme - Pfad", e2e::BinFolder() + "Skins\\Classic.skn");
        DeleteFileA(capture_.c_str());
    }
    void TearDown() override {
        e2e::EndWindowOwners(kPlayerClass, nullptr);
        e2e::DeleteRegistryKey(kKey);
    }

    std::string Captured() const { return e2e::ReadTextFile(capture_); }
    // The largest magnitude of the 16-bit samples captured from byte `from` on.
    int Peak(std::size_t from = 0) const {
        const std::string raw = Captured();
        int peak = 0;
        for (std::size_t i = from & ~std::size_t{1}; i + 1 < raw.size(); i += 2) {
            const auto sample = static_cast<std::int16_t>(static_cast<unsigned char>(raw[i]) |
                                                          static_cast<unsigned char>(raw[i + 1]) << 8);
            peak = std::max(peak, std::abs(static_cast<int>(sample)));
        }
        return peak;
    }
    bool LoudWithin(DWORD timeoutMs) const {
        return e2e::WaitUntil([&] { return Peak() > kLoud; }, timeoutMs);
    }
    // The positive control of a test that expects silence: a tone this process plays through
    // the same device and configuration is heard, so that a capture that stays empty or never
    // comes cannot pass for silence. The capture starts anew afterwards.
    void ExpectCaptureHearsATone() {
        const std::string tone = folder_.File("tone.wav");
        ASSERT_TRUE(e2e::WriteTextFile(tone, SineWave(8000)));
        ASSERT_TRUE(PlaySoundA(tone.c_str(), nullptr, SND_FILENAME | SND_SYNC | SND_NODEFAULT));
        ASSERT_TRUE(e2e::WaitUntil([&] { return Peak() > kLoud; }, 5000))
            << "a tone played here was not captured (peak " << Peak() << "): silence would prove nothing";
        DeleteFileA(capture_.c_str());
        ASSERT_FALSE(e2e::FileExists(capture_));
    }
    // Starts the wake call; the clock of the test's seconds starts here.
    e2e::RunningProgram WakeCall() {
        auto program = e2e::StartProgram("Orvella.exe", "/S");
        EXPECT_TRUE(program.Started());
        return program;
    }

    const std::string capture_ = CaptureFile();
    e2e::TempFolder folder_;
    e2e::ScopedEnvironment log_{"STANDIN_PLAYER_LOG", folder_.File("player.log")};
};

TEST_F(AlarmSound, APlayerThatNeverPlaysIsReplacedByTheOwnSoundUntilStop) {
    e2e::ScopedEnvironment neverPlays("STANDIN_PLAYER_NEVER_PLAYS", "1");
    auto program = WakeCall();
    ASSERT_TRUE(e2e::WaitForWindow(kPlayerClass, "", 15000));
    EXPECT_TRUE(LoudWithin(20000)) << "peak " << Peak();
    // The player was sent its play command by message before the own sound came.
    EXPECT_NE(e2e::ReadTextFile(folder_.File("player.log")).find("COMMAND 40045"), std::string::npos);

    HWND window = e2e::WaitForWindow("TForm1", "Orvella", 5000);
    ASSERT_TRUE(window);
    const LPARAM stop = MAKELPARAM(108 + 14, 9 + 14);  // the Stop button at its built-in place
    PostMessageA(window, WM_MOUSEMOVE, 0, stop);
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, stop);
    PostMessageA(window, WM_LBUTTONUP, 0, stop);
    Sleep(1500);  // what the device still had buffered
    const std::size_t stoppedAt = Captured().size();
    Sleep(3000);
    EXPECT_GE(Captured().size(), stoppedAt) << "the device was opened anew";
    EXPECT_EQ(Peak(stoppedAt), 0) << "sound after Stop";
    EXPECT_TRUE(program.Running());
}

TEST_F(AlarmSound, AProgramPathThatStartsNoPlayerRingsTheOwnSound) {
    // A program that ends at once, in the player's place.
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    ASSERT_TRUE(CopyFileA((std::string(system) + "\\hostname.exe").c_str(), folder_.File("Winamp.exe").c_str(), FALSE));
    std::string player = folder_.Path();
    player.pop_back();
    e2e::SetRegistryString("Software\\Winamp", "", player);
    auto program = WakeCall();
    EXPECT_TRUE(LoudWithin(20000)) << "peak " << Peak();
    EXPECT_FALSE(FindWindowA(kPlayerClass, nullptr));
}

TEST_F(AlarmSound, APlayerThatPlaysLeavesTheOwnSoundSilent) {
    ExpectCaptureHearsATone();
    auto program = WakeCall();
    ASSERT_TRUE(e2e::WaitForWindow(kPlayerClass, "", 15000));
    Sleep(16000);
    EXPECT_EQ(Peak(), 0);
    EXPECT_TRUE(program.Running());
}

TEST_F(AlarmSound, WithTheOptionOffNothingRings) {
    e2e::ScopedEnvironment neverPlays("STANDIN_PLAYER_NEVER_PLAYS", "1");
    e2e::SetRegistryDword(kKey, "Weckton - Aktiv", 0);
    ExpectCaptureHearsATone();
    auto program = WakeCall();
    ASSERT_TRUE(e2e::WaitForWindow(kPlayerClass, "", 15000));
    Sleep(18000);
    EXPECT_EQ(Peak(), 0);
}

TEST_F(AlarmSound, TheUsersOwnFileIsWhatIsHeard) {
    e2e::ScopedEnvironment neverPlays("STANDIN_PLAYER_NEVER_PLAYS", "1");
    ASSERT_TRUE(e2e::WriteTextFile(folder_.File("Mine.wav"), SineWave(3000)));
    e2e::SetRegistryString(kKey, "Weckton - Datei", folder_.File("Mine.wav"));
    auto program = WakeCall();
    ASSERT_TRUE(e2e::WaitUntil([&] { return Peak() > 1000; }, 20000)) << "peak " << Peak();
    Sleep(2000);
    // The quiet sine, not the program's own chime.
    EXPECT_GT(Peak(), 2500);
    EXPECT_LT(Peak(), 3500);
}

// Nobody is there to answer at a wake call: no question holds the alarm up.
TEST_F(AlarmSound, AWakeCallWithoutLanguageFileOrPlayerAsksNothingAndRings) {
    DeleteFileA(e2e::InstalledLanguageFile().c_str());
    e2e::DeleteRegistryKey("Software\\Winamp");
    auto program = WakeCall();
    EXPECT_TRUE(LoudWithin(20000)) << "peak " << Peak();
    EXPECT_FALSE(e2e::FindMessageBox("", 100)) << "a question was asked";
    EXPECT_TRUE(program.Running());
}

// No player key and no program path: the own sound rings at once, and the shell is not asked
// to open an empty path (which opens a folder window).
TEST_F(AlarmSound, AWakeCallWithoutAnyPlayerRingsAndOpensNoOtherWindow) {
    e2e::DeleteRegistryKey("Software\\Winamp");
    e2e::SetRegistryString(kKey, "Winamp - Pfad", "");
    const std::vector<HWND> before = e2e::TopLevelWindows();
    auto program = WakeCall();
    EXPECT_TRUE(LoudWithin(20000)) << "peak " << Peak();
    Sleep(2000);
    std::string others;
    for (HWND w : e2e::TopLevelWindows()) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (IsWindowVisible(w) && owner != program.Id() && std::find(before.begin(), before.end(), w) == before.end())
            others += e2e::WindowText(w) + "; ";
    }
    EXPECT_EQ(others, "") << "windows opened besides Orvella's";
    EXPECT_TRUE(program.Running());
}

TEST_F(AlarmSound, AWakeCallWithoutLanguageFilePlaysThePlayerWithoutAQuestion) {
    DeleteFileA(e2e::InstalledLanguageFile().c_str());
    auto program = WakeCall();
    ASSERT_TRUE(e2e::WaitForWindow(kPlayerClass, "", 15000));
    EXPECT_TRUE(e2e::WaitUntil(
        [&] { return e2e::ReadTextFile(folder_.File("player.log")).find("KEYDOWN 58") != std::string::npos ||
                     e2e::ReadTextFile(folder_.File("player.log")).find("COMMAND 40045") != std::string::npos; },
        15000));
    EXPECT_FALSE(e2e::FindMessageBox("", 100)) << "a question was asked";
}

}  // namespace
