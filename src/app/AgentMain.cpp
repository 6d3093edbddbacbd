#include "platform/win32/WinApi.h"

#include "agent/AgentWatcher.h"
#include "platform/win32/Win32Platform.h"
#include "ui/win32/Win32Gui.h"

// The companion agent: no visible window, only its hidden application window
// ("TApplication", "Orvella Agent") by which the main program and the uninstaller find it.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    HANDLE instance = CreateMutexA(nullptr, TRUE, "Orvella Agent");
    if (GetLastError() == ERROR_ALREADY_EXISTS) return 0;

    win32::Win32Gui gui("Orvella Agent");
    win32::Win32Platform system(gui);
    AgentWatcher watcher(system.platform);
    gui.ApplicationWindow();

    const UINT_PTR timer = SetTimer(nullptr, 0, 20000, nullptr);
    watcher.Check();
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == nullptr && message.wParam == timer) {
            watcher.Check();
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    KillTimer(nullptr, timer);
    CloseHandle(instance);
    return 0;
}
