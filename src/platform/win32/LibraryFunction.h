#pragma once
#include "platform/win32/SystemLibraries.h"
#include "platform/win32/WinApi.h"

namespace win32 {

// A function of a system library that the program needs only now and then: a file dialog,
// the shell, the sound device, the common controls. Windows loads and starts every library a
// program imports before its first line runs, which under Wine costs a good part of the start;
// these are loaded when first used instead, from the system folder only (SystemLibraries.h).
// Null when the library or the function is missing.
//
//   static const auto open = LibraryFunction<decltype(GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
template <class Function>
Function* LibraryFunction(const char* library, const char* name) {
    const HMODULE module = LoadSystemLibrary(library);  // stays loaded for the rest of the run
    if (!module) return nullptr;
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace win32
