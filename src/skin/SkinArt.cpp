#include "skin/SkinArt.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace skin {
namespace {

// The pictures are small: neither std::hypot's care for overflow nor std::lround's exact
// halves are needed, and both are slow library calls on 32-bit Windows.
double Length(double x, double y) { return std::sqrt(x * x + y * y); }
std::uint32_t Round(double channel) { return static_cast<std::uint32_t>(channel + 0.5); }

// A shape: its signed distance (negative inside) and a box outside of which it covers nothing.
// The box only spares the drawing the pixels that the shape cannot touch.
using Distance = std::function<double(double x, double y)>;
struct Shape {
    Distance distance;
    double left, top, right, bottom;
};

// A picture with soft-edged shapes: a pixel takes as much of a shape's colour as the shape
// covers of it.
class Canvas {
public:
    Canvas(int width, int height, std::uint32_t background) {
        picture_.width = width;
        picture_.height = height;
        picture_.pixels.assign(static_cast<std::size_t>(width) * height, background);
    }

    void Fill(const Shape& shape, std::uint32_t color) {
        ForPixelsNear(shape, [&](int x, int y) {
            const double cover = std::clamp(0.5 - shape.distance(x + 0.5, y + 0.5), 0.0, 1.0);
            if (cover > 0) Blend(x, y, color, cover);
        });
    }
    // Like Fill, without soft edges: for colours that must match exactly (a transparent key).
    void FillHard(const Shape& shape, std::uint32_t color) {
        ForPixelsNear(shape, [&](int x, int y) {
            if (shape.distance(x + 0.5, y + 0.5) <= 0)
                picture_.pixels[static_cast<std::size_t>(y) * picture_.width + x] = color;
        });
    }
    ui::Picture Take() { return std::move(picture_); }

private:
    // The pixels whose centres lie within half a pixel of the shape's box: no other pixel can
    // take any of its colour.
    template <class Paint>
    void ForPixelsNear(const Shape& shape, Paint paint) {
        const int x0 = std::max(0, static_cast<int>(std::floor(shape.left - 1)));
        const int y0 = std::max(0, static_cast<int>(std::floor(shape.top - 1)));
        const int x1 = std::min(picture_.width, static_cast<int>(std::ceil(shape.right + 1)));
        const int y1 = std::min(picture_.height, static_cast<int>(std::ceil(shape.bottom + 1)));
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) paint(x, y);
    }
    void Blend(int x, int y, std::uint32_t color, double cover) {
        std::uint32_t& p = picture_.pixels[static_cast<std::size_t>(y) * picture_.width + x];
        std::uint32_t out = 0;
        for (int shift = 0; shift < 24; shift += 8) {
            const double a = (p >> shift) & 0xFF, b = (color >> shift) & 0xFF;
            out |= Round(a + (b - a) * cover) << shift;
        }
        p = out;
    }
    ui::Picture picture_;
};

Shape Circle(double cx, double cy, double r) {
    return {[=](double x, double y) { return Length(x - cx, y - cy) - r; }, cx - r, cy - r, cx + r, cy + r};
}
Shape Box(double x0, double y0, double x1, double y1, double radius = 0) {
    return {[=](double x, double y) {
                const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
                const double hx = (x1 - x0) / 2 - radius, hy = (y1 - y0) / 2 - radius;
                const double dx = std::fabs(x - cx) - hx, dy = std::fabs(y - cy) - hy;
                return Length(std::max(dx, 0.0), std::max(dy, 0.0)) + std::min(std::max(dx, dy), 0.0) - radius;
            },
            x0, y0, x1, y1};
}
// A convex polygon given clockwise (on screen, y down).
Shape Polygon(std::vector<std::pair<double, double>> points) {
    Shape shape{nullptr, points[0].first, points[0].second, points[0].first, points[0].second};
    for (const auto& [x, y] : points) {
        shape.left = std::min(shape.left, x), shape.right = std::max(shape.right, x);
        shape.top = std::min(shape.top, y), shape.bottom = std::max(shape.bottom, y);
    }
    shape.distance = [points = std::move(points)](double x, double y) {
        double d = -1e9;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const auto [ax, ay] = points[i];
            const auto [bx, by] = points[(i + 1) % points.size()];
            const double ex = bx - ax, ey = by - ay, length = Length(ex, ey);
            d = std::max(d, ((x - ax) * ey - (y - ay) * ex) / length);
        }
        return d;
    };
    return shape;
}
Shape Union(Shape a, Shape b) {
    return {[a = a.distance, b = b.distance](double x, double y) { return std::min(a(x, y), b(x, y)); },
            std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}
Shape Minus(Shape a, Shape b) {
    return {[a = a.distance, b = b.distance](double x, double y) { return std::max(a(x, y), -b(x, y)); },
            a.left, a.top, a.right, a.bottom};
}
Shape Shifted(Shape a, double dx, double dy) {
    return {[a = a.distance, dx, dy](double x, double y) { return a(x - dx, y - dy); },
            a.left + dx, a.top + dy, a.right + dx, a.bottom + dy};
}

std::uint32_t Mix(std::uint32_t a, std::uint32_t b, double t) {
    std::uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const double x = (a >> shift) & 0xFF, y = (b >> shift) & 0xFF;
        out |= Round(x + (y - x) * t) << shift;
    }
    return out;
}

enum class Symbol { Options, Play, Pause, Stop, Cross };

// The symbols centred on (c, c) of a 29-pixel button.
Shape SymbolShape(Symbol symbol, double c) {
    switch (symbol) {
    case Symbol::Options: {
        const Shape teeth{[c](double x, double y) {
                              const double angle = std::atan2(y - c, x - c);
                              const double radius = std::cos(8 * angle) > 0 ? 7.0 : 5.2;
                              return Length(x - c, y - c) - radius;
                          },
                          c - 7, c - 7, c + 7, c + 7};
        return Minus(teeth, Circle(c, c, 2.4));
    }
    case Symbol::Play: return Polygon({{c - 4, c - 6.5}, {c + 6.5, c}, {c - 4, c + 6.5}});
    case Symbol::Pause: return Union(Box(c - 5.5, c - 6, c - 1.5, c + 6, 0.8), Box(c + 1.5, c - 6, c + 5.5, c + 6, 0.8));
    case Symbol::Stop: return Box(c - 5.5, c - 5.5, c + 5.5, c + 5.5, 1.2);
    case Symbol::Cross: {
        const Shape a = Polygon({{c - 6, c - 4}, {c - 4, c - 6}, {c + 6, c + 4}, {c + 4, c + 6}});
        const Shape b = Polygon({{c + 4, c - 6}, {c + 6, c - 4}, {c - 4, c + 6}, {c - 6, c + 4}});
        return Union(a, b);
    }
    }
    return Circle(c, c, 0);
}

ui::Picture Button(const SkinTheme& t, Symbol symbol, std::uint32_t face, std::uint32_t ink, bool pressed) {
    Canvas canvas(29, 29, t.bar);
    const double c = 14.5;
    canvas.Fill(Circle(c, c, 14), t.rim);
    canvas.Fill(Circle(c, c, 12.5), face);
    // A soft light from above.
    canvas.Fill(Minus(Circle(c, c, 11.5), Circle(c, c + 3.5, 12)), Mix(face, 0xFFFFFF, pressed ? 0.12 : 0.4));
    const double offset = pressed ? 1 : 0;
    canvas.Fill(Shifted(SymbolShape(symbol, c), offset, offset), ink);
    return canvas.Take();
}

// The speaker of the Mute button, on the surround's face; its bottom-left pixel is the face
// colour, which the transparent button leaves out.
ui::Picture Speaker(const SkinTheme& t, bool muted, bool pressed) {
    Canvas canvas(13, 13, t.face);
    const double o = pressed ? 0.7 : 0;
    const std::uint32_t ink = t.symbol;
    canvas.Fill(Shifted(Box(1.5, 4.5, 4.5, 8.5), o, o), ink);
    canvas.Fill(Shifted(Polygon({{3.5, 4.5}, {7.5, 1.5}, {7.5, 11.5}, {3.5, 8.5}}), o, o), ink);
    if (muted) {
        canvas.Fill(Shifted(Polygon({{8.3, 4.3}, {9.3, 3.6}, {12.4, 8.3}, {11.4, 9}}), o, o), t.muted);
        canvas.Fill(Shifted(Polygon({{11.4, 3.6}, {12.4, 4.3}, {9.3, 9}, {8.3, 8.3}}), o, o), t.muted);
    } else {
        // Two arcs around the speaker's mouth, right of it.
        const Shape wave{[o](double x, double y) {
                             const double d = Length(x - 7 - o, y - 6.5 - o);
                             return std::max(std::fabs(d - 3.3) - 0.6, 8.6 + o - x);
                         },
                         7 + o - 3.9, 6.5 + o - 3.9, 7 + o + 3.9, 6.5 + o + 3.9};
        const Shape wave2{[o](double x, double y) {
                              const double d = Length(x - 7 - o, y - 6.5 - o);
                              return std::max(std::fabs(d - 5.3) - 0.6, 8.6 + o - x);
                          },
                          7 + o - 5.9, 6.5 + o - 5.9, 7 + o + 5.9, 6.5 + o + 5.9};
        canvas.Fill(Union(wave, wave2), ink);
    }
    // The corner that marks the transparent colour stays exactly the face colour.
    canvas.FillHard(Box(0, 12, 1, 13), t.face);
    return canvas.Take();
}

ui::Picture Surround(const SkinTheme& t) {
    Canvas canvas(23, 24, t.bar);
    canvas.Fill(Circle(11.5, 12, 11.2), t.rim);
    canvas.Fill(Circle(11.5, 12, 9.8), t.face);
    return canvas.Take();
}

ui::Picture SliderBackground(const SkinTheme& t) {
    Canvas canvas(85, 19, t.bar);
    canvas.Fill(Box(2, 13, 71, 18, 2.5), Mix(t.bar, t.groove, 0.35));
    canvas.Fill(Box(3, 14, 70, 17, 1.5), t.groove);
    for (int i = 0; i <= 10; ++i) {
        const double x = 4 + i * 6.4;
        const double height = i % 5 == 0 ? 7 : 4;
        canvas.Fill(Box(x - 0.5, 11 - height, x + 0.5, 11), t.groove);
    }
    return canvas.Take();
}

ui::Picture Knob(const SkinTheme& t, bool pressed) {
    const std::uint32_t key = 0xFF00FF;  // left out by the transparent knob
    Canvas canvas(17, 9, key);
    const std::uint32_t body = pressed ? Mix(t.knob, 0x000000, 0.3) : t.knob;
    canvas.FillHard(Box(1, 0, 16, 8, 2), body);
    canvas.FillHard(Box(2, 1, 15, 3, 1), Mix(body, 0xFFFFFF, 0.4));
    canvas.FillHard(Box(8, 2, 9, 7), Mix(body, 0x000000, 0.4));
    return canvas.Take();
}

ui::Picture Level(const SkinTheme& t, int lit, int height) {
    Canvas canvas(85, height, t.bar);
    for (int i = 0; i < 10; ++i) {
        const double x = 3 + i * 8.1, barHeight = 4 + i * 1.3;
        const std::uint32_t color = i < lit ? Mix(t.levelLow, t.levelHigh, i / 9.0) : t.levelOff;
        canvas.Fill(Box(x, height - 2 - barHeight, x + 6, height - 2, 1), color);
    }
    return canvas.Take();
}

ui::Picture Background(const SkinTheme& t, int width) {
    const int height = 47;
    Canvas canvas(width, height, t.outside);
    const double radius = height / 2.0 - 0.5;
    // The outer edge is hard: soft pixels there would mix with the colour key and fringe.
    canvas.FillHard(Box(0.5, 0.5, width - 0.5, height - 0.5, radius), t.rim);
    canvas.Fill(Box(2.5, 2.5, width - 2.5, height - 2.5, radius - 2), t.bar);
    return canvas.Take();
}

}  // namespace

const SkinTheme& BuiltInTheme() {
    static const SkinTheme theme{
        0xFFFFFF,            // outside: the window's white
        0xFFFFFF, 0x8C8C8C,  // bar, rim
        0xE6E6E6, 0xF4F8FF, 0xC8C8C8,  // faces
        0x404040, 0x1E9E3C, 0xD98A00, 0xC42020, 0xD02020,
        0x707070, 0x4977CB,  // groove, knob
        0xD8D8D8, 0x3DBB50, 0xE0402A,
    };
    return theme;
}

std::vector<ui::Picture> DrawSkinPictures(const SkinTheme& t, int backgroundWidth) {
    std::vector<ui::Picture> slots;
    const auto transport = [&](Symbol symbol, std::uint32_t active) {
        slots.push_back(Button(t, symbol, t.face, t.symbol, false));       // normal, idle
        slots.push_back(Button(t, symbol, t.faceHover, t.symbol, false));  // hover, idle
        slots.push_back(Button(t, symbol, t.face, active, false));         // normal, active
        slots.push_back(Button(t, symbol, t.faceHover, active, false));    // hover, active
        slots.push_back(Button(t, symbol, t.facePressed, t.symbol, true)); // pressed
    };
    transport(Symbol::Play, t.playing);
    transport(Symbol::Pause, t.paused);
    transport(Symbol::Stop, t.stopped);
    for (Symbol symbol : {Symbol::Options, Symbol::Cross}) {
        slots.push_back(Button(t, symbol, t.face, t.symbol, false));
        slots.push_back(Button(t, symbol, t.faceHover, t.symbol, false));
        slots.push_back(Button(t, symbol, t.facePressed, t.symbol, true));
    }
    slots.push_back(Knob(t, false));
    slots.push_back(Knob(t, true));
    slots.push_back(Speaker(t, false, false));
    slots.push_back(Speaker(t, false, true));
    slots.push_back(Speaker(t, true, false));
    slots.push_back(Speaker(t, true, true));
    slots.push_back(Surround(t));
    slots.push_back(SliderBackground(t));
    slots.push_back(Background(t, backgroundWidth));
    for (int lit = 1; lit <= 10; ++lit) slots.push_back(Level(t, lit, lit >= 9 ? 20 : 19));
    return slots;
}

}  // namespace skin
