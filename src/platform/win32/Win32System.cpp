#include "platform/win32/Win32System.h"

#include "platform/win32/LibraryFunction.h"
#include "platform/win32/WinApi.h"

namespace win32 {

namespace {

// False when the system does not say which it is.
bool ReadPlatformId(DWORD& platformId) {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;  // 148 bytes
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&version)) return false;
#pragma GCC diagnostic pop
    platformId = version.dwPlatformId;
    return true;
}

// NT refuses ExitWindowsEx to a process that has not switched on its shutdown privilege.
// False when the process token cannot be opened; a failed lookup or adjustment is left to
// ExitWindowsEx to refuse.
bool EnableShutdownPrivilege() {
    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return false;
    TOKEN_PRIVILEGES privileges{};
    if (LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) {
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    }
    CloseHandle(token);
    return true;
}

}  // namespace

std::uint16_t Win32System::DefaultLanguageId() { return GetSystemDefaultLangID(); }

std::string Win32System::DefaultLanguageName() {
    static const auto languageName = LibraryFunction<decltype(VerLanguageNameA)>("version.dll", "VerLanguageNameA");
    if (!languageName) return "";
    char name[255];
    const DWORD length = languageName(GetSystemDefaultLangID(), name, sizeof name);
    if (length == 0) return "";
    name[sizeof name - 1] = '\0';
    return name;
}

unsigned Win32System::AnsiCodePage() { return GetACP(); }

bool Win32System::Shutdown(std::uint32_t flags) {
    DWORD platformId;
    if (!ReadPlatformId(platformId)) return false;
    if (platformId == VER_PLATFORM_WIN32_NT && !EnableShutdownPrivilege()) return false;
    return ExitWindowsEx(flags, 0) != 0;
}

void Win32System::Beep() { MessageBeep(0); }

int Win32System::CompareText(const std::string& a, const std::string& b) {
    return CompareStringA(LOCALE_USER_DEFAULT, 0, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                          static_cast<int>(b.size())) - CSTR_EQUAL;
}

}  // namespace win32
