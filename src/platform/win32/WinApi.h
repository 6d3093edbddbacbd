#pragma once
// The one way into <windows.h> for this project: every file that needs the Windows API
// includes this header instead, so that all of them see the same declarations.
//
// <windows.h> turns names such as CreateDirectory or MessageBox into their ANSI or wide
// variants by macro, and the platform interfaces use some of those names for members. Without
// the #undefs below, a file that saw the macros would declare the interfaces with other member
// names than a file that did not. Windows functions are therefore always called by their full
// names here (CreateDirectoryA, MessageBoxA).
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#undef CopyFile
#undef CreateDirectory
#undef DeleteFile
#undef MessageBox
#undef RemoveDirectory
#undef SetCurrentDirectory
