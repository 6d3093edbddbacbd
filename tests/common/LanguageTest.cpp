#include "common/Language.h"

#include <gtest/gtest.h>

#include "common/MessageBox.h"
#include "common/Names.h"
#include "platform/fake/FakePlatform.h"

using platform::RegistryRoot;

TEST(IsGermanLanguage, StoredLanguageWinsOverTheSystem) {
    fake::FakePlatform p;
    p.system.UseGerman();
    p.registry.SetString(RegistryRoot::CurrentUser, kSettingsKey, "Programm - Sprache", "English");
    EXPECT_FALSE(IsGermanLanguage(p));
    p.registry.SetString(RegistryRoot::CurrentUser, kSettingsKey, "Programm - Sprache", "Deutsch");
    p.system.languageName = "English (United States)";
    EXPECT_TRUE(IsGermanLanguage(p));
    // A third language never makes the messages German, and the comparison is exact.
    p.registry.SetString(RegistryRoot::CurrentUser, kSettingsKey, "Programm - Sprache", "deutsch");
    EXPECT_FALSE(IsGermanLanguage(p));
}

TEST(IsGermanLanguage, MissingOrEmptyStoredLanguageFallsBackToTheSystem) {
    fake::FakePlatform p;
    p.system.UseGerman();
    EXPECT_TRUE(IsGermanLanguage(p));  // no key at all
    p.registry.SetString(RegistryRoot::CurrentUser, kSettingsKey, "Programm - Sprache", "");
    EXPECT_TRUE(IsGermanLanguage(p));
    // A value of the wrong type counts as none stored.
    p.registry.SetDword(RegistryRoot::CurrentUser, kSettingsKey, "Programm - Sprache", 1);
    EXPECT_TRUE(IsGermanLanguage(p));
    p.system.languageName = "Englisch";
    EXPECT_FALSE(IsGermanLanguage(p));
}

TEST(IsGermanLanguage, SystemNameIsCutBeforeItsBracket) {
    fake::FakePlatform p;
    p.system.languageName = "Deutsch (Österreich)";
    EXPECT_EQ(SystemLanguageName(p.system), "Deutsch");
    EXPECT_TRUE(IsGermanSystemLanguage(p.system));
    p.system.languageName = "Deutsch";
    EXPECT_TRUE(IsGermanSystemLanguage(p.system));
    p.system.languageName = "(Deutsch)";
    EXPECT_EQ(SystemLanguageName(p.system), "");
    // The system-only form ignores what is stored.
    p.system.languageName = "English (United Kingdom)";
    p.registry.SetString(RegistryRoot::CurrentUser, kSettingsKey, "Programm - Sprache", "Deutsch");
    EXPECT_FALSE(IsGermanSystemLanguage(p.system));
}

TEST(AskYesNo, IsTopmostOwnedByTheApplicationWindowInTheSystemLanguage) {
    fake::FakePlatform p;
    p.system.languageId = 0x0407;
    p.dialogs.answers = {platform::IdNo};
    EXPECT_EQ(AskYesNo(p, "Text", "Caption"), platform::IdNo);
    ASSERT_EQ(p.dialogs.shown.size(), 1u);
    const auto& box = p.dialogs.shown[0];
    EXPECT_EQ(box.style, 0x40024u);
    EXPECT_EQ(box.owner, p.app.ApplicationWindow());
    EXPECT_EQ(box.languageId, 0x0407u);
    EXPECT_EQ(box.text, "Text");
    EXPECT_EQ(box.caption, "Caption");
}

TEST(ErrorBox, AddsAFullStopOnlyAfterCharactersThatSortAfterIt) {
    EXPECT_EQ(ErrorBoxText("Bitmap image is not valid"), "Bitmap image is not valid.");
    EXPECT_EQ(ErrorBoxText("Done."), "Done.");
    EXPECT_EQ(ErrorBoxText("Really?"), "Really?.");  // ? sorts after the full stop, as digits and letters do
    EXPECT_EQ(ErrorBoxText("Stop!"), "Stop!");      // '!' sorts before '.'
    EXPECT_EQ(ErrorBoxText("Größe ä"), "Größe ä.");
    EXPECT_EQ(ErrorBoxText(""), "");
    fake::FakePlatform p;
    ShowErrorBox(p, "Orvella", "File not found");
    ASSERT_EQ(p.dialogs.shown.size(), 1u);
    EXPECT_EQ(p.dialogs.shown[0].caption, "Orvella");
    EXPECT_EQ(p.dialogs.shown[0].style, 0x10u);
}
