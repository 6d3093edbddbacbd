#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "ui/Color.h"
#include "ui/Controls.h"
#include "ui/Gui.h"
#include "ui/Menu.h"
#include "ui/Timer.h"

namespace ui {

enum class BorderStyle { None, Single, Dialog, ToolWindow };
enum class FormPosition { Designed, ScreenCenter };
enum ModalResult { mrNone = 0, mrOk = 1, mrCancel = 2 };

// A window of the program, as data: its controls are members of the derived class and
// register themselves here. The GUI shows it.
class Form {
public:
    Form(Environment& environment, std::string className, std::string caption);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    platform::Platform& platform;
    Gui& gui;
    const std::string className;
    std::string caption;
    int left = 0, top = 0;
    int clientWidth = 0, clientHeight = 0;
    BorderStyle borderStyle = BorderStyle::Single;
    bool systemMenu = true;
    bool minimizeBox = true;
    bool maximizeBox = false;
    bool closeCommandEnabled = true;   // the Close item of the system menu
    bool stayOnTop = false;
    FormPosition position = FormPosition::Designed;
    Color color = clBtnFace;
    bool enabled = true;
    // Layered window: opacity 0..255 and a colour key.
    bool alphaBlend = false;
    int alphaBlendValue = 255;
    bool transparentColor = false;
    Color transparentColorValue = 0;
    MenuItem* popupMenu = nullptr;
    int modalResult = mrNone;

    std::function<void()> OnShow;
    std::function<void()> OnHide;
    // Runs when the user closes the window from its title bar or with Alt+F4; set `allow`
    // to false to keep it open.
    std::function<void(bool& allow)> OnCloseQuery;
    std::function<void(KeyEvent&)> OnKeyDown;
    std::function<void(const MouseEvent&)> OnMouseDown;
    // Pointer moves and releases over the bare window, outside every control.
    std::function<void(const MouseEvent&)> OnMouseMove;
    std::function<void(const MouseEvent&)> OnMouseUp;

    bool Visible() const { return visible_; }
    // True while OnShow runs: the form counts as visible, but its window appears only once
    // OnShow has finished, so a question asked there comes before the window.
    bool Opening() const { return opening_; }
    bool Modal() const { return modal_; }
    // Shows the form; OnShow runs when it was hidden.
    void Show();
    void Hide();
    // Shows the form modally; returns its modal result once it is hidden again.
    int ShowModal();
    // Closes the form (hides it; a modal form returns mrCancel unless a result is set).
    void Close();
    // What the title bar's close box and Alt+F4 do: asks OnCloseQuery, then closes.
    void UserClose();

    // Sends the keyboard focus to `control`: at once when the window is shown, else when it
    // shows next. The renderer takes the request and clears it.
    void FocusControl(Control& control) { focusRequest = &control; }
    Control* focusRequest = nullptr;

    const std::vector<Control*>& Controls() const { return controls_; }
    const std::vector<Timer*>& Timers() const { return timers_; }
    Control* FindControl(const std::string& name) const;
    Timer* FindTimer(const std::string& name) const;

    void AddControl(Control* control) { controls_.push_back(control); }
    void AddTimer(Timer* timer) { timers_.push_back(timer); }

private:
    bool visible_ = false;
    bool opening_ = false;
    bool modal_ = false;
    std::vector<Control*> controls_;
    std::vector<Timer*> timers_;
};

}  // namespace ui
