#pragma once
#include "platform/win32/WinApi.h"

#include <functional>
#include <string>
#include <vector>

namespace win32 {

// The program's icon (MAINICON) in the notification area, with its tip, a menu on a right
// click and an action on a double-click. Its messages come to a hidden top-level window of
// class "Orvella Agent Icon" through the thread's message loop; top-level, because Explorer
// tells only top-level windows ("TaskbarCreated") when it starts again, and the icon is then
// added anew. A shell that refuses the icon (none yet at logon) ends nothing: the icon comes at
// its "TaskbarCreated". The window's title is the tip the shell took, empty while no icon is
// shown, so that tools (and the end-to-end tests) can read what the icon says.
class NotifyIcon {
public:
    struct MenuItem {
        std::string text;
        bool enabled = true;
        std::function<void()> run;
    };
    // `menu` gives the items when the menu opens, the first of them the default (bold) one;
    // `doubleClick` runs at a double-click.
    NotifyIcon(std::function<std::vector<MenuItem>()> menu, std::function<void()> doubleClick);
    ~NotifyIcon();
    NotifyIcon(const NotifyIcon&) = delete;
    NotifyIcon& operator=(const NotifyIcon&) = delete;

    // Adds the icon with this tip, or changes the tip of the icon shown.
    void Show(const std::string& tip);
    // Removes the icon; nothing when none is shown.
    void Hide();

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool Notify(DWORD what);
    void Add();
    void ShowMenu();

    std::function<std::vector<MenuItem>()> menu_;
    std::function<void()> doubleClick_;
    HWND window_ = nullptr;
    HICON icon_ = nullptr;
    UINT taskbarCreated_ = 0;
    bool wanted_ = false;
    bool added_ = false;
    std::string tip_;
};

}  // namespace win32
