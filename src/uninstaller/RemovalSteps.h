#pragma once
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace remover {

// The removal steps of the uninstall run, in the order the wizard calls them. None of them
// reports anything: whatever cannot be deleted stays, and the next deletion is tried.

// Deletes Orvella's shortcuts on the desktop, in the start menu and in the quick-launch bar,
// then the start-menu folder when it is empty.
void RemoveShortcuts(platform::Platform& platform);

// The install folder of the current user's installation: the "InstallLocation" of its uninstall
// entry (HKEY_CURRENT_USER ...\Uninstall\Orvella, which the setup writes), or, where the entry
// has none, the folder of the program its "UninstallString" starts. Empty without an entry.
// "Programm - Pfad" is not asked: every copy of Orvella.exe, wherever it runs, writes it.
std::string RegisteredInstallFolder(platform::Platform& platform);

// Ends the running programs, then deletes the files of the installation by their names (the
// program files and Orvella.ini, the default skins in "Skins", the tip pictures in "Images")
// and removes those folders when they are empty: a file of the user's stays, and so does its
// folder. Does nothing without the user's uninstall entry. Deletes only inside the install
// folder and never through a link (a symbolic link, a junction) out of it: a link is removed
// as a link. Sets `installFolder` to the install folder it found (empty when unknown) as soon
// as it has read it: the batch needs it after the registry entries are gone, also when a later
// step here failed. True when every file of Orvella's it found is gone (the running
// uninstaller's own file aside, which the batch deletes); a folder kept by the user's files
// does not count.
bool RemoveProgramFiles(platform::Platform& platform, std::string& installFolder);

// Ends the main program and the agent by their hidden application windows.
void EndRunningPrograms(platform::Platform& platform);

// Deletes each of the named files in `folder` that exists; nothing else. True when none of
// them is left.
bool DeleteFilesByName(platform::Platform& platform, const std::string& folder,
                       const std::vector<std::string>& names);

// Deletes the Run entries, the skin file type, the uninstall entry and the settings key, where
// they are this installation's: the file type (".skn" with "OrvellaSkin") only while
// "OrvellaSkin" opens skins with the Orvella.exe in `installFolder`, and ".skn" only together
// with it; the machine's uninstall entry only while it names `installFolder`. The user's
// uninstall entry and then the settings key go last, and stay when `filesLeft` is set or an
// entry of the current user's could not be deleted: they are what lets a second run find the
// installation and tell its file type.
void RemoveRegistryEntries(platform::Platform& platform, const std::string& installFolder, bool filesLeft = false);

}  // namespace remover
