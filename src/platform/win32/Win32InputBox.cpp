#include "platform/win32/WinApi.h"

#include <vector>

#include "platform/win32/Win32Dialogs.h"

namespace win32 {

namespace {

const WORD kPromptId = 100;
const WORD kEditId = 101;

struct InputBoxState {
    const std::string* caption;
    const std::string* prompt;
    const std::string* initial;
    std::string result;
};

// Builds a dialog template in memory, so the box needs no resource file in every program.
class TemplateWriter {
public:
    void Word(WORD value) { words_.push_back(value); }
    void Dword(DWORD value) {
        Word(LOWORD(value));
        Word(HIWORD(value));
    }
    void Text(const wchar_t* text) {
        do Word(static_cast<WORD>(*text));
        while (*text++);
    }
    void AlignDword() {
        if (words_.size() % 2) Word(0);
    }
    // One control: style, position in dialog units, id, predefined class atom, empty text.
    void Control(DWORD style, short x, short y, short cx, short cy, WORD id, WORD atom) {
        AlignDword();
        Dword(style | WS_CHILD | WS_VISIBLE);
        Dword(0);  // extended style
        Word(static_cast<WORD>(x));
        Word(static_cast<WORD>(y));
        Word(static_cast<WORD>(cx));
        Word(static_cast<WORD>(cy));
        Word(id);
        Word(0xFFFF);
        Word(atom);
        Word(0);  // text, set at WM_INITDIALOG in the program's code page
        Word(0);  // no creation data
    }
    const DLGTEMPLATE* Template() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    std::vector<WORD> words_;
};

const WORD kButtonAtom = 0x0080, kEditAtom = 0x0081, kStaticAtom = 0x0082;

INT_PTR CALLBACK InputBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            auto* state = reinterpret_cast<InputBoxState*>(lParam);
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            SetWindowTextA(dialog, state->caption->c_str());
            SetDlgItemTextA(dialog, kPromptId, state->prompt->c_str());
            SetDlgItemTextA(dialog, kEditId, state->initial->c_str());
            SetDlgItemTextA(dialog, IDOK, "OK");
            SetDlgItemTextA(dialog, IDCANCEL, "Cancel");
            HWND edit = GetDlgItem(dialog, kEditId);
            SendMessageA(edit, EM_SETSEL, 0, -1);
            SetFocus(edit);
            return FALSE;  // focus set by hand
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                auto* state = reinterpret_cast<InputBoxState*>(GetWindowLongPtrA(dialog, DWLP_USER));
                HWND edit = GetDlgItem(dialog, kEditId);
                std::vector<char> text(static_cast<std::size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
                GetWindowTextA(edit, text.data(), static_cast<int>(text.size()));
                state->result = text.data();
                EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            break;
    }
    return FALSE;
}

}  // namespace

std::optional<std::string> ShowInputBox(const std::string& caption, const std::string& prompt,
                                        const std::string& initial) {
    TemplateWriter writer;
    writer.Dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER);
    writer.Dword(0);  // extended style
    writer.Word(4);   // controls
    writer.Word(0);
    writer.Word(0);
    writer.Word(220);
    writer.Word(68);
    writer.Word(0);  // no menu
    writer.Word(0);  // standard dialog class
    writer.Word(0);  // title, set at WM_INITDIALOG
    writer.Word(8);
    writer.Text(L"MS Shell Dlg");
    writer.Control(SS_LEFT, 7, 7, 206, 18, kPromptId, kStaticAtom);
    writer.Control(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 27, 206, 13, kEditId, kEditAtom);
    writer.Control(BS_DEFPUSHBUTTON | WS_TABSTOP, 109, 47, 50, 14, IDOK, kButtonAtom);
    writer.Control(BS_PUSHBUTTON | WS_TABSTOP, 163, 47, 50, 14, IDCANCEL, kButtonAtom);

    InputBoxState state{&caption, &prompt, &initial, ""};
    const INT_PTR answer = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), writer.Template(),
                                                   GetActiveWindow(), InputBoxProc,
                                                   reinterpret_cast<LPARAM>(&state));
    if (answer != IDOK) return std::nullopt;
    return state.result;
}

}  // namespace win32
