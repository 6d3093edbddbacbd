#include "playback/WaveFile.h"

#include <cstdint>

namespace {

std::uint32_t Read32(const std::string& b, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

std::uint16_t Read16(const std::string& b, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) |
                                      static_cast<unsigned char>(b[at + 1]) << 8);
}

constexpr std::uint16_t kPcm = 1;
constexpr std::size_t kChunkHeader = 8;
constexpr std::size_t kPcmFormatSize = 16;

}  // namespace

bool IsPlayableWave(const std::string& bytes) {
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) return false;
    std::size_t frameBytes = 0;  // known once the format chunk is read
    std::size_t at = 12;
    while (bytes.size() - at >= kChunkHeader) {
        const std::string id = bytes.substr(at, 4);
        const std::size_t size = Read32(bytes, at + 4);
        const std::size_t body = at + kChunkHeader;
        const std::size_t available = bytes.size() - body;
        if (id == "fmt ") {
            if (size < kPcmFormatSize || available < kPcmFormatSize) return false;
            const unsigned format = Read16(bytes, body);
            const unsigned channels = Read16(bytes, body + 2);
            const std::uint32_t rate = Read32(bytes, body + 4);
            const unsigned bits = Read16(bytes, body + 14);
            if (format != kPcm || channels < 1 || channels > 8 || rate == 0) return false;
            if (bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
            frameBytes = channels * (bits / 8);
        } else if (id == "data") {
            // A data chunk cut short by the end of the file still plays as far as it goes.
            return frameBytes != 0 && (size < available ? size : available) >= frameBytes;
        }
        if (size > available) return false;
        at = body + size + (size & 1);  // chunks are padded to an even size
        if (at > bytes.size()) return false;
    }
    return false;
}
