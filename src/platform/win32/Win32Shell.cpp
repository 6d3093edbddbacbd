#include "platform/win32/Win32Shell.h"

#include "platform/win32/WinApi.h"
#include <shellapi.h>

#include "platform/win32/LibraryFunction.h"

namespace win32 {

bool Win32Shell::Open(platform::WindowHandle owner, const std::string& file, const std::string& parameters,
                      const std::string& directory, int show) {
    static const auto execute = LibraryFunction<decltype(ShellExecuteA)>("shell32.dll", "ShellExecuteA");
    if (!execute) return false;
    HINSTANCE result = execute(reinterpret_cast<HWND>(owner), "open", file.c_str(),
                               parameters.empty() ? nullptr : parameters.c_str(),
                               directory.empty() ? nullptr : directory.c_str(), show);
    // Values up to 32 are error codes.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

bool Win32Shell::Execute(const std::string& commandLine, int show) {
    return WinExec(commandLine.c_str(), static_cast<UINT>(show)) > 31;
}

}  // namespace win32
