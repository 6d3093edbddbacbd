#pragma once
#include <string>
#include <vector>

namespace remover {

// What an installation holds of Orvella's, by name: the files the setup copies and the one
// Orvella writes there itself. The uninstaller deletes these and nothing else, so a file of the
// user's beside them stays, whatever its name or extension.

// In the install folder: the programs, their library, the language file, the alarm sound, the
// skin icon, and Orvella.ini (wake dates and window position, written by Orvella).
const std::vector<std::string>& ProgramFolderFiles();
// In its "Skins" folder: the default skins the setup installs (a skin the user opened with
// Orvella is copied there under its own name and stays).
const std::vector<std::string>& DefaultSkinFiles();
// In its "Images" folder: the tip pictures.
const std::vector<std::string>& TipPictureFiles();

}  // namespace remover
