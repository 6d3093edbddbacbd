// The program's own INI rules (platform::IniText and its section writer, as the fake INI files use
// them) against the system's private-profile functions, on generated files full of the odd cases
// real files hold: values read, section and key lists, keys written, changed and deleted,
// sections erased, and sections the program writes whole read back by the system.
#include "E2eSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "platform/IniText.h"
#include "platform/fake/FakeFileSystem.h"
#include "platform/fake/FakeIniFiles.h"

namespace {

// Where the program's rules and Wine's differ, Wine is the one that differs from Windows; the
// test then gives the system a file and names that Windows would read as it reads the real ones,
// or leaves the case out. (Windows, as others have measured it, also differs from both in rules
// no comparison here can show: a section name ends at the first "]", a "[" line without "]"
// opens a section, and an erased section leaves its comment lines.)
struct Exception {
    const char* what;
    const char* reason;
    std::size_t cases;  // how often it arose
};
enum { kAccentedCase, kUtf8Mark, kBlankSection, kRewrite, kRewriteBlankSection, kBlankFirstKey, kLaterDuplicate };
Exception exceptions[] = {
    {"accented letters' case",
     "Windows compares names without regard to the case of the code page's letters, '\xC4' is '\xE4'; Wine "
     "folds ASCII letters only. The system gets files and names with those letters in lower case.", 0},
    {"UTF-8 byte-order mark",
     "Windows reads such a file in the ANSI code page, the mark three characters of the first line, "
     "which then opens no section; Wine decodes UTF-8. The system gets the mark as '~', read alike.", 0},
    {"lookups in a \"[]\" section",
     "Windows finds keys of a section named \"\"; Wine never does (a todo_wine in its own tests). "
     "Not compared.", 0},
    {"bytes written into a free-form file",
     "Windows changes only the line a write concerns; Wine writes the whole file anew from what it "
     "parsed (blank lines and blanks dropped, CR LF line ends, \"[]\" lost). Bytes are compared for "
     "files Wine writes back as they were, the others by what both read back.", 0},
    {"writes into a free-form file with a \"[]\" section",
     "Wine's rewrite drops the \"[]\" line, and its keys become keys of the section before. Not compared.", 0},
    {"key lists that start with a blank name",
     "Wine lists the blank name first, which ends the list, and gives the default instead. Not compared.", 0},
    {"deleting a key the first section of its name lacks",
     "Wine deletes it from a later section of that name; the program keeps to the first section, as "
     "every read does. Not compared.", 0},
};

// Upper case letters of Windows-1252 and their lower case, as Windows folds names.
const std::string kUpper = "\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF\xD0\xD1\xD2\xD3\xD4\xD5\xD6"
                           "\xD8\xD9\xDA\xDB\xDC\xDD\xDE\x8A\x8C\x8E\x9F";
const std::string kLower = "\xE0\xE1\xE2\xE3\xE4\xE5\xE6\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF\xF0\xF1\xF2\xF3\xF4\xF5\xF6"
                           "\xF8\xF9\xFA\xFB\xFC\xFD\xFE\x9A\x9C\x9E\xFF";

std::string LowerAccents(std::string text) {
    for (char& c : text)
        if (const auto at = kUpper.find(c); at != std::string::npos) c = kLower[at];
    return text;
}

const char* const kSections[] = {"Deutsch", "English", "L\xE4nge", "\xDC" "BER", "a b", "Mine", "\xC9t\xE9",
                                 "\x8A\xFF", ""};
const char* const kKeys[] = {"1", "2", "81", "Z\xE4hler", "\xD6l", "key", "x y", "\xDF", "\x9F" "a", ""};
const char* const kLetters[] = {"a", "Z", "\xE4", "\xC4", "\xF6", "\xDC", "\xDF", "\xB4", "\xE9", "\x80", " ", "=", "[",
                                "]", "'", "\"", "1", ";"};
// What a lookup gets when nothing is found; the system cuts the spaces it ends in.
const char* const kNotFound = " <none>  ";
const std::string kUtf8Mark8 = "\xEF\xBB\xBF", kUtf16Mark = "\xFF\xFE";

enum class Encoding { Ansi, Utf8Mark, Utf16 };
const Encoding kEncodings[] = {Encoding::Ansi, Encoding::Ansi, Encoding::Utf8Mark, Encoding::Utf16};

// The operations tried on every file, each on a copy of its own.
enum class Operation { WriteExisting, WriteNew, WriteNewSection, DeleteKey, EraseSection, ReplaceSection };
const struct {
    Operation operation;
    const char* name;
} kOperations[] = {{Operation::WriteExisting, "write a key it holds"}, {Operation::WriteNew, "write a new key"},
                   {Operation::WriteNewSection, "write a new section"}, {Operation::DeleteKey, "delete a key"},
                   {Operation::EraseSection, "erase a section"},
                   {Operation::ReplaceSection, "replace a section whole"}};
constexpr int kFiles = 48;
constexpr int kLookups = 10;  // values read in each file
constexpr int kLists = 3;     // the section list and the key lists of two sections

struct Lookup {
    std::string section;
    std::string key;
};

struct GeneratedFile {
    std::string text;  // Windows-1252
    std::vector<Lookup> lookups, written;
    // Lines Wine writes back as they were: CR LF ends, no blanks, no blank lines or names.
    bool canonical = false;
};

std::string Trimmed(const std::string& value) {
    const auto b = value.find_first_not_of(' '), e = value.find_last_not_of(' ');
    return b == std::string::npos ? "" : value.substr(b, e - b + 1);
}

// A value as the system reads it back: one pair of enclosing quotes taken off.
std::string Unquoted(const std::string& value) {
    const bool quoted = value.size() >= 2 && value.front() == value.back() && (value[0] == '"' || value[0] == '\'');
    return quoted ? value.substr(1, value.size() - 2) : value;
}

class Generator {
public:
    explicit Generator(unsigned seed) : random_(seed) {}

    GeneratedFile Next(bool canonical) {
        canonical_ = canonical;
        GeneratedFile file;
        file.canonical = canonical;
        std::string& text = file.text;
        for (int i = Below(3); i > 0; --i) text += Line(Below(2) ? "just a comment" : "k=before any section");
        for (int sections = Below(5) + 1; sections > 0; --sections) {
            std::string section = Pick(kSections);
            if (canonical && section.empty()) section = "Mine";
            switch (Below(10)) {
            case 0: text += Line(Blanks() + "[" + Name(section)); break;  // no "]": a key line
            case 1: text += Line(Blanks() + "[" + Name(section) + "]x]"); break;  // to the last "]"
            default: text += Line(Blanks() + "[" + Blanks() + Name(section) + Blanks() + "]" + Blanks());
            }
            for (int lines = Below(9); lines > 0; --lines) {
                std::string key = Pick(kKeys);
                if (canonical && key.empty()) key = "key";
                switch (Below(9)) {
                case 0: if (!canonical) text += Line(""); break;
                case 1: if (!key.empty()) text += Line(Blanks() + Name(key) + Blanks()); break;  // no "="
                case 2: text += Line(";" + Name(key) + "=" + Value()); break;
                default:
                    text += Line(Blanks() + Name(key) + Blanks() + "=" + Blanks() + Value() + Blanks());
                    file.written.push_back({section, key});
                }
            }
        }
        if (!canonical && Below(3) == 0 && !text.empty()) text.erase(text.find_last_not_of("\r\n") + 1);
        for (int i = 0; i < kLookups; ++i) {
            Lookup lookup = Known(file);
            if (Below(6) == 0) lookup.key = Blanks() + lookup.key + " ";  // the system trims names looked up
            if (Below(6) == 0) lookup.key = ";" + lookup.key;
            file.lookups.push_back(lookup);
        }
        return file;
    }

    // Mostly names the file holds, some of them in another case.
    Lookup Known(const GeneratedFile& file) {
        Lookup lookup{Pick(kSections), Pick(kKeys)};
        if (!file.written.empty() && Below(4) != 0)
            lookup = file.written[static_cast<std::size_t>(Below(static_cast<int>(file.written.size())))];
        return {Name(lookup.section), Name(lookup.key)};
    }
    std::string WrittenValue() { return Trimmed(Value()); }
    int Below(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }

private:
    template <std::size_t N>
    std::string Pick(const char* const (&names)[N]) { return names[Below(static_cast<int>(N))]; }
    // The name in another case now and then, ASCII and accented letters alike.
    std::string Name(std::string name) {
        if (Below(2)) return name;
        for (char& c : name) {
            if (Below(2)) continue;
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
            else if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
            else if (const auto up = kUpper.find(c); up != std::string::npos) c = kLower[up];
            else if (const auto low = kLower.find(c); low != std::string::npos) c = kUpper[low];
        }
        return name;
    }
    std::string Blanks() {
        static const char* const kBlanks[] = {"", "", "", " ", "  ", "\t", " \t "};
        return canonical_ ? "" : Pick(kBlanks);
    }
    std::string Line(const std::string& text) {
        static const char* const kEnds[] = {"\r\n", "\r\n", "\r\n", "\n", "\n", "\r"};
        return text + (canonical_ ? "\r\n" : Pick(kEnds));
    }
    std::string Value() {
        std::string value;
        const int length = Below(10) == 0 ? 2000 + Below(1100) : Below(12);
        for (int i = 0; i < length; ++i) value += Pick(kLetters);
        if (canonical_) value = Trimmed(value);
        switch (Below(6)) {
        case 0: return "\"" + value + "\"";
        case 1: return "'" + value + "'";
        case 2: return "\"" + value;
        case 3: return "";
        default: return value;
        }
    }

    std::mt19937 random_;
    bool canonical_ = false;
};

std::string ToUtf16(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    const int size = static_cast<int>(text.size());
    wide.resize(static_cast<std::size_t>(MultiByteToWideChar(1252, 0, text.data(), size, &wide[0], size)));
    return kUtf16Mark + std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
}

std::string FromUtf16(const std::string& bytes) {
    const std::wstring wide(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
    const int size = static_cast<int>(wide.size());
    std::string text(wide.size(), '\0');
    text.resize(
        static_cast<std::size_t>(WideCharToMultiByte(1252, 0, wide.data(), size, &text[0], size, nullptr, nullptr)));
    return text;
}

std::string Encode(const std::string& text, Encoding encoding) {
    switch (encoding) {
    case Encoding::Utf8Mark: return kUtf8Mark8 + text;
    case Encoding::Utf16: return ToUtf16(text);
    default: return text;
    }
}

// A file's bytes as the system is to get them so that it reads them as Windows reads the real
// ones (the exceptions above).
std::string ForSystem(const std::string& bytes) {
    if (bytes.compare(0, 3, kUtf8Mark8) == 0) return "~" + LowerAccents(bytes.substr(3));
    if (bytes.compare(0, 2, kUtf16Mark) == 0) return ToUtf16(LowerAccents(FromUtf16(bytes)));
    return LowerAccents(bytes);
}

// A file's bytes as C escapes, so that a failure shows blanks and line ends.
std::string Shown(const std::string& text) {
    std::string shown;
    for (char c : text) {
        if (c == '\r') shown += "\\r";
        else if (c == '\n') shown += "\\n\n";
        else if (c == '\t') shown += "\\t";
        else if (c == '\0') shown += "\\0";
        else shown += c;
    }
    return shown;
}

std::string SystemRead(const std::string& file, const char* section, const char* key, DWORD size) {
    std::string buffer(size, '\0');
    const DWORD length = GetPrivateProfileStringA(section, key, kNotFound, &buffer[0], size, file.c_str());
    buffer.resize(length);
    return buffer;
}

// A list of names the system gives, as the Windows layer splits it: blank names left out.
std::vector<std::string> SystemList(const std::string& file, const std::string* section) {
    const DWORD size = 1 << 20;
    std::string buffer(size, '\0');
    const DWORD length = section ? GetPrivateProfileStringA(section->c_str(), nullptr, "", &buffer[0], size, file.c_str())
                                 : GetPrivateProfileSectionNamesA(&buffer[0], size, file.c_str());
    std::vector<std::string> names;
    for (std::size_t start = 0; start < length;) {
        const std::size_t end = buffer.find('\0', start);
        if (end > start) names.push_back(buffer.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

std::vector<std::string> LowerAccents(std::vector<std::string> names) {
    for (std::string& name : names) name = LowerAccents(name);
    return names;
}

std::string Joined(const std::vector<std::string>& names) {
    std::string joined;
    for (const std::string& name : names) joined += "|" + name;
    return joined;
}

// Whether the first key the system lists of that section has a blank name.
bool StartsWithBlankKey(const std::string& stored, const std::string& name) {
    const platform::IniText ini(stored);
    if (const platform::IniText::Section* section = ini.FindSection(name))
        for (const platform::IniText::Key& key : section->keys)
            if (key.hasValue && (key.name.empty() || key.name[0] != ';')) return key.name.empty();
    return false;
}

bool HasBlankSection(const std::string& stored) {
    const platform::IniText ini(stored);
    for (const platform::IniText::Section& section : ini.Sections())
        if (section.name.empty()) return true;
    return false;
}

// Whether the first section of that name lacks the key and a later one of the name holds it.
bool OnlyInALaterSection(const std::string& stored, const std::string& section, const std::string& key) {
    const platform::IniText ini(stored);
    const std::string wanted = platform::FoldIniName(section), wantedKey = platform::FoldIniName(key);
    int seen = 0;
    for (const platform::IniText::Section& s : ini.Sections()) {
        if (s.folded != wanted) continue;
        bool holds = false;
        for (const platform::IniText::Key& k : s.keys) holds = holds || k.folded == wantedKey;
        if (seen++ == 0 && holds) return false;
        if (holds) return true;
    }
    return false;
}

// What the system does to a file copy; false when the call failed.
bool SystemOperation(Operation operation, const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value) {
    const std::string s = LowerAccents(section), k = LowerAccents(key), v = LowerAccents(value);
    BOOL done;
    switch (operation) {
    case Operation::DeleteKey: done = WritePrivateProfileStringA(s.c_str(), k.c_str(), nullptr, file.c_str()); break;
    case Operation::EraseSection: done = WritePrivateProfileStringA(s.c_str(), nullptr, nullptr, file.c_str()); break;
    default: done = WritePrivateProfileStringA(s.c_str(), k.c_str(), v.c_str(), file.c_str());
    }
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());  // flushes the system's cache
    return done != 0;
}

TEST(IniDifferential, TheProgramsRulesReadAndWriteAsTheSystemDoes) {
    e2e::TempFolder temp;
    const std::string fakeFile = "C:\\Generated.ini";
    Generator generator(20260412);
    std::size_t compared = 0, bytesCompared = 0;
    int found = 0;
    const auto check = [&](bool same, const std::string& what, const std::string& system, const std::string& program,
                           const std::string& content) {
        ++compared;
        std::size_t at = 0;
        while (at < system.size() && at < program.size() && system[at] == program[at]) ++at;
        EXPECT_TRUE(same) << what << "\nfirst difference at " << at << "\n"
                          << "system:  \"" << Shown(system) << "\" (" << system.size() << ")\n"
                          << "program: \"" << Shown(program) << "\" (" << program.size() << ")\n"
                          << "--- file ---\n" << Shown(content);
    };
    for (int n = 0; n < kFiles; ++n) {
        const GeneratedFile generated = generator.Next(n % 2 == 0);
        const Encoding encoding = kEncodings[static_cast<std::size_t>(n / 2) % std::size(kEncodings)];
        const std::string stored = Encode(generated.text, encoding);
        exceptions[kUtf8Mark].cases += encoding == Encoding::Utf8Mark;
        const char* const kEncodingNames[] = {"", " (UTF-8 mark)", " (UTF-16)"};
        const std::string tag = "file " + std::to_string(n) + (generated.canonical ? " (CR LF only)" : "") +
                                kEncodingNames[static_cast<int>(encoding)];
        // A name of its own for each file: the system keeps read files cached by name and time.
        const std::string file = temp.File("generated" + std::to_string(n) + ".ini");
        ASSERT_TRUE(e2e::WriteTextFile(file, ForSystem(stored)));
        fake::FakeFileSystem files;
        fake::FakeIniFiles ini(files);
        files.AddFile(fakeFile, stored);

        for (const Lookup& lookup : generated.lookups) {
            if (platform::FoldIniName(lookup.section).empty()) {
                ++exceptions[kBlankSection].cases;
                continue;
            }
            const std::string section = LowerAccents(lookup.section), key = LowerAccents(lookup.key);
            exceptions[kAccentedCase].cases += section != lookup.section || key != lookup.key;
            const std::string expected = SystemRead(file, section.c_str(), key.c_str(), 65536);
            const std::string actual = ini.ReadString(fakeFile, lookup.section, lookup.key, kNotFound);
            // The language file's reader cuts a text to what the system's 2048-byte buffer holds.
            const std::string cut = SystemRead(file, section.c_str(), key.c_str(), 2048);
            check(expected == LowerAccents(actual) && cut == LowerAccents(actual).substr(0, 2047),
                  tag + ", [" + lookup.section + "] " + lookup.key + " (system, 2048 bytes: " +
                      std::to_string(cut.size()) + ")",
                  expected, actual, stored);
            found += expected != " <none>";
        }
        const std::vector<std::string> sections = ini.ReadSections(fakeFile);
        check(SystemList(file, nullptr) == LowerAccents(sections), tag + ", the section list",
              Joined(SystemList(file, nullptr)), Joined(sections), stored);
        for (int i = 1; i < kLists; ++i) {
            const Lookup lookup = generator.Known(generated);
            if (platform::FoldIniName(lookup.section).empty()) {
                ++exceptions[kBlankSection].cases;
                continue;
            }
            if (StartsWithBlankKey(stored, lookup.section)) {
                ++exceptions[kBlankFirstKey].cases;
                continue;
            }
            const std::string section = LowerAccents(lookup.section);
            const std::vector<std::string> keys = ini.ReadKeys(fakeFile, lookup.section);
            const std::vector<std::string> system = SystemList(file, &section);
            check(system == LowerAccents(keys), tag + ", the keys of [" + lookup.section + "]", Joined(system),
                  Joined(keys), stored);
        }

        for (std::size_t o = 0; o < std::size(kOperations); ++o) {
            const Operation operation = kOperations[o].operation;
            Lookup target = generator.Known(generated);
            if (platform::FoldIniName(target.section).empty() || platform::FoldIniName(target.key).empty())
                target = {"Mine", "key"};
            if (operation == Operation::WriteNew) target.key = "Neu" + target.key;
            if (operation == Operation::WriteNewSection) target.section = "Neu" + target.section;
            const std::string value = generator.WrittenValue();
            const std::string what =
                tag + ", " + kOperations[o].name + ": [" + target.section + "] " + target.key + "=" + value;
            const std::string copy = temp.File("changed" + std::to_string(n) + "-" + std::to_string(o) + ".ini");

            fake::FakeFileSystem changedFiles;
            fake::FakeIniFiles changed(changedFiles);
            changedFiles.AddFile(fakeFile, stored);
            if (operation == Operation::ReplaceSection) {
                // The program writes the section; the system must read back what it wrote.
                const std::string text = platform::ReplaceIniSection(
                    stored, target.section, {{target.key, value}, {"\xC4NDERUNG", "2"}}, nullptr);
                ASSERT_TRUE(e2e::WriteTextFile(copy, ForSystem(text)));
                const std::string section = LowerAccents(target.section);
                const std::string read = SystemRead(copy, section.c_str(), LowerAccents(target.key).c_str(), 65536) + "|" +
                                         SystemRead(copy, section.c_str(), "\xE4nderung", 65536);
                check(read == LowerAccents(Unquoted(value)) + "|2", what, read, value + "|2", text);
                continue;
            }
            if (operation == Operation::DeleteKey && OnlyInALaterSection(stored, target.section, target.key)) {
                ++exceptions[kLaterDuplicate].cases;
                continue;
            }
            ASSERT_TRUE(e2e::WriteTextFile(copy, ForSystem(stored)));
            bool done = false;
            switch (operation) {
            case Operation::DeleteKey: done = changed.DeleteKey(fakeFile, target.section, target.key); break;
            case Operation::EraseSection: done = changed.EraseSection(fakeFile, target.section); break;
            default: done = changed.WriteString(fakeFile, target.section, target.key, value);
            }
            const bool systemDone = SystemOperation(operation, copy, target.section, target.key, value);
            const std::string program = changedFiles.Content(fakeFile), system = e2e::ReadTextFile(copy);
            if (!generated.canonical && HasBlankSection(stored)) {
                ++exceptions[kRewriteBlankSection].cases;
            } else if (generated.canonical) {
                check(done == systemDone && ForSystem(program) == system, what + " (bytes)", system, program, stored);
                ++bytesCompared;
            } else {
                ++exceptions[kRewrite].cases;  // what both read back of the key and the lists
                const std::string section = LowerAccents(target.section);
                // The section's keys unless Wine's list of them is cut short (kBlankFirstKey).
                const bool listed = !StartsWithBlankKey(program, target.section);
                const std::string expected = SystemRead(copy, section.c_str(), LowerAccents(target.key).c_str(), 65536) +
                                             (listed ? Joined(SystemList(copy, &section)) : "") +
                                             Joined(SystemList(copy, nullptr));
                const std::string actual = changed.ReadString(fakeFile, target.section, target.key, kNotFound) +
                                           (listed ? Joined(changed.ReadKeys(fakeFile, target.section)) : "") +
                                           Joined(changed.ReadSections(fakeFile));
                check(done == systemDone && expected == LowerAccents(actual), what + " (read back)", expected, actual,
                      stored);
            }
        }
    }
    // Every case the tables make was compared or is one of the exceptions, and there were some.
    const std::size_t cases = kFiles * (kLookups + kLists + std::size(kOperations));
    std::size_t notCompared = 0;
    for (int skipped : {kBlankSection, kRewriteBlankSection, kBlankFirstKey, kLaterDuplicate})
        notCompared += exceptions[skipped].cases;
    EXPECT_EQ(compared + notCompared, cases);
    EXPECT_LT(notCompared, cases / 10);
    EXPECT_GT(bytesCompared, kFiles / 2 * (std::size(kOperations) - 2));
    EXPECT_GT(found, kFiles * kLookups / 3) << "the generated files should hold most of the names looked up";
    for (const Exception& exception : exceptions) {
        EXPECT_GT(exception.cases, 0u) << "the files never held a case of " << exception.what;
        std::printf("%s: %zu cases. %s\n", exception.what, exception.cases, exception.reason);
    }
    std::printf("%zu cases compared, %zu of them byte for byte\n", compared, bytesCompared);
}

}  // namespace
