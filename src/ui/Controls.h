#pragma once
#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/Color.h"
#include "ui/Picture.h"

namespace ui {

class Form;

enum class ControlKind {
    Label, Button, CheckBox, Edit, UpDown, TrackBar, ComboBox, ListBox, ListView,
    Image, Shape, Panel, Bevel, PageControl, TabSheet
};

// Positions and sizes a window can use: the range of the coordinates that mouse messages carry.
// Values read from files are kept within it, so that sums of them cannot overflow.
constexpr int kMinCoordinate = -32768;
constexpr int kMaxCoordinate = 32767;
inline int ClampCoordinate(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, kMinCoordinate, kMaxCoordinate));
}

enum class MouseButton { Left, Right, Middle };

struct MouseEvent {
    MouseButton button = MouseButton::Left;
    int x = 0, y = 0;              // inside the control
    int screenX = 0, screenY = 0;  // on the screen
    bool shift = false, ctrl = false, alt = false;
};

struct Font {
    std::string name = "MS Sans Serif";
    int size = 8;  // points
    int pixelHeight = 0;  // character height in pixels; replaces `size` when not 0
    Color color = clWindowText;
    bool bold = false;
};

// A control is plain data; handlers read and write it and the renderer shows it.
class Control {
public:
    Control(Form* owner, ControlKind kind, std::string name);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const ControlKind kind;
    const std::string name;
    Form* const owner;
    Control* parent = nullptr;  // a panel or tab sheet; null for the form itself

    int left = 0, top = 0, width = 0, height = 0;
    bool visible = true;
    bool enabled = true;
    std::string caption;
    std::string hint;
    bool showHint = false;
    Font font;
    Color color = clBtnFace;

    std::function<void()> OnClick;
    std::function<void()> OnChange;
    std::function<void(const MouseEvent&)> OnMouseDown;
    std::function<void(const MouseEvent&)> OnMouseMove;
    std::function<void(const MouseEvent&)> OnMouseUp;

    void SetBounds(int l, int t, int w, int h) { left = l; top = t; width = w; height = h; }
    // Visible and enabled only when every parent is.
    bool Showing() const;
    // Runs OnClick when set; the renderer and the tests press controls this way.
    void Click() { if (OnClick) OnClick(); }
    void Change() { if (OnChange) OnChange(); }
};

class Label : public Control {
public:
    Label(Form* owner, std::string name) : Control(owner, ControlKind::Label, std::move(name)) {}
    bool transparent = false;
    bool autoSize = true;
};

class Button : public Control {
public:
    Button(Form* owner, std::string name) : Control(owner, ControlKind::Button, std::move(name)) {}
    int modalResult = 0;
};

class CheckBox : public Control {
public:
    CheckBox(Form* owner, std::string name, bool checked = false)
        : Control(owner, ControlKind::CheckBox, std::move(name)), checked(checked) {}
    bool checked;
};

class Edit : public Control {
public:
    Edit(Form* owner, std::string name) : Control(owner, ControlKind::Edit, std::move(name)) {
        color = clWindow;
    }
    bool readOnly = false;
    std::string text;
};

// A spin control; its value is shown in the associated edit field.
class UpDown : public Control {
public:
    UpDown(Form* owner, std::string name, int min, int max, int position, int increment = 1)
        : Control(owner, ControlKind::UpDown, std::move(name)),
          min(min), max(max), position(position), increment(increment) {}
    int min, max, position, increment;
    bool thousands = false;    // shows the value with the system's thousands separator
    Edit* associate = nullptr;
    // Sets the position, kept within min..max, and shows it in the associated field.
    void SetPosition(int value);
};

class TrackBar : public Control {
public:
    TrackBar(Form* owner, std::string name, int min, int max, int position, bool vertical = false)
        : Control(owner, ControlKind::TrackBar, std::move(name)),
          min(min), max(max), position(position), vertical(vertical) {}
    int min, max, position;
    bool vertical;
    // Sets the position, kept within min..max.
    void SetPosition(int value) { position = value < min ? min : value > max ? max : value; }
};

class ComboBox : public Control {
public:
    ComboBox(Form* owner, std::string name) : Control(owner, ControlKind::ComboBox, std::move(name)) {
        color = clWindow;
    }
    std::vector<std::string> items;
    int itemIndex = -1;
    bool pickOnly = false;
    std::string Selected() const {
        return itemIndex >= 0 && itemIndex < static_cast<int>(items.size()) ? items[itemIndex] : "";
    }
};

class ListBox : public Control {
public:
    ListBox(Form* owner, std::string name) : Control(owner, ControlKind::ListBox, std::move(name)) {
        color = clWindow;
    }
    std::vector<std::string> items;
    int itemIndex = -1;
};

struct ListRow {
    std::string caption;
    std::vector<std::string> subItems;
    int imageIndex = -1;
};

struct ListColumn {
    std::string caption;
    int width = 0;  // pixels; 0 hides the column
};

class ListView : public Control {
public:
    ListView(Form* owner, std::string name) : Control(owner, ControlKind::ListView, std::move(name)) {
        color = clWindow;
    }
    std::vector<ListRow> rows;
    int itemIndex = -1;
    bool sorted = false;
    // Without columns the list shows one column as wide as itself and no header.
    std::vector<ListColumn> columns;
    bool showColumnHeaders = true;
};

class Image : public Control {
public:
    Image(Form* owner, std::string name) : Control(owner, ControlKind::Image, std::move(name)) {}
    Picture picture;
    bool transparent = false;  // leaves out the colour of the picture's bottom-left pixel
    bool autoSize = false;     // takes the picture's size when a picture is set
    void SetPicture(const Picture& p);
};

class Shape : public Control {
public:
    Shape(Form* owner, std::string name) : Control(owner, ControlKind::Shape, std::move(name)) {}
    Color brushColor = clWhite;
    Color penColor = clBlack;
};

class Panel : public Control {
public:
    Panel(Form* owner, std::string name) : Control(owner, ControlKind::Panel, std::move(name)) {}
};

class Bevel : public Control {
public:
    Bevel(Form* owner, std::string name) : Control(owner, ControlKind::Bevel, std::move(name)) {}
};

class TabSheet : public Control {
public:
    TabSheet(Form* owner, std::string name) : Control(owner, ControlKind::TabSheet, std::move(name)) {}
};

class PageControl : public Control {
public:
    PageControl(Form* owner, std::string name)
        : Control(owner, ControlKind::PageControl, std::move(name)) {}
    std::vector<TabSheet*> pages;
    int activePage = 0;
};

}  // namespace ui
