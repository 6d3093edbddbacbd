#include "playback/ShutdownForm.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "common/Language.h"

namespace {

// The dialog's warning sign, drawn here rather than shipped: a yellow triangle with a black
// rim and an exclamation mark, on a background the picture leaves out (its bottom-left pixel).
ui::Picture WarningSign() {
    constexpr int kSize = 32;
    constexpr std::uint32_t kBackground = 0xFF00FF, kRim = 0x000000, kFill = 0xFFD800, kMark = 0x000000;
    ui::Picture picture{kSize, kSize, std::vector<std::uint32_t>(kSize * kSize, kBackground)};
    const double apexY = 2, baseY = 29, centre = kSize / 2.0, halfBase = 14.5;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const double py = y + 0.5, px = x + 0.5;
            if (py < apexY || py > baseY) continue;
            const double half = (py - apexY) / (baseY - apexY) * halfBase;
            const double fromEdge = half - std::abs(px - centre);
            if (fromEdge < 0) continue;
            const bool rim = fromEdge < 1.6 || py > baseY - 1.5;
            const bool bar = std::abs(px - centre) < 1.5 && py > 10 && py < 22;
            const bool dot = std::abs(px - centre) < 1.5 && py > 23.5 && py < 26.5;
            picture.pixels[static_cast<std::size_t>(y) * kSize + x] = rim ? kRim : (bar || dot) ? kMark : kFill;
        }
    }
    return picture;
}

}  // namespace

TForm6::TForm6(ui::Environment& environment) : ui::Form(environment, "TForm6", "Shutting down") {
    borderStyle = ui::BorderStyle::ToolWindow;
    minimizeBox = maximizeBox = false;
    position = ui::FormPosition::ScreenCenter;
    clientWidth = 280;
    clientHeight = 119;

    Image1.SetBounds(16, 32, 32, 32);
    Image1.transparent = true;
    Image1.SetPicture(WarningSign());
    Label1.SetBounds(64, 32, 0, 0);
    Label2.SetBounds(64, 48, 0, 0);
    Button1.SetBounds(200, 88, 75, 25);
    Button1.caption = "Cancel";

    OnShow = [this] { FormShow(); };
    OnHide = [this] { FormHide(); };
    OnCloseQuery = [this](bool& allow) { FormCloseQuery(allow); };
    Timer1.OnTimer = [this] { Timer1Timer(); };
    Button1.OnClick = [this] { Button1Click(); };
}

std::string TForm6::CountdownLine(int secondsLeft) {
    if (IsGermanLanguage(platform)) return "in " + std::to_string(secondsLeft) + " Sekunden...";
    return "during " + std::to_string(secondsLeft) + " Seconds...";
}

void TForm6::FormShow() {
    if (IsGermanLanguage(platform)) {
        caption = "Herunterfahren";
        Label1.caption = "Orvella beendet Windows";
    } else {
        caption = "Shutting down";
        Label1.caption = "Orvella will shut down Windows";
    }
    Label2.caption = CountdownLine(kSeconds);
    ShutdownTicks = 0;
    Timer1.SetEnabled(true);
}

// However the dialog went away, the countdown it showed is over: a shutdown must never come
// from a window the user can no longer see or cancel.
void TForm6::FormHide() { Timer1.SetEnabled(false); }

// The close box answers "not now" just as Cancel does.
void TForm6::FormCloseQuery(bool& allow) {
    Timer1.SetEnabled(false);
    allow = true;
}

void TForm6::Timer1Timer() {
    if (!Visible()) {
        Timer1.SetEnabled(false);
        return;
    }
    gui.BringToFront(*this);
    if (ShutdownTicks >= kSeconds) {
        // A refused shutdown leaves the dialog open at 0 until the user cancels it.
        Timer1.SetEnabled(false);
        platform.system.Shutdown(kShutdownFlags);
        return;
    }
    ++ShutdownTicks;
    Label2.caption = CountdownLine(kSeconds - ShutdownTicks);
}

void TForm6::Button1Click() {
    Timer1.SetEnabled(false);
    Close();
}
