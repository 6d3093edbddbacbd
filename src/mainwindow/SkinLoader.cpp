// LoadSkinFile: reads a ".skn" file and applies it to the main window, slot by slot and
// line by line, so that a failure leaves everything applied before it in place.
#include <algorithm>
#include <functional>
#include <stdexcept>

#include "mainwindow/MainForm.h"
#include "skin/BitmapDecoder.h"
#include "skin/SkinFile.h"

namespace {

// The holders of the forty slots; a second holder receives a copy.
struct Slot {
    ui::Image TForm1::*first;
    ui::Image TForm1::*second;
};

const Slot kSlots[skin::kSlotCount] = {
    {&TForm1::Image10, nullptr}, {&TForm1::Image12, nullptr}, {&TForm1::Image14, nullptr},
    {&TForm1::Image15, nullptr}, {&TForm1::Image11, nullptr}, {&TForm1::Image18, nullptr},
    {&TForm1::Image19, nullptr}, {&TForm1::Image21, nullptr}, {&TForm1::Image22, nullptr},
    {&TForm1::Image23, nullptr}, {&TForm1::Image24, nullptr}, {&TForm1::Image25, nullptr},
    {&TForm1::Image27, nullptr}, {&TForm1::Image28, nullptr}, {&TForm1::Image29, nullptr},
    {&TForm1::Image16, &TForm1::Image35}, {&TForm1::Image30, nullptr}, {&TForm1::Image36, nullptr},
    {&TForm1::Image17, &TForm1::Image34}, {&TForm1::Image32, nullptr}, {&TForm1::Image33, nullptr},
    {&TForm1::Image37, &TForm1::Image38}, {&TForm1::Image39, nullptr}, {&TForm1::Image2, &TForm1::Image3},
    {&TForm1::Image4, nullptr}, {&TForm1::Image5, nullptr}, {&TForm1::Image6, nullptr},
    {&TForm1::Image8, nullptr}, {&TForm1::Image31, nullptr}, {&TForm1::Image100, nullptr},
    {&TForm1::Image20, &TForm1::Image13}, {&TForm1::Image26, nullptr}, {&TForm1::Image40, nullptr},
    {&TForm1::Image41, nullptr}, {&TForm1::Image42, nullptr}, {&TForm1::Image43, nullptr},
    {&TForm1::Image44, nullptr}, {&TForm1::Image45, nullptr}, {&TForm1::Image46, nullptr},
    {&TForm1::Image47, nullptr},
};

constexpr int kBackgroundSlot = 29;

// An element that sizes to its picture keeps the picture's size whatever the skin says.
void SetHeight(ui::Image& image, int height) {
    if (!image.autoSize || image.picture.Empty()) image.height = height;
}
void SetWidth(ui::Image& image, int width) {
    if (!image.autoSize || image.picture.Empty()) image.width = width;
}

}  // namespace

void TForm1::LoadSkinFile(const std::string& path) {
    std::string file;
    if (!platform.files.ReadFile(path, file, skin::kMaxSkinFileSize))
        throw std::runtime_error("Cannot open file " + path);
    const skin::SkinText text = skin::ReadSkinText(file);

    std::size_t offset = 0;
    std::int64_t pixelsLeft = skin::kMaxSkinPixels;
    for (int k = 0; k < skin::kSlotCount; ++k) {
        const std::int32_t size = skin::SkinInteger(text.Line(k));
        if (size < 0 || static_cast<std::size_t>(size) > file.size() - offset)
            throw std::runtime_error("Stream read error");
        // A size of 0 leaves the slot without a picture. A picture beyond what is left of the
        // skin's pixels fails as an invalid bitmap.
        const ui::Picture picture =
            size == 0 ? ui::Picture{}
                      : skin::DecodeBitmap(reinterpret_cast<const std::uint8_t*>(file.data()) + offset,
                                           static_cast<std::size_t>(size),
                                           std::min(pixelsLeft, skin::kMaxBitmapPixels));
        pixelsLeft -= static_cast<std::int64_t>(picture.width) * picture.height;
        offset += static_cast<std::size_t>(size);
        SetSlotPicture(k, picture);
    }

    enum class Kind { Integer, Boolean, Colour };
    struct Value {
        Kind kind;
        std::function<void(std::int32_t)> apply;
    };
    // Positions and sizes are kept within the screen's coordinates, and the ones derived from
    // them are computed wide, so that no value of a skin can make the arithmetic overflow.
    using ui::ClampCoordinate;
    const auto top = [](ui::Control& c) { return [&c](std::int32_t v) { c.top = ClampCoordinate(v); }; };
    const auto leftOf = [](ui::Control& c) { return [&c](std::int32_t v) { c.left = ClampCoordinate(v); }; };
    const auto heightOf = [](ui::Image& c) { return [&c](std::int32_t v) { SetHeight(c, ClampCoordinate(v)); }; };
    const auto widthOf = [](ui::Image& c) { return [&c](std::int32_t v) { SetWidth(c, ClampCoordinate(v)); }; };
    const auto moved = [](int base, int by) { return ClampCoordinate(static_cast<std::int64_t>(base) + by); };
    const Value values[] = {
        /* 40 */ {Kind::Colour, [this](std::int32_t v) { Shape1.penColor = static_cast<ui::Color>(v); }},
        /* 41 */ {Kind::Integer, [this](std::int32_t v) { alphaBlendValue = v & 0xFF; }},
        /* 42 */ {Kind::Colour, [this](std::int32_t v) { transparentColorValue = static_cast<ui::Color>(v); }},
        /* 43 */ {Kind::Boolean, [this](std::int32_t v) { transparentColor = v != 0; }},
        /* 44 */ {Kind::Integer, [this](std::int32_t v) { clientHeight = ClampCoordinate(v); }},
        /* 45 */ {Kind::Integer, [this](std::int32_t v) { clientWidth = ClampCoordinate(v); FitBackground(); }},
        /* 46 */ {Kind::Integer, top(Image1)}, {Kind::Integer, leftOf(Image1)},
        {Kind::Integer, heightOf(Image1)}, {Kind::Integer, widthOf(Image1)},
        /* 50 */ {Kind::Integer, top(Image7)}, {Kind::Integer, leftOf(Image7)},
        {Kind::Integer, heightOf(Image7)}, {Kind::Integer, widthOf(Image7)},
        /* 54 */ {Kind::Integer, top(Image9)}, {Kind::Integer, leftOf(Image9)},
        {Kind::Integer, heightOf(Image9)}, {Kind::Integer, widthOf(Image9)},
        /* 58 */ {Kind::Integer, top(Image8)}, {Kind::Integer, leftOf(Image8)},
        {Kind::Integer, heightOf(Image8)}, {Kind::Integer, widthOf(Image8)},
        /* 62 */ {Kind::Integer, top(Image2)}, {Kind::Integer, leftOf(Image2)},
        {Kind::Integer, heightOf(Image2)}, {Kind::Integer, widthOf(Image2)},
        /* 66 */ {Kind::Integer, top(Image31)}, {Kind::Integer, leftOf(Image31)},
        {Kind::Integer, heightOf(Image31)}, {Kind::Integer, widthOf(Image31)},
        /* 70 */ {Kind::Integer, top(Shape1)},
        /* 71 */ {Kind::Integer, [this, moved](std::int32_t v) {
                     Shape1.left = ClampCoordinate(v);
                     Image37.top = moved(Shape1.top, -4);
                     Image37.left = moved(Shape1.left, 64);
                 }},
        /* 72 */ {Kind::Integer, top(Image16)}, {Kind::Integer, leftOf(Image16)},
        {Kind::Integer, heightOf(Image16)}, {Kind::Integer, widthOf(Image16)},
        /* 76 */ {Kind::Integer, top(Image17)}, {Kind::Integer, leftOf(Image17)},
        {Kind::Integer, heightOf(Image17)}, {Kind::Integer, widthOf(Image17)},
        /* 80 */ {Kind::Boolean, [this](std::int32_t v) { Label2.visible = v != 0; }},
        /* 81 */ {Kind::Boolean, [this](std::int32_t v) { Label1.visible = v != 0; }},
        /* 82 */ {Kind::Integer, top(Label2)},
        /* 83 */ {Kind::Integer, [this, moved](std::int32_t v) {
                     Label2.left = ClampCoordinate(v);
                     Label1.top = moved(Label2.top, 8);
                     Label1.left = Label2.left;
                 }},
        /* 84 */ {Kind::Colour, [this](std::int32_t v) {
                     Label1.font.color = static_cast<ui::Color>(v);
                     Label2.font.color = Label1.font.color;
                 }},
        /* 85 */ {Kind::Boolean, [this](std::int32_t v) {
                     const bool level = v != 0;
                     Image20.visible = Image20.enabled = level;
                     for (ui::Control* slider : {static_cast<ui::Control*>(&Image31), static_cast<ui::Control*>(&Shape1),
                                                 static_cast<ui::Control*>(&Image37)})
                         slider->visible = slider->enabled = !level;
                 }},
        /* 86 */ {Kind::Integer, heightOf(Image20)}, {Kind::Integer, widthOf(Image20)},
        {Kind::Integer, top(Image20)}, {Kind::Integer, leftOf(Image20)},
    };
    static_assert(sizeof(values) / sizeof(values[0]) == skin::kLastLayoutLine - skin::kFirstLayoutLine + 1,
                  "one entry per layout line");

    int line = skin::kFirstLayoutLine;
    for (const Value& value : values) {
        const std::string raw = text.Line(line++);
        switch (value.kind) {
        case Kind::Integer: value.apply(skin::SkinInteger(raw)); break;
        case Kind::Boolean: value.apply(skin::SkinBoolean(raw) ? 1 : 0); break;
        case Kind::Colour: value.apply(static_cast<std::int32_t>(skin::SkinColor(raw))); break;
        }
    }

    ShowSkinFaces();
    playback.ShowVolume();
    PlaceWakeCallHint("");
}

void TForm1::SetSlotPicture(int slot, const ui::Picture& picture) {
    if (slot == kBackgroundSlot) {
        backgroundPicture_ = picture;
        FitBackground();
        return;
    }
    (this->*kSlots[slot].first).SetPicture(picture);
    if (kSlots[slot].second) (this->*kSlots[slot].second).SetPicture(picture);
}

void TForm1::FitBackground() {
    Image100.left = 0;
    Image100.top = 0;
    Image100.width = clientWidth;
    if (backgroundPicture_.Empty() || clientWidth <= 0) {
        Image100.picture = ui::Picture{};
        Image100.height = backgroundPicture_.height;
        return;
    }
    const ui::Picture& source = backgroundPicture_;
    ui::Picture stretched;
    // A window wider than any picture we would decode gets the widest such picture.
    stretched.width = static_cast<int>(std::min<std::int64_t>(
        {clientWidth, skin::kMaxBitmapSide, skin::kMaxBitmapPixels / source.height}));
    stretched.height = source.height;
    stretched.pixels.resize(static_cast<std::size_t>(stretched.width) * static_cast<std::size_t>(stretched.height));
    for (int x = 0; x < stretched.width; ++x) {
        const int from = static_cast<int>(static_cast<long long>(x) * source.width / stretched.width);
        for (int y = 0; y < stretched.height; ++y)
            stretched.pixels[static_cast<std::size_t>(y) * stretched.width + x] = source.Pixel(from, y);
    }
    Image100.picture = std::move(stretched);
    Image100.height = source.height;
}
