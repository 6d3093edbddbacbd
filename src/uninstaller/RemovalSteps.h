#pragma once
#include <string>

#include "platform/Platform.h"

namespace remover {

// The removal steps of the uninstall run, in the order the wizard calls them. None of them
// reports anything: whatever cannot be deleted stays, and the next deletion is tried.

// Deletes Orvella's shortcuts on the desktop, in the start menu and in the quick-launch bar,
// then the start-menu folder when it is empty.
void RemoveShortcuts(platform::Platform& platform);

// Ends the running programs, then deletes the skins, the tip pictures and the program files
// and removes their folders when they are empty. Does nothing without the settings key.
// Deletes only inside the install folder (a skin folder elsewhere is left alone) and never
// through a link (a symbolic link, a junction) out of it: a link is removed as a link.
// Sets `installFolder` to the install folder it found ("Programm - Pfad", empty when unknown)
// as soon as it has read it: the batch needs it after the settings key is gone, also when a
// later step here failed. True when everything it meant to remove is gone (the folders that
// keep files of the user's aside).
bool RemoveProgramFiles(platform::Platform& platform, std::string& installFolder);

// Ends the main program and the agent by their hidden application windows.
void EndRunningPrograms(platform::Platform& platform);

// Deletes every file in `folder` matching `pattern`; folders are left alone. True when every
// matching file could be deleted.
bool DeleteByPattern(platform::Platform& platform, const std::string& folder, const std::string& pattern);

// Deletes the settings key, the Run entries, the uninstall entry and the skin file type, those
// of the current user and those of the machine (where the user may). The user's ".skn" goes
// only while it names "OrvellaSkin", and the user's "OrvellaSkin" only while it opens skins
// with the Orvella.exe in `installFolder`. The settings key stays when `keepSettingsKey` is
// set, or when an entry of the current user's could not be deleted: it is what lets a second
// run find the files and tell the user's file type Orvella's.
void RemoveRegistryEntries(platform::Platform& platform, const std::string& installFolder,
                           bool keepSettingsKey = false);

}  // namespace remover
