#pragma once
// What the installer and uninstaller tests share: the registry outside the current user's
// settings (the uninstall entry, the file type), the shell folders that hold the shortcuts,
// and finding a control of another program's window by its text.
#include "platform/win32/WinApi.h"

#include <string>

namespace e2e {

bool SetKeyString(HKEY root, const std::string& path, const std::string& name, const std::string& value);
bool KeyExistsIn(HKEY root, const std::string& path);
// Empty when the key or the value is missing; `name` empty for the key's default value.
std::string KeyString(HKEY root, const std::string& path, const std::string& name);
// The key with all its subkeys.
void DeleteRegistryTree(HKEY root, const std::string& path);

// A folder of the current user's "Shell Folders" ("Desktop", "Programs", "AppData"), as the
// uninstaller reads it; no backslash at the end.
std::string ShellFolder(const char* name);

// A child control of `window`, at any depth, with this text; null when there is none.
HWND FindControl(HWND window, const std::string& text);

}  // namespace e2e
