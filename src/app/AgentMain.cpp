#include "platform/win32/WinApi.h"

#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "agent/AgentTray.h"
#include "agent/AgentWatcher.h"
#include "platform/win32/ClockChanges.h"
#include "common/Names.h"
#include "platform/win32/RegistryChanges.h"
#include "platform/win32/SystemLibraries.h"
#include "platform/win32/Win32Platform.h"
#include "ui/win32/NotifyIcon.h"
#include "ui/win32/Win32Gui.h"

// The companion agent: no visible window, only its hidden application window
// ("TApplication", "Orvella Agent") by which the main program and the uninstaller find it, and
// which ends the agent when it is sent WM_CLOSE.
//
// It never polls. It sleeps until one of three things happens: the waitable timer set for the
// next wake date runs out, something in the program folder changes (the main program rewrote
// Orvella.ini), or a message arrives; a change of the clock or the time zone and a resume plan
// the dates anew. Only after a wake call it looks once a second whether the main program has
// taken it, keeping the computer awake until then. A change in the folder only makes it look at the size and
// time of Orvella.ini, at most once a second, so that a program busy writing other files there
// keeps it neither busy nor reading. The timer may wake a sleeping computer, where the machine
// allows it; when it does not, the timer runs out right after the resume and the date still
// fires if it is not too late.
//
// Unless "Agent - Symbol" is 0, it shows an icon in the notification area whose tip names the
// next wake call, brought up to date at each plan and each change of the settings (a change of
// the key HKEY_CURRENT_USER\Software\Orvella wakes it, so the option acts without a restart).

namespace {

// Arms the timer for the universal time `due` (seconds since 1970), or disarms it when no date
// is ahead. The local time of the date was turned into universal time by the time zone's rules
// for that date when it was planned, and is planned again when the clock or the zone changes.
void ArmTimer(HANDLE timer, bool hasNext, std::int64_t due) {
    if (!hasNext) {
        CancelWaitableTimer(timer);
        return;
    }
    LARGE_INTEGER when;
    when.QuadPart = (due + 11644473600LL) * 10000000LL;
    // A date already due comes back a minute later rather than spin.
    FILETIME nowFile;
    GetSystemTimeAsFileTime(&nowFile);
    LARGE_INTEGER now;
    now.LowPart = nowFile.dwLowDateTime;
    now.HighPart = static_cast<LONG>(nowFile.dwHighDateTime);
    if (when.QuadPart <= now.QuadPart) when.QuadPart = now.QuadPart + 60LL * 10000000;
    // A positive time is absolute, so the timer follows changes of the system clock; TRUE lets
    // it resume a sleeping computer.
    SetWaitableTimer(timer, &when, 0, nullptr, nullptr, TRUE);
}

// The least time between two looks at Orvella.ini.
const DWORD kLookSpacingMs = 1000;

// The icon as the option and the next wake call want it.
void ShowTray(AgentTray& tray, win32::NotifyIcon& icon) {
    try {
        tray.Update();
    } catch (const std::exception&) {
        // Shown as before; the next plan tries again.
    }
    if (tray.Shown())
        icon.Show(tray.Tip());
    else
        icon.Hide();
}

void Plan(AgentWatcher& watcher, HANDLE timer) {
    try {
        watcher.Check();
        platform::LocalTime at{};
        std::int64_t due = 0;
        const bool hasNext = watcher.NextWake(at, due);
        ArmTimer(timer, hasNext, due);
    } catch (const std::exception&) {
        // Nothing the agent does may end it; the next change or date tries again.
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Before anything else can load a library: only the system folder's.
    win32::LoadLibrariesFromSystemFolderOnly();
    HANDLE instance = CreateMutexA(nullptr, TRUE, "Orvella Agent");
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        if (instance) CloseHandle(instance);
        return 0;
    }

    win32::Win32Gui gui("Orvella Agent");
    win32::Win32Platform system(gui);
    AgentWatcher watcher(system.platform);
    gui.ApplicationWindow();

    HANDLE timer = CreateWaitableTimerA(nullptr, FALSE, nullptr);
    // Watched before the first read, so that a change made while reading is not missed.
    const std::string folder = ProgramFolder(system.platform.process);
    HANDLE folderChange = FindFirstChangeNotificationA(folder.c_str(), FALSE,
                                                       FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_FILE_NAME);
    if (folderChange == INVALID_HANDLE_VALUE) folderChange = nullptr;
    win32::ClockChanges clockChanges;
    win32::RegistryChanges settingsChanges(kSettingsKey);
    watcher.Reload();
    Plan(watcher, timer);
    DWORD lastLook = GetTickCount();
    // The folder changed since the last look, or that look could not read the file.
    bool changed = watcher.ReadFailed();

    AgentTray tray(system.platform, watcher);
    const auto menu = [&] {
        const TTrayWords& words = tray.Words();
        return std::vector<win32::NotifyIcon::MenuItem>{
            {words.open, true, [&] { tray.OpenOrvella(); }},
            {words.skip, tray.CanSkip(),
             [&] {
                 try {
                     // The saved file is read at once, and the tip follows.
                     if (tray.SkipNext()) changed = true;
                 } catch (const std::exception& e) {
                     MessageBoxA(nullptr, e.what(), "Orvella Agent", MB_OK | MB_ICONERROR);
                 }
             }},
            {words.preferences, true, [&] { tray.OpenPreferences(); }},
            // As WM_CLOSE to the application window.
            {words.quit, true, [&] { gui.PostQuit(); }},
        };
    };
    win32::NotifyIcon icon(menu, [&] { tray.OpenOrvella(); });
    const auto plan = [&] {
        Plan(watcher, timer);
        settingsChanges.Watch();
        ShowTray(tray, icon);
    };
    settingsChanges.Watch();
    ShowTray(tray, icon);

    HANDLE handles[3];
    DWORD count = 0;
    if (timer) handles[count++] = timer;
    if (folderChange) handles[count++] = folderChange;
    if (settingsChanges.Event()) handles[count++] = settingsChanges.Event();

    int exitCode = 0;
    for (bool running = true; running;) {
        if (clockChanges.Take()) plan();
        watcher.CheckHold();
        const DWORD sinceLook = GetTickCount() - lastLook;
        if (changed && sinceLook >= kLookSpacingMs) {
            changed = false;
            lastLook = GetTickCount();
            if (watcher.Reload()) plan();
            changed = watcher.ReadFailed();  // a failed read is made again a second later
            continue;
        }
        DWORD wait = changed ? kLookSpacingMs - sinceLook : INFINITE;
        if (watcher.Holding() && wait > kLookSpacingMs) wait = kLookSpacingMs;
        const DWORD woken = MsgWaitForMultipleObjects(count, handles, FALSE, wait, QS_ALLINPUT);
        if (woken == WAIT_TIMEOUT) continue;
        if (woken < WAIT_OBJECT_0 + count) {
            const HANDLE which = handles[woken - WAIT_OBJECT_0];
            if (which == folderChange) {
                // Asked again before looking, so that a write during the read is seen next time.
                FindNextChangeNotification(folderChange);
                changed = true;
            } else if (which == settingsChanges.Event()) {
                settingsChanges.Seen();
                ShowTray(tray, icon);
            } else {
                plan();
            }
        } else if (woken == WAIT_OBJECT_0 + count) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (message.message == WM_QUIT) {
                    exitCode = static_cast<int>(message.wParam);
                    running = false;
                    break;
                }
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        } else {
            running = false;  // the wait itself failed; nothing sensible is left to wait for
        }
    }

    if (folderChange) FindCloseChangeNotification(folderChange);
    if (timer) CloseHandle(timer);
    CloseHandle(instance);
    return exitCode;
}
