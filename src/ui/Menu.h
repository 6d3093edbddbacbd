#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ui {

// Modifier bits of a shortcut key.
enum ShiftState : unsigned { ssNone = 0, ssShift = 1, ssCtrl = 2, ssAlt = 4 };

struct ShortCut {
    int key = 0;             // virtual key, 0 for none
    unsigned modifiers = ssNone;
};

// A menu item; a popup menu is an item whose children are shown.
class MenuItem {
public:
    explicit MenuItem(std::string name = "", std::string caption = "") : name(std::move(name)), caption(std::move(caption)) {}
    std::string name;
    std::string caption;     // "-" is a separator line
    ShortCut shortCut;
    bool checked = false;
    bool radioItem = false;
    bool enabled = true;
    bool visible = true;
    std::function<void()> OnClick;
    // Runs just before the menu opens, so that its handler can rebuild the items.
    std::function<void()> OnPopup;
    std::vector<std::unique_ptr<MenuItem>> items;

    MenuItem& Add(std::string itemName, std::string itemCaption) {
        items.push_back(std::make_unique<MenuItem>(std::move(itemName), std::move(itemCaption)));
        return *items.back();
    }
    void Click() { if (OnClick) OnClick(); }
    // The menu is about to open: the renderer calls this before it shows the items.
    void Popup() { if (OnPopup) OnPopup(); }
};

}  // namespace ui
