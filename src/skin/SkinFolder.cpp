#include "skin/SkinFolder.h"

#include <algorithm>
#include <cctype>

namespace skin {

namespace {

bool HasSkinExtension(const std::string& name) {
    if (name.size() < 4) return false;
    std::string extension = name.substr(name.size() - 4);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".skn";
}

}  // namespace

std::vector<std::string> SkinFileNames(platform::FileSystem& files, const std::string& folder) {
    std::vector<std::string> names = files.FindFiles(folder, "*.skn");
    names.erase(std::remove_if(names.begin(), names.end(), [](const std::string& name) { return !HasSkinExtension(name); }),
                names.end());
    return names;
}

}  // namespace skin
