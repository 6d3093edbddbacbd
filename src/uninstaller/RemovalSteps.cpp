#include "uninstaller/RemovalSteps.h"

#include <algorithm>
#include <cctype>

#include "common/Names.h"
#include "common/Text.h"
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

// True when the folder is gone afterwards or keeps files of the user's.
bool RemoveEmptyFolder(platform::Platform& platform, const std::string& folder) {
    if (!IsAbsolutePath(folder) || !platform.files.DirectoryExists(folder)) return true;
    return platform.files.RemoveDirectory(folder) ||
           !platform.files.FindFiles(IncludeTrailingBackslash(folder), "*").empty();
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

bool DeleteByPattern(platform::Platform& platform, const std::string& folder, const std::string& pattern) {
    if (!IsAbsolutePath(folder)) return true;
    const std::string base = IncludeTrailingBackslash(folder);
    bool deleted = true;
    for (const std::string& name : platform.files.FindFiles(base, pattern))
        deleted &= platform.files.DeleteFile(base + name);
    return deleted;
}

bool RemoveProgramFiles(platform::Platform& platform, std::string& installFolder) {
    installFolder.clear();
    std::string skinFolder;
    {
        auto key = platform.registry.OpenKey(RegistryRoot::CurrentUser, kSettingsKey, KeyAccess::Read);
        if (!key) return true;
        installFolder = ReadText(*key, kProgramPathValue);
        skinFolder = ReadText(*key, kSkinsFolderValue);
    }
    // Without an install folder "Images\" would name a folder below the current one.
    const std::string pictureFolder = IsAbsolutePath(installFolder) ? JoinPath(installFolder, "Images\\") : "";
    auto& files = platform.files;
    // A skin folder chosen elsewhere holds the user's own skins; the uninstaller leaves it alone.
    const auto emptied = [&](const std::string& folder) {
        return InsideInstallFolder(files, installFolder, folder, false) ? folder : "";
    };
    const auto removed = [&](const std::string& folder) {
        return InsideInstallFolder(files, installFolder, folder, true) ? folder : "";
    };

    EndRunningPrograms(platform);
    platform.clock.Sleep(100);
    bool allGone = DeleteByPattern(platform, emptied(skinFolder), "*.skn");
    platform.clock.Sleep(100);
    allGone &= DeleteByPattern(platform, emptied(pictureFolder), "*.bmp");
    platform.clock.Sleep(100);

    try {
        // A link among them is deleted as a link; what it points to stays.
        for (const char* name : {"Orvella.exe", "Agent.exe", "OrvellaRemover.exe", "Orvella.ini", "Orvella.dll",
                                 "Language.dll", "SknIcon.ico", "Alarm.wav"})
            allGone &= DeleteFileIn(platform, installFolder, name);
    } catch (const std::exception&) {
        // The folders below are still removed when they happen to be empty.
        allGone = false;
    }
    allGone &= RemoveEmptyFolder(platform, removed(skinFolder));
    platform.clock.Sleep(100);
    allGone &= RemoveEmptyFolder(platform, removed(pictureFolder));
    platform.clock.Sleep(100);
    allGone &= RemoveEmptyFolder(platform, installFolder);
    return allGone;
}

void RemoveRegistryEntries(platform::Platform& platform, const std::string& installFolder, bool keepSettingsKey) {
    auto& registry = platform.registry;
    // Whether every entry of the current user's is gone; the machine's may stay (not an administrator).
    bool userEntriesGone = true;

    if (registry.KeyExists(RegistryRoot::CurrentUser, kRunKey)) {
        if (auto key = registry.OpenKey(RegistryRoot::CurrentUser, kRunKey, KeyAccess::ReadWrite)) {
            for (const char* name : {"Orvella", "Orvella Agent"})
                if (key->ValueExists(name)) userEntriesGone &= key->DeleteValue(name);
        }
    }

    // The uninstall entry and the file type: the current user's (a setup for one user), then
    // the machine's (a setup for all users), which only an administrator may delete.
    userEntriesGone &= DeleteKeyIfPresent(registry, RegistryRoot::CurrentUser, kUninstallKey);
    DeleteKeyIfPresent(registry, RegistryRoot::LocalMachine, kUninstallKey);

    const std::string extension = std::string(kClassesKey) + kSkinExtensionKey;
    const std::string type = std::string(kClassesKey) + kSkinTypeName;
    if (SkinExtensionBelongsToOrvella(platform, RegistryRoot::CurrentUser))
        userEntriesGone &= registry.DeleteKey(RegistryRoot::CurrentUser, extension);
    if (SkinTypeBelongsToThisInstallation(platform, RegistryRoot::CurrentUser, installFolder))
        userEntriesGone &= registry.DeleteKey(RegistryRoot::CurrentUser, type);

    if (SkinExtensionBelongsToOrvella(platform, RegistryRoot::LocalMachine))
        registry.DeleteKey(RegistryRoot::LocalMachine, extension);
    DeleteKeyIfPresent(registry, RegistryRoot::LocalMachine, type);

    // Last, and only once the user's own entries are gone: the install folder it names is what
    // tells the user's file type Orvella's, so a second run after a failed step still finds it.
    if (!keepSettingsKey && userEntriesGone) DeleteKeyIfPresent(registry, RegistryRoot::CurrentUser, kSettingsKey);
}

}  // namespace remover
