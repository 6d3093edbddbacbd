#pragma once
#include "platform/win32/WinApi.h"
#include <commctrl.h>

namespace win32 {

// The common controls library: tooltips, spin buttons, trackbars, tabs, list views, and the
// subclassing of native controls. It is loaded when a window first needs it rather than at the
// program's start; the main window, made of painted elements, needs it only for its tooltips,
// once the pointer comes over it.
void LoadCommonControls();
BOOL SubclassWindow(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data);
LRESULT DefaultSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Image lists of pictures that leave out one colour.
HIMAGELIST CreateImageList(int width, int height, int count);
void AddToImageList(HIMAGELIST images, HBITMAP picture, COLORREF leftOut);
void DestroyImageList(HIMAGELIST images);

}  // namespace win32
