#pragma once
#include <thread>

#include "platform/Volume.h"

struct IAudioEndpointVolume;

namespace win32 {

// Maps a volume fraction (0 to 1, linear amplitude as the wave-out words are) to decibels in
// an endpoint's range and back. Silence is the bottom of the range. Exposed for the tests.
float ScalarToDecibels(float scalar, float minDb, float maxDb);
float DecibelsToScalar(float decibels, float minDb, float maxDb);

// The volume of the default output device. Since Windows Vista the old wave-out volume only
// reaches the calling program's own stream, so the device's endpoint volume (what the user
// hears and sees in the system mixer) is used, and wave-out only where no endpoint exists.
// Used from one thread only (the user-interface thread), which keeps COM while the object
// lives.
class Win32Volume : public platform::Volume {
public:
    Win32Volume() = default;
    ~Win32Volume() override;
    Win32Volume(const Win32Volume&) = delete;
    Win32Volume& operator=(const Win32Volume&) = delete;

    bool Get(std::uint16_t& left, std::uint16_t& right) override;
    void Set(std::uint16_t left, std::uint16_t right) override;
    // Only the endpoint has a mute switch; wave-out has none.
    bool GetMute(bool& muted) override;
    void SetMute(bool muted) override;

private:
    IAudioEndpointVolume* Endpoint();
    void DropEndpoint();

    // The endpoint stays open between calls: where the level belongs to the volume object
    // rather than to the device (Wine), a new object would forget what was set.
    IAudioEndpointVolume* endpoint_ = nullptr;
    bool comStarted_ = false;
    bool triedCom_ = false;
    // Set once the scalar setter turned out to be missing; levels then go as decibels.
    bool decibelsOnly_ = false;
};

// Opening the output device for the first time takes a while: tens of milliseconds under Wine,
// for the sound libraries and the audio service. Made at the top of WinMain, this opens it once
// on a thread of its own beside the rest of the start-up, so that the program's first volume
// read finds it ready. The thread touches nothing of the program; the destructor waits for it.
class OutputDeviceWarmUp {
public:
    OutputDeviceWarmUp();
    ~OutputDeviceWarmUp();
    OutputDeviceWarmUp(const OutputDeviceWarmUp&) = delete;
    OutputDeviceWarmUp& operator=(const OutputDeviceWarmUp&) = delete;

private:
    std::thread thread_;
};

}  // namespace win32
