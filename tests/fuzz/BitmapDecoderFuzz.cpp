#include <cstddef>
#include <cstdint>
#include <stdexcept>

#include "skin/BitmapDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const ui::Picture picture = skin::DecodeBitmap(data, size);
        if (picture.pixels.size() != static_cast<std::size_t>(picture.width) * picture.height) __builtin_trap();
    } catch (const std::runtime_error&) {
    }
    return 0;
}
