#pragma once
#include <string>

namespace platform {

// Sounds the program plays itself, on the default output device (whose volume is Volume's).
// One sound at a time: a new one replaces the one playing.
class Sound {
public:
    virtual ~Sound() = default;
    // Plays a WAV file over and over without waiting, until Stop. False when it cannot be played.
    virtual bool PlayLoop(const std::string& wavFile) = 0;
    // Plays the system's default sound over and over, until Stop.
    virtual void PlayDefaultLoop() = 0;
    virtual void Stop() = 0;
};

}  // namespace platform
