#include "ForeignControls.h"
#include <commctrl.h>

#include "E2eSupport.h"
#include <gtest/gtest.h>

namespace e2e {

namespace {

BOOL CALLBACK Collect(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> Descendants(HWND root) {
    std::vector<HWND> all;
    EnumChildWindows(root, Collect, reinterpret_cast<LPARAM>(&all));
    return all;
}

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> all;
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&all));
    return all;
}

IAccessible* AccessibleOf(HWND window) {
    IAccessible* object = nullptr;
    if (AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                   reinterpret_cast<void**>(&object)) != S_OK)
        return nullptr;
    return object;
}

VARIANT AccessibleChild(long child) {
    VARIANT id{};
    id.vt = VT_I4;
    id.lVal = child;
    return id;
}

std::string TakeString(BSTR text) {
    char out[512] = {};
    if (text) WideCharToMultiByte(CP_ACP, 0, text, -1, out, sizeof out, nullptr, nullptr);
    SysFreeString(text);
    return out;
}

bool OfClass(HWND window, const std::string& className) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return lstrcmpiA(name, className.c_str()) == 0;
}

HWND Child(HWND root, const std::string& className, const std::string& text) {
    return FindControl(root, className, [&](HWND window) { return WindowText(window) == text; });
}

HWND ChildOfClass(HWND root, const std::string& className) {
    return FindControl(root, className, [](HWND) { return true; });
}

std::string TabCaption(HWND tabs, int index) {
    // The item and its text buffer in one block, the item pointing at the buffer over there.
    struct Block {
        TCITEMA item;
        char text[256];
    } block{};
    DWORD processId = 0;
    GetWindowThreadProcessId(tabs, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (!process) return "";
    auto* remote = static_cast<Block*>(VirtualAllocEx(process, nullptr, sizeof block, MEM_COMMIT, PAGE_READWRITE));
    std::string caption;
    if (remote) {
        block.item.mask = TCIF_TEXT;
        block.item.pszText = remote->text;
        block.item.cchTextMax = sizeof block.text;
        if (WriteProcessMemory(process, remote, &block, sizeof block, nullptr) &&
            SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(remote)) &&
            ReadProcessMemory(process, remote, &block, sizeof block, nullptr)) {
            block.text[sizeof block.text - 1] = '\0';
            caption = block.text;
        }
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return caption;
}

HWND OpenPreferencesByShortcut(HWND mainWindow) {
    HWND dialog = nullptr;
    // The shortcut needs the main window in front; a start may still be taking it there.
    WaitUntil(
        [&] {
            ShowWindow(mainWindow, SW_SHOWNORMAL);
            BringWindowToTop(mainWindow);
            SetForegroundWindow(mainWindow);
            Sleep(100);
            keybd_event(VK_CONTROL, 0, 0, 0);
            keybd_event('P', 0, 0, 0);
            keybd_event('P', 0, KEYEVENTF_KEYUP, 0);
            keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
            dialog = WaitForWindow("TForm2", "", 1000);
            return dialog && WaitUntil([&] { return IsWindowVisible(dialog) != FALSE; }, 2000);
        },
        15000);
    return dialog && IsWindowVisible(dialog) ? dialog : nullptr;
}

void ShowTab(HWND dialog, int index) {
    HWND tabs = ChildOfClass(dialog, WC_TABCONTROLA);
    ASSERT_TRUE(tabs);
    RECT r{};
    SendWithData(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), r);
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(tabs, WM_LBUTTONUP, 0, at);
    ASSERT_TRUE(WaitUntil([&] { return SendMessageA(tabs, TCM_GETCURSEL, 0, 0) == index; }, 5000));
    Sleep(200);
}

}  // namespace e2e
