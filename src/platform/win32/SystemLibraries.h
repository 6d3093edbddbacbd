#pragma once
#include "platform/win32/WinApi.h"

namespace win32 {

// Libraries come from the system folder only. Windows looks for a library named without a
// folder in the program's own folder first, and the programs run from folders their user can
// write to (the uninstaller from the temporary-files folder): a file put there under the name
// of a system library would run inside them.

// Makes the system folder the only place where this process looks for libraries, for the
// libraries it loads and those they load in turn. The first thing each program does; a
// system without SetDefaultDllDirectories (Windows Vista, 7 without its update) goes on as
// it was, and LoadSystemLibrary still names the system folder.
void LoadLibrariesFromSystemFolderOnly();

// Loads a system library by its file name ("winmm.dll") from the system folder and nowhere
// else; null when it cannot be loaded. Every library the programs load on demand comes
// through here. It stays loaded for the rest of the run.
HMODULE LoadSystemLibrary(const char* name);

}  // namespace win32
