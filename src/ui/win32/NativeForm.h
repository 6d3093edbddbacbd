#pragma once
#include "platform/win32/WinApi.h"

#include <map>
#include <string>
#include <vector>

#include "ui/Form.h"
#include "ui/Scaling.h"

namespace win32 {

class Win32Gui;
class FormAccessible;

// The native top-level window of one form. The form stays the truth: Sync() carries the
// model into the window and its controls, and input comes back as neutral events. The
// class is split by concern: NativeForm.cpp (window, form properties), NativeControls.cpp
// (child windows), NativeLists.cpp (their lists), NativeEvents.cpp (their notifications), NativeLabelEdit.cpp (editing list rows),
// FormPaint.cpp (painted elements),
// FormMouse.cpp, FormFocus.cpp (focus events), FormKeys.cpp (dialog keys, masked typing).
class NativeForm {
public:
    NativeForm(Win32Gui& gui, ui::Form& form);
    ~NativeForm();
    NativeForm(const NativeForm&) = delete;
    NativeForm& operator=(const NativeForm&) = delete;

    ui::Form& Model() const { return form_; }
    // The form is going away: destroys the window and lets go of the model without reading it.
    void Detach();
    // Puts the shown window in front; a form still in its OnShow comes to the front when its
    // window appears.
    void BringToFront();
    HWND Handle() const { return hwnd_; }
    // The resolution the window is shown at.
    int Dpi() const { return dpi_; }
    void Sync();
    // A key press for this form, taken from the message loop before it reaches the focused
    // control, so the form sees keys whichever control has the focus. True when used up.
    bool PreviewKey(UINT message, WPARAM wParam, LPARAM lParam);
    // The enabled state that the model asks for, to restore after a modal form.
    bool ModelEnabled() const { return form_.enabled; }

    static void RegisterClasses(HINSTANCE instance);

    // FormAccessible.cpp's view of the form: the painted elements with an accessibility role
    // on one surface (null: the form's own client area; else a panel, group box or tab sheet),
    // in painting order (child 1 first), one of them by its child number, their place in their
    // surface's window, and a press as by a click. A hidden surface lists what it would show.
    std::vector<ui::Control*> AccessibleElements(const ui::Control* surface = nullptr) const;
    ui::Control* AccessibleElement(long child, const ui::Control* surface = nullptr) const;
    // The painted push button that has the keyboard focus, null when none.
    const ui::Control* KeyElement() const { return keyElement_; }
    RECT ElementRect(const ui::Control& control);
    void PressElement(ui::Control& element);
    // A value given to a slider as its model takes it; false when the model refuses it.
    bool SetElementValue(ui::Control& element, const std::string& value);

private:
    // What a native child window last showed, to touch it only when the model changed.
    struct NativeControl {
        ui::Control* model = nullptr;
        HWND hwnd = nullptr;
        RECT bounds{-1, -1, -1, -1};
        int visible = -1, enabled = -1;
        std::string caption, text;
        std::string fontKey;
        int checked = -1, readOnly = -1, maxLength = -1, isDefault = -1;
        int min = 0, max = -1, position = -1, increment = 0;
        std::vector<std::string> items;
        std::vector<ui::ListRow> rows;
        std::vector<ui::ListColumn> columns;
        std::vector<ui::Picture> images;
        int headers = -1;
        int itemIndex = -2;
        int activePage = -2;
        std::string hint;
        int showHint = -1;
        bool tool = false;
        // A list view's release reported at its press, which kept the release to itself.
        bool releaseReported = false;
        // What the room a check box's text needs was last worked out for, and the result.
        std::string fitKey;
        RECT fitted{0, 0, 0, 0};
        int multiline = -1;
    };
    // Where a label that sizes itself shows its text: at its place in one line where that fits,
    // else as NativeFit.cpp's FitLabel found room for it.
    struct LabelFit {
        RECT rect{0, 0, 0, 0};
        bool wrap = false;  // broken into lines within the rectangle's width
        int smaller = 0;    // pixels taken off the font's height
    };
    // What a painted element last looked like, to repaint only when it changed.
    struct PaintedState {
        RECT rect{0, 0, 0, 0};
        bool showing = false;
        std::string caption, fontKey, hint;
        bool showHint = false, transparent = false;
        ui::Color color = 0, fontColor = 0, brush = 0, pen = 0;
        ui::Picture picture;
        int date = 0;  // a calendar's year, month and day as one number
        bool tool = false;
    };

    // Posted to the form when a changed masked field lost the focus.
    static constexpr UINT kCheckExit = WM_APP + 40;

    static LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ContainerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT FormMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The messages every surface (the form's client area, a panel, a tab sheet) handles
    // alike; `surface` is null for the form. False leaves the message to DefWindowProc.
    bool SurfaceMessage(ui::Control* surface, HWND hwnd, UINT message, WPARAM wParam,
                        LPARAM lParam, LRESULT& result);
    bool ModelAlive() const;

    // The model's 96-DPI lengths on this window, and the fonts made for its DPI.
    int Scale(int value) const { return ui::ScaleToDpi(value, dpi_); }
    HFONT FontFor(const ui::Font& font);

    // NativeForm.cpp
    void Create();
    // The window's outer size for the model's client size at the window's DPI.
    SIZE FrameSize() const;
    // The window came to a monitor of another scale: takes the rectangle Windows suggests and
    // lays every control out anew, fonts included.
    void DpiChanged(int dpi, const RECT& suggested);
    void SyncForm();
    void SyncVisibility();
    DWORD Style() const;
    DWORD ExStyle() const;
    bool HandleKey(int key, unsigned modifiers);
    void UserClose();
    void EnsureTooltip();

    // NativeControls.cpp
    void SyncControls();
    NativeControl* Native(HWND hwnd);
    NativeControl& EnsureNative(ui::Control& control);
    HWND NativeParent(const ui::Control& control);
    void CreateNative(NativeControl& native);
    void SyncNative(NativeControl& native);
    void SyncComboText(NativeControl& native, ui::ComboBox& combo);
    void SyncLists(NativeControl& native);
    void SyncListView(NativeControl& native, ui::ListView& list);
    void SyncListImages(NativeControl& native, ui::ListView& list);
    void SyncTool(HWND owner, UINT_PTR id, const RECT* rect, const std::string& hint, bool show,
                  bool& added);
    RECT NativeBounds(NativeControl& native);
    // NativeFit.cpp: texts that need more room than the 96-DPI layout gives them at this DPI,
    // in this language. A button or check box takes the free room beside it, a check box then
    // the room below; a row of tabs narrows the margins beside its captions until it fits.
    void FitButtonText(NativeControl& native, RECT& bounds);
    void FitTabs(NativeControl& native);
    // Where the next control of the same surface starts to the right of / below / above `control`, or
    // the surface's inner edge, in window pixels.
    int RoomRight(const ui::Control& control) const;
    // `height`: the rows the control covers, in 96-DPI pixels.
    int RoomLeft(const ui::Control& control, int height);
    // A self-sizing label whose one line (at `place`) runs under the control to its right or past
    // its surface's edge moves left into free room, else breaks into lines in the free room
    // below, else takes a type one pixel smaller (moved left as far as needed). Pictures are no
    // obstacle, and a see-through label stays where it is placed.
    const LabelFit& FitLabel(const ui::Label& label, const RECT& place);
    // The right edge of a control as it shows, a self-sizing label's one-line text included.
    int ShownRight(const ui::Control& control);
    int RoomBelow(const ui::Control& control, int right) const;
    int RoomAbove(const ui::Control& control, int right) const;
    bool NativeVisible(const ui::Control& control) const;
    ui::PageControl* PageControlOf(const ui::Control& sheet) const;
    static LRESULT CALLBACK ControlSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR id, DWORD_PTR data);
    HBRUSH ControlColor(HDC dc, HWND control, ui::Control* surface);
    ui::Color SurfaceColor(const ui::Control* surface) const;

    // NativeEvents.cpp
    bool Command(HWND control, int code);
    bool Notify(const NMHDR& header, LRESULT& result);
    // A key released over a control or its editor: the model's OnKeyUp, then a sync.
    void KeyReleased(ui::Control& control, WPARAM key);
    bool Scroll(HWND control, int code);

    // NativeLists.cpp: the texts and pictures a list view asks for to show its rows, and the
    // row whose start was typed.
    static bool ListViewDisplayInfo(const NativeControl& native, const NMHDR& header);
    static bool ListViewFindItem(const NativeControl& native, const NMHDR& header, LRESULT& result);

    // NativeLabelEdit.cpp
    void TakeEditRequests();
    bool LabelEditNotify(NativeControl& native, const NMHDR& header, LRESULT& result);
    static LRESULT CALLBACK LabelEditSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR id, DWORD_PTR data);

    // FormPaint.cpp
    static bool IsPainted(const ui::Control& control);
    ui::Control* SurfaceOf(const ui::Control& control) const;
    HWND SurfaceWindow(const ui::Control* surface);
    void SyncPainted();
    void Paint(ui::Control* surface, HWND hwnd);
    void PaintElement(HDC dc, ui::Control& control);
    void PaintGroupFrame(HDC dc, const ui::Control& group, const RECT& client);
    void PaintCalendar(HDC dc, const ui::MonthCalendar& calendar, const RECT& rect);

    // FormMouse.cpp
    bool Mouse(ui::Control* surface, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    ui::Control* HitTest(const ui::Control* surface, POINT point);
    void ContextMenu(LPARAM lParam);
    // Pointer messages of a child window, for its model's pointer handlers.
    void ControlPointer(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static void CalendarClick(ui::MonthCalendar& calendar, int x, int y);

    // FormFocus.cpp
    ui::Control* FocusedControl();
    // The control that holds the focus in this form's sense: the last one that got it,
    // kept while another program or a message box has the keyboard.
    void FocusArrived(ui::Control& control);
    void MoveFocus(ui::Control* from, ui::Control* to);
    void CheckPendingExit();
    bool RestoreFocus();
    bool TakeFocusRequest();
    void FocusControl(HWND control, bool selectAll);
    bool Reachable(HWND control) const;

    // NativeAccessibility.cpp
    // The answer to WM_GETOBJECT of the form's window or of a surface's.
    LRESULT AccessibleObject(ui::Control* surface, HWND hwnd, WPARAM wParam, LPARAM lParam, bool& handled);
    // In a window without native controls, Tab and Shift+Tab move the keyboard focus over the
    // painted push buttons from left to right, and Enter or Space presses the focused one.
    bool ElementKey(int key, unsigned modifiers);
    std::vector<ui::Control*> KeyElements() const;

    // FormKeys.cpp
    bool DialogKey(int key, unsigned modifiers);
    bool FocusWantsKey(int key);
    std::vector<HWND> TabStops();
    ui::Button* KeyButton(bool cancel);
    bool LeaveMaskEdit();
    bool MaskEditInput(NativeControl& native, UINT message, WPARAM wParam);
    void ShowMaskText(NativeControl& native, int caret);

    Win32Gui& gui_;
    ui::Form& form_;
    HWND hwnd_ = nullptr;
    int dpi_ = ui::kDesignDpi;  // the resolution the window is shown at
    HWND tooltip_ = nullptr;
    bool syncing_ = false;      // our own changes to child windows raise no events
    bool detached_ = false;     // the model is gone
    bool frontWhenShown_ = false;
    bool placed_ = false;       // the first show has placed the window
    // The window as last synchronised.
    std::string caption_;
    DWORD style_ = 0, exStyle_ = 0;
    RECT bounds_{0, 0, 0, 0};
    int enabled_ = -1, topmost_ = -1, closeEnabled_ = -1, visible_ = 0;
    int layered_ = -1, alpha_ = -1;
    COLORREF key_ = 0;
    DWORD layeredFlags_ = 0;
    ui::Color color_ = 0;
    std::map<const ui::Control*, NativeControl> natives_;
    int nextId_ = 100;
    std::map<const ui::Control*, PaintedState> painted_;
    std::map<const ui::Control*, LabelFit> labelFits_;
    static constexpr UINT kLabelFormat = DT_LEFT | DT_TOP | DT_EXPANDTABS | DT_NOCLIP;
    // The element that keeps the pointer after a left press, with its surface.
    ui::Control* captured_ = nullptr;
    bool formCaptured_ = false;
    ui::Control* focused_ = nullptr;
    // A changed masked field lost the focus; its check waits for the posted message.
    bool exitPending_ = false;
    // The list view whose row editor the model asked for, while it opens.
    HWND labelRequest_ = nullptr;
    // The objects accessibility clients were given, by surface (null: the form), told when
    // the form goes.
    std::map<const ui::Control*, FormAccessible*> accessibles_;
    // The painted push button that has the keyboard focus, shown by a focus frame.
    ui::Control* keyElement_ = nullptr;
};

}  // namespace win32
