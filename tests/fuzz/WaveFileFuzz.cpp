#include <cstddef>
#include <cstdint>
#include <string>

#include "playback/WaveFile.h"

// The user's own alarm sound file, as the program checks it before handing it to the player.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    IsPlayableWave(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
