#include "uninstaller/RemovalPaths.h"

#include <algorithm>
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

namespace {

std::vector<std::string> Parts(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (c == '\\' || c == '/') {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

bool SamePart(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::optional<std::vector<std::string>> FoldersBelow(const std::string& root, const std::string& path) {
    if (!IsAbsolutePath(root) || !IsAbsolutePath(path)) return std::nullopt;
    const std::vector<std::string> rootParts = Parts(root), pathParts = Parts(path);
    if (pathParts.size() < rootParts.size()) return std::nullopt;
    for (std::size_t i = 0; i < rootParts.size(); ++i)
        if (!SamePart(rootParts[i], pathParts[i])) return std::nullopt;
    std::vector<std::string> below(pathParts.begin() + static_cast<std::ptrdiff_t>(rootParts.size()), pathParts.end());
    // Windows drops dots and blanks at the end of a name, so "..." or ". ." climb like "..".
    for (const std::string& part : below)
        if (part.find_first_not_of(". ") == std::string::npos) return std::nullopt;
    return below;
}

bool SamePath(const std::string& a, const std::string& b) {
    const auto below = FoldersBelow(a, b);
    return below && below->empty();
}

}  // namespace remover
