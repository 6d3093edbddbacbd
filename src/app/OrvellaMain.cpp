#include "platform/win32/WinApi.h"

#include "core/Startup.h"
#include "platform/win32/Win32Platform.h"
#include "skin/MainForm.h"
#include "ui/win32/Win32Gui.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    win32::Win32Gui gui("Orvella");
    win32::Win32Platform system(gui);
    ui::Environment environment{system.platform, gui};
    OrvellaStartup startup(environment);
    if (!startup.Start()) return 0;
    return gui.Run(startup.MainForm());
}
