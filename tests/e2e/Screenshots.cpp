#include "Screenshots.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "E2eSupport.h"

namespace {

void PutLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint32_t GetLittleEndian(const std::string& in, std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | static_cast<std::uint8_t>(in[at + i]);
    return value;
}

// A pixel of the skins' colour key (red 255, green 128, blue 255).
bool IsKeyColour(const std::uint8_t* bgr) { return bgr[0] == 255 && bgr[1] == 128 && bgr[2] == 255; }

// Whether the test program was started with `flag` among its arguments.
bool HasArgument(const char* flag) {
    const std::string line = GetCommandLineA();
    const std::string word = flag;
    for (std::size_t at = line.find(word); at != std::string::npos; at = line.find(word, at + 1)) {
        const std::size_t end = at + word.size();
        if ((at == 0 || line[at - 1] == ' ') && (end == line.size() || line[end] == ' ')) return true;
    }
    return false;
}

std::string Environment(const char* name) {
    char value[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

}  // namespace

namespace e2e {

// The window's client area as the screen shows it. Xvfb has no compositor, so this is what
// the X server holds, layered opacity included (which shows as opaque).
Screenshot CaptureClientArea(HWND window) {
    Screenshot shot;
    RECT client;
    if (!GetClientRect(window, &client)) return shot;
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    shot.width = client.right - client.left;
    shot.height = client.bottom - client.top;
    if (shot.width <= 0 || shot.height <= 0) return Screenshot();

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = shot.width;
    info.bmiHeader.biHeight = -shot.height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, shot.width, shot.height, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    const int stride = (shot.width * 3 + 3) & ~3;
    const auto* rows = static_cast<const std::uint8_t*>(bits);
    for (int y = 0; y < shot.height; ++y)
        shot.bgr.insert(shot.bgr.end(), rows + y * stride, rows + y * stride + shot.width * 3);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shot;
}

// A 24-bit bottom-up BMP file, as every picture viewer reads it.
std::string EncodeBmp(const Screenshot& shot) {
    const int stride = (shot.width * 3 + 3) & ~3;
    const std::uint32_t imageSize = static_cast<std::uint32_t>(stride * shot.height);
    std::string out = "BM";
    PutLittleEndian(out, 54 + imageSize, 4);
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, 54, 4);
    PutLittleEndian(out, 40, 4);
    PutLittleEndian(out, static_cast<std::uint32_t>(shot.width), 4);
    PutLittleEndian(out, static_cast<std::uint32_t>(shot.height), 4);
    PutLittleEndian(out, 1, 2);
    PutLittleEndian(out, 24, 2);
    PutLittleEndian(out, BI_RGB, 4);
    PutLittleEndian(out, imageSize, 4);
    PutLittleEndian(out, 2835, 4);
    PutLittleEndian(out, 2835, 4);
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, 0, 4);
    for (int y = shot.height - 1; y >= 0; --y) {
        out.append(reinterpret_cast<const char*>(&shot.bgr[static_cast<std::size_t>(y) * shot.width * 3]),
                   static_cast<std::size_t>(shot.width) * 3);
        out.append(static_cast<std::size_t>(stride - shot.width * 3), '\0');
    }
    return out;
}

// Reads back what EncodeBmp wrote; an empty picture for anything else.
Screenshot DecodeBmp(const std::string& file) {
    Screenshot shot;
    if (file.size() < 54 || file.compare(0, 2, "BM") != 0 || GetLittleEndian(file, 28, 2) != 24) return shot;
    const std::uint32_t offset = GetLittleEndian(file, 10, 4);
    const int width = static_cast<int>(GetLittleEndian(file, 18, 4));
    const int height = static_cast<int>(GetLittleEndian(file, 22, 4));
    const int stride = (width * 3 + 3) & ~3;
    if (width <= 0 || height <= 0 || file.size() < offset + static_cast<std::size_t>(stride) * height) return shot;
    shot.width = width;
    shot.height = height;
    for (int y = height - 1; y >= 0; --y) {
        const std::size_t row = offset + static_cast<std::size_t>(y) * stride;
        shot.bgr.insert(shot.bgr.end(), file.begin() + row, file.begin() + row + width * 3);
    }
    return shot;
}

// The share of pixels whose channels all lie within `tolerance` of the reference's; 0 when the
// sizes differ. Small rendering differences (font smoothing, dithering) stay within it.
// The colour key is a colour like any other here: a key-coloured pixel matches only a key-coloured
// one, so that a capture of nothing but the key (a window whose pictures are not drawn) matches
// no reference. Under Xvfb the key cuts the window's corners and the screen behind shows,
// which is what the references hold.
double MatchingShare(const Screenshot& actual, const Screenshot& reference, int tolerance) {
    if (actual.width != reference.width || actual.height != reference.height || actual.bgr.empty()) return 0;
    std::size_t matching = 0;
    const std::size_t pixels = actual.bgr.size() / 3;
    for (std::size_t i = 0; i < pixels; ++i) {
        bool close = IsKeyColour(&actual.bgr[i * 3]) == IsKeyColour(&reference.bgr[i * 3]);
        for (int c = 0; c < 3; ++c)
            close = close && std::abs(actual.bgr[i * 3 + c] - reference.bgr[i * 3 + c]) <= tolerance;
        if (close) ++matching;
    }
    return static_cast<double>(matching) / static_cast<double>(pixels);
}

// Compares `shot` with the reference picture `name`.bmp, or records it there.
void ExpectLooksLikeReference(const Screenshot& shot, const std::string& name, double minimumShare) {
    ASSERT_FALSE(shot.bgr.empty()) << "nothing captured";
    const std::string folder = Environment("ORVELLA_REFERENCE_DIR");
    ASSERT_FALSE(folder.empty()) << "ORVELLA_REFERENCE_DIR names no folder of reference pictures";
    const std::string reference = folder + "\\" + name + ".bmp";
    ASSERT_TRUE(Environment("ORVELLA_RECORD_REFERENCES").empty())
        << "ORVELLA_RECORD_REFERENCES no longer records anything: scripts/record-references.sh does";
    if (RecordingReferences()) {
        ASSERT_TRUE(e2e::WriteTextFile(reference, EncodeBmp(shot))) << reference;
        std::printf("recorded %s (%d x %d)\n", reference.c_str(), shot.width, shot.height);
    }
    const Screenshot expected = DecodeBmp(e2e::ReadTextFile(reference));
    ASSERT_FALSE(expected.bgr.empty()) << "no reference picture " << reference;
    const double share = MatchingShare(shot, expected);
    if (share < minimumShare) {
        const std::string actualFile = e2e::BinFolder() + name + "-actual.bmp";
        e2e::WriteTextFile(actualFile, EncodeBmp(shot));
        ADD_FAILURE() << name << ": " << share * 100 << " % of the pixels match the reference (" << expected.width
                      << " x " << expected.height << ", captured " << shot.width << " x " << shot.height
                      << "); the capture is in " << actualFile;
    }
}

// Wine tells the X server of a new pointer position only when it differs from the one it
// knows, which may already be the corner while the X pointer is elsewhere: move it twice.
void MovePointerAway() {
    SetCursorPos(1, 1);
    SetCursorPos(0, 0);
}

Screenshot SteadyCapture(HWND window, DWORD timeoutMs) {
    // The X pointer starts in the middle of the screen, where the centred window puts a
    // button; a window mapped under it sees the pointer arrive. A move over the background
    // resets the hover faces, and the pointer goes where it cannot come back.
    MovePointerAway();
    RECT client{};
    GetClientRect(window, &client);
    PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(4, client.bottom / 2));
    Sleep(250);
    Screenshot last = CaptureClientArea(window);
    WaitUntil(
        [&] {
            Sleep(250);
            Screenshot next = CaptureClientArea(window);
            const bool steady = !next.bgr.empty() && next == last;
            last = std::move(next);
            return steady;
        },
        timeoutMs);
    return last;
}

bool RecordingReferences() { return HasArgument(kRecordReferencesFlag); }

}  // namespace e2e
