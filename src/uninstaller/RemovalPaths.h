#pragma once
#include <optional>
#include <string>
#include <vector>

namespace remover {

// True for a path that names one place whatever the current folder and drive are:
// "C:\..." or a network path "\\server\share...". "\Orvella", "Images\" and "C:Orvella"
// are resolved against the current drive or folder, so the uninstaller never deletes by them.
bool IsAbsolutePath(const std::string& path);

// Joins a folder and a name with exactly one backslash between them.
std::string JoinPath(const std::string& folder, const std::string& name);

// The folder names that lead from `root` down to `path` ("Skins", then "Old" for
// "<root>\Skins\Old"), none when `path` is `root` itself. Nothing when `path` lies elsewhere or
// names "." or ".." (or any other name of dots and blanks only). Letters are compared without
// regard to case, and doubled or trailing backslashes do not count, as Windows reads paths.
std::optional<std::vector<std::string>> FoldersBelow(const std::string& root, const std::string& path);

// True when both absolute paths name the same place by the same rules.
bool SamePath(const std::string& a, const std::string& b);

}  // namespace remover
