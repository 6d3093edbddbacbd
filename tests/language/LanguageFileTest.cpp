#include "language/LanguageFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>

#include "common/Names.h"
#include "language/LanguageTexts.h"
#include "platform/fake/FakePlatform.h"

using platform::RegistryRoot;

namespace {

const std::string kFolder = "C:\\Program Files\\Orvella\\";
const std::string kFile = kFolder + "Language.dll";

struct LanguageFile : testing::Test {
    fake::FakePlatform p;

    void SetUp() override { p.files.AddDirectory(kFolder); }

    std::string Stored(const char* name) const {
        const fake::RegistryValue* value = p.registry.Find(RegistryRoot::CurrentUser, kSettingsKey, name);
        return value ? value->text : "<none>";
    }
    LanguageTexts Read(const std::string& content, const std::string& section) {
        p.files.AddFile(kFile, content);
        return ReadLanguageTexts(p, kFile, section);
    }
};

std::string Golden() {
    std::ifstream in(LANGUAGE_GOLDEN_FILE, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// --- the list of languages ---

struct ListCase {
    const char* content;
    std::vector<std::string> names;
};

TEST_F(LanguageFile, ListTakesExactlyTheBracketedLines) {
    const ListCase cases[] = {
        {"[Deutsch]\r\n1=Optionen\r\n\r\n[English]\r\n1=Options\r\n", {"Deutsch", "English"}},
        {"[A]\n[B]", {"A", "B"}},                        // LF only, no last line end
        {"[A]\r\n[B]\r\n[A]\r\n", {"A", "B", "A"}},      // duplicates stay
        {"[]\r\n[x]\r\n", {"", "x"}},
        {" [A]\r\n[B] \r\n\t[C]\r\n", {}},               // blanks around the brackets
        {"x=[A]\r\n;[B]\r\n[C\r\nD]\r\n[\r\n]\r\n", {}},
        {"[a]b]\r\n[[c]]\r\n", {"a]b", "[c]"}},
        {"[A]\r[B]\r\n", {"A]\r[B"}},                     // a lone CR ends no line
        {"[A]\r", {}},
        {"", {}},
    };
    for (const ListCase& c : cases) {
        p.files.AddFile(kFile, c.content);
        EXPECT_EQ(ReadLanguageList(p, kFile), c.names) << testing::PrintToString(std::string(c.content));
    }
}

TEST_F(LanguageFile, ListOfAMissingFileIsEmptyAndOfAFileBeyondTheLimitFails) {
    EXPECT_TRUE(ReadLanguageList(p, kFile).empty());
    p.files.AddFile(kFile, "[Deutsch]\r\n" + std::string(kMaxLanguageFileSize, ';'));
    EXPECT_THROW(ReadLanguageList(p, kFile), std::runtime_error);
}

// --- the texts of a language ---

TEST_F(LanguageFile, BuiltInTextsAreTheFilesGermanButForFourKeys) {
    for (int key = 1; key <= kLanguageKeyCount; ++key) {
        const bool unused = key >= 62 && key <= 65;
        const bool differs = key == 32 || key == 61 || key == 80 || key == 81;
        if (unused)
            EXPECT_EQ(BuiltInText(key), "") << key;
        else if (differs)
            EXPECT_NE(BuiltInText(key), DefaultText(true, key)) << key;
        else
            EXPECT_EQ(BuiltInText(key), DefaultText(true, key)) << key;
    }
    EXPECT_EQ(BuiltInText(32), "Startlaustärke");
    EXPECT_EQ(BuiltInText(81), "Windows nach erreichen der Endlautstärke heruntefahren");
    EXPECT_EQ(BuiltInText(0), "");
    EXPECT_EQ(BuiltInText(kLanguageKeyCount + 1), "");
    // Files made before the later keys lack them: English, but in "Deutsch".
    EXPECT_EQ(MissingText("Mine", 82), "Mon");
    EXPECT_EQ(MissingText("Deutsch", 88), "So");
    EXPECT_EQ(MissingText("Mine", 81), BuiltInText(81));
}

TEST_F(LanguageFile, MissingFileOrSectionGivesTheBuiltInTexts) {
    for (const LanguageTexts& texts :
         {ReadLanguageTexts(p, kFile, "Deutsch"), Read(DefaultLanguageFileText(), "Français")}) {
        for (int key = 1; key <= kLanguageKeyCount; ++key)
            EXPECT_EQ(texts.text[key], MissingText(texts.section, key)) << key;
    }
}

TEST_F(LanguageFile, SectionWithOneKeyTakesItAndBuiltInTextsForTheRest) {
    const LanguageTexts texts = Read("[Mine]\r\n1=Options\r\n", "Mine");
    EXPECT_EQ(texts.section, "Mine");
    EXPECT_FALSE(texts.German());
    EXPECT_EQ(texts.text[1], "Options");
    for (int key = 2; key <= kLanguageKeyCount; ++key) EXPECT_EQ(texts.text[key], MissingText("Mine", key)) << key;
}

TEST_F(LanguageFile, EmptyValueIsAnEmptyTextAndLongOnesAreCut) {
    const std::string longText(3000, 'x');
    const LanguageTexts texts = Read("[Mine]\r\n2=\r\n3 = \"Halt\" \r\n4=" + longText + "\r\n", "Mine");
    EXPECT_EQ(texts.text[2], "");
    EXPECT_EQ(texts.text[3], "Halt");
    EXPECT_EQ(texts.text[4], std::string(2047, 'x'));
}

// The system's reading rules, which the in-memory files follow (checked against the system by
// the end-to-end differential test).
TEST_F(LanguageFile, TextsAreReadByTheProfileRules) {
    struct Case {
        const char* content;
        const char* text1;
    };
    const std::string builtIn = BuiltInText(1);
    const Case cases[] = {
        {"[mine]\r\n1=a\r\n", "a"},                        // names compare without case
        {"[ Mine ]\n 1 \t= \"a b\" \n", "a b"},          // blanks and quotes go
        {"[Mine]\r\n1=a\r\n1=b\r\n", "a"},                // the first key wins
        {"[Mine]\r\n1\r\n1=b\r\n", nullptr},             // a key without "=" hides the later one
        {"[Mine]\r\n[Mine]\r\n1=b\r\n", nullptr},        // only the first section counts
        {"[Mine]x]\r\n1=b\r\n", nullptr},                  // the name runs to the last "]"
        {"[Mine] x\r\n1=b\r\n", "b"},
        {"[Mine]\r1=b\r", "b"},                             // a lone CR ends a line too
        {"[Mine]\r\n;1=b\r\n", nullptr},
    };
    for (const Case& c : cases) {
        const LanguageTexts texts = Read(c.content, "Mine");
        EXPECT_EQ(texts.text[1], c.text1 ? c.text1 : builtIn)
            << testing::PrintToString(std::string(c.content));
    }
}

TEST_F(LanguageFile, DefaultFileReadsBackAsItsOwnTexts) {
    for (const bool german : {true, false}) {
        const LanguageTexts texts = Read(DefaultLanguageFileText(), german ? "Deutsch" : "English");
        EXPECT_EQ(texts.German(), german);
        for (int key = 1; key <= kLanguageKeyCount; ++key)
            EXPECT_EQ(texts.text[key], DefaultText(german, key)) << key;
    }
    EXPECT_EQ(ReadLanguageList(p, kFile), (std::vector<std::string>{"Deutsch", "English"}));
}

// --- the default file ---

TEST_F(LanguageFile, DefaultTextIsTheGoldenFile) {
    const std::string golden = Golden();
    ASSERT_FALSE(golden.empty()) << LANGUAGE_GOLDEN_FILE;
    EXPECT_EQ(std::count(golden.begin(), golden.end(), '\n'), 200);
    EXPECT_EQ(DefaultLanguageFileText(), golden);
}

TEST_F(LanguageFile, WrittenTwiceIsTheSameAndStoresTheLanguageValues) {
    struct Case {
        const char* systemLanguage;
        const char* stored;
    };
    for (const Case& c : {Case{"Deutsch (Schweiz)", "Deutsch"}, Case{"English (United States)", "English"},
                          Case{"deutsch", "English"}}) {
        p.system.languageName = c.systemLanguage;
        WriteDefaultLanguageFile(p, kFile, true);
        const std::string first = p.files.Content(kFile);
        WriteDefaultLanguageFile(p, kFile, true);
        EXPECT_EQ(p.files.Content(kFile), first);
        EXPECT_EQ(first, DefaultLanguageFileText());
        EXPECT_EQ(Stored(kLanguageFileValue), kFile);
        EXPECT_EQ(Stored(kLanguageValue), c.stored) << c.systemLanguage;
    }
    EXPECT_EQ(p.files.FindFiles(kFolder, "*.tmp"), std::vector<std::string>{});
}

TEST_F(LanguageFile, OtherPathIsStoredAsWritten) {
    const std::string other = "D:\\Sprachen\\Meine.lng";
    p.files.AddDirectory("D:\\Sprachen");
    WriteDefaultLanguageFile(p, other, false);
    EXPECT_EQ(p.files.Content(other), DefaultLanguageFileText());
    EXPECT_EQ(Stored(kLanguageFileValue), other);
}

TEST_F(LanguageFile, WithoutOverwriteAnExistingFileStays) {
    p.files.AddFile(kFile, "[Mine]\r\n");
    WriteDefaultLanguageFile(p, kFile, false);
    EXPECT_EQ(p.files.Content(kFile), "[Mine]\r\n");
    EXPECT_FALSE(p.registry.KeyExists(RegistryRoot::CurrentUser, kSettingsKey));
}

TEST(WriteDefaultLanguageFile, FailedWriteKeepsTheOldFileAndStoresNothing) {
    // No temporary file can be made; the old file is read-only; it is in use.
    const std::function<void(fake::FakePlatform&)> faults[] = {
        [](fake::FakePlatform& p) { p.files.failWrites = true; },
        [](fake::FakePlatform& p) { p.files.SetAttributes(kFile, platform::AttrReadOnly); },
        [](fake::FakePlatform& p) { p.files.Lock(kFile); },
    };
    for (const auto& fault : faults) {
        fake::FakePlatform p;
        p.files.AddFile(kFile, "[Mine]\r\n1=Options\r\n");
        const std::size_t files = p.files.FileCount();
        fault(p);
        try {
            WriteDefaultLanguageFile(p, kFile, true);
            ADD_FAILURE() << "no error";
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(kFile), std::string::npos) << e.what();
        }
        EXPECT_EQ(p.files.Content(kFile), "[Mine]\r\n1=Options\r\n");
        EXPECT_EQ(p.files.FileCount(), files);  // no temporary file left behind
        EXPECT_FALSE(p.registry.KeyExists(RegistryRoot::CurrentUser, kSettingsKey));
    }
    fake::FakePlatform p;  // a folder that does not exist
    EXPECT_THROW(WriteDefaultLanguageFile(p, "C:\\Missing\\Language.dll", true), std::runtime_error);
    EXPECT_FALSE(p.registry.KeyExists(RegistryRoot::CurrentUser, kSettingsKey));
}

}  // namespace

// --- An update's language file -----------------------------------------------------------------

// The default languages come new; every other section stays byte for byte, in its order, with
// its comments, blank lines and odd line ends.
TEST_F(LanguageFile, UpdateReplacesTheDefaultLanguagesAndKeepsEveryOtherSection) {
    const std::string defaults = DefaultLanguageFileText();
    const std::string mine = "[Mine]\r\n1=Mein Text\r\n; a note\r\n\r\n";
    const std::string klingon = "[tlhIngan]\n1=Qapla'\r2=x";
    struct Case {
        std::string old, kept;
    };
    const Case cases[] = {
        {"", ""},
        {defaults, ""},
        {"; old header\r\n[Deutsch]\r\n1=Alt\r\n" + mine + "[English]\r\n1=Old\r\n" + klingon, mine + klingon},
        // The profile functions read " [ deutsch ] x" as "Deutsch" too; "[Deutsch2]" is another.
        {mine + " [ deutsch ] x\r\n1=alt\r\n[ENGLISH]\r\n[Deutsch2]\r\n1=z\r\n", mine + "[Deutsch2]\r\n1=z\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.old));
        EXPECT_EQ(MergeDefaultLanguages(c.old), defaults + c.kept);
        p.files.AddFile(kFile, c.old);
        EXPECT_TRUE(UpdateDefaultLanguages(p.files, kFile));
        EXPECT_EQ(p.files.Content(kFile), defaults + c.kept);
    }
    EXPECT_TRUE(p.registry.keys.empty()) << "no setting stored";
}

TEST_F(LanguageFile, UpdateThatCannotReadOrWriteLeavesTheFile) {
    p.files.DeleteFile(kFile);
    EXPECT_TRUE(UpdateDefaultLanguages(p.files, kFile));
    EXPECT_EQ(p.files.Content(kFile), DefaultLanguageFileText()) << "a missing file becomes the default one";

    const std::string huge = "[Mine]\r\n" + std::string(kMaxLanguageFileSize, ';');
    p.files.AddFile(kFile, huge);
    EXPECT_FALSE(UpdateDefaultLanguages(p.files, kFile));
    EXPECT_EQ(p.files.Content(kFile), huge);

    p.files.AddFile(kFile, "[Mine]\r\n");
    p.files.Lock(kFile);
    EXPECT_FALSE(UpdateDefaultLanguages(p.files, kFile));
    p.files.locked.clear();
    EXPECT_EQ(p.files.Content(kFile), "[Mine]\r\n");
    EXPECT_EQ(p.files.FileCount(), 1u) << "no temporary file left";
}
