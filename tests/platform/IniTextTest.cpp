#include "platform/IniText.h"

#include <gtest/gtest.h>

#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeIniFiles.h"

using platform::IniText;
using platform::IniValue;
using platform::ReplaceIniSection;

namespace {

// The cases the system's reader was checked on: blanks and tabs around names and values, quotes,
// keys without "=", ";" lines, names in another case (accented letters too), the three line ends,
// a section name running to the last "]", keys before any section, and the first of duplicates.
const char* const kFile =
    "k=before any section\r\n"
    " [ Deutsch ] \r\n"
    "  1 \t= \t\"quoted\"  \n"
    "2='single'\r"
    "3=\"open\r\n"
    "4\r\n"
    "4=after a key without value\r\n"
    ";5=comment\r\n"
    "Z\xC4HLER=7\r\n"
    "z\xE4hler=8\r\n"
    "6=\r\n"
    "[a]x]\r\n"
    "k=in a]x\r\n"
    "[deutsch]\r\n"
    "9=second section of the name\r\n"
    "[Mine] tail\r\n"
    "x y = a = b";

}  // namespace

TEST(IniTextTest, ReadsAsThePrivateProfileFunctions) {
    const IniText ini(kFile);
    struct Case {
        const char* section;
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        {"Deutsch", "1", "quoted"},
        {"DEUTSCH", " 1 ", "quoted"},
        {"Deutsch", "2", "single"},
        {"Deutsch", "3", "\"open"},
        {"Deutsch", "4", "<none>"},  // the key without "=" comes first
        {"Deutsch", ";5", "comment"},
        {"Deutsch", "5", "<none>"},
        {"Deutsch", "Z\xE4hler", "7"},
        {"Deutsch", "6", ""},
        {"Deutsch", "9", "<none>"},  // only the first section of a name counts
        {"Deutsch", "k", "<none>"},
        {"a]x", "k", "in a]x"},
        {"mine", "X Y", "a = b"},
        {"Other", "1", "<none>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ini.ReadString(c.section, c.key, "<none>"), c.value) << "[" << c.section << "] " << c.key;
    EXPECT_EQ(ini.ReadString("Deutsch", "4", "  <none>  "), "  <none>");  // without the spaces it ends in
    EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"Deutsch", "a]x", "deutsch", "Mine"}));
    EXPECT_EQ(ini.KeyNames("deutsch"),
              (std::vector<std::string>{"1", "2", "3", "4", "Z\xC4HLER", "z\xE4hler", "6"}));  // not "4" without "="
    EXPECT_EQ(ini.FindSection("[Deutsch]"), nullptr);
}

TEST(IniTextTest, AReplacedSectionReadsAsKeyByKeyWritesAndLeavesTheRestByteForByte) {
    const std::vector<IniValue> values = {{"Z\xE4hler", "2"}, {"0", "a"}, {"1", "\"b \""}, {"2", "c"}};
    const auto removed = [](const std::string& name) { return name == "5" || name == "6"; };
    const std::string section = "[Weckzeiten]\r\nZ\xE4hler=2\r\n0=a\r\n1=\"b \"\r\n2=c\r\n";
    struct Case {
        std::string before, after;
    };
    const Case cases[] = {
        {"", section},
        {"[Weckzeiten]", section},
        {"[Position]\nLeft=3", "[Position]\nLeft=3\r\n" + section},
        {"[A]\r\nx=1\r\n [weckzeiten] \nz\xC4hler = 9\n 1=old\n5=gone\n7=kept\n;0=kept\n\n[B]\r\ny=2\r\nZ\xE4hler=3",
         "[A]\r\nx=1\r\n [weckzeiten] \nZ\xE4hler=2\r\n0=a\r\n1=\"b \"\r\n2=c\r\n7=kept\n;0=kept\n\n[B]\r\ny=2\r\nZ\xE4hler=3"},
    };
    for (const Case& c : cases) {
        const std::string after = ReplaceIniSection(c.before, "Weckzeiten", values, removed);
        EXPECT_EQ(after, c.after);

        // The same change made key by key through the in-memory INI files reads back alike. Both
        // go by this parser: this checks the section writer against the key-wise writes, not
        // against the system (IniDifferential compares the reader with the system under Wine).
        fake::FakeFileSystem files;
        fake::FakeIniFiles ini(files);
        files.AddFile("C:\\a.ini", c.before);
        for (const char* key : {"5", "6"}) ini.DeleteKey("C:\\a.ini", "Weckzeiten", key);
        for (const IniValue& v : values) ini.WriteString("C:\\a.ini", "Weckzeiten", v.key, v.value);
        const IniText replaced(after), written(files.Content("C:\\a.ini"));
        for (const char* name : {"Weckzeiten", "A", "B", "Position"})
            for (const char* key : {"Z\xE4hler", "0", "1", "2", "5", "7", ";0", "x", "y", "Left"})
                EXPECT_EQ(replaced.ReadString(name, key, "<none>"), written.ReadString(name, key, "<none>"))
                    << c.before << " [" << name << "] " << key;
    }
    // A value is one line: a line break cannot make keys or sections of its own.
    EXPECT_EQ(ReplaceIniSection("", "S", {{"k", "a\r\n[Evil]\r\nx=1"}}, nullptr), "[S]\r\nk=a\r\n");
}

TEST(IniTextTest, TheFakeFilesFindTheSectionAnewAfterAWriteAndInAnotherFile) {
    fake::FakeFileSystem files;
    fake::FakeIniFiles ini(files);
    files.AddFile("C:\\a.ini", "[A]\r\nk=1\r\n[B]\r\nk=2\r\n");
    files.AddFile("C:\\b.ini", "[A]\r\nk=4\r\n");
    EXPECT_EQ(ini.ReadString("C:\\a.ini", "A", "k", ""), "1");
    EXPECT_EQ(ini.ReadString("C:\\a.ini", "B", "k", ""), "2");
    EXPECT_EQ(ini.ReadString("C:\\a.ini", "a", "k", ""), "1");
    ASSERT_TRUE(ini.WriteString("C:\\a.ini", "a", "k", "3"));
    EXPECT_EQ(ini.ReadString("C:\\a.ini", "a", "k", ""), "3");
    EXPECT_EQ(ini.ReadString("C:\\b.ini", "a", "k", ""), "4");
    ASSERT_TRUE(ini.EraseSection("C:\\b.ini", "A"));
    EXPECT_EQ(ini.ReadString("C:\\b.ini", "a", "k", "gone"), "gone");
}

// Lines that open a section and never close it are keys of the section before them. Each one
// is read on its own: a few hundred kilobytes of them took seconds when the search for a "]"
// ran back over the lines before.
TEST(IniTextTest, UnclosedSectionLinesAreKeysOfTheSectionBefore) {
    std::string content = "[First]\r\n";
    for (int i = 0; i < 30000; ++i) content += "[unclosed " + std::to_string(i) + "\r\n";
    content += "[Last]\r\nk=v\r\n";
    const IniText ini(content);
    EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"First", "Last"}));
    EXPECT_EQ(ini.FindSection("First")->keys.size(), 30000u);
    EXPECT_EQ(ini.ReadString("First", "[unclosed 29999", "<none>"), "<none>");  // a key without "="
    EXPECT_EQ(ini.ReadString("Last", "k", ""), "v");
    EXPECT_EQ(ReplaceIniSection(content, "Last", {{"k", "w"}}, nullptr).substr(content.size() - 13),
              "[Last]\r\nk=w\r\n");
}

// Windows reads and writes a file with the UTF-16 LE mark as UTF-16; so do the reader, the section
// writer and the fake files: "?" for a character Windows-1252 lacks where the program reads it,
// the character itself on every line a write leaves.
TEST(IniTextTest, AUtf16FileReadsAndStaysUtf16) {
    const auto utf16 = [](const std::u16string& text) {
        std::string bytes = "\xFF\xFE";
        for (char16_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
        return bytes;
    };
    const std::string file = utf16(u"[L\u00E4nge]\r\nk=\u20AC\r\n[B]\r\nx=\u0101\r\n");
    const IniText ini(file);
    EXPECT_EQ(ini.ReadString("L\xC4NGE", "k", ""), "\x80");
    EXPECT_EQ(ini.ReadString("B", "x", ""), "?");
    EXPECT_EQ(ReplaceIniSection(file, "L\xE4nge", {{"n", "\x9F"}}, nullptr),
              utf16(u"[L\u00E4nge]\r\nn=\u0178\r\nk=\u20AC\r\n[B]\r\nx=\u0101\r\n"));
    EXPECT_EQ(ReplaceIniSection(file, "C", {{"y", "1"}}, nullptr), file + utf16(u"[C]\r\ny=1\r\n").substr(2));
    fake::FakeFileSystem files;
    fake::FakeIniFiles fake(files);
    files.AddFile("C:\\a.ini", file);
    ASSERT_TRUE(fake.WriteString("C:\\a.ini", "L\xE4nge", "k", "\xE9"));
    ASSERT_TRUE(fake.WriteString("C:\\a.ini", "B", "z", "2"));
    EXPECT_EQ(files.Content("C:\\a.ini"), utf16(u"[L\u00E4nge]\r\nk=\u00E9\r\n[B]\r\nx=\u0101\r\nz=2\r\n"));
    EXPECT_EQ(platform::IniBytesToText("\xEF\xBB\xBF[A]"), "\xEF\xBB\xBF[A]");
}
