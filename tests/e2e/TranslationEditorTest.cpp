// The translation editor of the real program under Wine: rows of the language's texts edited
// in place (the arrow walking on to the next row, Escape taking an edit back), and "Save"
// putting the texts into the file.
#include "E2eSupport.h"
#include "ForeignControls.h"
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "language/LanguageFile.h"

namespace {

const char* const kKey = "Software\\Orvella";

class TranslationEditor : public ::testing::Test {
protected:
    void SetUp() override {
        e2e::InstallOrvellaWithStandInPlayer();  // English stored, no tab: the dialog opens on "Language"
        e2e::SetRegistryString(kKey, "Programm - Sprachdatei", File());
        ASSERT_TRUE(e2e::WriteTextFile(File(), DefaultLanguageFileText()));
    }
    void TearDown() override {
        program_.Kill();
        e2e::DeleteRegistryKey(kKey);
    }
    std::string File() const { return folder_.File("Language.dll"); }

    // Releases the mouse button over a selected row and waits for its editor.
    static HWND EditRow(HWND list, int row) {
        LVITEMA state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        e2e::SendWithData(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), state);
        RECT bounds{};
        bounds.left = LVIR_LABEL;
        e2e::SendWithData(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), bounds);
        PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(bounds.left + 4, bounds.top + 2));
        HWND editor = nullptr;
        e2e::WaitUntil([&] { return (editor = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETEDITCONTROL, 0, 0))); },
                       5000);
        return editor;
    }
    static std::string RowText(HWND list, int row) {
        struct {
            LVITEMA item;
            char text[256];
        } data{};
        data.item.iSubItem = 0;
        data.item.cchTextMax = sizeof(data.text);
        // The text lands in the buffer that follows the item in the other program's memory.
        DWORD processId = 0;
        GetWindowThreadProcessId(list, &processId);
        HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
        if (!process) return "";
        auto* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, sizeof data, MEM_COMMIT, PAGE_READWRITE));
        data.item.pszText = remote + (data.text - reinterpret_cast<char*>(&data));
        WriteProcessMemory(process, remote, &data, sizeof data, nullptr);
        SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(process, remote, &data, sizeof data, nullptr);
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
        CloseHandle(process);
        return data.text;
    }

    e2e::TempFolder folder_;
    e2e::RunningProgram program_;
};

TEST_F(TranslationEditor, RowsEditedInPlaceAreSavedIntoTheFileAndEscapeTakesAnEditBack) {
    program_ = e2e::StartProgram("Orvella.exe");
    e2e::DeclineSkinSearch();
    HWND main = e2e::WaitForWindow("TForm1", "Orvella", 15000);
    ASSERT_TRUE(main);
    HWND dialog = e2e::OpenPreferencesByShortcut(main);
    ASSERT_TRUE(dialog);
    HWND list = e2e::FindControl(dialog, WC_LISTVIEWA, [](HWND l) { return SendMessageA(l, LVM_GETITEMCOUNT, 0, 0) == kLanguageKeyCount; });
    ASSERT_TRUE(list);
    ASSERT_TRUE(IsWindowVisible(list));
    EXPECT_EQ(RowText(list, 0), "Options");

    // Released in the editor, the Down arrow finishes the edit and opens the next row's.
    HWND editor = EditRow(list, 0);
    ASSERT_TRUE(editor);
    SetWindowTextA(editor, "Choices");
    PostMessageA(editor, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(editor, WM_KEYUP, VK_DOWN, 0xC0000001);
    HWND next = nullptr;
    ASSERT_TRUE(e2e::WaitUntil([&] {
        next = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETEDITCONTROL, 0, 0));
        return next && next != editor;
    }, 5000));
    EXPECT_EQ(RowText(list, 0), "Choices");
    SetWindowTextA(next, "Go");
    PostMessageA(next, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(e2e::WaitUntil([&] { return !SendMessageA(list, LVM_GETEDITCONTROL, 0, 0); }, 5000));
    EXPECT_EQ(RowText(list, 1), "Start");
    EXPECT_TRUE(IsWindowVisible(dialog));  // Escape left the dialog's Cancel alone

    editor = EditRow(list, 2);
    ASSERT_TRUE(editor);
    SetWindowTextA(editor, "Halt");
    PostMessageA(editor, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(e2e::WaitUntil([&] { return RowText(list, 2) == "Halt"; }, 5000));
    EXPECT_TRUE(IsWindowVisible(dialog));

    HWND save = e2e::Child(dialog, "Button", "Save");
    ASSERT_TRUE(save);
    SendMessageA(save, BM_CLICK, 0, 0);
    const std::string english = "[English]\r\n1=Choices\r\n2=Start\r\n3=Halt\r\n";
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::ReadTextFile(File()).find(english) != std::string::npos; }, 5000))
        << e2e::ReadTextFile(File()).substr(0, 200);
    EXPECT_NE(e2e::ReadTextFile(File()).find("[Deutsch]\r\n1=Optionen\r\n"), std::string::npos);
}

}  // namespace
