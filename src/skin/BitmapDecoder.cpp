#include "skin/BitmapDecoder.h"

#include <stdexcept>
#include <vector>

namespace skin {
namespace {

enum Compression : std::uint32_t { BiRgb = 0, BiRle8 = 1, BiRle4 = 2, BiBitfields = 3, BiAlphaBitfields = 6 };

[[noreturn]] void Invalid() { throw std::runtime_error(kInvalidBitmap); }

// Bounds-checked little-endian reads over the file.
class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::size_t Size() const { return size_; }
    std::uint8_t U8(std::size_t at) const {
        if (at >= size_) Invalid();
        return data_[at];
    }
    std::uint16_t U16(std::size_t at) const {
        if (at > size_ || size_ - at < 2) Invalid();
        return static_cast<std::uint16_t>(data_[at] | data_[at + 1] << 8);
    }
    std::uint32_t U32(std::size_t at) const {
        if (at > size_ || size_ - at < 4) Invalid();
        return static_cast<std::uint32_t>(data_[at]) | static_cast<std::uint32_t>(data_[at + 1]) << 8 |
               static_cast<std::uint32_t>(data_[at + 2]) << 16 | static_cast<std::uint32_t>(data_[at + 3]) << 24;
    }
    std::int32_t I32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }
    const std::uint8_t* At(std::size_t at) const { return data_ + at; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

// One colour channel described by a bit mask, widened to 8 bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit Channel(std::uint32_t m = 0) : mask(m) {
        if (!m) return;
        while (!((m >> shift) & 1u)) ++shift;
        for (std::uint32_t v = m >> shift; v & 1u; v >>= 1) ++bits;
    }
    std::uint32_t Extract(std::uint32_t pixel) const {
        if (!bits) return 0;
        const std::uint32_t value = (pixel & mask) >> shift & ((bits >= 32) ? 0xFFFFFFFFu : ((1u << bits) - 1));
        if (bits >= 8) return value >> (bits - 8);
        // Rounded to the nearest of 0..255, as Windows widens a channel: rounding down would
        // leave most values of a 5- or 6-bit channel one below their true colour.
        const std::uint32_t top = (1u << bits) - 1;
        return (value * 255u + top / 2) / top;
    }
};

struct Header {
    std::int64_t width = 0;
    std::int64_t height = 0;  // always positive here
    bool topDown = false;
    int bitCount = 0;
    std::uint32_t compression = BiRgb;
    std::uint32_t colorsUsed = 0;
    std::size_t tableOffset = 0;
    std::size_t entrySize = 4;  // bytes per colour-table entry (3 for core headers)
    std::uint32_t masks[3] = {0, 0, 0};
};

Header ReadHeader(const Reader& r) {
    if (r.Size() < 26 || r.U8(0) != 'B' || r.U8(1) != 'M') Invalid();
    const std::uint32_t infoSize = r.U32(14);
    Header h;
    std::size_t afterHeader = 14 + static_cast<std::size_t>(infoSize);
    if (infoSize == 12) {  // BITMAPCOREHEADER
        h.width = r.U16(18);
        h.height = r.U16(20);
        if (r.U16(22) != 1) Invalid();
        h.bitCount = r.U16(24);
        h.entrySize = 3;
    } else if (infoSize >= 40 && infoSize <= 124) {
        if (afterHeader > r.Size()) Invalid();
        h.width = r.I32(18);
        const std::int32_t height = r.I32(22);
        if (r.U16(26) != 1) Invalid();
        h.bitCount = r.U16(28);
        h.compression = r.U32(30);
        h.colorsUsed = r.U32(46);
        h.topDown = height < 0;
        h.height = h.topDown ? -static_cast<std::int64_t>(height) : height;
        if (h.compression == BiBitfields || h.compression == BiAlphaBitfields) {
            // An info header of 40 bytes is followed by the masks; larger headers hold them.
            const std::size_t at = infoSize >= 52 ? 54 : afterHeader;
            for (int i = 0; i < 3; ++i) h.masks[i] = r.U32(at + 4 * i);
            if (infoSize == 40) afterHeader += h.compression == BiAlphaBitfields ? 16 : 12;
        }
    } else {
        Invalid();
    }
    h.tableOffset = afterHeader;
    if (h.width <= 0 || h.height <= 0 || h.width > kMaxBitmapSide || h.height > kMaxBitmapSide ||
        h.width * h.height > kMaxBitmapPixels)
        Invalid();

    switch (h.compression) {
    case BiRgb:
        if (h.bitCount != 1 && h.bitCount != 4 && h.bitCount != 8 && h.bitCount != 16 && h.bitCount != 24 &&
            h.bitCount != 32)
            Invalid();
        break;
    case BiRle8:
        if (h.bitCount != 8 || h.topDown) Invalid();
        break;
    case BiRle4:
        if (h.bitCount != 4 || h.topDown) Invalid();
        break;
    case BiBitfields:
    case BiAlphaBitfields:
        if (h.bitCount != 16 && h.bitCount != 32) Invalid();
        break;
    default:
        Invalid();
    }
    return h;
}

// The colour table of a paletted bitmap; indices past its end read as black.
std::vector<std::uint32_t> ReadPalette(const Reader& r, const Header& h, std::size_t pixelOffset) {
    std::vector<std::uint32_t> palette;
    if (h.bitCount > 8) return palette;
    std::size_t count = std::size_t{1} << h.bitCount;
    if (h.colorsUsed != 0 && h.colorsUsed < count) count = h.colorsUsed;
    // Some writers store a shorter table than the header promises; the pixels' offset tells.
    if (pixelOffset >= h.tableOffset && (pixelOffset - h.tableOffset) / h.entrySize < count)
        count = (pixelOffset - h.tableOffset) / h.entrySize;
    if (h.tableOffset > r.Size()) Invalid();
    if ((r.Size() - h.tableOffset) / h.entrySize < count) Invalid();
    palette.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = h.tableOffset + i * h.entrySize;
        palette.push_back(static_cast<std::uint32_t>(r.U8(at + 2)) << 16 |
                          static_cast<std::uint32_t>(r.U8(at + 1)) << 8 | r.U8(at));
    }
    return palette;
}

std::uint32_t Lookup(const std::vector<std::uint32_t>& palette, unsigned index) {
    return index < palette.size() ? palette[index] : 0;
}

void DecodeUncompressed(const Reader& r, const Header& h, std::size_t offset,
                        const std::vector<std::uint32_t>& palette, ui::Picture& out) {
    const std::int64_t stride = (h.width * h.bitCount + 31) / 32 * 4;
    const std::int64_t rowBytes = (h.width * h.bitCount + 7) / 8;
    // The last row need not carry its padding.
    const std::int64_t needed = stride * (h.height - 1) + rowBytes;
    if (offset > r.Size() || static_cast<std::int64_t>(r.Size() - offset) < needed) Invalid();

    Channel red, green, blue;
    if (h.compression == BiBitfields || h.compression == BiAlphaBitfields) {
        red = Channel(h.masks[0]);
        green = Channel(h.masks[1]);
        blue = Channel(h.masks[2]);
    } else if (h.bitCount == 16) {
        red = Channel(0x7C00);
        green = Channel(0x03E0);
        blue = Channel(0x001F);
    } else {
        red = Channel(0xFF0000);
        green = Channel(0x00FF00);
        blue = Channel(0x0000FF);
    }

    const int width = static_cast<int>(h.width);
    for (std::int64_t row = 0; row < h.height; ++row) {
        const std::uint8_t* src = r.At(offset + static_cast<std::size_t>(row * stride));
        const std::int64_t y = h.topDown ? row : h.height - 1 - row;
        std::uint32_t* dst = &out.pixels[static_cast<std::size_t>(y * h.width)];
        for (int x = 0; x < width; ++x) {
            switch (h.bitCount) {
            case 1: dst[x] = Lookup(palette, (src[x >> 3] >> (7 - (x & 7))) & 1u); break;
            case 4: dst[x] = Lookup(palette, (src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xFu); break;
            case 8: dst[x] = Lookup(palette, src[x]); break;
            case 24: dst[x] = static_cast<std::uint32_t>(src[3 * x + 2]) << 16 |
                              static_cast<std::uint32_t>(src[3 * x + 1]) << 8 | src[3 * x];
                break;
            default: {
                std::uint32_t value;
                if (h.bitCount == 16) {
                    value = static_cast<std::uint32_t>(src[2 * x] | src[2 * x + 1] << 8);
                } else {
                    const std::uint8_t* p = src + 4 * x;
                    value = static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                            static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
                }
                dst[x] = red.Extract(value) << 16 | green.Extract(value) << 8 | blue.Extract(value);
            }
            }
        }
    }
}

// Run-length encoded pixels, always bottom-up. Pixels that the codes skip stay black; a code
// stream that ends early ends the picture, as the system's own decoder does.
void DecodeRunLength(const Reader& r, const Header& h, std::size_t offset,
                     const std::vector<std::uint32_t>& palette, ui::Picture& out) {
    if (offset > r.Size()) Invalid();
    const bool four = h.compression == BiRle4;
    std::int64_t x = 0, y = 0;  // y counts rows from the bottom
    auto put = [&](unsigned index) {
        if (x < h.width && y < h.height)
            out.pixels[static_cast<std::size_t>((h.height - 1 - y) * h.width + x)] = Lookup(palette, index);
        ++x;
    };
    std::size_t at = offset;
    const std::size_t end = r.Size();
    while (at + 1 < end && y < h.height) {
        const unsigned count = r.U8(at), value = r.U8(at + 1);
        at += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count; ++i)
                put(four ? ((i & 1) ? value & 0xFu : value >> 4) : value);
        } else if (value == 0) {  // end of line
            x = 0;
            ++y;
        } else if (value == 1) {  // end of bitmap
            break;
        } else if (value == 2) {  // move right and up
            if (at + 1 >= end) break;
            x += r.U8(at);
            y += r.U8(at + 1);
            at += 2;
        } else {  // a literal run, padded to a 16-bit boundary
            const std::size_t bytes = four ? (value + 1) / 2 : value;
            if (bytes > end - at) Invalid();
            for (unsigned i = 0; i < value; ++i) {
                const unsigned byte = r.U8(at + (four ? i / 2 : i));
                put(four ? ((i & 1) ? byte & 0xFu : byte >> 4) : byte);
            }
            at += bytes + (bytes & 1);
        }
    }
}

}  // namespace

ui::Picture DecodeBitmap(const std::uint8_t* data, std::size_t size, std::int64_t maxPixels) {
    const Reader r(data, size);
    const Header h = ReadHeader(r);
    if (h.width * h.height > maxPixels) Invalid();
    std::size_t offset = r.U32(10);
    if (offset == 0) {  // a missing offset means the pixels follow the colour table
        std::size_t entries = 0;
        if (h.bitCount <= 8)
            entries = h.colorsUsed != 0 && h.colorsUsed < (1u << h.bitCount) ? h.colorsUsed : (1u << h.bitCount);
        offset = h.tableOffset + entries * h.entrySize;
    }
    if (offset < h.tableOffset || offset > size) Invalid();
    const std::vector<std::uint32_t> palette = ReadPalette(r, h, offset);

    ui::Picture picture;
    picture.width = static_cast<int>(h.width);
    picture.height = static_cast<int>(h.height);
    picture.pixels.assign(static_cast<std::size_t>(h.width * h.height), 0);
    if (h.compression == BiRle8 || h.compression == BiRle4)
        DecodeRunLength(r, h, offset, palette, picture);
    else
        DecodeUncompressed(r, h, offset, palette, picture);
    return picture;
}

ui::Picture DecodeBitmap(const std::string& bytes) {
    return DecodeBitmap(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace skin
