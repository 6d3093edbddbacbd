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
void DeleteFileIn(platform::Platform& platform, const std::string& folder, const std::string& name) {
    if (!IsAbsolutePath(folder)) return;
    const std::string path = JoinPath(folder, name);
    if (platform.files.FileExists(path)) platform.files.DeleteFile(path);
}

void RemoveEmptyFolder(platform::Platform& platform, const std::string& folder) {
    if (IsAbsolutePath(folder)) platform.files.RemoveDirectory(folder);
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

void DeleteByPattern(platform::Platform& platform, const std::string& folder, const std::string& pattern) {
    if (!IsAbsolutePath(folder)) return;
    const std::string base = folder.back() == '\\' ? folder : folder + "\\";
    for (const std::string& name : platform.files.FindFiles(base, pattern))
        platform.files.DeleteFile(base + name);
}

void RemoveProgramFiles(platform::Platform& platform, std::string& installFolder) {
    installFolder.clear();
    std::string skinFolder;
    {
        auto key = platform.registry.OpenKey(RegistryRoot::CurrentUser, kSettingsKey, KeyAccess::Read);
        if (!key) return;
        installFolder = ReadText(*key, kProgramPathValue);
        skinFolder = ReadText(*key, kSkinsFolderValue);
    }
    // Without an install folder "Images\" would name a folder below the current one.
    const std::string pictureFolder = IsAbsolutePath(installFolder) ? JoinPath(installFolder, "Images\\") : "";

    EndRunningPrograms(platform);
    platform.clock.Sleep(100);
    DeleteByPattern(platform, skinFolder, "*.skn");
    platform.clock.Sleep(100);
    DeleteByPattern(platform, pictureFolder, "*.bmp");
    platform.clock.Sleep(100);

    try {
        for (const char* name : {"Orvella.exe", "Agent.exe", "OrvellaRemover.exe", "Orvella.ini", "Orvella.dll",
                                 "Language.dll", "SknIcon.ico", "Alarm.wav"})
            DeleteFileIn(platform, installFolder, name);
    } catch (const std::exception&) {
        // The folders below are still removed when they happen to be empty.
    }
    RemoveEmptyFolder(platform, skinFolder);
    platform.clock.Sleep(100);
    RemoveEmptyFolder(platform, pictureFolder);
    platform.clock.Sleep(100);
    RemoveEmptyFolder(platform, installFolder);
}

void RemoveRegistryEntries(platform::Platform& platform) {
    auto& registry = platform.registry;
    if (registry.KeyExists(RegistryRoot::CurrentUser, kSettingsKey))
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
