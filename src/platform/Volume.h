#pragma once
#include <cstdint>

namespace platform {

// The output volume the user hears, as two 16-bit words (left, right; 0xFFFF is full).
class Volume {
public:
    virtual ~Volume() = default;
    // False (with both words 0) when the volume cannot be read.
    virtual bool Get(std::uint16_t& left, std::uint16_t& right) = 0;
    virtual void Set(std::uint16_t left, std::uint16_t right) = 0;
    // The device's mute switch, apart from its level. False (not muted) when it cannot be read;
    // a device without one ignores the set.
    virtual bool GetMute(bool& muted) {
        muted = false;
        return false;
    }
    virtual void SetMute(bool /*muted*/) {}
};

}  // namespace platform
