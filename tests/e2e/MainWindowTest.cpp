// The main window of the real program as the screen shows it: the built-in look and each
// default skin against reference pictures, a skin file given on the command line, and Alt+F4.
//
// The reference pictures live in the source tree (folder named by ORVELLA_REFERENCE_DIR, which
// the build sets for ctest). With ORVELLA_RECORD_REFERENCES=1 the tests write them instead of
// comparing; look at them before committing.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "E2eSupport.h"

namespace {

const char* const kKey = "Software\\Orvella";

// A screen area as 8-bit blue, green, red triples, top row first.
struct Screenshot {
    int width = 0, height = 0;
    std::vector<std::uint8_t> bgr;

    bool operator==(const Screenshot& other) const {
        return width == other.width && height == other.height && bgr == other.bgr;
    }
};

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

// Wine tells the X server of a new pointer position only when it differs from the one it
// knows, which may already be the corner while the X pointer is elsewhere: move it twice.
void MovePointerAway() {
    SetCursorPos(1, 1);
    SetCursorPos(0, 0);
}

// The window once it has finished painting, with every button in its resting face: two
// captures 250 ms apart that agree.
Screenshot SteadyCapture(HWND window, DWORD timeoutMs = 10000) {
    // The X pointer starts in the middle of the screen, where the centred window puts a
    // button; a window mapped under it sees the pointer arrive. A move over the background
    // resets the hover faces, and the pointer goes where it cannot come back.
    MovePointerAway();
    RECT client{};
    GetClientRect(window, &client);
    PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(4, client.bottom / 2));
    Sleep(250);
    Screenshot last = CaptureClientArea(window);
    e2e::WaitUntil(
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

void PutLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint32_t GetLittleEndian(const std::string& in, std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | static_cast<std::uint8_t>(in[at + i]);
    return value;
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

// A pixel of the skins' colour key (red 255, green 128, blue 255).
bool IsKeyColour(const std::uint8_t* bgr) { return bgr[0] == 255 && bgr[1] == 128 && bgr[2] == 255; }

// The share of pixels whose channels all lie within `tolerance` of the reference's; 0 when the
// sizes differ. Small rendering differences (font smoothing, dithering) stay within it.
// Whether the colour key cuts the window's corners depends on the X server (under Xvfb it
// does, and the screen behind shows): a key-coloured pixel on either side matches anything.
double MatchingShare(const Screenshot& actual, const Screenshot& reference, int tolerance = 8) {
    if (actual.width != reference.width || actual.height != reference.height || actual.bgr.empty()) return 0;
    std::size_t matching = 0;
    const std::size_t pixels = actual.bgr.size() / 3;
    for (std::size_t i = 0; i < pixels; ++i) {
        bool close = true;
        for (int c = 0; c < 3; ++c)
            close = close && std::abs(actual.bgr[i * 3 + c] - reference.bgr[i * 3 + c]) <= tolerance;
        if (close || IsKeyColour(&actual.bgr[i * 3]) || IsKeyColour(&reference.bgr[i * 3])) ++matching;
    }
    return static_cast<double>(matching) / static_cast<double>(pixels);
}

std::string Environment(const char* name) {
    char value[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

// Compares `shot` with the reference picture `name`.bmp, or records it there.
void ExpectLooksLikeReference(const Screenshot& shot, const std::string& name) {
    ASSERT_FALSE(shot.bgr.empty()) << "nothing captured";
    const std::string folder = Environment("ORVELLA_REFERENCE_DIR");
    ASSERT_FALSE(folder.empty()) << "ORVELLA_REFERENCE_DIR names no folder of reference pictures";
    const std::string reference = folder + "\\" + name + ".bmp";
    if (Environment("ORVELLA_RECORD_REFERENCES") == "1") {
        ASSERT_TRUE(e2e::WriteTextFile(reference, EncodeBmp(shot))) << reference;
        std::printf("recorded %s (%d x %d)\n", reference.c_str(), shot.width, shot.height);
        return;
    }
    const Screenshot expected = DecodeBmp(e2e::ReadTextFile(reference));
    ASSERT_FALSE(expected.bgr.empty()) << "no reference picture " << reference;
    const double share = MatchingShare(shot, expected);
    if (share < 0.99) {
        const std::string actualFile = e2e::BinFolder() + "MainWindow-" + name + "-actual.bmp";
        e2e::WriteTextFile(actualFile, EncodeBmp(shot));
        ADD_FAILURE() << name << ": " << share * 100 << " % of the pixels match the reference (" << expected.width
                      << " x " << expected.height << ", captured " << shot.width << " x " << shot.height
                      << "); the capture is in " << actualFile;
    }
}

// Orvella installed in the test's bin folder with the stand-in registered as the player, the
// settings present and no saved window position, so the window starts centred.
class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        e2e::InstallOrvellaWithStandInPlayer();
        DeleteFileA((e2e::BinFolder() + "Orvella.ini").c_str());
        MovePointerAway();
    }
    void TearDown() override {
        e2e::DeleteRegistryKey(kKey);
        DeleteFileA((e2e::BinFolder() + "Orvella.ini").c_str());
    }

    static std::string SkinsFolder() { return e2e::BinFolder() + "Skins\\"; }

    static HWND VisibleMainWindow() {
        HWND window = e2e::WaitForWindow("TForm1", "Orvella", 15000);
        if (window && !e2e::WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, 10000)) return nullptr;
        return window;
    }

    // Starts the program with `skin` stored as the current skin and waits until the window has
    // taken the skin's width; null when it did not come.
    static HWND StartWithSkin(e2e::RunningProgram& program, const std::string& skin, const std::string& arguments = "") {
        e2e::SetRegistryString(kKey, "Theme - Pfad", SkinsFolder() + skin);
        program = e2e::StartProgram("Orvella.exe", arguments);
        HWND window = VisibleMainWindow();
        if (!window) return nullptr;
        // The default skins are wider than the built-in 297 pixels.
        e2e::WaitUntil(
            [&] {
                RECT r;
                return GetWindowRect(window, &r) && r.right - r.left != 297;
            },
            10000);
        return window;
    }

    static SIZE WindowSize(HWND window) {
        RECT r{};
        GetWindowRect(window, &r);
        return SIZE{r.right - r.left, r.bottom - r.top};
    }

    static BYTE Opacity(HWND window) {
        BYTE alpha = 0;
        DWORD flags = 0;
        COLORREF key = 0;
        GetLayeredWindowAttributes(window, &key, &alpha, &flags);
        return alpha;
    }
};

TEST_F(MainWindow, BuiltInLookMatchesItsReference) {
    auto program = e2e::StartProgram("Orvella.exe");
    HWND box = e2e::FindMessageBox("Colortheme file error", 15000);
    ASSERT_TRUE(box);
    e2e::PressButton(box, IDNO);
    HWND window = VisibleMainWindow();
    ASSERT_TRUE(window);
    ASSERT_TRUE(e2e::WaitForWindowGone("#32770", "Colortheme file error", 5000));
    const SIZE size = WindowSize(window);
    EXPECT_EQ(size.cx, 297);
    EXPECT_EQ(size.cy, 47);
    // Centred on the 1280 x 1024 screen of the test runs.
    RECT r{};
    GetWindowRect(window, &r);
    EXPECT_EQ(r.left, GetSystemMetrics(SM_CXSCREEN) / 2 - 297 / 2);
    EXPECT_EQ(r.top, GetSystemMetrics(SM_CYSCREEN) / 2 - 47 / 2);
    ExpectLooksLikeReference(SteadyCapture(window), "BuiltIn");
    EXPECT_TRUE(program.Running());
}

TEST_F(MainWindow, ClassicSkinMatchesItsReference) {
    e2e::RunningProgram program;
    HWND window = StartWithSkin(program, "Classic.skn");
    ASSERT_TRUE(window);
    EXPECT_FALSE(e2e::FindMessageBox("Colortheme file error", 500));
    EXPECT_EQ(Opacity(window), 255);
    ExpectLooksLikeReference(SteadyCapture(window), "Classic");
}

TEST_F(MainWindow, MidnightSkinMatchesItsReference) {
    e2e::RunningProgram program;
    HWND window = StartWithSkin(program, "Midnight.skn");
    ASSERT_TRUE(window);
    EXPECT_FALSE(e2e::FindMessageBox("Colortheme file error", 500));
    EXPECT_EQ(Opacity(window), 240);
    ExpectLooksLikeReference(SteadyCapture(window), "Midnight");
}

TEST_F(MainWindow, SkinFileOnTheCommandLineIsTakenOverAndShownButNotStored) {
    const std::string original = e2e::ReadTextFile(SkinsFolder() + "Midnight.skn");
    ASSERT_FALSE(original.empty()) << "the default skins are missing from " << SkinsFolder();
    e2e::TempFolder temp;
    const std::string opened = temp.File("Night Copy.skn");
    ASSERT_TRUE(e2e::WriteTextFile(opened, original));
    const std::string takenOver = SkinsFolder() + "Night Copy.skn";
    DeleteFileA(takenOver.c_str());

    // Classic is the stored skin; the file from the command line replaces it for this run.
    e2e::RunningProgram program;
    HWND window = StartWithSkin(program, "Classic.skn", "\"" + opened + "\"");
    ASSERT_TRUE(window);
    EXPECT_EQ(e2e::ReadTextFile(takenOver), original);
    // Both default skins are 340 x 47; Midnight alone is slightly see-through.
    const SIZE size = WindowSize(window);
    EXPECT_EQ(size.cx, 340);
    EXPECT_EQ(size.cy, 47);
    EXPECT_EQ(Opacity(window), 240);
    std::string stored;
    EXPECT_TRUE(e2e::GetRegistryString(kKey, "Theme - Pfad", stored));
    EXPECT_EQ(stored, SkinsFolder() + "Classic.skn");
    if (Environment("ORVELLA_RECORD_REFERENCES") != "1") ExpectLooksLikeReference(SteadyCapture(window), "Midnight");

    program.Kill();
    DeleteFileA(takenOver.c_str());
}

TEST_F(MainWindow, AltF4DoesNotCloseTheWindow) {
    e2e::RunningProgram program;
    HWND window = StartWithSkin(program, "Classic.skn");
    ASSERT_TRUE(window);

    // The key as the system delivers it: a system key-down with the Alt bit (29) set.
    const LPARAM altDown = (1 << 29) | (MapVirtualKeyA(VK_F4, MAPVK_VK_TO_VSC) << 16) | 1;
    ASSERT_TRUE(PostMessageA(window, WM_SYSKEYDOWN, VK_F4, altDown));
    PostMessageA(window, WM_SYSKEYUP, VK_F4, altDown | (1u << 30) | (1u << 31));
    Sleep(1000);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(program.Running());

    // Typed on the keyboard while the window is in front.
    ShowWindow(window, SW_RESTORE);
    BringWindowToTop(window);
    SetForegroundWindow(window);
    ASSERT_TRUE(e2e::WaitUntil([&] { return GetForegroundWindow() == window; }, 5000));
    keybd_event(VK_MENU, 0, 0, 0);
    keybd_event(VK_F4, 0, 0, 0);
    keybd_event(VK_F4, 0, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_MENU, 0, KEYEVENTF_KEYUP, 0);
    Sleep(1000);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(program.Running());
}

}  // namespace
