#pragma once
#include "ui/Picture.h"

namespace ui {

// Every position and size of the widget model is a pixel count at 96 DPI (Windows' 100 %);
// the renderer shows it at the window's DPI. These are the rules it scales by, kept here so
// that they can be checked without a screen.
constexpr int kDesignDpi = 96;

// A 96-DPI length at `dpi`, rounded to the nearest pixel as Windows' MulDiv(value, dpi, 96)
// rounds (halves away from zero).
int ScaleToDpi(int value, int dpi);
// A length on a window at `dpi` as a 96-DPI length, rounded the same way.
int ScaleFromDpi(int value, int dpi);
// The 96-DPI pixel that a window pixel at `dpi` lies in (rounded down): the pointer at the last
// window pixel of a scaled element is at the element's last model pixel, never past it.
int PointFromDpi(int value, int dpi);

struct ScaledRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// A control's bounds at `dpi`: its position and its size each scaled from the 96-DPI values.
ScaledRect ScaleBounds(int left, int top, int width, int height, int dpi);

// The picture at the given size, nearest neighbour: each pixel of the result takes the pixel
// of the source under its centre, so no colour appears that the source lacks (a colour key
// stays exact at the shape's edge) and a whole factor repeats every pixel that many times.
Picture ScalePicture(const Picture& picture, int width, int height);

}  // namespace ui
