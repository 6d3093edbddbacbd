#include "platform/win32/SystemLibraries.h"

#include <string>

namespace win32 {

namespace {

// From the headers of Windows 8 and later; older headers lack them.
constexpr DWORD kSearchSystem32 = 0x00000800;        // LOAD_LIBRARY_SEARCH_SYSTEM32
constexpr DWORD kAlteredSearchPath = 0x00000008;    // LOAD_WITH_ALTERED_SEARCH_PATH

}  // namespace

void LoadLibrariesFromSystemFolderOnly() {
    using SetDefaultDllDirectoriesFunction = BOOL WINAPI(DWORD);
    // kernel32 is loaded in every process; asked by name, since old systems lack the function.
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (!kernel) return;
    const auto setDirectories = reinterpret_cast<SetDefaultDllDirectoriesFunction*>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (setDirectories && setDirectories(kSearchSystem32)) return;
    // Without it (Windows Vista, 7 without its update), the current folder at least leaves the
    // search, for the libraries that system libraries load later by name; the libraries loaded
    // here come by their full path (LoadSystemLibrary).
    using SetDllDirectoryFunction = BOOL WINAPI(LPCSTR);
    const auto setDirectory = reinterpret_cast<SetDllDirectoryFunction*>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetDllDirectoryA")));
    if (setDirectory) setDirectory("");
}

HMODULE LoadSystemLibrary(const char* name) {
    if (HMODULE module = LoadLibraryExA(name, nullptr, kSearchSystem32)) return module;
    // A system that does not know the flag refuses it as an invalid parameter: the file is then
    // named in the system folder, and the libraries it needs are looked for beside it first.
    if (GetLastError() != ERROR_INVALID_PARAMETER) return nullptr;
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::string path = std::string(folder, length) + "\\" + name;
    return LoadLibraryExA(path.c_str(), nullptr, kAlteredSearchPath);
}

}  // namespace win32
