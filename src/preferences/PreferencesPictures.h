#pragma once
#include "ui/Picture.h"

// Drawn in code, so that the dialog needs no picture files.

// 16 by 16: a calendar sheet, shown before each wake date.
ui::Picture DateIcon();
// 16 by 16: a painter's palette, shown before each skin.
ui::Picture ThemeIcon();
// The alarm clock of the about page, on black.
ui::Picture AboutPicture();
