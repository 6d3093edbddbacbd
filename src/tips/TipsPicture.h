#pragma once
#include "ui/Picture.h"

namespace tips {

constexpr int kPictureWidth = 478;
constexpr int kPictureHeight = 232;

// What the tips window shows until a tip picture loads: the sun rising over a dark
// horizon, drawn here so that the window never opens empty.
ui::Picture BuiltInTipPicture();

}  // namespace tips
