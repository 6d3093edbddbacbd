#pragma once
#include <cstdint>
#include <string>

namespace platform {

class System {
public:
    virtual ~System() = default;
    virtual std::uint16_t DefaultLanguageId() = 0;
    // The name of the system's default language as Windows spells it, e.g. "Deutsch (Deutschland)".
    virtual std::string DefaultLanguageName() = 0;
    // The code page of the ANSI calls: the one every path the programs handle is written in.
    virtual unsigned AnsiCodePage() = 0;
    // Enables the shutdown privilege where the system needs it, then asks Windows to end
    // with the ExitWindowsEx flags. True when Windows accepted.
    virtual bool Shutdown(std::uint32_t flags) = 0;
    // The default system sound, as for a refused input.
    virtual void Beep() = 0;
    // Orders two texts as the user's locale sorts words, case-sensitively: below 0 when `a`
    // comes first, 0 when they are equal, above 0 when `b` comes first.
    virtual int CompareText(const std::string& a, const std::string& b) = 0;
};

}  // namespace platform
