#pragma once
#include "ui/Picture.h"

namespace remover {

// The wizard's 72 x 72 side picture: a waste bin on a blue tile, drawn here so that the
// uninstaller needs no picture files of its own.
ui::Picture UninstallPicture();

}  // namespace remover
