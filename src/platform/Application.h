#pragma once
#include <cstdint>
#include <functional>

#include "platform/Windows.h"

namespace platform {

enum class Cursor { Default, Wait, AppStarting };

// The running program as the desktop knows it: its hidden application window, its message
// loop and the mouse pointer's shape. The GUI that runs the message loop provides it.
class Application {
public:
    virtual ~Application() = default;
    // The hidden application window that owns the message boxes.
    virtual WindowHandle ApplicationWindow() = 0;
    // Asks the message loop to end; the current handler runs to its end first.
    virtual void PostQuit() = 0;
    virtual bool QuitPosted() = 0;
    virtual void SetCursor(Cursor cursor) = 0;
    // From now on the program's own message loop drops every Alt+F4 before it reaches a window
    // of the program. Message boxes and file dialogs run loops of their own and keep it.
    virtual void SwallowAltF4() = 0;
    // The thread is about to block: in a sleep, or in the loop of a message box or a chooser.
    // The windows and timers are brought in line with the program's state first, so that a
    // timer enabled before it ticks inside the loop, and a window disabled before a sleep
    // stays disabled during it.
    virtual void BeforeBlocking() = 0;

    // A second copy of the program, started for a wake call while this one runs, hands the
    // call to the running copy and ends. True when the running copy took it within
    // `timeoutMs`; false when none runs or it does not answer (a hung program).
    virtual bool HandWakeCallToRunningCopy(std::uint32_t timeoutMs) = 0;
    // What runs when another copy hands this one a wake call: after the other copy has had its
    // answer, and also while a message box or a modal window of this program is open.
    virtual void OnWakeCallHandedOver(std::function<void()> handler) = 0;

    // A second copy started to show the preferences ("/P", as the agent's menu starts it) asks
    // the running copy to show its own, and lets it come to the front. True when the running
    // copy took the request within `timeoutMs`.
    virtual bool HandPreferencesToRunningCopy(std::uint32_t timeoutMs) = 0;
    // What runs when the preferences are asked for: by another copy, or by RequestPreferences
    // once the message loop runs.
    virtual void OnPreferencesRequested(std::function<void()> handler) = 0;
    virtual void RequestPreferences() = 0;
};

}  // namespace platform
