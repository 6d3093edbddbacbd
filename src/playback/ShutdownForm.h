#pragma once
#include <cstdint>

#include "ui/Form.h"

// The shutdown countdown: ten cancellable seconds before Windows is shut down. Shown modally
// by the end of the alarm run and by automatic closing.
class TForm6 : public ui::Form {
public:
    explicit TForm6(ui::Environment& environment);

    // Shut down, force the other programs to close, also the ones that hang.
    static constexpr std::uint32_t kShutdownFlags = 0x15;  // EWX_SHUTDOWN | EWX_FORCE | EWX_FORCEIFHUNG
    static constexpr int kSeconds = 10;

    ui::Image Image1{this, "Image1"};     // warning picture
    ui::Label Label1{this, "Label1"};     // what will happen
    ui::Label Label2{this, "Label2"};     // seconds left
    ui::Button Button1{this, "Button1"};  // Cancel
    ui::Timer Timer1{this, "Timer1", 1000, false};

    int ShutdownTicks = 0;

    void FormShow();
    void FormHide();
    void FormCloseQuery(bool& allow);
    void Timer1Timer();
    void Button1Click();

private:
    std::string CountdownLine(int secondsLeft);
};
