#include "platform/win32/WinApi.h"

#include "platform/win32/SystemLibraries.h"
#include "platform/win32/Win32Platform.h"
#include "startup/Startup.h"
#include "ui/win32/Win32Gui.h"

// The GUI comes first and goes last: the windows of the program leave it at the end of
// RunOrvella, while it still runs.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Before anything else can load a library: only the system folder's.
    win32::LoadLibrariesFromSystemFolderOnly();
    // The main window shows the output volume as soon as its skin is loaded.
    win32::OutputDeviceWarmUp outputDevice;
    win32::Win32Gui gui("Orvella");
    win32::Win32Platform system(gui);
    ui::Environment environment{system.platform, gui};
    return RunOrvella(environment, [&](ui::Form& mainForm) { return gui.Run(mainForm); });
}
