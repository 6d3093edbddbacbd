#pragma once
#include "platform/Sound.h"

namespace win32 {

// The program's own sounds through the system's sound player (winmm), loaded when first used.
class Win32Sound : public platform::Sound {
public:
    bool PlayLoop(const std::string& wavFile) override;
    void PlayDefaultLoop() override;
    void Stop() override;
};

}  // namespace win32
