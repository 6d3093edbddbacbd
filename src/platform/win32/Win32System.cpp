#include "platform/win32/Win32System.h"

#include <windows.h>

namespace win32 {

namespace {

bool IsWindowsNt() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;  // 148 bytes
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&version)) return true;
#pragma GCC diagnostic pop
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

// NT refuses ExitWindowsEx to a process that has not switched on its shutdown privilege.
void EnableShutdownPrivilege() {
    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return;
    TOKEN_PRIVILEGES privileges{};
    if (LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) {
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    }
    CloseHandle(token);
}

}  // namespace

std::uint16_t Win32System::DefaultLanguageId() { return GetSystemDefaultLangID(); }

std::string Win32System::DefaultLanguageName() {
    char name[255];
    const DWORD length = VerLanguageNameA(GetSystemDefaultLangID(), name, sizeof name);
    if (length == 0) return "";
    name[sizeof name - 1] = '\0';
    return name;
}

bool Win32System::Shutdown(std::uint32_t flags) {
    if (IsWindowsNt()) EnableShutdownPrivilege();
    return ExitWindowsEx(flags, 0) != 0;
}

}  // namespace win32
