#pragma once
#include <string>

#include "ui/Picture.h"

namespace skin {

// A complete 24-bit uncompressed Windows bitmap file of the picture, rows bottom-up, as the
// built-in look and the default skins use. Only the tools and the tests write bitmaps.
std::string EncodeBitmap24(const ui::Picture& picture);

}  // namespace skin
