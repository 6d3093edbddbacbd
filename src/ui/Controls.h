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
    Label, Button, CheckBox, Edit, MaskEdit, UpDown, TrackBar, ComboBox, ListBox, ListView,
    MonthCalendar, Image, Shape, Panel, Bevel, GroupBox, PageControl, TabSheet
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
    // Positions are 96-DPI pixels, as the model's lengths are: inside the control, and on the
    // screen (the screen position times 96 / the window's DPI, so that a distance the pointer
    // moved compares with the model's lengths).
    int x = 0, y = 0;
    int screenX = 0, screenY = 0;
    bool shift = false, ctrl = false, alt = false;
};

// A key pressed or released over a control or form.
struct KeyEvent {
    int key = 0;                 // virtual key
    unsigned modifiers = 0;      // ShiftState bits
    bool handled = false;        // set by a handler to swallow the key
};

struct Font {
    std::string name = "MS Sans Serif";
    int size = 8;  // points
    int pixelHeight = 0;  // character height in pixels; replaces `size` when not 0
    Color color = clWindowText;
    bool bold = false;
};

// What accessibility clients (screen readers) are told a painted element is; the renderer
// exposes the elements with a role as children of their window. A push button is named by its
// hint and pressed by its default action (named `accessibleAction`) as by a click; a slider reads
// out `accessibleValue` and, where it has OnAccessibleValue, takes a value a client sets; a text
// reads out its caption.
enum class AccessibleRole { None, PushButton, Slider, Text };

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
    AccessibleRole accessibleRole = AccessibleRole::None;
    std::string accessibleName;   // for an element without a hint
    std::string accessibleValue;  // a slider's value as read out
    std::string accessibleAction = "Press";  // a push button's default action as read out

    std::function<void()> OnClick;
    std::function<void()> OnChange;
    std::function<void(const MouseEvent&)> OnMouseDown;
    std::function<void(const MouseEvent&)> OnMouseMove;
    std::function<void(const MouseEvent&)> OnMouseUp;
    // A key released while the control (or an editor it opened) has the keyboard focus.
    std::function<void(KeyEvent&)> OnKeyUp;
    // An accessibility client sets a slider's value, in the text it gave ("40"); false refuses it.
    std::function<bool(const std::string&)> OnAccessibleValue;
    // The keyboard focus arrives at the control / leaves it.
    std::function<void()> OnEnter;
    std::function<void()> OnExit;

    void SetBounds(int l, int t, int w, int h) { left = l; top = t; width = w; height = h; }
    // Visible and enabled only when every parent is.
    bool Showing() const;
    // Runs OnClick when set; the renderer and the tests press controls this way.
    void Click() { if (OnClick) OnClick(); }
    void Change() { if (OnChange) OnChange(); }
};

class Label : public Control {
public:
    // A screen reader reads every label as a text.
    Label(Form* owner, std::string name) : Control(owner, ControlKind::Label, std::move(name)) {
        accessibleRole = AccessibleRole::Text;
    }
    bool transparent = false;
    bool autoSize = true;
};

class Button : public Control {
public:
    Button(Form* owner, std::string name) : Control(owner, ControlKind::Button, std::move(name)) {}
    int modalResult = 0;
    bool isDefault = false;  // pressed by Enter anywhere in its window
    bool cancel = false;     // pressed by Escape anywhere in its window
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
    int maxLength = 0;  // characters the user can type; 0 is no limit
    std::string text;
};

// A text field of fixed shape. In `mask`, '0' is a digit that must be typed, '9' a digit that
// may stay blank; every other character is fixed text. Unfilled positions hold blanks.
class MaskEdit : public Control {
public:
    MaskEdit(Form* owner, std::string name, std::string mask);
    const std::string mask;
    std::string text;
    // Whether the user typed into it since the focus arrived.
    bool modified = false;

    // Whether `c` may stand at `position` of the text.
    bool Accepts(std::size_t position, char c) const;
    // The text with every position to be typed blank.
    std::string BlankText() const;
    // The first position that must hold a digit and does not; -1 when none.
    int FirstMissing() const;
    bool Complete() const { return FirstMissing() < 0; }
    // Focus arrives: remembers the text for Escape.
    void Enter();
    // Escape: back to the text the focus found.
    void Revert();
    // Focus wants to leave: true when it may. A changed, incomplete text keeps it, after a
    // beep and the standard message.
    bool Exit();
    // The refusal of a text: a beep, the standard message, and the focus back in the field.
    void RefuseInput();

    // The user's keys at the caret, in overwrite mode; both return the caret after them.
    // Typing `c` with [start, end) selected: a fixed character typed where it stands moves
    // past it; otherwise the selection goes blank and `c` takes the first position to be typed
    // at or after `start`. -1 when the mask refuses `c`; the text then stays as it was.
    int Type(int start, int end, char c);
    // Backspace (`backward`) or Delete: a selection goes blank, else the position to be typed
    // before the caret (Backspace) or at or after it (Delete). Nothing ever shifts.
    int Erase(int start, int end, bool backward);

private:
    // The text as long as the mask, the positions to be typed in [start, end) blank.
    std::string Blanked(int start, int end) const;
    std::string entered_;
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
    // Sets the position, kept within min..max, and shows it in the associated field; a
    // changed position runs OnChange, as when the user moved it.
    void SetPosition(int value);
};

class TrackBar : public Control {
public:
    TrackBar(Form* owner, std::string name, int min, int max, int position, bool vertical = false)
        : Control(owner, ControlKind::TrackBar, std::move(name)),
          min(min), max(max), position(position), vertical(vertical) {}
    int min, max, position;
    bool vertical;
    // Sets the position, kept within min..max; a changed position runs OnChange, as when the
    // user moved it.
    void SetPosition(int value);
};

class ComboBox : public Control {
public:
    ComboBox(Form* owner, std::string name) : Control(owner, ControlKind::ComboBox, std::move(name)) {
        color = clWindow;
    }
    std::vector<std::string> items;
    int itemIndex = -1;
    bool pickOnly = false;      // no typing: the text is always one of the items
    std::string text;           // what the edit part shows
    int dropDownCount = 8;      // rows visible when the list is open
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
    // The small icons the rows' imageIndex picks from.
    std::vector<Picture> smallImages;
    // In-place editing of a row's caption: EditRow selects the row and asks the renderer to
    // open an editor on it; the renderer takes the request and clears it. A finished edit puts
    // the typed text in the row's caption; Escape leaves the row as it was. Opening the editor
    // on another row first finishes the open edit. The list opens no editor by itself.
    int editRequest = -1;
    void EditRow(int index) { itemIndex = editRequest = index; }
};

// A month grid: a row of short day names starting on Sunday and six rows of weeks. It always
// holds a valid date; OnClick runs when the user picks a day.
class MonthCalendar : public Control {
public:
    MonthCalendar(Form* owner, std::string name) : Control(owner, ControlKind::MonthCalendar, std::move(name)) {
        color = clWindow;
    }
    int day = 1, month = 1, year = 2000;
    // Takes the date; a day the month does not have becomes the month's last day, a month
    // outside 1..12 and a year outside 1..9999 are kept within them.
    void SetDate(int newDay, int newMonth, int newYear);
    // The day shown in a cell of the week rows (row 0..5, column 0 = Sunday), 0 for an empty cell.
    int CellDay(int row, int column) const;
    static int DaysInMonth(int month, int year);
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

// A framed group with its caption in the frame; its controls name it as parent.
class GroupBox : public Control {
public:
    GroupBox(Form* owner, std::string name) : Control(owner, ControlKind::GroupBox, std::move(name)) {}
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
