#include "common/Names.h"
#include "common/Text.h"
#include "startup/Startup.h"

// The uninstaller runs from a copy in the temporary-files folder, so that it can delete the
// program folder with the original in it. The folder is GetTempPath's, the one the removal
// batch cleans at the end (it prefers TMP to TEMP where the two differ).
void UninstallHandOff(platform::Platform& p) {
    const std::string temp = p.files.TempPath();
    if (temp.empty()) return;
    const std::string folder = IncludeTrailingBackslash(temp) + "Orvella";
    if (!p.files.DirectoryExists(folder)) p.files.CreateDirectory(folder);
    const std::string programFolder = ProgramFolder(p.process);
    p.files.CopyFile(programFolder + "OrvellaRemover.exe", folder + "\\OrvellaRemover.exe", true);
    p.files.CopyFile(programFolder + "Orvella.dll", folder + "\\Orvella.dll", true);
    p.shell.Open(p.app.ApplicationWindow(), folder + "\\OrvellaRemover.exe", "", "", platform::ShowShow);
}
