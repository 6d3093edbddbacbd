#include "uninstaller/RemovalSteps.h"

#include <algorithm>
#include <cctype>

#include "common/Names.h"
#include "uninstaller/RemovalPaths.h"

namespace remover {

using platform::KeyAccess;
using platform::RegistryRoot;

namespace {

const char* const kShellFoldersKey = "Software\\MicroSoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char* const kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orvella";
const char* const kSkinExtensionKey = ".skn";
const char* const kSkinTypeName = "OrvellaSkin";

std::string ReadText(platform::RegistryKey& key, const std::string& name) {
    std::string value;
    key.ReadString(name, value);
    return value;
}

// A file inside `folder`, but only when the folder is a real place: with an unknown folder the
// plain join would name a file at the root of the current drive.
std::string IncludeBackslash(const std::string& folder) {
    return folder.back() == '\\' ? folder : folder + "\\";
}

// True when the file is gone afterwards.
bool DeleteFileIn(platform::Platform& platform, const std::string& folder, const std::string& name) {
    if (!IsAbsolutePath(folder)) return true;
    const std::string path = JoinPath(folder, name);
    return !platform.files.FileExists(path) || platform.files.DeleteFile(path);
}

// True when the folder is gone afterwards or keeps files of the user's.
bool RemoveEmptyFolder(platform::Platform& platform, const std::string& folder) {
    if (!IsAbsolutePath(folder) || !platform.files.DirectoryExists(folder)) return true;
    return platform.files.RemoveDirectory(folder) || !platform.files.FindFiles(IncludeBackslash(folder), "*").empty();
}

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// Another program may have taken ".skn" over since the installation; it keeps it.
bool SkinExtensionBelongsToOrvella(platform::Platform& platform) {
    auto key = platform.registry.OpenKey(RegistryRoot::ClassesRoot, kSkinExtensionKey, KeyAccess::Read);
    if (!key) return false;
    // File types are looked up without regard to case, so "orvellaskin" is still ours.
    return SameTextIgnoringCase(ReadText(*key, ""), kSkinTypeName);
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
    const std::string base = IncludeBackslash(folder);
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

    EndRunningPrograms(platform);
    platform.clock.Sleep(100);
    bool removed = DeleteByPattern(platform, skinFolder, "*.skn");
    platform.clock.Sleep(100);
    removed &= DeleteByPattern(platform, pictureFolder, "*.bmp");
    platform.clock.Sleep(100);

    try {
        for (const char* name : {"Orvella.exe", "Agent.exe", "OrvellaRemover.exe", "Orvella.ini", "Orvella.dll",
                                 "Language.dll", "SknIcon.ico"})
            removed &= DeleteFileIn(platform, installFolder, name);
    } catch (const std::exception&) {
        // The folders below are still removed when they happen to be empty.
        removed = false;
    }
    removed &= RemoveEmptyFolder(platform, skinFolder);
    platform.clock.Sleep(100);
    removed &= RemoveEmptyFolder(platform, pictureFolder);
    platform.clock.Sleep(100);
    removed &= RemoveEmptyFolder(platform, installFolder);
    return removed;
}

void RemoveRegistryEntries(platform::Platform& platform, bool keepSettingsKey) {
    auto& registry = platform.registry;
    if (!keepSettingsKey && registry.KeyExists(RegistryRoot::CurrentUser, kSettingsKey))
        registry.DeleteKey(RegistryRoot::CurrentUser, kSettingsKey);

    if (registry.KeyExists(RegistryRoot::CurrentUser, kRunKey)) {
        if (auto key = registry.OpenKey(RegistryRoot::CurrentUser, kRunKey, KeyAccess::ReadWrite)) {
            for (const char* name : {"Orvella", "Orvella Agent"})
                if (key->ValueExists(name)) key->DeleteValue(name);
        }
    }

    if (registry.KeyExists(RegistryRoot::LocalMachine, kUninstallKey))
        registry.DeleteKey(RegistryRoot::LocalMachine, kUninstallKey);

    if (registry.KeyExists(RegistryRoot::ClassesRoot, kSkinExtensionKey) && SkinExtensionBelongsToOrvella(platform))
        registry.DeleteKey(RegistryRoot::ClassesRoot, kSkinExtensionKey);
    if (registry.KeyExists(RegistryRoot::ClassesRoot, kSkinTypeName))
        registry.DeleteKey(RegistryRoot::ClassesRoot, kSkinTypeName);
}

}  // namespace remover
