#include "uninstaller/RemovalSteps.h"

#include <algorithm>
#include <cctype>

#include "common/Names.h"
#include "common/Text.h"
#include "uninstaller/InstalledFiles.h"
#include "uninstaller/RemovalPaths.h"

namespace remover {

using platform::KeyAccess;
using platform::RegistryRoot;

namespace {

const char* const kShellFoldersKey = "Software\\MicroSoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char* const kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orvella";
const char* const kSkinExtensionKey = ".skn";
const char* const kSkinTypeName = "OrvellaSkin";
// The file types of the current user, and those of the machine; HKEY_CLASSES_ROOT shows both
// as one, the user's first.
const char* const kClassesKey = "Software\\Classes\\";

std::string ReadText(platform::RegistryKey& key, const std::string& name) {
    std::string value;
    key.ReadString(name, value);
    return value;
}

// A file inside `folder`, but only when the folder is a real place: with an unknown folder the
// plain join would name a file at the root of the current drive. True when the file is gone
// afterwards.
bool DeleteFileIn(platform::Platform& platform, const std::string& folder, const std::string& name) {
    if (!IsAbsolutePath(folder)) return true;
    const std::string path = JoinPath(folder, name);
    return !platform.files.FileExists(path) || platform.files.DeleteFile(path);
}

// Only an empty folder goes. True when it is gone afterwards or keeps something of the user's
// (a file, or one of `kept`, the folders below it that stayed): a folder that stays only for
// the user's files is no failed removal.
bool RemoveEmptyFolder(platform::Platform& platform, const std::string& folder,
                       const std::vector<std::string>& kept = {}) {
    auto& files = platform.files;
    if (!IsAbsolutePath(folder) || !files.DirectoryExists(folder) || files.RemoveDirectory(folder)) return true;
    return !files.FindFiles(IncludeTrailingBackslash(folder), "*").empty() ||
           std::any_of(kept.begin(), kept.end(), [&](const std::string& below) {
               return IsAbsolutePath(below) && files.DirectoryExists(below);
           });
}

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// The uninstaller deletes only inside the install folder, and never through a link (a symbolic
// link, a junction) out of it: what a link points to is not part of the installation. True
// when `folder` is the install folder or lies inside it and no folder on the way down is a
// link; with `lastMayBeLink` the folder itself may be one (removing it removes the link only).
bool InsideInstallFolder(platform::FileSystem& files, const std::string& installFolder, const std::string& folder,
                         bool lastMayBeLink) {
    const auto below = FoldersBelow(installFolder, folder);
    if (!below) return false;
    std::string path = installFolder;
    for (std::size_t i = 0; i < below->size(); ++i) {
        path = JoinPath(path, (*below)[i]);
        const bool last = i + 1 == below->size();
        if ((!last || !lastMayBeLink) && files.IsLink(path)) return false;
    }
    return true;
}

// Another program may have taken ".skn" over since the installation; it keeps it.
bool SkinExtensionBelongsToOrvella(platform::Platform& platform, RegistryRoot root) {
    auto key = platform.registry.OpenKey(root, std::string(kClassesKey) + kSkinExtensionKey, KeyAccess::Read);
    if (!key) return false;
    // File types are looked up without regard to case, so "orvellaskin" is still ours.
    return SameTextIgnoringCase(ReadText(*key, ""), kSkinTypeName);
}

// The program a command starts: its first word, or the text within its first quotes.
std::string CommandProgram(const std::string& command) {
    const std::size_t start = command.find_first_not_of(' ');
    if (start == std::string::npos) return "";
    if (command[start] == '"') {
        const std::size_t end = command.find('"', start + 1);
        return end == std::string::npos ? "" : command.substr(start + 1, end - start - 1);
    }
    return command.substr(start, command.find(' ', start) - start);
}

// The file type "OrvellaSkin" is Orvella's when it opens skins with the Orvella.exe of the
// install folder; one that another copy elsewhere registered since stays with that copy. One
// that opens nothing any more (no "shell\open\command" under it) is what a deletion stopped
// halfway leaves, some of its subkeys gone: the removal that began it finishes it.
bool SkinTypeBelongsToThisInstallation(platform::Platform& platform, RegistryRoot root,
                                       const std::string& installFolder) {
    if (!IsAbsolutePath(installFolder)) return false;
    const std::string type = std::string(kClassesKey) + kSkinTypeName;
    auto key = platform.registry.OpenKey(root, type + "\\shell\\open\\command", KeyAccess::Read);
    if (!key) return platform.registry.KeyExists(root, type) && !platform.registry.KeyExists(root, type + "\\shell\\open\\command");
    return SamePath(JoinPath(installFolder, "Orvella.exe"), CommandProgram(ReadText(*key, "")));
}

// The folder an uninstall entry names: its "InstallLocation", else the folder of the program
// its "UninstallString" starts.
std::string EntryInstallFolder(platform::Platform& platform, RegistryRoot root) {
    auto key = platform.registry.OpenKey(root, kUninstallKey, KeyAccess::Read);
    if (!key) return "";
    const std::string location = ReadText(*key, "InstallLocation");
    if (!location.empty()) return location;
    const std::string program = CommandProgram(ReadText(*key, "UninstallString"));
    return program.empty() ? "" : ExtractFilePath(program);
}

// True when the key is gone afterwards.
bool DeleteKeyIfPresent(platform::Registry& registry, RegistryRoot root, const std::string& path) {
    return !registry.KeyExists(root, path) || registry.DeleteKey(root, path);
}

}  // namespace

void RemoveShortcuts(platform::Platform& platform) {
    std::string desktop, programs, appData;
    if (auto key = platform.registry.OpenKey(RegistryRoot::CurrentUser, kShellFoldersKey, KeyAccess::Read)) {
        desktop = ReadText(*key, "Desktop");
        programs = ReadText(*key, "Programs");
        appData = ReadText(*key, "AppData");
    }
    // Without a known base folder these stay relative and are skipped by DeleteFileIn.
    const std::string startMenu = programs.empty() ? "" : JoinPath(programs, "Orvella");
    const std::string quickLaunch =
        appData.empty() ? "" : JoinPath(appData, "Microsoft\\Internet Explorer\\Quick Launch");

    try {
        DeleteFileIn(platform, desktop, "Orvella.lnk");
        DeleteFileIn(platform, startMenu, "Orvella.lnk");
        DeleteFileIn(platform, startMenu, "Agent.lnk");
        DeleteFileIn(platform, startMenu, "Uninstall Orvella.lnk");
        DeleteFileIn(platform, quickLaunch, "Orvella.lnk");
    } catch (const std::exception&) {
        // The start-menu folder is still worth removing.
    }
    if (IsAbsolutePath(startMenu) && platform.files.DirectoryExists(startMenu))
        platform.files.RemoveDirectory(startMenu);
}

void EndRunningPrograms(platform::Platform& platform) {
    for (const char* title : {"Orvella", "Orvella Agent"}) {
        const platform::WindowHandle window = platform.windows.Find("TApplication", title);
        const std::uint32_t processId = window ? platform.windows.ProcessId(window) : 0;
        if (processId != 0) platform.windows.TerminateProcess(processId);
    }
}

bool DeleteFilesByName(platform::Platform& platform, const std::string& folder,
                       const std::vector<std::string>& names) {
    bool deleted = true;
    for (const std::string& name : names) deleted &= DeleteFileIn(platform, folder, name);
    return deleted;
}

std::string RegisteredInstallFolder(platform::Platform& platform) {
    return EntryInstallFolder(platform, RegistryRoot::CurrentUser);
}

bool RemoveProgramFiles(platform::Platform& platform, std::string& installFolder) {
    installFolder.clear();
    if (!platform.registry.KeyExists(RegistryRoot::CurrentUser, kUninstallKey)) return true;
    installFolder = RegisteredInstallFolder(platform);
    auto& files = platform.files;
    // Without an install folder "Skins" and "Images" would name folders below the current one.
    const bool known = IsAbsolutePath(installFolder);
    const std::string skinFolder = known ? JoinPath(installFolder, "Skins") : "";
    const std::string pictureFolder = known ? JoinPath(installFolder, "Images") : "";
    // Files are deleted in a folder only when no link leads there; a link itself is removed.
    const auto emptied = [&](const std::string& folder) {
        return known && InsideInstallFolder(files, installFolder, folder, false) ? folder : "";
    };
    const auto removed = [&](const std::string& folder) {
        return known && InsideInstallFolder(files, installFolder, folder, true) ? folder : "";
    };
    // The batch deletes the running uninstaller's own file once it has ended.
    const std::string self = platform.process.ModuleFileName();
    const auto isSelf = [&](const std::string& name) {
        return known && IsAbsolutePath(self) && SamePath(JoinPath(installFolder, name), self);
    };

    EndRunningPrograms(platform);
    platform.clock.Sleep(100);
    bool allGone = DeleteFilesByName(platform, emptied(skinFolder), DefaultSkinFiles());
    platform.clock.Sleep(100);
    allGone &= DeleteFilesByName(platform, emptied(pictureFolder), TipPictureFiles());
    platform.clock.Sleep(100);

    try {
        // A link among them is deleted as a link; what it points to stays.
        for (const std::string& name : ProgramFolderFiles())
            allGone &= DeleteFileIn(platform, known ? installFolder : "", name) || isSelf(name);
    } catch (const std::exception&) {
        // The folders below are still removed when they happen to be empty.
        allGone = false;
    }
    allGone &= RemoveEmptyFolder(platform, removed(skinFolder));
    platform.clock.Sleep(100);
    allGone &= RemoveEmptyFolder(platform, removed(pictureFolder));
    platform.clock.Sleep(100);
    allGone &= RemoveEmptyFolder(platform, known ? installFolder : "", {skinFolder, pictureFolder});
    return allGone;
}

void RemoveRegistryEntries(platform::Platform& platform, const std::string& installFolder, bool filesLeft) {
    auto& registry = platform.registry;
    // Whether every entry of the current user's is gone; the machine's may stay (not an administrator).
    bool userEntriesGone = true;

    if (registry.KeyExists(RegistryRoot::CurrentUser, kRunKey)) {
        if (auto key = registry.OpenKey(RegistryRoot::CurrentUser, kRunKey, KeyAccess::ReadWrite)) {
            for (const char* name : {"Orvella", "Orvella Agent"})
                if (key->ValueExists(name)) userEntriesGone &= key->DeleteValue(name);
        }
    }

    // The file type, the current user's (a setup for one user), then the machine's (a setup for
    // all users), which only an administrator may delete. Both halves are checked before either
    // goes; ".skn" goes first, so that a second run after a failure still finds "OrvellaSkin".
    const std::string extension = std::string(kClassesKey) + kSkinExtensionKey;
    const std::string type = std::string(kClassesKey) + kSkinTypeName;
    for (RegistryRoot root : {RegistryRoot::CurrentUser, RegistryRoot::LocalMachine}) {
        if (!SkinTypeBelongsToThisInstallation(platform, root, installFolder)) continue;
        bool gone = !SkinExtensionBelongsToOrvella(platform, root) || registry.DeleteKey(root, extension);
        gone = gone && registry.DeleteKey(root, type);
        if (root == RegistryRoot::CurrentUser) userEntriesGone &= gone;
    }

    // The machine's uninstall entry, where it names this installation.
    if (IsAbsolutePath(installFolder)) {
        const std::string named = EntryInstallFolder(platform, RegistryRoot::LocalMachine);
        if (IsAbsolutePath(named) && SamePath(named, installFolder))
            registry.DeleteKey(RegistryRoot::LocalMachine, kUninstallKey);
    }

    // Last, and only once the files and the user's other entries are gone: the uninstall entry
    // names the install folder, and that is what finds the files and tells the file type
    // Orvella's, so a second run after a failed step still finds them.
    if (filesLeft || !userEntriesGone) return;
    if (DeleteKeyIfPresent(registry, RegistryRoot::CurrentUser, kUninstallKey))
        DeleteKeyIfPresent(registry, RegistryRoot::CurrentUser, kSettingsKey);
}

}  // namespace remover
