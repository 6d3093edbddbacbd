#include "platform/fake/FakeFileSystem.h"

#include <cstdio>

#include "platform/fake/FakeText.h"

namespace fake {

FakeFileSystem::FakeFileSystem() { AddDirectory("C:\\Temp"); }

std::string FakeFileSystem::Key(const std::string& path) {
    std::string key;
    for (char c : Lower(path)) {
        if (c == '/') c = '\\';
        if (c == '\\' && !key.empty() && key.back() == '\\') continue;
        key += c;
    }
    while (key.size() > 3 && key.back() == '\\') key.pop_back();
    return key;
}

std::string FakeFileSystem::Parent(const std::string& key) {
    const auto slash = key.find_last_of('\\');
    if (slash == std::string::npos) return "";
    if (slash == 2) return key.substr(0, 3);  // "c:\"
    return key.substr(0, slash);
}

static bool IsDrive(const std::string& key) { return key.size() == 3 && key[1] == ':'; }

bool FakeFileSystem::FileExists(const std::string& path) { return files.count(Key(path)) > 0; }

bool FakeFileSystem::DirectoryExists(const std::string& path) {
    const std::string key = Key(path);
    return IsDrive(key) || directories.count(key) > 0;
}

bool FakeFileSystem::CreateDirectory(const std::string& path) {
    if (Refused()) return false;
    const std::string key = Key(path);
    if (key.empty() || DirectoryExists(path) || files.count(key)) return false;
    if (!DirectoryExists(Parent(key))) return false;
    directories[key] = path;
    return true;
}

bool FakeFileSystem::RemoveDirectory(const std::string& path) {
    if (Refused()) return false;
    const std::string key = Key(path);
    if (!directories.count(key)) return false;
    for (const auto& f : files)
        if (Parent(f.first) == key) return false;
    for (const auto& d : directories)
        if (Parent(d.first) == key) return false;
    directories.erase(key);
    return true;
}

bool FakeFileSystem::CopyFile(const std::string& from, const std::string& to, bool overwrite) {
    if (Refused()) return false;
    auto source = files.find(Key(from));
    if (source == files.end()) return false;
    const std::string target = Key(to);
    if (files.count(target) && (!overwrite || locked.count(target) ||
                                (files[target].attributes & platform::AttrReadOnly)))
        return false;
    if (!DirectoryExists(Parent(target)) || failWrites) return false;
    File copy = source->second;
    copy.path = to;
    files[target] = copy;
    return true;
}

bool FakeFileSystem::ReplaceFile(const std::string& from, const std::string& to) {
    if (Refused()) return false;
    auto source = files.find(Key(from));
    const std::string target = Key(to);
    if (source == files.end() || failWrites || locked.count(Key(from)) || locked.count(target)) return false;
    if (files.count(target) && (files[target].attributes & platform::AttrReadOnly)) return false;
    File moved = source->second;
    moved.path = files.count(target) ? files[target].path : to;
    files.erase(source);
    files[target] = moved;
    return true;
}

bool FakeFileSystem::DeleteFile(const std::string& path) {
    if (Refused()) return false;
    const std::string key = Key(path);
    auto it = files.find(key);
    if (it == files.end() || locked.count(key) || (it->second.attributes & platform::AttrReadOnly))
        return false;
    files.erase(it);
    return true;
}

bool FakeFileSystem::ReadFile(const std::string& path, std::string& content) {
    auto it = files.find(Key(path));
    if (it == files.end()) return false;
    content = it->second.content;
    return true;
}

bool FakeFileSystem::WriteFile(const std::string& path, const std::string& content) {
    if (Refused()) return false;
    const std::string key = Key(path);
    if (failWrites || locked.count(key) || !DirectoryExists(Parent(key))) return false;
    auto it = files.find(key);
    if (it != files.end() && (it->second.attributes & platform::AttrReadOnly)) return false;
    File& f = files[key];
    if (f.path.empty()) f.path = path;
    f.content = content;
    return true;
}

std::vector<std::string> FakeFileSystem::FindFiles(const std::string& folder, const std::string& pattern) {
    std::vector<std::string> names;
    const std::string dir = Key(folder);
    for (const auto& f : files) {
        if (Parent(f.first) != dir) continue;
        const std::string name = f.second.path.substr(f.second.path.find_last_of("\\/") + 1);
        // As on Windows, a pattern also matches a file by its short name.
        const auto alias = shortPaths.find(f.first);
        const bool aliasMatches =
            alias != shortPaths.end() && WildcardMatch(pattern, alias->second.substr(alias->second.find_last_of("\\/") + 1));
        if (WildcardMatch(pattern, name) || aliasMatches) names.push_back(name);
    }
    return names;
}

bool FakeFileSystem::SetAttributes(const std::string& path, std::uint32_t attributes) {
    if (Refused()) return false;
    auto it = files.find(Key(path));
    if (it == files.end()) return false;
    it->second.attributes = attributes;
    return true;
}

std::string FakeFileSystem::TempFileName(const std::string& folder, const std::string& prefix) {
    if (Refused()) return "";
    if (!DirectoryExists(folder) || failWrites) return "";
    char number[16];
    std::snprintf(number, sizeof number, "%X", nextTempNumber++);
    std::string path = folder;
    if (!path.empty() && path.back() != '\\') path += '\\';
    path += prefix.substr(0, 3) + number + ".tmp";
    AddFile(path);
    return path;
}

bool FakeFileSystem::SetCurrentDirectory(const std::string& path) {
    if (!DirectoryExists(path)) return false;
    currentDirectory = path;
    return true;
}

std::string FakeFileSystem::ShortPathName(const std::string& path) {
    const auto found = shortPaths.find(Key(path));
    if (found != shortPaths.end()) return found->second;
    return FileExists(path) || DirectoryExists(path) ? path : "";
}

void FakeFileSystem::AddDirectory(const std::string& path) {
    const std::string key = Key(path);
    if (key.empty() || IsDrive(key)) return;
    AddDirectory(Parent(key));
    if (!directories.count(key)) directories[key] = path;
}

void FakeFileSystem::AddFile(const std::string& path, const std::string& content, std::uint32_t attributes) {
    const std::string key = Key(path);
    AddDirectory(Parent(key));
    files[key] = File{path, content, attributes};
}

std::string FakeFileSystem::Content(const std::string& path) const {
    auto it = files.find(Key(path));
    return it == files.end() ? "" : it->second.content;
}

std::uint32_t FakeFileSystem::Attributes(const std::string& path) const {
    auto it = files.find(Key(path));
    return it == files.end() ? 0xFFFFFFFFu : it->second.attributes;
}

}  // namespace fake
