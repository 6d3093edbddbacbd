// The in-memory INI reader that the agent, the wake dates and the native tests rely on, against
// the system's own GetPrivateProfileStringA, on generated files full of the odd cases real files
// hold.
#include "E2eSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/fake/FakeFileSystem.h"
#include "platform/IniText.h"
#include "platform/fake/FakeIniFiles.h"

namespace {

const char* const kSections[] = {"Deutsch", "English", "Länge", "ÜBER", "a b", "Mine"};
const char* const kKeys[] = {"1", "2", "81", "Zähler", "Öl", "key", "x y"};
const char* const kLetters[] = {"a", "Z", "ä", "Ä", "ö", "Ü", "ß", "´", "é", " ", "=", "[", "]", "'", "\"", "1"};
// What a lookup gets when nothing is found; without blanks, which the system cuts from it.
const char* const kNotFound = "<none>";

struct Lookup {
    std::string section;
    std::string key;
};

struct GeneratedFile {
    std::string content;
    std::vector<Lookup> lookups;
};

// Upper or lower case for some of the ASCII letters. Wine folds only those; Windows folds the
// code page's own letters as well ("Ä" and "ä"), and the fake follows Windows there.
std::string ChangeCase(const std::string& name, std::mt19937& random) {
    std::string changed = name;
    for (char& c : changed) {
        if (random() % 2 != 0) continue;
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return changed;
}

class Generator {
public:
    explicit Generator(unsigned seed) : random_(seed) {}

    GeneratedFile Next() {
        GeneratedFile file;
        std::string& text = file.content;
        std::vector<Lookup> written;
        for (int i = Below(3); i > 0; --i) text += Line(Below(2) ? "  just a comment" : "k=before any section");
        for (int sections = Below(5) + 1; sections > 0; --sections) {
            const std::string tail = Below(8) ? "]" : "]x]";  // the name runs to the last "]"
            const std::string section = Pick(kSections);
            text += Line(Blanks() + "[" + Blanks() + Name(section) + Blanks() + tail + Blanks());
            for (int lines = Below(9); lines > 0; --lines) {
                switch (Below(9)) {
                case 0: text += Line(""); break;
                case 1: text += Line(Blanks() + Name(Pick(kKeys)) + Blanks()); break;  // no "="
                case 2: text += Line(";" + Name(Pick(kKeys)) + "=" + Value()); break;
                default: {
                    const std::string key = Pick(kKeys);
                    text += Line(Blanks() + Name(key) + Blanks() + "=" + Blanks() + Value() + Blanks());
                    written.push_back({section, key});
                }
                }
            }
        }
        if (Below(3) == 0 && !text.empty()) text.erase(text.find_last_not_of("\r\n") + 1);
        for (int i = 0; i < 10; ++i) {
            // Mostly names the file holds, some of them in another case.
            Lookup lookup{Pick(kSections), Pick(kKeys)};
            if (!written.empty() && Below(4) != 0)
                lookup = written[static_cast<std::size_t>(Below(static_cast<int>(written.size())))];
            lookup = {Name(lookup.section), Name(lookup.key)};
            if (Below(6) == 0) lookup.key = Blanks() + lookup.key + " ";
            if (Below(6) == 0) lookup.key = ";" + lookup.key;
            file.lookups.push_back(lookup);
        }
        return file;
    }

private:
    int Below(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }
    template <std::size_t N>
    std::string Pick(const char* const (&names)[N]) { return names[Below(static_cast<int>(N))]; }
    std::string Name(const std::string& name) { return Below(2) ? name : ChangeCase(name, random_); }
    std::string Blanks() {
        static const char* const kBlanks[] = {"", "", "", " ", "  ", "\t", " \t "};
        return Pick(kBlanks);
    }
    std::string Line(const std::string& text) {
        static const char* const kEnds[] = {"\r\n", "\r\n", "\r\n", "\n", "\n", "\r"};
        return text + Pick(kEnds);
    }
    std::string Value() {
        std::string value;
        const int length = Below(10) == 0 ? 2000 + Below(1100) : Below(12);
        for (int i = 0; i < length; ++i) value += Pick(kLetters);
        switch (Below(6)) {
        case 0: return "\"" + value + "\"";
        case 1: return "'" + value + "'";
        case 2: return "\"" + value;
        case 3: return "";
        default: return value;
        }
    }

    std::mt19937 random_;
};

// A file's bytes as C escapes, so that a failure shows blanks and line ends.
std::string Shown(const std::string& text) {
    std::string shown;
    for (char c : text) {
        if (c == '\r') shown += "\\r";
        else if (c == '\n') shown += "\\n\n";
        else if (c == '\t') shown += "\\t";
        else shown += c;
    }
    return shown;
}

std::string SystemRead(const std::string& file, const Lookup& lookup, DWORD size) {
    std::string buffer(size, '\0');
    const DWORD length = GetPrivateProfileStringA(lookup.section.c_str(), lookup.key.c_str(), kNotFound,
                                                  &buffer[0], size, file.c_str());
    buffer.resize(length);
    return buffer;
}

TEST(IniDifferential, FakeReaderReadsAsTheSystemDoes) {
    e2e::TempFolder temp;
    fake::FakeFileSystem files;
    fake::FakeIniFiles ini(files);
    const std::string fakeFile = "C:\\Generated.ini";
    Generator generator(20260412);
    std::size_t compared = 0, lookedUp = 0;
    int found = 0;
    for (int n = 0; n < 40; ++n) {
        const GeneratedFile generated = generator.Next();
        lookedUp += generated.lookups.size();
        // A name of its own for each file: the system keeps read files cached by name and time.
        const std::string file = temp.File("generated" + std::to_string(n) + ".ini");
        ASSERT_TRUE(e2e::WriteTextFile(file, generated.content));
        files.AddFile(fakeFile, generated.content);
        const platform::IniText parsed(generated.content);
        for (const Lookup& lookup : generated.lookups) {
            const std::string expected = SystemRead(file, lookup, 65536);
            const std::string actual = ini.ReadString(fakeFile, lookup.section, lookup.key, kNotFound);
            // The language file's reader cuts a text to what the system's 2048-byte buffer holds.
            const std::string cut = SystemRead(file, lookup, 2048);
            EXPECT_EQ(parsed.ReadString(lookup.section, lookup.key, kNotFound), expected);
            EXPECT_TRUE(expected == actual && cut == actual.substr(0, 2047))
                << "file " << n << ", [" << lookup.section << "] " << lookup.key << "\n"
                << "system: \"" << Shown(expected) << "\" (" << expected.size() << ")\n"
                << "fake:   \"" << Shown(actual) << "\" (" << actual.size() << ")\n"
                << "system, 2048 bytes: " << cut.size() << "\n"
                << "--- file ---\n" << Shown(generated.content);
            ++compared;
            found += expected != kNotFound;
        }
    }
    // Every lookup generated was compared, and there were some.
    EXPECT_EQ(compared, lookedUp);
    EXPECT_GT(lookedUp, 0u);
    EXPECT_GT(found, 100) << "the generated files should hold most of the names looked up";
}

}  // namespace
