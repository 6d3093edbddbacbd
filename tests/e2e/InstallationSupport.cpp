#include "InstallationSupport.h"

#include "E2eSupport.h"

namespace e2e {

namespace {

const char* const kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

struct ControlSearch {
    std::string text;
    HWND found;
};

BOOL CALLBACK MatchControl(HWND child, LPARAM data) {
    auto* search = reinterpret_cast<ControlSearch*>(data);
    if (WindowText(child) != search->text) return TRUE;
    search->found = child;
    return FALSE;
}

}  // namespace

bool SetKeyString(HKEY root, const std::string& path, const std::string& name, const std::string& value) {
    HKEY key;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const bool ok = RegSetValueExA(key, name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                                   reinterpret_cast<const BYTE*>(value.c_str()),
                                   static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

bool KeyExistsIn(HKEY root, const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

std::string KeyString(HKEY root, const std::string& path, const std::string& name) {
    char buffer[1024] = {};
    DWORD size = sizeof buffer - 1;
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return "";
    RegQueryValueExA(key, name.empty() ? nullptr : name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer),
                     &size);
    RegCloseKey(key);
    return buffer;
}

void DeleteRegistryTree(HKEY root, const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | KEY_WRITE, &key) == ERROR_SUCCESS) {
        char name[256];
        for (;;) {
            DWORD length = sizeof name;
            if (RegEnumKeyExA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
            DeleteRegistryTree(key, name);
        }
        RegCloseKey(key);
    }
    RegDeleteKeyA(root, path.c_str());
}

std::string ShellFolder(const char* name) {
    std::string value;
    GetRegistryString(kShellFolders, name, value);
    return value;
}

HWND FindControl(HWND window, const std::string& text) {
    ControlSearch search{text, nullptr};
    EnumChildWindows(window, MatchControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace e2e
