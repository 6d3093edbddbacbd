#pragma once
#include <cstdint>

namespace platform {

class Keyboard {
public:
    virtual ~Keyboard() = default;
    // Injects a key press (down and up) of a virtual key into the system input stream.
    virtual void PressKey(std::uint8_t virtualKey) = 0;
};

}  // namespace platform
