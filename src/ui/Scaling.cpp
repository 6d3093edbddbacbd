#include "ui/Scaling.h"

#include <cstdint>

#include "ui/Controls.h"

namespace ui {

namespace {

int MulDivRounded(int value, int numerator, int denominator) {
    if (denominator <= 0) return value;
    const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
    const std::int64_t magnitude = (product < 0 ? -product : product) + denominator / 2;
    const std::int64_t result = magnitude / denominator;
    return ClampCoordinate(product < 0 ? -result : result);
}

}  // namespace

int ScaleToDpi(int value, int dpi) { return dpi == kDesignDpi ? value : MulDivRounded(value, dpi, kDesignDpi); }

int ScaleFromDpi(int value, int dpi) { return dpi == kDesignDpi ? value : MulDivRounded(value, kDesignDpi, dpi); }

int PointFromDpi(int value, int dpi) {
    if (dpi == kDesignDpi || dpi <= 0) return value;
    const std::int64_t product = static_cast<std::int64_t>(value) * kDesignDpi;
    const std::int64_t floor = product >= 0 ? product / dpi : -((-product + dpi - 1) / dpi);
    return ClampCoordinate(floor);
}

ScaledRect ScaleBounds(int left, int top, int width, int height, int dpi) {
    ScaledRect rect;
    rect.left = ScaleToDpi(left, dpi);
    rect.top = ScaleToDpi(top, dpi);
    rect.right = ClampCoordinate(static_cast<std::int64_t>(rect.left) + ScaleToDpi(width, dpi));
    rect.bottom = ClampCoordinate(static_cast<std::int64_t>(rect.top) + ScaleToDpi(height, dpi));
    return rect;
}

Picture ScalePicture(const Picture& picture, int width, int height) {
    if (picture.Empty() || width <= 0 || height <= 0 ||
        picture.pixels.size() < static_cast<std::size_t>(picture.width) * picture.height)
        return Picture{};
    if (width == picture.width && height == picture.height) return picture;
    Picture scaled;
    scaled.width = width;
    scaled.height = height;
    scaled.pixels.resize(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        // The source row under the centre of row y: (2y + 1) / 2 * h / height.
        const int sourceY = static_cast<int>((2 * static_cast<std::int64_t>(y) + 1) * picture.height / (2 * static_cast<std::int64_t>(height)));
        for (int x = 0; x < width; ++x) {
            const int sourceX = static_cast<int>((2 * static_cast<std::int64_t>(x) + 1) * picture.width / (2 * static_cast<std::int64_t>(width)));
            scaled.pixels[static_cast<std::size_t>(y) * width + x] = picture.Pixel(sourceX, sourceY);
        }
    }
    return scaled;
}

}  // namespace ui
