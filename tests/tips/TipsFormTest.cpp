#include <gtest/gtest.h>

#include <memory>

#include "skin/BitmapWriter.h"
#include "tips/TipsForm.h"
#include "tips/TipsStartup.h"
#include "ui/fake/FakeGui.h"

namespace {

constexpr const char* kKey = "Software\\Orvella";
constexpr platform::RegistryRoot HKCU = platform::RegistryRoot::CurrentUser;

// Orvella recorded as installed in "D:\Orvella\" (not where the program runs from), with the
// seven tip pictures there; each picture is one pixel whose colour is its number.
struct TipsTest : ::testing::Test {
    fake::FakeEnvironment p;
    std::unique_ptr<TForm5> form;

    TipsTest() {
        p.registry.SetString(HKCU, kKey, "Programm - Pfad", "D:\\Orvella\\");
        for (int n = 1; n <= 7; ++n) AddPicture("D:\\Orvella\\Images\\", n);
    }
    void AddPicture(const std::string& folder, int n) {
        const ui::Picture picture{1, 1, {static_cast<std::uint32_t>(n)}};
        p.files.AddFile(folder + std::to_string(n) + ".bmp", skin::EncodeBitmap24(picture));
    }
    TForm5& Open() {
        form = ShowTipsAtStart(p);
        return *form;
    }
    // The number of the picture shown; 0 for the built-in one.
    int Shown() const {
        const ui::Picture& picture = form->Image1.picture;
        return picture.width == 1 ? static_cast<int>(picture.Pixel(0, 0)) : 0;
    }
    const fake::RegistryValue* Value(const char* name) const { return p.registry.Find(HKCU, kKey, name); }
};

TEST_F(TipsTest, ShowsTheStoredTipAndStoresTheNext) {
    struct Case {
        std::uint32_t stored;
        int shown, next;
    };
    // Outside 1..7 (edited by hand, damaged) the rotation starts again from the first tip.
    for (const Case& c : {Case{1, 1, 2}, Case{3, 3, 4}, Case{7, 7, 1}, Case{0, 1, 2}, Case{8, 1, 2},
                          Case{0xFFFFFFFF, 1, 2}}) {
        p.registry.SetDword(HKCU, kKey, "Tip", c.stored);
        TForm5& tips = Open();
        EXPECT_TRUE(tips.Visible());
        EXPECT_EQ(tips.CurrentTip, c.shown) << c.stored;
        EXPECT_EQ(Shown(), c.shown) << c.stored;
        ASSERT_TRUE(Value("Tip"));
        EXPECT_EQ(Value("Tip")->number, static_cast<std::uint32_t>(c.next)) << c.stored;
    }
    // A value of another kind is damaged too; the rotation goes on as a number.
    p.registry.SetString(HKCU, kKey, "Tip", "5");
    EXPECT_EQ(Open().CurrentTip, 1);
    EXPECT_EQ(Value("Tip")->type, fake::RegistryValue::Type::Dword);
    EXPECT_EQ(Value("Tip")->number, 2u);
}

TEST_F(TipsTest, WithoutATipValueShowsTheFirstAndWritesNothing) {
    Open();
    EXPECT_EQ(form->CurrentTip, 1);
    EXPECT_EQ(Shown(), 1);
    EXPECT_FALSE(Value("Tip"));
}

TEST_F(TipsTest, PagingWrapsAroundAndLeavesTheRotationAlone) {
    p.registry.SetDword(HKCU, kKey, "Tip", 7);
    TForm5& tips = Open();
    std::vector<int> seen{Shown()};
    for (ui::Button* button : {&tips.Button2, &tips.Button3, &tips.Button3, &tips.Button2, &tips.Button2}) {
        button->Click();
        EXPECT_EQ(Shown(), tips.CurrentTip);
        seen.push_back(Shown());
    }
    EXPECT_EQ(seen, (std::vector<int>{7, 1, 7, 6, 7, 1}));
    EXPECT_EQ(Value("Tip")->number, 1u);
}

TEST_F(TipsTest, AMissingOrDamagedPictureLeavesTheOneShownBefore) {
    p.files.DeleteFile("D:\\Orvella\\Images\\3.bmp");
    p.files.WriteFile("D:\\Orvella\\Images\\5.bmp", "BM not a picture");
    p.registry.SetDword(HKCU, kKey, "Tip", 3);
    TForm5& tips = Open();
    EXPECT_EQ(Shown(), 0);
    EXPECT_EQ(tips.Image1.picture.width, 478);
    EXPECT_EQ(tips.Image1.picture.height, 232);
    tips.Button2Click();
    EXPECT_EQ(Shown(), 4);
    tips.Button2Click();
    EXPECT_EQ(tips.CurrentTip, 5);
    EXPECT_EQ(Shown(), 4);
    EXPECT_TRUE(p.gui.errors.empty());
}

TEST_F(TipsTest, TheFolderComesFromTheRecordedInstallation) {
    // No recorded folder: "Images\" below the current folder, as it has always been.
    p.registry.DeleteKey(HKCU, kKey);
    p.registry.CreateKey(HKCU, kKey);
    AddPicture("Images\\", 1);
    Open();
    EXPECT_EQ(form->TipsFolder, "Images\\");
    EXPECT_EQ(Shown(), 1);
    // No settings at all (the first start): the same, and the key is not created.
    p.registry.DeleteKey(HKCU, kKey);
    Open();
    EXPECT_EQ(form->TipsFolder, "Images\\");
    EXPECT_FALSE(p.registry.KeyExists(HKCU, kKey));
    // A recorded folder that cannot be read: the folder beside the program.
    p.registry.SetDword(HKCU, kKey, "Programm - Pfad", 1);
    Open();
    EXPECT_EQ(form->TipsFolder, "C:\\Program Files\\Orvella\\Images\\");
}

TEST_F(TipsTest, CloseStoresWhetherToShowTipsNextTime) {
    for (bool checked : {true, false}) {
        p.registry.DeleteKey(HKCU, kKey);
        TForm5& tips = Open();
        EXPECT_TRUE(tips.CheckBox1.checked);
        tips.CheckBox1.checked = checked;
        tips.Button1.Click();
        EXPECT_FALSE(tips.Visible());
        ASSERT_TRUE(Value("Erster Start")) << checked;
        EXPECT_EQ(Value("Erster Start")->type, fake::RegistryValue::Type::Dword);
        EXPECT_EQ(Value("Erster Start")->number, checked ? 1u : 0u);
    }
}

}  // namespace
