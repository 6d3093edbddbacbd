#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "ui/Picture.h"

namespace skin {

// The error text for any bitmap that cannot be decoded.
inline const char* const kInvalidBitmap = "Bitmap image is not valid";

// Decodes a complete Windows bitmap file ("BM" file header, core/info/V4/V5 header, colour
// table, pixels): 1, 4, 8, 16, 24 and 32 bits per pixel, uncompressed, bit fields, RLE4 and
// RLE8, stored bottom-up or top-down. Throws std::runtime_error(kInvalidBitmap) for anything
// malformed, truncated or with more pixels than `maxPixels`; never reads outside `data`.
// Pictures of this program are small; the bounds limit what a hostile file can make us allocate.
constexpr std::int64_t kMaxBitmapSide = 16384;
constexpr std::int64_t kMaxBitmapPixels = 4 * 1024 * 1024;
ui::Picture DecodeBitmap(const std::uint8_t* data, std::size_t size, std::int64_t maxPixels = kMaxBitmapPixels);
ui::Picture DecodeBitmap(const std::string& bytes);

}  // namespace skin
