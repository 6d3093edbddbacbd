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
};

}  // namespace platform
