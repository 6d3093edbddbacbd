// Whether the player really plays, and the program's own alarm sound when it does not. A
// player may be missing, may start without playing (an empty playlist, a stream that is down)
// or may not have taken the play command; an alarm must ring all the same. After the play step
// the player is asked every two seconds; while it does not play it is sent its play command,
// and when it still does not play at the fifth question (ten seconds), or has no window at all,
// the own sound rings until the user stops it or the player plays after all.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/MessageBox.h"
#include "common/Names.h"
#include "playback/Playback.h"
#include "playback/WaveFile.h"

namespace {

const char* const kAlarmSoundFile = "Alarm.wav";

// The player's own interface: WM_USER with 104 asks for its state (1 playing, 3 paused,
// 0 stopped); WM_COMMAND with its button identifiers plays, pauses and stops.
constexpr std::uint32_t kWmUser = 0x0400;
constexpr std::intptr_t kIsPlaying = 104;
constexpr std::intptr_t kPlaying = 1;
// A hung player answers nothing: the question gives up after this long.
constexpr std::uint32_t kAnswerTimeoutMs = 1000;
constexpr int kQuestions = 5;
// A sound of a few minutes at CD quality; a larger file is not read, and the own sound rings.
constexpr std::size_t kMaxAlarmSoundFileSize = 64u << 20;

bool PlayableWave(platform::Platform& p, const std::string& path) {
    std::string bytes;
    return !path.empty() && p.files.ReadFile(path, bytes, kMaxAlarmSoundFileSize) && IsPlayableWave(bytes);
}

}  // namespace

void Playback::BeginPlayerCheck() {
    playerChecks_ = 0;
    PlayerCheck.SetEnabled(false);  // a full interval from now
    PlayerCheck.SetEnabled(true);
}

void Playback::PlayerCheckTimer() {
    platform::Platform& p = platform_;
    const platform::WindowHandle player = FindPlayer();
    const auto state = player ? p.windows.Ask(player, kWmUser, 0, kIsPlaying, kAnswerTimeoutMs) : std::nullopt;
    if (state == kPlaying) {
        PlayerCheck.SetEnabled(false);
        StopOwnAlarmSound();
        return;
    }
    // While the own sound rings the player is only listened to.
    if (ownSound_) return;
    ++playerChecks_;
    if (player && playerChecks_ < kQuestions) {
        PostPlayerCommand(player, PlayerCommand::Play);
        return;
    }
    if (!settings_->OwnAlarmSound) {
        PlayerCheck.SetEnabled(false);
        return;
    }
    StartOwnAlarmSound();
}

void Playback::StartOwnAlarmSound() {
    platform::Platform& p = platform_;
    const std::string& own = settings_->AlarmSoundFile;
    const std::string beside = ProgramFolder(p.process) + kAlarmSoundFile;
    // Something always sounds: the user's file, ours, or the system's own.
    if (!(PlayableWave(p, own) && p.sound.PlayLoop(own)) && !(PlayableWave(p, beside) && p.sound.PlayLoop(beside)))
        p.sound.PlayDefaultLoop();
    ownSound_ = true;
    view_.ShowAlarmSound(true);
}

void Playback::StopOwnAlarmSound() {
    if (!ownSound_) return;
    ownSound_ = false;
    platform_.sound.Stop();
    view_.ShowAlarmSound(false);
}

void Playback::EndPlayerCheck() {
    PlayerCheck.SetEnabled(false);
    heldCheck_ = heldSound_ = false;
    StopOwnAlarmSound();
}

void Playback::HoldPlayerCheck() {
    heldCheck_ = PlayerCheck.Enabled();
    heldSound_ = ownSound_;
    PlayerCheck.SetEnabled(false);
    StopOwnAlarmSound();
}

void Playback::ResumePlayerCheck() {
    if (heldSound_) StartOwnAlarmSound();
    if (heldCheck_) PlayerCheck.SetEnabled(true);
    heldCheck_ = heldSound_ = false;
}
