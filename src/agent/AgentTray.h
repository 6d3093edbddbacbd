#pragma once
#include <array>
#include <string>

#include "agent/AgentWatcher.h"
#include "dates/WakeDateTexts.h"
#include "platform/Platform.h"

// What the agent's icon in the notification area says and offers: the next wake call in its tip
// and a menu to open Orvella, skip that wake call, open the preferences or end the agent. The
// words are those of the language the main program shows (English without a language file).
struct TTrayWords {
    TWakeDateWords dates;  // the weekdays and the next wake call's words, as the main window's
    std::string open = "Open Orvella";
    std::string skip = "Skip next wake call";
    std::string preferences = "Preferences...";
    std::string quit = "Quit agent";
};

// The most characters of a tip the shell shows.
constexpr std::size_t kMaxTrayTip = 127;

// "Next wake call: Mon 12.01. 06:30 – Early shift" (the description after the dash only when the
// entry has one), or "No wake call set" without `next`; cut to kMaxTrayTip.
std::string TrayTip(const TNextWakeCall* next, const TTrayWords& words);

// The words of the language chosen in the main program ("Programm - Sprache" of its language
// file "Programm - Sprachdatei", as it reads them); English where the file is missing or cannot
// be read.
TTrayWords ReadTrayWords(platform::Platform& platform);

class AgentTray {
public:
    AgentTray(platform::Platform& platform, const AgentWatcher& watcher) : platform_(platform), watcher_(watcher) {}

    // Reads the option, the language and the next wake call again: after each plan and each
    // change of the settings.
    void Update();

    // "Agent - Symbol" is on (or missing): the icon is shown.
    bool Shown() const { return shown_; }
    const std::string& Tip() const { return tip_; }
    const TTrayWords& Words() const { return words_; }
    // "Skip next wake call" is offered only for a repeating entry, as the Dates tab's "Skip next".
    bool CanSkip() const { return hasNext_ && next_.days != kNoRepeat; }

    // Does what the Dates tab's "Skip next" does for the entry that rings next: its date moves to
    // the day after that ringing, saved with the other dates. False when there is nothing to skip
    // (a single date, or the entry is no longer in the file); throws std::runtime_error when the
    // dates cannot be saved, which then stay as they were.
    bool SkipNext();

    // "Open Orvella" and a double-click: the running copy's main window comes forward; without
    // one, Orvella.exe is started from the agent's folder.
    void OpenOrvella();
    // "Preferences...": Orvella.exe /P, which shows the preferences, or has the running copy show
    // its own.
    void OpenPreferences();

private:
    platform::Platform& platform_;
    const AgentWatcher& watcher_;
    bool shown_ = true;
    std::string tip_ = TWakeDateWords().noWakeCall;
    TTrayWords words_;
    bool hasNext_ = false;
    TNextWakeCall next_;
};
