#pragma once
#include "platform/System.h"

namespace win32 {

class Win32System : public platform::System {
public:
    std::uint16_t DefaultLanguageId() override;
    std::string DefaultLanguageName() override;
    unsigned AnsiCodePage() override;
    bool Shutdown(std::uint32_t flags) override;
    void Beep() override;
    int CompareText(const std::string& a, const std::string& b) override;
};

}  // namespace win32
