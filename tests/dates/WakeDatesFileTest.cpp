#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/Names.h"
#include "dates/WakeDates.h"
#include "platform/fake/FakePlatform.h"

namespace {

using Entries = std::vector<std::string>;

const char* const kFolder = "C:\\Program Files\\Orvella\\";
const char* const kIni = "C:\\Program Files\\Orvella\\Orvella.ini";

struct WakeDatesFile : ::testing::Test {
    fake::FakePlatform p;
    TWakeDateList list{p.system};

    void SetUp() override { p.files.AddDirectory(kFolder); }
    void Given(const std::string& content) { p.files.AddFile(kIni, content); }
    std::string Content() const { return p.files.Content(kIni); }
    Entries Load() {
        LoadWakeDates(p, list);
        return list.Entries();
    }
    void Save(const Entries& entries) {
        list.Clear();
        for (const auto& e : entries) list.Add(e);
        SaveWakeDates(p, list);
    }
    Entries TempFiles() { return p.files.FindFiles(kFolder, "*.tmp"); }
};

// An IniFiles that counts the changes made through it: each one rewrites the whole file.
struct CountingIni : platform::IniFiles {
    platform::IniFiles& inner;
    int changes = 0;
    explicit CountingIni(platform::IniFiles& i) : inner(i) {}
    std::string ReadString(const std::string& f, const std::string& s, const std::string& k,
                           const std::string& d) override {
        return inner.ReadString(f, s, k, d);
    }
    bool WriteString(const std::string& f, const std::string& s, const std::string& k,
                     const std::string& v) override {
        ++changes;
        return inner.WriteString(f, s, k, v);
    }
    bool DeleteKey(const std::string& f, const std::string& s, const std::string& k) override {
        ++changes;
        return inner.DeleteKey(f, s, k);
    }
    bool EraseSection(const std::string& f, const std::string& s) override {
        ++changes;
        return inner.EraseSection(f, s);
    }
    std::vector<std::string> ReadSections(const std::string& f) override { return inner.ReadSections(f); }
    std::vector<std::string> ReadKeys(const std::string& f, const std::string& s) override {
        return inner.ReadKeys(f, s);
    }
};

}  // namespace

TEST_F(WakeDatesFile, LoadFollowsTheCounterAndTheProfileRules) {
    const std::string longValue(3000, 'x');
    struct Case {
        const char* name;
        std::string file;
        Entries expected;
    } cases[] = {
        {"no section", "[Position]\r\nLeft=3\r\n", {}},
        {"no counter", "[Weckzeiten]\r\n0=a\r\n", {}},
        {"counter -1", "[Weckzeiten]\r\nZähler=-1\r\n0=a\r\n", {}},
        {"negative counter", "[Weckzeiten]\r\nZähler=-7\r\n0=a\r\n", {}},
        {"empty counter", "[Weckzeiten]\r\nZähler=\r\n0=a\r\n", {}},
        {"not a number", "[Weckzeiten]\r\nZähler=1x\r\n0=a\r\n", {}},
        {"hex prefix only", "[Weckzeiten]\r\nZähler=0x\r\n0=a\r\n", {}},
        {"above int", "[Weckzeiten]\r\nZähler=2147483648\r\n0=a\r\n", {}},
        {"far above int", "[Weckzeiten]\r\nZähler=99999999999999999999\r\n0=a\r\n", {}},
        {"hex above int", "[Weckzeiten]\r\nZähler=0x80000000\r\n0=a\r\n", {}},
        {"decimal", "[Weckzeiten]\r\nZähler=1\r\n0=b\r\n1=a\r\n2=c\r\n", {"a", "b"}},
        {"plus sign", "[Weckzeiten]\r\nZähler=+1\r\n0=b\r\n1=a\r\n", {"a", "b"}},
        {"hexadecimal", "[Weckzeiten]\r\nZähler=0X1\r\n0=b\r\n1=a\r\n", {"a", "b"}},
        {"missing key", "[Weckzeiten]\r\nZähler=2\r\n0=c\r\n2=a\r\n", {"", "a", "c"}},
        {"leading zeros are other keys", "[Weckzeiten]\r\nZähler=1\r\n00=a\r\n01=b\r\n", {"", ""}},
        {"names in any case", "[WECKZEITEN]\r\nZ\xC4HLER=0\r\n0=a\r\n", {"a"}},
        {"first match wins", "[Weckzeiten]\r\nZähler=0\r\n0=a\r\n0=b\r\n[Weckzeiten]\r\nZähler=1\r\n", {"a"}},
        {"trimmed and unquoted", "[Weckzeiten]\r\n Zähler = 1 \r\n0 =  \"  b \"  \r\n1='a'\r\n", {"  b ", "a"}},
        {"values cut", "[Weckzeiten]\r\nZähler=0\r\n0=" + longValue + "\r\n", {longValue.substr(0, 2047)}},
        {"entries sort by text, duplicates kept",
         "[Weckzeiten]\r\nZähler=2\r\n0=15.01.2027 (06:00)\r\n1=01.02.2027 (06:00)\r\n2=15.01.2027 (06:00)\r\n",
         {"01.02.2027 (06:00)", "15.01.2027 (06:00)", "15.01.2027 (06:00)"}},
    };
    EXPECT_TRUE(Load().empty()) << "no file";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Given(c.file);
        list.Add("left over");
        EXPECT_EQ(Load(), c.expected);
    }
}

TEST_F(WakeDatesFile, AHugeCounterLoadsAtMostTheLimitAndSavesQuickly) {
    for (const char* counter : {"2000000000", "0x7FFFFFFF", "2147483647"}) {
        SCOPED_TRACE(counter);
        Given(std::string("[Weckzeiten]\r\nZähler=") + counter + "\r\n0=a\r\n9999=b\r\n10000=c\r\n7=d\r\n01=e\r\n");
        const Entries loaded = Load();
        ASSERT_EQ(loaded.size(), static_cast<std::size_t>(kMaxWakeDates));
        EXPECT_EQ(loaded.end()[-3], "a");
        EXPECT_EQ(loaded.end()[-2], "b");
        EXPECT_EQ(loaded.end()[-1], "d");
        // Only the numbered keys the section holds are deleted, however large the counter.
        Save({"x"});
        EXPECT_EQ(Content(), "[Weckzeiten]\r\nZähler=0\r\n0=x\r\n01=e\r\n");
    }
}

TEST_F(WakeDatesFile, TenThousandDatesOverADamagedCounterAreWrittenInOneStep) {
    Given("[Position]\r\nLeft=3\r\n[Weckzeiten]\r\nZähler=2147483647\r\n0=a\r\n012=kept\r\n");
    ASSERT_EQ(Load().size(), static_cast<std::size_t>(kMaxWakeDates));
    CountingIni ini(p.ini);
    platform::Platform q{p.registry, p.files, ini,   p.process, p.desktop, p.desktop,
                         p.desktop,  p.volume, p.sound, p.clock, p.system, p.dialogs, p.app};
    const std::uint64_t writesBefore = p.files.writeCount;
    SaveWakeDates(q, list);
    EXPECT_EQ(ini.changes, 0) << "each change through the profile functions rewrites the file";
    EXPECT_EQ(p.files.writeCount - writesBefore, 2u) << "the working copy made, then written once";
    const std::string start = "[Position]\r\nLeft=3\r\n[Weckzeiten]\r\nZähler=9999\r\n0=\r\n";
    EXPECT_EQ(Content().substr(0, start.size()), start);
    EXPECT_EQ(Content().substr(Content().size() - 20), "\r\n9999=a\r\n012=kept\r\n");
    EXPECT_EQ(Load().size(), static_cast<std::size_t>(kMaxWakeDates));
}

TEST_F(WakeDatesFile, SaveReplacesTheCoveredKeysAndLeavesTheRest) {
    struct Case {
        const char* name;
        const char* before;  // nullptr: no file
        Entries entries;
        const char* after;
    } cases[] = {
        {"new file", nullptr, {"15.01.2027 (06:00)", "01.02.2027 (06:00)", "01.02.2027 (06:00)"},
         "[Weckzeiten]\r\nZähler=2\r\n0=01.02.2027 (06:00)\r\n1=01.02.2027 (06:00)\r\n2=15.01.2027 (06:00)\r\n"},
        {"empty list", nullptr, {}, "[Weckzeiten]\r\nZähler=-1\r\n"},
        {"longer old list",
         "[Position]\r\nLeft=3\r\n[Weckzeiten]\r\nZähler=4\r\n0=a\r\n1=b\r\n2=c\r\n3=d\r\n4=e\r\n[Other]\nx = 1", {"p", "q"},
         "[Position]\r\nLeft=3\r\n[Weckzeiten]\r\nZähler=1\r\n0=p\r\n1=q\r\n[Other]\nx = 1"},
        {"keys above the counter", "[Weckzeiten]\r\nZähler=1\r\n0=a\r\n1=b\r\n2=c\r\n3=d\r\n", {"x"},
         "[Weckzeiten]\r\nZähler=0\r\n0=x\r\n2=c\r\n3=d\r\n"},
        {"counter not a number", "[Weckzeiten]\r\nZähler=abc\r\n0=a\r\n1=b\r\n2=c", {"x"},
         "[Weckzeiten]\r\nZähler=0\r\n0=x\r\n1=b\r\n2=c"},
        {"section elsewhere, no final line end", "[Position]\nTop=4\n[weckzeiten]\nzähler=0x1\n0=a\n1=b", {},
         "[Position]\nTop=4\n[weckzeiten]\nZähler=-1\r\n"},
        {"texts the profile rules would change", nullptr, {" lead", "'q'", "tail "},
         "[Weckzeiten]\r\nZähler=2\r\n0=\" lead\"\r\n1=\"'q'\"\r\n2=\"tail \"\r\n"},
        {"no section yet", "[Position]\r\nTop=4", {"x"}, "[Position]\r\nTop=4\r\n[Weckzeiten]\r\nZähler=0\r\n0=x\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        p.files.DeleteFile(kIni);
        if (c.before) Given(c.before);
        Save(c.entries);
        EXPECT_EQ(Content(), c.after);
        EXPECT_TRUE(TempFiles().empty());
        const Entries sorted = list.Entries();
        EXPECT_EQ(Load(), sorted);
    }
}

TEST_F(WakeDatesFile, AFailedSaveLeavesTheOldFileAsItWas) {
    const std::string before = "[Position]\r\nLeft=3\r\n[Weckzeiten]\r\nZähler=2\r\n0=a\r\n1=b\r\n2=c\r\n";
    struct Case {
        const char* name;
        std::function<void(fake::FakePlatform&)> setUp;
    } cases[] = {
        {"writes fail", [](fake::FakePlatform& f) { f.files.failWrites = true; }},
        {"read-only file", [](fake::FakePlatform& f) { f.files.SetAttributes(kIni, platform::AttrReadOnly); }},
        {"file in use", [](fake::FakePlatform& f) { f.files.Lock(kIni); }},
        {"file larger than the limit", [&](fake::FakePlatform& f) {
             f.files.AddFile(kIni, before + std::string(kMaxIniFileSize, ';'));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fake::FakePlatform f;
        f.files.AddFile(kIni, before);
        c.setUp(f);
        const std::string old = f.files.Content(kIni);
        const std::uint32_t attributes = f.files.Attributes(kIni);
        TWakeDateList dates(f.system);
        LoadWakeDates(f, dates);
        EXPECT_EQ(dates.Count(), old == before ? 3u : 0u) << "a file larger than the limit is not read";
        for (const char* e : {"x", "y", "z"}) dates.Add(e);
        try {
            SaveWakeDates(f, dates);
            ADD_FAILURE() << "no error";
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(std::string(e.what()), std::string("Unable to write to ") + kIni);
        }
        EXPECT_EQ(f.files.Content(kIni), old);
        EXPECT_EQ(f.files.Attributes(kIni), attributes);
        EXPECT_TRUE(f.files.FindFiles(kFolder, "*.tmp").empty());
    }
}

TEST_F(WakeDatesFile, EntryTextAndSortedList) {
    struct Format {
        TWakeDate date;
        const char* text;
    } formats[] = {
        {{5, 1, 2027, "06:45", ""}, "05.01.2027 (06:45)"},
        {{15, 12, 2099, " 7:05", "Early shift"}, "15.12.2099 ( 7:05) - Early shift"},
    };
    for (const Format& f : formats) {
        EXPECT_EQ(FormatWakeDate(f.date), f.text);
        TWakeDate back;
        ASSERT_TRUE(ParseWakeDate(f.text, back)) << f.text;
        EXPECT_EQ(FormatWakeDate(back), f.text);
    }
    TWakeDate kept{3, 4, 2030, "01:02", "kept"};
    for (const char* damaged : {"", "32.01.2027 (06:45)", "05.13.2027 (06:45)", "ab.01.2027", "05.01.0000", "05.01.20"})
        EXPECT_FALSE(ParseWakeDate(damaged, kept)) << damaged;
    EXPECT_EQ(FormatWakeDate(kept), "03.04.2030 (01:02) - kept");

    // Adding before the selection moves it along; a replaced entry stays selected at its new
    // place; deleting clears the selection.
    list.Add("15.01.2027 (06:00)");
    list.Add("20.01.2027 (06:00)");
    list.selected = 0;
    list.Add("01.02.2027 (06:00)");
    EXPECT_EQ(list.Entries(), (Entries{"01.02.2027 (06:00)", "15.01.2027 (06:00)", "20.01.2027 (06:00)"}));
    EXPECT_EQ(list.selected, 1);
    list.Replace(1, "30.01.2027 (06:00)");
    EXPECT_EQ(list.Entries(), (Entries{"01.02.2027 (06:00)", "20.01.2027 (06:00)", "30.01.2027 (06:00)"}));
    EXPECT_EQ(list.selected, 2);
    list.Replace(2, "01.02.2027 (06:00)");
    EXPECT_EQ(list.Entries(), (Entries{"01.02.2027 (06:00)", "01.02.2027 (06:00)", "20.01.2027 (06:00)"}));
    EXPECT_EQ(list.selected, 1);
    list.Delete(0);
    EXPECT_EQ(list.Entries(), (Entries{"01.02.2027 (06:00)", "20.01.2027 (06:00)"}));
    EXPECT_EQ(list.selected, -1);
}

// "Wiederholung" holds, under an entry's key, the weekdays it repeats on: the keys follow the
// entries through the sort and a deletion, and the file's other lines stay as they were.
TEST_F(WakeDatesFile, RepeatsAreStoredBesideTheirEntries) {
    using Repeats = std::vector<TWeekdays>;
    const std::string head = "[Position]\r\nLeft=3\r\n[Weckzeiten]\r\nZähler=2\r\n0=15.01.2027 (06:00)\r\n"
                             "1=01.02.2027 (07:00)\r\n2=20.01.2027 (08:00)\r\n";
    struct LoadCase {
        const char* name;
        std::string repeats;  // the rest of the file
        Repeats expected;     // in the list's order: 01.02., 15.01., 20.01.
    } loads[] = {
        {"old file without the section", "", {0, 0, 0}},
        {"keys follow the sort", "[Wiederholung]\r\n0=1111100\r\n1=0000011\r\n", {0x60, kWorkdays, 0}},
        {"no 1 is a single date", "[Wiederholung]\r\n0=0000000\r\n2=1111111\r\n", {0, 0, kEveryDay}},
        {"damaged values", "[Wiederholung]\r\n0=111110\r\n1=11111000\r\n2=1111x00\r\n", {0, 0, 0}},
        {"blanks and quotes as the profile rules read them", "[wiederholung]\r\n 0 = \"1010000\" \r\n", {0, 0x05, 0}},
        {"keys beyond the entries, leading zeros, first wins",
         "[Wiederholung]\r\n3=1111111\r\n01=1111111\r\n2=1000000\r\n2=0100000\r\n", {0, 0, 0x01}},
    };
    for (const LoadCase& c : loads) {
        SCOPED_TRACE(c.name);
        Given(head + c.repeats);
        Load();
        EXPECT_EQ(list.Repeats(), c.expected);
    }

    // A save over the last file: the section's numbered keys are rewritten, its comment and the
    // sections after it stay byte for byte.
    Given(head + "[Wiederholung]\r\n;note\r\n0=1111100\r\n7=1111111\r\n[Tail]\nx = 1");
    Load();
    list.Add("03.01.2027 (05:30)", kEveryDay);  // second, after 01.02.2027
    list.Delete(0);                              // 01.02.2027, which had none
    SaveWakeDates(p, list);
    EXPECT_EQ(Content(), "[Position]\r\nLeft=3\r\n[Weckzeiten]\r\nZähler=2\r\n0=03.01.2027 (05:30)\r\n"
                         "1=15.01.2027 (06:00)\r\n2=20.01.2027 (08:00)\r\n"
                         "[Wiederholung]\r\n0=1111111\r\n1=1111100\r\n;note\r\n[Tail]\nx = 1");
    Load();
    EXPECT_EQ(list.Repeats(), (Repeats{kEveryDay, kWorkdays, 0}));

    // No repeating entry: an existing section loses its keys, none is made for an old file.
    list.Replace(0, "03.01.2027 (05:30)");
    list.Replace(1, "15.01.2027 (06:00)");
    SaveWakeDates(p, list);
    EXPECT_NE(Content().find("[Wiederholung]\r\n;note\r\n[Tail]"), std::string::npos) << Content();
    p.files.DeleteFile(kIni);
    Given(head);
    Load();
    SaveWakeDates(p, list);
    EXPECT_EQ(Content().find("Wiederholung"), std::string::npos) << Content();
}

TEST_F(WakeDatesFile, WeekdayTexts) {
    for (const char* bad : {"", "111110", "11111000", "1111x00", "1111 00", "0000000"})
        EXPECT_EQ(ParseWeekdays(bad), kNoRepeat) << bad;
    for (TWeekdays days : {kWorkdays, kEveryDay, 0x60u, 0x01u, 0x40u})
        EXPECT_EQ(ParseWeekdays(FormatWeekdays(days)), days);
    EXPECT_EQ(FormatWeekdays(kWorkdays), "1111100");
}
