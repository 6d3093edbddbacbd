#include "platform/fake/FakeFileSystem.h"

#include <cstdio>

#include "platform/fake/FakeText.h"

namespace fake {

FakeFileSystem::FakeFileSystem() { AddDirectory("C:\\Temp"); }

// Every lookup of a path comes here: one pass, one allocation.
std::string FakeFileSystem::Key(const std::string& path) {
    std::string key;
    key.reserve(path.size());
    for (char c : path) {
        // Windows folds the case of accented letters too: "Ä" and "ä" name one file. The
        // Windows-1252 capitals: A-Z, À-Þ but for ×, and Š, Œ, Ž, Ÿ.
        const auto u = static_cast<unsigned char>(c);
        if ((c >= 'A' && c <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7)) c = static_cast<char>(u + 0x20);
        else if (u == 0x8A || u == 0x8C || u == 0x8E) c = static_cast<char>(u + 0x10);
        else if (u == 0x9F) c = static_cast<char>(0xFF);
        else if (c == '/') c = '\\';
        if (c == '\\' && !key.empty() && key.back() == '\\') continue;
        key += c;
    }
    while (key.size() > 3 && key.back() == '\\') key.pop_back();
    return key;
}

std::string FakeFileSystem::Resolve(const std::string& path, bool keepLast) const {
    std::string key = Key(path);
    // A link may lead to another one; a loop is given up after some steps, as Windows does.
    for (int step = 0; step < 32 && !links.empty(); ++step) {
        bool followed = false;
        // "c:\a", then "c:\a\b", ...: the first link on the way is followed.
        for (std::size_t end = key.find('\\', 3);; end = key.find('\\', end + 1)) {
            if (end == std::string::npos && keepLast) break;
            const std::string part = key.substr(0, end);
            const auto link = links.find(part);
            if (link != links.end()) {
                key = Key(link->second + key.substr(part.size()));
                followed = true;
                break;
            }
            if (end == std::string::npos) break;
        }
        if (!followed) break;
    }
    return key;
}

std::string FakeFileSystem::Parent(const std::string& key) {
    const auto slash = key.find_last_of('\\');
    if (slash == std::string::npos) return "";
    if (slash == 2) return key.substr(0, 3);  // "c:\"
    return key.substr(0, slash);
}

static bool IsDrive(const std::string& key) { return key.size() == 3 && key[1] == ':'; }

bool FakeFileSystem::FileExists(const std::string& path) { return files.count(Resolve(path)) > 0; }

bool FakeFileSystem::DirectoryExists(const std::string& path) {
    const std::string key = Resolve(path);
    return IsDrive(key) || directories.count(key) > 0;
}

bool FakeFileSystem::IsLink(const std::string& path) { return links.count(Resolve(path, true)) > 0; }

bool FakeFileSystem::CreateDirectory(const std::string& path) {
    if (Refused()) return false;
    const std::string key = Resolve(path);
    if (key.empty() || DirectoryExists(path) || files.count(key)) return false;
    if (!DirectoryExists(Parent(key))) return false;
    directories[key] = path;
    return true;
}

bool FakeFileSystem::RemoveDirectory(const std::string& path) {
    if (Refused()) return false;
    if (links.erase(Resolve(path, true))) return true;  // the link goes, whatever its target holds
    const std::string key = Resolve(path);
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
    auto source = files.find(Resolve(from));
    if (source == files.end()) return false;
    const std::string target = Resolve(to);
    if (directories.count(target)) return false;  // a folder's path takes no file
    if (files.count(target) && (!overwrite || locked.count(target) ||
                                (files[target].attributes & platform::AttrReadOnly)))
        return false;
    if (!DirectoryExists(Parent(target)) || failWrites) return false;
    File copy = source->second;
    copy.path = to;
    files[target] = copy;
    Record("copy", target);
    return true;
}

bool FakeFileSystem::ReplaceFile(const std::string& from, const std::string& to) {
    if (Refused()) return false;
    const std::string sourceKey = Resolve(from);
    auto source = files.find(sourceKey);
    // A rename over the path: a link there is replaced, not followed.
    const std::string target = Resolve(to, true);
    if (source == files.end() || failWrites || locked.count(sourceKey) || locked.count(target) ||
        directories.count(target))
        return false;
    if (files.count(target) && (files[target].attributes & platform::AttrReadOnly)) return false;
    File moved = source->second;
    moved.path = files.count(target) ? files[target].path : to;
    links.erase(target);
    files.erase(source);
    files[target] = moved;
    Record("replace", sourceKey, target);
    return true;
}

bool FakeFileSystem::FlushFile(const std::string& path) {
    if (Refused()) return false;
    const std::string key = Resolve(path);
    if (!files.count(key) || failWrites) return false;
    Record("flush", key);
    return true;
}

bool FakeFileSystem::DeleteFile(const std::string& path) {
    if (Refused()) return false;
    const std::string link = Resolve(path, true);
    if (links.count(link) && !DirectoryExists(path)) return links.erase(link) > 0;  // the link, not its target
    const std::string key = Resolve(path);
    auto it = files.find(key);
    if (it == files.end() || locked.count(key) || (it->second.attributes & platform::AttrReadOnly))
        return false;
    files.erase(it);
    Record("delete", key);
    return true;
}

bool FakeFileSystem::ReadFile(const std::string& path, std::string& content, std::size_t maxSize) {
    const std::string key = Resolve(path);
    auto it = files.find(key);
    if (it == files.end() || it->second.content.size() > maxSize || unreadable.count(key)) return false;
    content = it->second.content;
    return true;
}

bool FakeFileSystem::GetFileStamp(const std::string& path, platform::FileStamp& stamp) {
    auto it = files.find(Resolve(path));
    if (it == files.end()) return false;
    stamp = {it->second.content.size(), it->second.writeTime};
    return true;
}

bool FakeFileSystem::WriteFile(const std::string& path, const std::string& content) {
    if (Refused()) return false;
    return Write(path, content, false);
}

bool FakeFileSystem::WriteInPlace(const std::string& path, const std::string& content) {
    if (Refused()) {
        // The system's INI functions rewrite the file where it lies: a full disk or a failing
        // device leaves the bytes written so far.
        if (mutations->DoHalf()) Write(path, content.substr(0, content.size() / 2), true);
        return false;
    }
    return Write(path, content, true);
}

bool FakeFileSystem::Write(const std::string& path, const std::string& content, bool inPlace) {
    // A whole-file write is a working copy renamed over the path, which replaces a link there;
    // the INI functions write in the file, through the link.
    const std::string key = Resolve(path, !inPlace);
    if (failWrites || locked.count(key) || !DirectoryExists(Parent(key)) || directories.count(key)) return false;
    auto it = files.find(key);
    if (it != files.end() && (it->second.attributes & platform::AttrReadOnly)) return false;
    links.erase(key);
    File& f = files[key];
    if (f.path.empty()) f.path = path;
    f.content = content;
    Stamp(f);
    Record("write", key);
    return true;
}

void FakeFileSystem::Stamp(File& file) {
    file.version = ++writeCount;
    file.writeTime = clockMs ? *clockMs / timeResolutionMs * timeResolutionMs : file.version * timeResolutionMs;
}

std::vector<std::string> FakeFileSystem::FindFiles(const std::string& folder, const std::string& pattern) {
    std::vector<std::string> names;
    const std::string dir = Resolve(folder);
    for (const auto& f : files) {
        if (Parent(f.first) != dir) continue;
        const std::string name = f.second.path.substr(f.second.path.find_last_of("\\/") + 1);
        // As on Windows, a pattern also matches a file by its short name.
        const auto alias = shortPaths.find(f.first);
        const bool aliasMatches =
            alias != shortPaths.end() && WildcardMatch(pattern, alias->second.substr(alias->second.find_last_of("\\/") + 1));
        if (WildcardMatch(pattern, name) || aliasMatches) names.push_back(name);
    }
    // Links to files are entries of the folder too.
    for (const auto& link : links) {
        if (Parent(link.first) != dir || !files.count(Resolve(link.first))) continue;
        const std::string name = link.first.substr(link.first.find_last_of('\\') + 1);
        if (WildcardMatch(pattern, name)) names.push_back(name);
    }
    return names;
}

bool FakeFileSystem::SetAttributes(const std::string& path, std::uint32_t attributes) {
    if (Refused()) return false;
    auto it = files.find(Resolve(path));
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
    Record("create", Resolve(path));
    return path;
}

bool FakeFileSystem::SetCurrentDirectory(const std::string& path) {
    if (!DirectoryExists(path)) return false;
    currentDirectory = path;
    return true;
}

std::string FakeFileSystem::ShortPathName(const std::string& path) {
    const auto found = shortPaths.find(Resolve(path));
    if (found != shortPaths.end()) return found->second;
    return FileExists(path) || DirectoryExists(path) ? path : "";
}

void FakeFileSystem::AddDirectory(const std::string& path) {
    const std::string key = Resolve(path);
    if (key.empty() || IsDrive(key)) return;
    AddDirectory(Parent(key));
    if (!directories.count(key)) directories[key] = path;
}

void FakeFileSystem::AddLink(const std::string& path, const std::string& target) {
    const std::string key = Resolve(path, true);
    AddDirectory(Parent(key));
    links[key] = Key(target);
}

void FakeFileSystem::AddFile(const std::string& path, const std::string& content, std::uint32_t attributes) {
    const std::string key = Resolve(path);
    AddDirectory(Parent(key));
    files[key] = File{path, content, attributes};
    Stamp(files[key]);
}

std::string FakeFileSystem::Content(const std::string& path) const {
    auto it = files.find(Resolve(path));
    return it == files.end() ? "" : it->second.content;
}

std::uint32_t FakeFileSystem::Attributes(const std::string& path) const {
    auto it = files.find(Resolve(path));
    return it == files.end() ? 0xFFFFFFFFu : it->second.attributes;
}

}  // namespace fake
