#pragma once
#include "platform/Keyboard.h"

namespace win32 {

class Win32Keyboard : public platform::Keyboard {
public:
    void PressKey(std::uint8_t virtualKey) override;
};

}  // namespace win32
