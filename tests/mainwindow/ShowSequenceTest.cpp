#include "MainWindowFixture.h"

using skintest::SkinFile;
using skintest::SlotOf;

namespace {

constexpr platform::RegistryRoot HKCU = platform::RegistryRoot::CurrentUser;
const char* const kKey = "Software\\Orvella";
const char* const kSkins = "C:\\Program Files\\Orvella\\Skins\\";

struct ShowSequence : skintest::MainWindowFixture {
    ShowSequence() {
        f2.settings.SkinsFolder = kSkins;
        p.registry.CreateKey(HKCU, kKey);
    }
    std::string StoredSkin() {
        const fake::RegistryValue* v = p.registry.Find(HKCU, kKey, "Theme - Pfad");
        return v ? v->text : "<none>";
    }
    bool BroughtToFront() const {
        return std::find(p.gui.broughtToFront.begin(), p.gui.broughtToFront.end(), &f1) != p.gui.broughtToFront.end();
    }
};

TEST_F(ShowSequence, LoadsTheStoredSkinAfterPlacingTheWindow) {
    p.files.AddFile(kSkin, SkinFile().Build());
    p.registry.SetString(HKCU, kKey, "Theme - Pfad", kSkin);
    f1.FormShow();
    EXPECT_TRUE(p.dialogs.shown.empty());
    EXPECT_EQ(SlotOf(f1.Image100), 29);
    EXPECT_EQ(f1.clientHeight, 60);
    // Centred on the 297 x 47 window that existed before the skin loaded.
    EXPECT_EQ(std::make_pair(f1.left, f1.top), std::make_pair(640 - 148, 512 - 23));
    EXPECT_TRUE(BroughtToFront());
}

TEST_F(ShowSequence, MissingSkinAsksInEnglishWithAnEmptyPath) {
    p.registry.SetString(HKCU, kKey, "Programm - Sprache", "English");
    p.dialogs.answers = {platform::IdNo};
    const std::vector<std::uint32_t> builtIn = f1.Image1.picture.pixels;
    f1.FormShow();
    ASSERT_EQ(p.dialogs.shown.size(), 1u);
    EXPECT_EQ(p.dialogs.shown[0].text, "The colortheme file () does not exist!\rDo you want to look for it now?");
    EXPECT_EQ(p.dialogs.shown[0].caption, "Colortheme file error");
    EXPECT_EQ(p.dialogs.shown[0].style & 0xFF, platform::MbYesNo | platform::MbIconQuestion);
    EXPECT_TRUE(p.dialogs.fileRequests.empty());
    EXPECT_EQ(f1.Image1.picture.pixels, builtIn);
    EXPECT_TRUE(BroughtToFront());
}

TEST_F(ShowSequence, MissingSkinAsksInGerman) {
    p.registry.SetString(HKCU, kKey, "Programm - Sprache", "Deutsch");
    p.registry.SetString(HKCU, kKey, "Theme - Pfad", "C:\\weg.skn");
    p.dialogs.answers = {platform::IdNo};
    f1.FormShow();
    ASSERT_EQ(p.dialogs.shown.size(), 1u);
    EXPECT_EQ(p.dialogs.shown[0].text,
              "Die Farbschemadatei (C:\\weg.skn) existiert nicht!\rWollen Sie jetzt danach suchen?");
    EXPECT_EQ(p.dialogs.shown[0].caption, "Farbschemadatei Fehler");
}

TEST_F(ShowSequence, SearchStoresTheChosenSkinAndLoadsIt) {
    p.files.AddFile("D:\\Found.skn", SkinFile(2).Build());
    p.dialogs.answers = {platform::IdYes};
    p.dialogs.fileAnswers = {std::string("D:\\Found.skn")};
    f1.FormShow();
    ASSERT_EQ(p.dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(p.dialogs.fileRequests[0].title, "Skins");
    EXPECT_EQ(p.dialogs.fileRequests[0].filter, "Skins (*.skn)|*.skn");
    EXPECT_EQ(StoredSkin(), "D:\\Found.skn");
    EXPECT_EQ(SlotOf(f1.Image100, 2), 29);
}

TEST_F(ShowSequence, CancelledSearchKeepsTheLookAndTheRegistry) {
    p.dialogs.answers = {platform::IdYes};
    p.dialogs.fileAnswers = {std::nullopt};
    const std::vector<std::uint32_t> builtIn = f1.Image100.picture.pixels;
    f1.FormShow();
    EXPECT_EQ(StoredSkin(), "<none>");
    EXPECT_EQ(f1.Image100.picture.pixels, builtIn);
}

TEST_F(ShowSequence, SkinGivenOnTheCommandLineIsCopiedAndShownButNotStored) {
    p.files.AddFile(kSkin, SkinFile(1).Build());
    p.registry.SetString(HKCU, kKey, "Theme - Pfad", kSkin);
    p.files.AddFile("C:\\Downloads\\Fresh.skn", SkinFile(3).Build());
    p.files.AddFile(std::string(kSkins) + "Fresh.skn", "an older file of that name");
    p.process.arguments = {"C:\\Downloads\\Fresh.skn"};
    f1.FormShow();
    EXPECT_EQ(p.files.Content(std::string(kSkins) + "Fresh.skn"), SkinFile(3).Build());
    EXPECT_EQ(SlotOf(f1.Image100, 3), 29);
    EXPECT_EQ(StoredSkin(), kSkin);
    EXPECT_TRUE(p.dialogs.shown.empty());
}

TEST_F(ShowSequence, ArgumentThatIsNoFileIsIgnored) {
    p.files.AddFile(kSkin, SkinFile(1).Build());
    p.registry.SetString(HKCU, kKey, "Theme - Pfad", kSkin);
    p.process.arguments = {"/S"};
    f1.FormShow();
    EXPECT_EQ(SlotOf(f1.Image100, 1), 29);
}

TEST_F(ShowSequence, FailedLoadEndsTheSequenceWithTheError) {
    SkinFile broken;
    broken.layout[3] = "maybe";
    p.files.AddFile(kSkin, broken.Build());
    p.registry.SetString(HKCU, kKey, "Theme - Pfad", kSkin);
    EXPECT_THROW(f1.FormShow(), std::runtime_error);
    EXPECT_FALSE(BroughtToFront());
    EXPECT_EQ(SlotOf(f1.Image47), 39) << "what the loader applied stays";
}

TEST_F(ShowSequence, ShowingTheFormRunsTheSequence) {
    p.dialogs.answers = {platform::IdNo};
    f1.Show();
    EXPECT_EQ(p.dialogs.shown.size(), 1u);
}

TEST(BuiltInLook, ButtonsAndBackgroundHaveTheirPicturesBeforeAnySkin) {
    fake::FakeEnvironment p;
    TForm1 f1{p};
    EXPECT_EQ(std::make_pair(f1.Image1.width, f1.Image1.height), std::make_pair(29, 29));
    EXPECT_EQ(std::make_pair(f1.Image8.width, f1.Image8.height), std::make_pair(23, 24));
    EXPECT_EQ(std::make_pair(f1.Image31.width, f1.Image31.height), std::make_pair(85, 19));
    EXPECT_EQ(std::make_pair(f1.Image37.width, f1.Image37.height), std::make_pair(17, 9));
    EXPECT_EQ(f1.Image100.picture.height, 47);
    EXPECT_EQ(f1.Image2.picture.width, 13);
    EXPECT_EQ(f1.Image46.picture.height, 20);
    EXPECT_EQ(f1.Image9.picture.pixels, f1.Image27.picture.pixels) << "stopped at creation";
    EXPECT_NE(f1.Image10.picture.pixels, f1.Image12.picture.pixels);
    EXPECT_NE(f1.Image14.picture.pixels, f1.Image15.picture.pixels);
    EXPECT_NE(f1.Image3.picture.pixels, f1.Image5.picture.pixels);
    // The transparent Mute button leaves out its face colour, so only the speaker shows.
    EXPECT_EQ(f1.Image2.picture.TransparentColor(), f1.Image8.picture.Pixel(11, 12));
}

}  // namespace
