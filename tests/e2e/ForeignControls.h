#pragma once
// The controls of another program's window: found by class and text, read and driven by
// messages. Common controls carry no pointers across processes, so what they read or write
// goes through memory of the program that owns them.
#include "platform/win32/WinApi.h"
#include <oleacc.h>

#include <string>
#include <vector>

namespace e2e {

// Every control inside `root`, at any depth, in creation order.
std::vector<HWND> Descendants(HWND root);
// Every top-level window of the desktop.
std::vector<HWND> TopLevelWindows();
bool OfClass(HWND window, const std::string& className);  // case-insensitive

// The window's client area as an accessibility client (a screen reader) gets it; null when there
// is none. The caller releases it.
IAccessible* AccessibleOf(HWND window);
// The id of a child element for the accessibility calls.
VARIANT AccessibleChild(long child);
// A string an accessibility call gave, as text of the ANSI code page; the string is freed.
std::string TakeString(BSTR text);

// The first control inside `root` of this window class that `wanted` accepts.
template <class Wanted>
HWND FindControl(HWND root, const std::string& className, Wanted wanted) {
    for (HWND window : Descendants(root))
        if (OfClass(window, className) && wanted(window)) return window;
    return nullptr;
}
// The control of this class showing `text` (read with WM_GETTEXT).
HWND Child(HWND root, const std::string& className, const std::string& text);
HWND ChildOfClass(HWND root, const std::string& className);

// Clicks the tab `index` of the dialog's tab control and waits until its page shows.
void ShowTab(HWND dialog, int index);

// Sends a message whose lParam points at `data` to a window of another process; `data` goes
// there and back through memory of that process.
template <class Data>
LRESULT SendWithData(HWND window, UINT message, WPARAM wParam, Data& data) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (!process) return 0;
    void* remote = VirtualAllocEx(process, nullptr, sizeof data, MEM_COMMIT, PAGE_READWRITE);
    LRESULT result = 0;
    if (remote && WriteProcessMemory(process, remote, &data, sizeof data, nullptr)) {
        result = SendMessageA(window, message, wParam, reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(process, remote, &data, sizeof data, nullptr);
    }
    if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return result;
}

// The caption of a tab of a tab control in another process.
std::string TabCaption(HWND tabs, int index);

// Brings the main window to the front and presses Ctrl+P until the preferences dialog shows;
// null when it did not.
HWND OpenPreferencesByShortcut(HWND mainWindow);

}  // namespace e2e
