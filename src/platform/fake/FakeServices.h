#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Application.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Power.h"
#include "platform/Process.h"
#include "platform/Sound.h"
#include "platform/System.h"
#include "platform/Volume.h"

namespace fake {

// Thrown by FakeProcess::Exit so a test can see the process end.
struct ProcessExit : std::runtime_error {
    explicit ProcessExit(int code) : std::runtime_error("process exit"), code(code) {}
    int code;
};

class FakeProcess : public platform::Process {
public:
    std::string ModuleFileName() override { return moduleFileName; }
    std::vector<std::string> Arguments() override { return arguments; }
    std::string GetEnvironment(const std::string& name) override {
        auto it = environment.find(name);
        return it == environment.end() ? "" : it->second;
    }
    bool CreateInstanceMutex(const std::string& name) override { return !mutexes.insert(name).second; }
    [[noreturn]] void Exit(int code) override { throw ProcessExit(code); }

    std::string moduleFileName = "C:\\Program Files\\Orvella\\Orvella.exe";
    std::vector<std::string> arguments;
    std::map<std::string, std::string> environment{{"TEMP", "C:\\Temp"}};
    std::set<std::string> mutexes;
};

// A clock that moves only when the program sleeps or a test advances it. Its time zone is
// `offset` (local minus universal time in minutes, by universal time); the local time `now`
// tells the time, unless a test sets the universal time `utc`, which then does.
class FakeClock : public platform::Clock {
public:
    void Sleep(std::uint32_t milliseconds) override {
        sleeps.push_back(milliseconds);
        nowMs += milliseconds;
    }
    platform::LocalTime Now() override;
    std::int64_t UtcNow() override;
    int UtcOffsetMinutes(std::int64_t at) override { return offset ? offset(at) : 0; }

    std::uint64_t nowMs = 0;
    std::vector<std::uint32_t> sleeps;
    platform::LocalTime now{2026, 12, 8, 7, 0, 0};
    std::optional<std::int64_t> utc;
    std::function<int(std::int64_t utc)> offset;
};

// Central European time: one hour ahead of universal time, two in summer (from the last Sunday
// of March to the last Sunday of October, at 01:00 universal time).
int CentralEuropeanOffset(std::int64_t utc);
// Seconds since 1970 of a time read as universal time, and back.
std::int64_t SecondsOf(const platform::LocalTime& t);
platform::LocalTime TimeAt(std::int64_t seconds);

class FakeSystem : public platform::System {
public:
    std::uint16_t DefaultLanguageId() override { return languageId; }
    std::string DefaultLanguageName() override { return languageName; }
    unsigned AnsiCodePage() override { return ansiCodePage; }
    bool Shutdown(std::uint32_t flags) override {
        shutdowns.push_back(flags);
        return shutdownAccepted;
    }

    std::uint16_t languageId = 0x0409;
    std::string languageName = "English (United States)";
    unsigned ansiCodePage = 1252;
    void Beep() override { ++beeps; }
    // Word sort as Windows does it for plain text: letters compare without regard to case
    // first, and only equal texts are ordered by case, lower case first.
    int CompareText(const std::string& a, const std::string& b) override;

    std::vector<std::uint32_t> shutdowns;
    bool shutdownAccepted = false;
    int beeps = 0;

    void UseGerman() {
        languageId = 0x0407;
        languageName = "Deutsch (Deutschland)";
    }
};

class FakeVolume : public platform::Volume {
public:
    bool Get(std::uint16_t& l, std::uint16_t& r) override {
        if (!available) {
            l = r = 0;
            return false;
        }
        l = left;
        r = right;
        return true;
    }
    void Set(std::uint16_t l, std::uint16_t r) override {
        sets.emplace_back(l, r);
        if (!available) return;
        left = l;
        right = r;
    }
    bool GetMute(bool& m) override {
        m = available && muted;
        return available;
    }
    void SetMute(bool m) override {
        if (available) muted = m;
    }

    std::uint16_t left = 0, right = 0;
    bool muted = false;
    bool available = true;
    std::vector<std::pair<std::uint16_t, std::uint16_t>> sets;
};

// The sound player: what plays now, and every start. A file plays when it is not listed as
// unplayable.
class FakeSound : public platform::Sound {
public:
    static constexpr const char* kDefaultSound = "(system default)";

    bool PlayLoop(const std::string& wavFile) override {
        if (unplayable.count(wavFile)) return false;
        playing = wavFile;
        started.push_back(wavFile);
        return true;
    }
    void PlayDefaultLoop() override {
        playing = kDefaultSound;
        started.push_back(kDefaultSound);
    }
    void Stop() override {
        playing.clear();
        ++stops;
    }

    std::string playing;               // empty: silence
    std::vector<std::string> started;  // in order
    int stops = 0;
    std::set<std::string> unplayable;
};

// The program's application object without a screen: a quit request is a flag, and the
// pointer shapes asked for are recorded.
class FakeApplication : public platform::Application {
public:
    platform::WindowHandle ApplicationWindow() override { return 0xA990; }
    void PostQuit() override { quitPosted = true; }
    bool QuitPosted() override { return quitPosted; }
    void SetCursor(platform::Cursor cursor) override { cursors.push_back(cursor); }
    void SwallowAltF4() override { altF4Swallowed = true; }
    void BeforeBlocking() override { ++blockings; }
    bool HandWakeCallToRunningCopy(std::uint32_t timeoutMs) override {
        handOverTimeouts.push_back(timeoutMs);
        return runningCopyTakesWakeCall;
    }
    void OnWakeCallHandedOver(std::function<void()> handler) override { wakeCallHandler = std::move(handler); }
    bool HandPreferencesToRunningCopy(std::uint32_t) override {
        ++preferencesHandOvers;
        return true;
    }
    void OnPreferencesRequested(std::function<void()> handler) override { preferencesHandler = std::move(handler); }
    void RequestPreferences() override { ++preferencesRequests; }

    platform::Cursor CurrentCursor() const { return cursors.empty() ? platform::Cursor::Default : cursors.back(); }

    bool quitPosted = false;
    bool altF4Swallowed = false;
    std::vector<platform::Cursor> cursors;
    int blockings = 0;
    // The copy that runs already, as a second copy sees it, and this copy's side of it.
    bool runningCopyTakesWakeCall = true;
    std::vector<std::uint32_t> handOverTimeouts;
    std::function<void()> wakeCallHandler;
    int preferencesHandOvers = 0;
    int preferencesRequests = 0;
    std::function<void()> preferencesHandler;
};

// The power management: every keep-awake state asked for, in order, and the power plan as
// a test sets it.
class FakePower : public platform::Power {
public:
    void SetKeepAwake(platform::KeepAwake state) override { requests.push_back(state); }
    platform::WakeTimers WakeTimerSetting(bool onBattery) override { return onBattery ? onBatteryTimers : onMainsTimers; }
    bool ModernStandby() override { return modernStandby; }

    // The state asked for last; Nothing before any request.
    platform::KeepAwake State() const { return requests.empty() ? platform::KeepAwake::Nothing : requests.back(); }

    std::vector<platform::KeepAwake> requests;
    platform::WakeTimers onMainsTimers = platform::WakeTimers::Enabled;
    platform::WakeTimers onBatteryTimers = platform::WakeTimers::Enabled;
    bool modernStandby = false;
};

// Message boxes and choosers answered from scripts; everything shown is recorded.
class FakeDialogs : public platform::Dialogs {
public:
    int MessageBox(const platform::MessageBoxRequest& request) override;
    std::optional<std::string> OpenFile(const platform::OpenFileRequest& request) override;
    std::optional<std::string> BrowseFolder(platform::WindowHandle owner, const std::string& title) override;
    std::optional<std::string> InputText(const std::string& caption, const std::string& prompt,
                                         const std::string& initial) override;

    // Answers in order; when empty, a box is answered with `defaultAnswer` (or OK for an OK box).
    std::deque<int> answers;
    int defaultAnswer = platform::IdYes;
    // Runs when a box is shown, before it is answered; may set the answer by returning it.
    std::function<std::optional<int>(const platform::MessageBoxRequest&)> onMessageBox;
    std::vector<platform::MessageBoxRequest> shown;

    std::deque<std::optional<std::string>> fileAnswers;    // empty: cancelled
    std::vector<platform::OpenFileRequest> fileRequests;
    std::deque<std::optional<std::string>> folderAnswers;
    std::vector<std::string> folderTitles;
    std::deque<std::optional<std::string>> textAnswers;
    std::vector<std::string> textPrompts;
};

}  // namespace fake
