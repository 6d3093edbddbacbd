#pragma once
#include "platform/Volume.h"

namespace win32 {

// Maps a volume fraction (0 to 1, linear amplitude as the wave-out words are) to decibels in
// an endpoint's range and back. Silence is the bottom of the range. Exposed for the tests.
float ScalarToDecibels(float scalar, float minDb, float maxDb);
float DecibelsToScalar(float decibels, float minDb, float maxDb);

// The volume of the default output device. Since Windows Vista the old wave-out volume only
// reaches the calling program's own stream, so the device's endpoint volume (what the user
// hears and sees in the system mixer) is used, and wave-out only where no endpoint exists.
class Win32Volume : public platform::Volume {
public:
    bool Get(std::uint16_t& left, std::uint16_t& right) override;
    void Set(std::uint16_t left, std::uint16_t right) override;
};

}  // namespace win32
