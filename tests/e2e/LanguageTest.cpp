// The language file of the real program under Wine: the stored language on the preferences
// dialog from the start, another one picked in the dialog shown at once, and the questions
// about a missing and an unreadable file.
#include "E2eSupport.h"
#include "ForeignControls.h"
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "language/LanguageFile.h"

namespace {

const char* const kKey = "Software\\Orvella";

class Language : public ::testing::Test {
protected:
    void SetUp() override {
        e2e::InstallOrvellaWithStandInPlayer();
        e2e::SetRegistryString(kKey, "Programm - Sprachdatei", File());
    }
    void TearDown() override {
        program_.Kill();
        e2e::DeleteRegistryKey(kKey);
    }

    std::string File() const { return folder_.File("Language.dll"); }

    // Starts the program and waits for its main window; null when it did not come.
    HWND Start() {
        program_ = e2e::StartProgram("Orvella.exe");
        e2e::DeclineSkinSearch();
        return e2e::WaitForWindow("TForm1", "Orvella", 15000);
    }

    // The dialog's texts that show the language: the first tab, the title and a check box.
    static void ExpectDialogIn(HWND dialog, const char* firstTab, const char* title, const char* risingVolume) {
        EXPECT_EQ(e2e::TabCaption(e2e::ChildOfClass(dialog, WC_TABCONTROLA), 0), firstTab);
        EXPECT_EQ(e2e::WindowText(dialog), title);
        EXPECT_TRUE(e2e::Child(dialog, "Button", risingVolume)) << risingVolume;
    }

    e2e::TempFolder folder_;
    e2e::RunningProgram program_;
};

TEST_F(Language, TheStoredLanguageShowsFromTheStartAndAPickedOneAtOnce) {
    ASSERT_TRUE(e2e::WriteTextFile(File(), DefaultLanguageFileText()));
    HWND main = Start();
    ASSERT_TRUE(main);
    HWND dialog = e2e::OpenPreferencesByShortcut(main);
    ASSERT_TRUE(dialog);
    ExpectDialogIn(dialog, "General |", "Preferences", "Rising Volume");

    HWND list = e2e::ChildOfClass(dialog, "ComboBox");
    ASSERT_TRUE(list);
    ASSERT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), 2);
    ASSERT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), 1);  // "English"
    // A pick as the list reports it: the row changes, then its owner hears of it.
    SendMessageA(list, CB_SETCURSEL, 0, 0);
    PostMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::WindowText(dialog) == "Einstellungen"; }, 5000));
    ExpectDialogIn(dialog, "Allgemein |", "Einstellungen", "Ansteigende Lautstärke");
    std::string stored;
    EXPECT_TRUE(e2e::GetRegistryString(kKey, "Programm - Sprache", stored) && stored == "English");
}

TEST_F(Language, AMissingFileIsAskedForAndNoLeavesTheDesignCaptions) {
    program_ = e2e::StartProgram("Orvella.exe");
    HWND box = e2e::FindMessageBox("Language file error", 15000);
    ASSERT_TRUE(box);
    EXPECT_EQ(e2e::MessageBoxText(box), "The language file (Language.dll) does not exist!\rDo you want to look for it now?");
    e2e::PressButton(box, IDNO);
    e2e::DeclineSkinSearch();
    HWND main = e2e::WaitForWindow("TForm1", "Orvella", 15000);
    ASSERT_TRUE(main);
    HWND dialog = e2e::OpenPreferencesByShortcut(main);
    ASSERT_TRUE(dialog);
    ExpectDialogIn(dialog, "General |", "Preferences", "Rising volume");
}

TEST_F(Language, AnUnreadableFileIsOfferedToBeReplacedAndNoEndsTheProgram) {
    ASSERT_TRUE(e2e::WriteTextFile(File(), DefaultLanguageFileText()));
    // Held open without sharing, the file is there but cannot be read.
    HANDLE held = CreateFileA(File().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    program_ = e2e::StartProgram("Orvella.exe");
    HWND box = e2e::FindMessageBox("Language file error", 15000);
    CloseHandle(held);
    ASSERT_TRUE(box);
    EXPECT_EQ(e2e::MessageBoxText(box),
              "The language file (Language.dll) is faulty!\rDo you want to create the default language file "
              "(german, english) automatically?");
    e2e::PressButton(box, IDNO);
    e2e::DeclineSkinSearch();
    DWORD code = 99;
    EXPECT_TRUE(program_.WaitForExit(15000, &code));
    EXPECT_EQ(code, 0u);
}

}  // namespace
