#include "playback/ShutdownForm.h"

TForm6::TForm6(platform::Platform& platform) : ui::Form(platform, "TForm6", "Shutting down") {
    borderStyle = ui::BorderStyle::ToolWindow;
    position = ui::FormPosition::ScreenCenter;
    clientWidth = 280;
    clientHeight = 119;
}
