#pragma once
#include "platform/win32/WinApi.h"

#include "ui/Form.h"
#include "ui/Menu.h"

namespace win32 {

// Runs the item's OnPopup, shows its children as a context menu at a screen position and
// runs the chosen item's OnClick. Returns whether an item was chosen.
bool ShowPopupMenu(HWND owner, ui::MenuItem& menu, POINT screen);

// The enabled, visible item under `menu` whose shortcut is this key with these modifiers.
ui::MenuItem* FindShortCut(ui::MenuItem& menu, int key, unsigned modifiers);

// "Ctrl+P", "X", "Ctrl+F4": the shortcut as menus show it beside the caption.
std::string ShortCutText(const ui::ShortCut& shortCut);

// The modifier keys held right now, as shortcut bits.
unsigned CurrentModifiers();

}  // namespace win32
