#include <cstddef>
#include <cstdint>
#include <string>

#include "language/LanguageFile.h"
#include "platform/fake/FakePlatform.h"

namespace {

const char* const kFile = "C:\\Program Files\\Orvella\\Language.dll";

// Each section read costs 81 lookups; the first section covers the reader, and the list
// check covers the others.
constexpr std::size_t kMostSectionsRead = 1;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    // A platform of its own for each input: what one input leaves behind (the parsed file)
    // would look like a leak to the fuzzer, which then checks each new input for leaks again.
    fake::FakePlatform f;
    f.files.AddFile(kFile, input);

    const std::vector<std::string> names = ReadLanguageList(f, kFile);
    std::size_t brackets = 0;
    for (char c : input) brackets += c == '[';
    if (names.size() > brackets) __builtin_trap();

    for (std::size_t i = 0; i < names.size() && i < kMostSectionsRead; ++i) {
        const LanguageTexts texts = ReadLanguageTexts(f, kFile, names[i]);
        if (texts.section != names[i]) __builtin_trap();
        for (int key = 1; key <= kLanguageKeyCount; ++key)
            if (texts.text[static_cast<std::size_t>(key)].size() > 2047) __builtin_trap();
    }
    // An update's file: the default file first, then at most the input's bytes.
    const std::string merged = MergeDefaultLanguages(input);
    const std::string defaults = DefaultLanguageFileText();
    if (merged.compare(0, defaults.size(), defaults) != 0 || merged.size() > defaults.size() + input.size())
        __builtin_trap();
    return 0;
}
