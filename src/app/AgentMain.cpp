#include "platform/win32/WinApi.h"

#include <exception>
#include <string>

#include "agent/AgentWatcher.h"
#include "common/Names.h"
#include "platform/win32/SystemLibraries.h"
#include "platform/win32/Win32Platform.h"
#include "ui/win32/Win32Gui.h"

// The companion agent: no visible window, only its hidden application window
// ("TApplication", "Orvella Agent") by which the main program and the uninstaller find it, and
// which ends the agent when it is sent WM_CLOSE.
//
// It never polls. It sleeps until one of three things happens: the waitable timer set for the
// next wake date runs out, something in the program folder changes (the main program rewrote
// Orvella.ini), or a message arrives. A change in the folder only makes it look at the size and
// time of Orvella.ini, at most once a second, so that a program busy writing other files there
// keeps it neither busy nor reading. The timer may wake a sleeping computer, where the machine
// allows it; when it does not, the timer runs out right after the resume and the date still
// fires if it is not too late.

namespace {

// Arms the timer for the local time `at`, or disarms it when no date is ahead.
void ArmTimer(HANDLE timer, bool hasNext, const platform::LocalTime& at) {
    if (!hasNext) {
        CancelWaitableTimer(timer);
        return;
    }
    SYSTEMTIME local{};
    local.wYear = static_cast<WORD>(at.year);
    local.wMonth = static_cast<WORD>(at.month);
    local.wDay = static_cast<WORD>(at.day);
    local.wHour = static_cast<WORD>(at.hour);
    local.wMinute = static_cast<WORD>(at.minute);
    local.wSecond = static_cast<WORD>(at.second);
    // By the time zone's rules for that date, so a date after a change to or from summer time
    // is still met at its local time.
    SYSTEMTIME utc;
    FILETIME due;
    if (!TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) || !SystemTimeToFileTime(&utc, &due)) {
        CancelWaitableTimer(timer);
        return;
    }
    LARGE_INTEGER when;
    when.LowPart = due.dwLowDateTime;
    when.HighPart = static_cast<LONG>(due.dwHighDateTime);
    // A date ahead by the local clock is not always ahead in universal time (one in the hour
    // skipped when summer time begins); coming back a minute later keeps that from spinning.
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

void Plan(AgentWatcher& watcher, HANDLE timer) {
    try {
        watcher.Check();
        platform::LocalTime at{};
        const bool hasNext = watcher.NextWake(at);
        ArmTimer(timer, hasNext, at);
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
    watcher.Reload();
    Plan(watcher, timer);
    DWORD lastLook = GetTickCount();
    // The folder changed since the last look, or that look could not read the file.
    bool changed = watcher.ReadFailed();

    HANDLE handles[2];
    DWORD count = 0;
    if (timer) handles[count++] = timer;
    if (folderChange) handles[count++] = folderChange;

    int exitCode = 0;
    for (bool running = true; running;) {
        const DWORD sinceLook = GetTickCount() - lastLook;
        if (changed && sinceLook >= kLookSpacingMs) {
            changed = false;
            lastLook = GetTickCount();
            if (watcher.Reload()) Plan(watcher, timer);
            changed = watcher.ReadFailed();  // a failed read is made again a second later
            continue;
        }
        const DWORD wait = changed ? kLookSpacingMs - sinceLook : INFINITE;
        const DWORD woken = MsgWaitForMultipleObjects(count, handles, FALSE, wait, QS_ALLINPUT);
        if (woken == WAIT_TIMEOUT) continue;
        if (woken < WAIT_OBJECT_0 + count) {
            const HANDLE which = handles[woken - WAIT_OBJECT_0];
            if (which == folderChange) {
                // Asked again before looking, so that a write during the read is seen next time.
                FindNextChangeNotification(folderChange);
                changed = true;
            } else {
                Plan(watcher, timer);
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
