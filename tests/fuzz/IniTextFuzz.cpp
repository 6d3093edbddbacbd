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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const platform::IniText before(input);
    const std::vector<std::string> sections = before.SectionNames();
    for (const std::string& name : sections) {
        const platform::IniText::Section* section = before.FindSection(name);
        if (!section) __builtin_trap();
        for (const platform::IniText::Key& key : section->keys)
            if (key.hasValue && before.ReadString(name, key.name, "").size() > input.size()) __builtin_trap();
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
    for (const std::string& name : sections)
        if (platform::FoldIniName(name) != target && after.KeyNames(name) != before.KeyNames(name)) __builtin_trap();
    return 0;
}
