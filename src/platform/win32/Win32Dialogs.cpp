#include "platform/win32/WinApi.h"
#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

#include "platform/win32/LibraryFunction.h"
#include "platform/win32/Win32Dialogs.h"

namespace win32 {

namespace {

HWND Handle(platform::WindowHandle window) { return reinterpret_cast<HWND>(window); }

// "Text|*.txt|All|*.*" becomes the NUL-separated, doubly terminated list the dialog wants.
std::vector<char> FilterList(const std::string& filter) {
    std::vector<char> list(filter.begin(), filter.end());
    for (char& c : list)
        if (c == '|') c = '\0';
    list.push_back('\0');
    list.push_back('\0');
    return list;
}

}  // namespace

int Win32Dialogs::MessageBox(const platform::MessageBoxRequest& request) {
    app_.BeforeBlocking();
    MSGBOXPARAMSA params{};
    params.cbSize = sizeof params;
    params.hwndOwner = Handle(request.owner);
    params.hInstance = GetModuleHandleA(nullptr);
    params.lpszText = request.text.c_str();
    params.lpszCaption = request.caption.c_str();
    params.dwStyle = request.style;
    params.dwLanguageId = request.languageId;
    return MessageBoxIndirectA(&params);
}

std::optional<std::string> Win32Dialogs::OpenFile(const platform::OpenFileRequest& request) {
    app_.BeforeBlocking();
    std::vector<char> filter = FilterList(request.filter);
    std::vector<char> file(32768, '\0');
    request.fileName.copy(file.data(), std::min(request.fileName.size(), file.size() - 1));
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Handle(request.owner);
    dialog.lpstrFilter = request.filter.empty() ? nullptr : filter.data();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = request.initialFolder.empty() ? nullptr : request.initialFolder.c_str();
    dialog.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                   OFN_DONTADDTORECENT;
    static const auto open = LibraryFunction<decltype(GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
    if (!open || !open(&dialog)) return std::nullopt;
    return std::string(file.data());
}

std::optional<std::string> Win32Dialogs::BrowseFolder(platform::WindowHandle owner, const std::string& title) {
    app_.BeforeBlocking();
    // The shell's folder tree is made of COM objects.
    static const auto startCom = LibraryFunction<decltype(CoInitializeEx)>("ole32.dll", "CoInitializeEx");
    static const auto endCom = LibraryFunction<decltype(CoUninitialize)>("ole32.dll", "CoUninitialize");
    static const auto freeMemory = LibraryFunction<decltype(CoTaskMemFree)>("ole32.dll", "CoTaskMemFree");
    static const auto browseForFolder = LibraryFunction<decltype(SHBrowseForFolderA)>("shell32.dll", "SHBrowseForFolderA");
    static const auto pathFromList = LibraryFunction<decltype(SHGetPathFromIDListA)>("shell32.dll", "SHGetPathFromIDListA");
    if (!startCom || !endCom || !freeMemory || !browseForFolder || !pathFromList) return std::nullopt;
    const HRESULT com = startCom(nullptr, COINIT_APARTMENTTHREADED);
    char display[MAX_PATH] = "";
    BROWSEINFOA browse{};
    browse.hwndOwner = Handle(owner);
    browse.pidlRoot = nullptr;  // the desktop
    browse.pszDisplayName = display;
    browse.lpszTitle = title.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    std::optional<std::string> folder;
    if (LPITEMIDLIST chosen = browseForFolder(&browse)) {
        char path[MAX_PATH] = "";
        if (pathFromList(chosen, path)) {
            std::string text = path;
            while (!text.empty() && text.back() == '\\') text.pop_back();
            if (!text.empty()) folder = text;
        }
        freeMemory(chosen);
    }
    if (SUCCEEDED(com)) endCom();
    return folder;
}

std::optional<std::string> Win32Dialogs::InputText(const std::string& caption, const std::string& prompt,
                                                   const std::string& initial) {
    app_.BeforeBlocking();
    return ShowInputBox(caption, prompt, initial);
}

}  // namespace win32
