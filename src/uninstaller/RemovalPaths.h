#pragma once
#include <string>

namespace remover {

// True for a path that names one place whatever the current folder and drive are:
// "C:\..." or a network path "\\server\share...". "\Orvella", "Images\" and "C:Orvella"
// are resolved against the current drive or folder, so the uninstaller never deletes by them.
bool IsAbsolutePath(const std::string& path);

// Joins a folder and a name with exactly one backslash between them.
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace remover
