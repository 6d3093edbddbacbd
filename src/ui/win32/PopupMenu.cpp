#include "ui/win32/PopupMenu.h"

#include <vector>

namespace win32 {

namespace {

// Command numbers start above zero: TrackPopupMenu reports "nothing chosen" as 0.
HMENU BuildMenu(ui::MenuItem& menu, std::vector<ui::MenuItem*>& commands) {
    HMENU handle = CreatePopupMenu();
    for (auto& child : menu.items) {
        ui::MenuItem& item = *child;
        if (!item.visible) continue;
        if (item.caption == "-") {
            AppendMenuA(handle, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::string text = item.caption;
        const std::string shortCut = ShortCutText(item.shortCut);
        if (!shortCut.empty()) text += "\t" + shortCut;

        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING | MIIM_ID;
        info.fType = MFT_STRING | (item.radioItem ? MFT_RADIOCHECK : 0);
        info.fState = (item.enabled ? MFS_ENABLED : MFS_GRAYED) | (item.checked ? MFS_CHECKED : 0);
        info.dwTypeData = &text[0];
        if (!item.items.empty()) {
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = BuildMenu(item, commands);
        }
        commands.push_back(&item);
        info.wID = static_cast<UINT>(commands.size());
        InsertMenuItemA(handle, GetMenuItemCount(handle), TRUE, &info);
    }
    return handle;
}

std::string KeyName(int key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
    if (key >= VK_F1 && key <= VK_F24) return "F" + std::to_string(key - VK_F1 + 1);
    char name[64] = {};
    const UINT scan = MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
    if (scan && GetKeyNameTextA(static_cast<LONG>(scan << 16), name, sizeof(name)) > 0) return name;
    return "";
}

}  // namespace

bool ShowPopupMenu(HWND owner, ui::MenuItem& menu, POINT screen) {
    menu.Popup();
    std::vector<ui::MenuItem*> commands;
    HMENU handle = BuildMenu(menu, commands);
    // Without the owner in front the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(owner);
    const UINT chosen = static_cast<UINT>(TrackPopupMenu(
        handle, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, screen.x, screen.y, 0, owner, nullptr));
    DestroyMenu(handle);
    PostMessageA(owner, WM_NULL, 0, 0);
    if (chosen == 0 || chosen > commands.size()) return false;
    commands[chosen - 1]->Click();
    return true;
}

ui::MenuItem* FindShortCut(ui::MenuItem& menu, int key, unsigned modifiers) {
    for (auto& child : menu.items) {
        ui::MenuItem& item = *child;
        if (!item.visible || !item.enabled) continue;
        if (item.shortCut.key == key && item.shortCut.modifiers == modifiers) return &item;
        if (ui::MenuItem* found = FindShortCut(item, key, modifiers)) return found;
    }
    return nullptr;
}

std::string ShortCutText(const ui::ShortCut& shortCut) {
    if (shortCut.key == 0) return "";
    std::string text;
    if (shortCut.modifiers & ui::ssShift) text += "Shift+";
    if (shortCut.modifiers & ui::ssCtrl) text += "Ctrl+";
    if (shortCut.modifiers & ui::ssAlt) text += "Alt+";
    return text + KeyName(shortCut.key);
}

unsigned CurrentModifiers() {
    unsigned modifiers = ui::ssNone;
    if (GetKeyState(VK_SHIFT) < 0) modifiers |= ui::ssShift;
    if (GetKeyState(VK_CONTROL) < 0) modifiers |= ui::ssCtrl;
    if (GetKeyState(VK_MENU) < 0) modifiers |= ui::ssAlt;
    return modifiers;
}

}  // namespace win32
