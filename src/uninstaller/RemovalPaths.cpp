#include "uninstaller/RemovalPaths.h"

#include <cctype>

namespace remover {

bool IsAbsolutePath(const std::string& path) {
    if (path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
        path[2] == '\\')
        return true;
    // A network path needs a server name after the two backslashes.
    return path.size() >= 3 && path[0] == '\\' && path[1] == '\\' && path[2] != '\\';
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    std::string joined = folder;
    while (!joined.empty() && joined.back() == '\\') joined.pop_back();
    std::size_t start = 0;
    while (start < name.size() && name[start] == '\\') ++start;
    return joined + "\\" + name.substr(start);
}

}  // namespace remover
