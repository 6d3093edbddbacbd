#include "ui/win32/CommonControls.h"

#include "platform/win32/LibraryFunction.h"

namespace win32 {

namespace {

const char kLibrary[] = "comctl32.dll";

}  // namespace

void LoadCommonControls() {
    static const bool loaded = [] {
        const auto initialise = LibraryFunction<decltype(InitCommonControlsEx)>(kLibrary, "InitCommonControlsEx");
        if (!initialise) return false;
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_BAR_CLASSES |
                                                            ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES |
                                                            ICC_UPDOWN_CLASS};
        return initialise(&controls) != FALSE;
    }();
    (void)loaded;
}

BOOL SubclassWindow(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) {
    static const auto subclass = LibraryFunction<decltype(SetWindowSubclass)>(kLibrary, "SetWindowSubclass");
    return subclass ? subclass(window, procedure, id, data) : FALSE;
}

LRESULT DefaultSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static const auto next = LibraryFunction<decltype(DefSubclassProc)>(kLibrary, "DefSubclassProc");
    return next ? next(window, message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}

HIMAGELIST CreateImageList(int width, int height, int count) {
    static const auto create = LibraryFunction<decltype(ImageList_Create)>(kLibrary, "ImageList_Create");
    return create ? create(width, height, ILC_COLOR24 | ILC_MASK, count, 0) : nullptr;
}

void AddToImageList(HIMAGELIST images, HBITMAP picture, COLORREF leftOut) {
    static const auto add = LibraryFunction<decltype(ImageList_AddMasked)>(kLibrary, "ImageList_AddMasked");
    if (add && images && picture) add(images, picture, leftOut);
}

void DestroyImageList(HIMAGELIST images) {
    static const auto destroy = LibraryFunction<decltype(ImageList_Destroy)>(kLibrary, "ImageList_Destroy");
    if (destroy && images) destroy(images);
}

}  // namespace win32
