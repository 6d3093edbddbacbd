// A library planted beside the programs under the name of a system library they load when
// needed. Loaded into a process, it leaves "<its own file>.loaded" beside itself and then
// refuses to stay, so that the program goes on as if the library were missing.
#include "platform/win32/WinApi.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    char marker[MAX_PATH + 8];
    const DWORD length = GetModuleFileNameA(instance, marker, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return FALSE;
    lstrcpyA(marker + length, ".loaded");
    HANDLE handle = CreateFileA(marker, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    return FALSE;
}
