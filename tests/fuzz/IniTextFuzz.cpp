// The INI text reader and the section writer that the wake dates, the agent and the fake INI
// files share: any text parses, and a replaced section reads back what was written while every
// other section keeps its keys.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/IniText.h"

namespace {

const char* const kSection = "Weckzeiten";
const char* const kCounter = "Z\xE4hler";
constexpr std::size_t kMostLookedUp = 8;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const platform::IniText before(input);
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
