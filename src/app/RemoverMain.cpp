// OrvellaRemover.exe: the uninstall wizard on the real platform.
#include "platform/win32/WinApi.h"

#include "platform/win32/SystemLibraries.h"
#include "platform/win32/Win32Platform.h"
#include "ui/win32/Win32Gui.h"
#include "uninstaller/UninstallForm.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Before anything else can load a library: only the system folder's.
    win32::LoadLibrariesFromSystemFolderOnly();
    win32::Win32Gui gui("Setup");
    win32::Win32Platform system(gui);
    ui::Environment environment{system.platform, gui};
    remover::TForm1 form(environment);
    form.FormCreate();
    return gui.Run(form);
}
