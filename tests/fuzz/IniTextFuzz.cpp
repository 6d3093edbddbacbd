// The INI text reader and the section writer that the wake dates, the agent and the fake INI
// files share: any text parses, and a replaced section reads back what was written while every
// other section keeps its keys. The reader of the whole text finds what the writer, which goes
// line by line, finds.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/IniText.h"

namespace {

const char* const kSection = "Weckzeiten";
const char* const kCounter = "Z\xE4hler";
constexpr std::size_t kMostLookedUp = 8;

// The sections and keys of a text as the section writer and the fake INI files see its lines.
std::vector<platform::IniText::Section> LineByLine(const std::string& input) {
    std::vector<platform::IniText::Section> sections;
    for (const std::string& line : platform::SplitIniLines(input)) {
        const std::string text = line.substr(0, line.find_first_of("\r\n"));
        platform::IniText::Section section;
        if (platform::IniSectionName(text, section.name)) {
            sections.push_back(section);
            continue;
        }
        platform::IniText::Key key;
        if (!sections.empty() && platform::IniKeyLine(text, key.name, key.value, key.hasValue))
            sections.back().keys.push_back(key);
    }
    return sections;
}

bool SameAsLineByLine(const platform::IniText& ini, const std::string& input) {
    const std::vector<platform::IniText::Section> expected = LineByLine(platform::IniBytesToText(input));
    const std::vector<platform::IniText::Section>& sections = ini.Sections();
    if (sections.size() != expected.size()) return false;
    for (std::size_t i = 0; i < sections.size(); ++i) {
        const platform::IniText::Section& a = sections[i];
        const platform::IniText::Section& b = expected[i];
        if (a.name != b.name || a.folded != platform::FoldIniName(b.name) || a.keys.size() != b.keys.size())
            return false;
        for (std::size_t k = 0; k < a.keys.size(); ++k)
            if (a.keys[k].name != b.keys[k].name || a.keys[k].value != b.keys[k].value ||
                a.keys[k].hasValue != b.keys[k].hasValue || a.keys[k].folded != platform::FoldIniName(b.keys[k].name))
                return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const platform::IniText before(input);
    if (!SameAsLineByLine(before, input)) __builtin_trap();
    const std::vector<std::string> sections = before.SectionNames();
    // A few lookups of each kind: their cost grows with the square of the names, not the coverage.
    for (std::size_t i = 0; i < sections.size() && i < kMostLookedUp; ++i) {
        const platform::IniText::Section* section = before.FindSection(sections[i]);
        if (!section) __builtin_trap();
        for (std::size_t k = 0; k < section->keys.size() && k < kMostLookedUp; ++k)
            if (before.ReadString(sections[i], section->keys[k].name, "").size() > input.size()) __builtin_trap();
    }

    const std::string text = platform::ReplaceIniSection(input, kSection, {{kCounter, "1"}, {"0", "a"}},
                                                         [](const std::string& name) { return name == "1"; });
    const platform::IniText after(text);
    if (after.ReadString(kSection, kCounter, "") != "1" || after.ReadString(kSection, "0", "") != "a" ||
        after.ReadString(kSection, "1", "<none>") != "<none>")
        __builtin_trap();
    std::vector<std::string> expected = sections;
    if (!before.FindSection(kSection)) expected.push_back(kSection);
    if (after.SectionNames() != expected) __builtin_trap();
    const std::string target = platform::FoldIniName(kSection);
    for (std::size_t i = 0; i < sections.size() && i < kMostLookedUp; ++i)
        if (platform::FoldIniName(sections[i]) != target && after.KeyNames(sections[i]) != before.KeyNames(sections[i]))
            __builtin_trap();
    return 0;
}
