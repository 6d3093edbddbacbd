// The programs on screens of 120, 144 and 192 DPI (Windows' 125, 150 and 200 %), as Wine shows
// them when its "LogPixels" says so: every control's text fits its control in both built-in
// languages, the main window is its skin's size times the scale, and the main window and each
// preferences tab look as recorded at each scale.
#include "E2eSupport.h"
#include "ForeignControls.h"
#include <commctrl.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Screenshots.h"
#include "language/LanguageFile.h"
#include "language/LanguageTexts.h"

namespace {

const char* const kKey = "Software\\Orvella";
const char* const kDesktop = "Control Panel\\Desktop";

using e2e::Child;
using e2e::ChildOfClass;
using e2e::SendWithData;

int Scaled(int value, int dpi) { return MulDiv(value, dpi, 96); }

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// The font a control draws its text in, as this process can use it: the control's own when
// its handle can be read from here, else the dialogs' font at that DPI.
HFONT MeasuringFont(HWND control, int dpi) {
    LOGFONTA font{};
    const auto own = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    if (!own || GetObjectA(own, sizeof font, &font) != sizeof font) {
        font = LOGFONTA{};
        font.lfHeight = -MulDiv(8, dpi, 72);
        lstrcpyA(font.lfFaceName, "MS Sans Serif");
    }
    return CreateFontIndirectA(&font);
}

// The size of `text` in the control's font: one line, or broken into lines of `width`.
SIZE TextSize(HWND control, int dpi, const std::string& text, int width = 0) {
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = MeasuringFont(control, dpi);
    HGDIOBJ old = SelectObject(dc, font);
    RECT r{0, 0, width, 0};
    DrawTextA(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_NOPREFIX | (width > 0 ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

// The texts a window paints itself (the labels of a form's client area or of one of its
// panels), as a screen reader finds them: each one's words and its place on the screen. They
// come before the child windows among the window's accessible children.
struct PaintedText {
    std::string text;
    RECT place;
};

std::vector<PaintedText> PaintedTexts(HWND window) {
    std::vector<PaintedText> texts;
    IAccessible* object = e2e::AccessibleOf(window);
    if (!object) return texts;
    long count = 0;
    object->get_accChildCount(&count);
    for (long child = 1; child <= count; ++child) {
        const VARIANT id = e2e::AccessibleChild(child);
        IDispatch* dispatch = nullptr;
        if (object->get_accChild(id, &dispatch) == S_OK && dispatch) {
            dispatch->Release();
            break;  // the child windows, which the walk measures itself
        }
        VARIANT role{};
        BSTR name = nullptr;
        long left = 0, top = 0, width = 0, height = 0;
        if (object->get_accRole(id, &role) != S_OK || role.vt != VT_I4 || role.lVal != ROLE_SYSTEM_STATICTEXT ||
            object->get_accName(id, &name) != S_OK || object->accLocation(&left, &top, &width, &height, id) != S_OK) {
            SysFreeString(name);
            continue;
        }
        const std::string text = e2e::TakeString(name);
        if (!text.empty()) texts.push_back({text, RECT{left, top, left + width, top + height}});
    }
    object->Release();
    return texts;
}

long AccessibleChildCount(HWND window) {
    long count = 0;
    if (IAccessible* object = e2e::AccessibleOf(window)) {
        object->get_accChildCount(&count);
        object->Release();
    }
    return count;
}

// What does not fit in one window, one line per control, empty when everything fits: a single
// line's extent beyond the room its control leaves for text, a broken text beyond the height,
// tabs running out of their row, a painted text running past the edge of what it is painted on
// or under a control. A hidden window's controls count as they would show.
std::string PaintedMisfits(HWND surface, bool shown) {
    std::string found;
    RECT client{};
    GetClientRect(surface, &client);
    MapWindowPoints(surface, nullptr, reinterpret_cast<POINT*>(&client), 2);
    for (const PaintedText& painted : PaintedTexts(surface)) {
        RECT inside{};
        IntersectRect(&inside, &painted.place, &client);
        std::string under;
        for (HWND control = GetWindow(surface, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
            if (shown ? !IsWindowVisible(control) : !(GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE)) continue;
            RECT over{}, both{};
            GetWindowRect(control, &over);
            if (IntersectRect(&both, &painted.place, &over)) under = ClassOf(control) + " \"" + e2e::WindowText(control) + "\"";
        }
        if (EqualRect(&inside, &painted.place) && under.empty()) continue;
        char line[768];
        std::snprintf(line, sizeof line, "  painted \"%s\": %ld x %ld at %ld,%ld, %s\n", painted.text.c_str(),
                      painted.place.right - painted.place.left, painted.place.bottom - painted.place.top,
                      painted.place.left - client.left, painted.place.top - client.top,
                      under.empty() ? ("its surface " + std::to_string(client.right - client.left) + " x " +
                                       std::to_string(client.bottom - client.top)).c_str()
                                    : ("under " + under).c_str());
        found += line;
    }
    return found;
}

std::string Misfits(HWND root, int dpi) {
    const bool shown = IsWindowVisible(root) != FALSE;
    std::string found;
    const auto report = [&](HWND control, const std::string& text, const SIZE& need, int room) {
        char line[512];
        std::snprintf(line, sizeof line, "  %s \"%s\": needs %ld x %ld, has %d (control %d wide)\n",
                      ClassOf(control).c_str(), text.c_str(), need.cx, need.cy, room,
                      [&] { RECT r{}; GetClientRect(control, &r); return static_cast<int>(r.right); }());
        found += line;
    };
    found += PaintedMisfits(root, shown);
    for (HWND control : e2e::Descendants(root)) {
        if (shown ? !IsWindowVisible(control) : !(GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE)) continue;
        if (e2e::OfClass(control, "TPanel")) found += PaintedMisfits(control, shown);
        RECT client{};
        GetClientRect(control, &client);
        const std::string text = e2e::WindowText(control);
        const LONG style = GetWindowLongA(control, GWL_STYLE);
        if (e2e::OfClass(control, "Button") && !text.empty()) {
            const LONG type = style & BS_TYPEMASK;
            const bool box = type == BS_AUTOCHECKBOX || type == BS_CHECKBOX || type == BS_AUTORADIOBUTTON ||
                             type == BS_RADIOBUTTON;
            // A check box's text starts beside the box; a push button keeps a frame round it.
            const int room = client.right - (box ? Scaled(13 + 4, dpi) : Scaled(2 * 3, dpi));
            const SIZE need = TextSize(control, dpi, text, style & BS_MULTILINE ? room : 0);
            if (need.cx > room || need.cy > client.bottom) report(control, text, need, room);
        } else if (e2e::OfClass(control, "Static") && !text.empty()) {
            const SIZE need = TextSize(control, dpi, text, client.right);
            if (need.cy > client.bottom || need.cx > client.right) report(control, text, need, client.right);
        } else if (e2e::OfClass(control, "ComboBox") && !text.empty()) {
            const int room = client.right - GetSystemMetrics(SM_CXVSCROLL) - Scaled(4, dpi);
            const SIZE need = TextSize(control, dpi, text);
            if (need.cx > room) report(control, text, need, room);
        } else if (e2e::OfClass(control, "Edit") && !text.empty() && text.find('\\') == std::string::npos) {
            // Numbers and short texts; a path scrolls in its field by design.
            const int room = client.right - Scaled(2, dpi);
            const SIZE need = TextSize(control, dpi, text);
            if (need.cx > room || need.cy > client.bottom) report(control, text, need, room);
        } else if (e2e::OfClass(control, WC_TABCONTROLA)) {
            const int count = static_cast<int>(SendMessageA(control, TCM_GETITEMCOUNT, 0, 0));
            RECT last{};
            if (count > 0) SendWithData(control, TCM_GETITEMRECT, static_cast<WPARAM>(count - 1), last);
            HWND arrows = ChildOfClass(control, UPDOWN_CLASSA);
            if (last.right > client.right || (arrows && IsWindowVisible(arrows)))
                report(control, "tabs in one row", SIZE{last.right, last.bottom}, client.right);
            for (int i = 0; i < count; ++i) {
                RECT item{};
                SendWithData(control, TCM_GETITEMRECT, static_cast<WPARAM>(i), item);
                const std::string caption = e2e::TabCaption(control, i);
                const SIZE need = TextSize(control, dpi, caption);
                if (need.cx > item.right - item.left || need.cy > item.bottom - item.top)
                    report(control, caption, need, item.right - item.left);
            }
        } else if (e2e::OfClass(control, WC_LISTVIEWA)) {
            RECT row{};
            row.left = LVIR_LABEL;
            if (SendMessageA(control, LVM_GETITEMCOUNT, 0, 0) > 0 && SendWithData(control, LVM_GETITEMRECT, 0, row)) {
                const SIZE need = TextSize(control, dpi, "Ag");
                if (need.cy > row.bottom - row.top) report(control, "row height", need, row.bottom - row.top);
            }
        }
    }
    return found;
}

// The language file of the run: both built-in languages with their default texts.
void WriteBothLanguages() {
    std::string file;
    for (const bool german : {true, false}) {
        file += german ? "[Deutsch]\r\n" : "[English]\r\n";
        for (int k = 1; k <= kLanguageKeyCount; ++k) file += std::to_string(k) + "=" + DefaultText(german, k) + "\r\n";
    }
    e2e::WriteTextFile(e2e::InstalledLanguageFile(), file);
}

std::string TextOf(bool german, const std::string& english) {
    for (int k = 1; k <= kLanguageKeyCount; ++k)
        if (DefaultText(false, k) == english) return DefaultText(german, k);
    return english;
}

// Wine's screen resolution for the programs started while it lives, put back afterwards.
class ScreenDpi {
public:
    explicit ScreenDpi(int dpi) {
        hadOld_ = e2e::GetRegistryDword(kDesktop, "LogPixels", old_);
        e2e::SetRegistryDword(kDesktop, "LogPixels", static_cast<DWORD>(dpi));
    }
    ~ScreenDpi() {
        if (hadOld_) e2e::SetRegistryDword(kDesktop, "LogPixels", old_);
        else e2e::DeleteRegistryValue(kDesktop, "LogPixels");
    }
    ScreenDpi(const ScreenDpi&) = delete;
    ScreenDpi& operator=(const ScreenDpi&) = delete;

private:
    DWORD old_ = 96;
    bool hadOld_ = false;
};

class DpiScaling : public ::testing::Test {
protected:
    void SetUp() override {
        // This process sees the other programs' windows as they are, unscaled.
        using Aware = BOOL WINAPI();
        if (auto aware = reinterpret_cast<Aware*>(reinterpret_cast<void*>(
                GetProcAddress(GetModuleHandleA("user32.dll"), "SetProcessDPIAware"))))
            aware();
        e2e::InstallOrvellaWithStandInPlayer();
        WriteBothLanguages();
        DeleteFileA((e2e::BinFolder() + "Orvella.ini").c_str());
        e2e::MovePointerAway();
        CoInitialize(nullptr);
    }
    void TearDown() override {
        CoUninitialize();
        program_.Kill();
        e2e::DeleteRegistryKey(kKey);
        DeleteFileA((e2e::BinFolder() + "Orvella.ini").c_str());
    }

    // Starts the program in the language, with the Classic skin, and waits for its main window.
    HWND Start(bool german, const std::string& skin = "Classic.skn") {
        e2e::SetRegistryString(kKey, "Programm - Sprache", german ? "Deutsch" : "English");
        e2e::SetRegistryString(kKey, "Theme - Pfad", e2e::BinFolder() + "Skins\\" + skin);
        program_ = e2e::StartProgram("Orvella.exe");
        HWND main = e2e::WaitForWindow("TForm1", "Orvella", 15000);
        if (!main || !e2e::WaitUntil([&] { return IsWindowVisible(main) != FALSE; }, 10000)) return nullptr;
        return main;
    }


    e2e::RunningProgram program_;
};

const int kDpis[] = {96, 120, 144, 192};

// The row of the language's longest default text, which the translation editor opens widest.
int LongestRow(bool german) {
    int longest = 1;
    for (int k = 1; k <= kLanguageKeyCount; ++k)
        if (DefaultText(german, k).size() > DefaultText(german, longest).size()) longest = k;
    return longest - 1;
}

// Opens the row's editor in place as a click on the selected row does; null when it did not open.
HWND EditRow(HWND list, int row) {
    SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendWithData(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), state);
    RECT bounds{};
    bounds.left = LVIR_LABEL;
    SendWithData(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), bounds);
    PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(bounds.left + 4, bounds.top + 2));
    HWND editor = nullptr;
    e2e::WaitUntil([&] { return (editor = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETEDITCONTROL, 0, 0))); }, 5000);
    return editor;
}

// The program's shown input box (a system dialog with one field); null when none comes.
HWND WaitForInputBox() {
    HWND box = nullptr;
    e2e::WaitUntil(
        [&] {
            for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "#32770", nullptr)) != nullptr;)
                if (IsWindowVisible(w) && ChildOfClass(w, "Edit")) return (box = w) != nullptr;
            return false;
        },
        5000);
    return box;
}

// A visible control of the class with the text: a caption such as "New" can be on two tabs.
HWND VisibleChild(HWND root, const std::string& className, const std::string& text) {
    return e2e::FindControl(root, className,
                            [&](HWND w) { return IsWindowVisible(w) && e2e::WindowText(w) == text; });
}

TEST_F(DpiScaling, EveryControlsTextFitsAtEachScaleInBothLanguages) {
    std::string misfits;
    int captures = 0;
    // What does not fit in the window, with its picture left for the one who reads the failure.
    const auto walk = [&](const std::string& where, HWND window, int dpi) {
        const std::string found = Misfits(window, dpi);
        if (found.empty()) return;
        const std::string capture = e2e::BinFolder() + "Misfit-" + std::to_string(++captures) + ".bmp";
        e2e::WriteTextFile(capture, e2e::EncodeBmp(e2e::CaptureClientArea(window)));
        misfits += std::to_string(dpi) + " DPI, " + where + " (" + capture + "):\n" + found;
    };
    for (const int dpi : kDpis) {
        ScreenDpi screen(dpi);
        for (const bool german : {false, true}) {
            const std::string run = std::to_string(dpi) + " DPI, " + (german ? "Deutsch" : "English");
            const std::string language = german ? "Deutsch, " : "English, ";
            HWND main = Start(german);
            ASSERT_TRUE(main) << run;
            HWND dialog = e2e::OpenPreferencesByShortcut(main);
            ASSERT_TRUE(dialog) << run;
            for (int tab = 0; tab < 7; ++tab) {
                e2e::ShowTab(dialog, tab);
                walk(language + "preferences tab " + std::to_string(tab), dialog, dpi);
            }
            // The date dialog, from the Dates tab's "New".
            e2e::ShowTab(dialog, 3);
            PostMessageA(VisibleChild(dialog, "Button", TextOf(german, "New")), BM_CLICK, 0, 0);
            HWND dates = e2e::WaitForWindow("TForm3", "", 10000);
            ASSERT_TRUE(dates && e2e::WaitUntil([&] { return IsWindowVisible(dates) != FALSE; }, 5000)) << run;
            Sleep(200);
            walk(language + "date dialog", dates, dpi);
            PostMessageA(dates, WM_KEYDOWN, VK_ESCAPE, 0);
            ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindowVisible(dates); }, 5000)) << run;
            // The translation editor with the longest row open in place, and the input box that
            // its "New" asks a language's name with.
            e2e::ShowTab(dialog, 4);
            HWND list = e2e::FindControl(dialog, WC_LISTVIEWA, [](HWND l) { return IsWindowVisible(l) != FALSE; });
            ASSERT_TRUE(list) << run;
            HWND editor = EditRow(list, LongestRow(german));
            ASSERT_TRUE(editor) << run;
            walk(language + "translation editor, row " + std::to_string(LongestRow(german) + 1) + " open", dialog, dpi);
            PostMessageA(editor, WM_KEYDOWN, VK_ESCAPE, 0);
            ASSERT_TRUE(e2e::WaitUntil([&] { return !SendMessageA(list, LVM_GETEDITCONTROL, 0, 0); }, 5000)) << run;
            PostMessageA(VisibleChild(dialog, "Button", TextOf(german, "New")), BM_CLICK, 0, 0);
            HWND box = WaitForInputBox();
            ASSERT_TRUE(box) << run;
            walk(language + "input box", box, dpi);
            PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
            ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(box); }, 5000)) << run;
            // The shutdown countdown exists from the start, hidden; its controls are laid out.
            if (HWND shutdown = FindWindowA("TForm6", nullptr)) walk(language + "shutdown countdown", shutdown, dpi);
            program_.Kill();
            e2e::WaitForWindowGone("TForm1", "Orvella", 5000);

            // The uninstall wizard, started from the program folder and never pressed: its
            // welcome page as it shows, its last page (hidden until the removal) as it would.
            e2e::RunningProgram remover = e2e::StartProgram(e2e::BinFolder() + "OrvellaRemover.exe", "", e2e::BinFolder());
            HWND wizard = e2e::WaitForWindow("TForm1", "Setup", 15000);
            ASSERT_TRUE(wizard && e2e::WaitUntil([&] { return IsWindowVisible(wizard) != FALSE; }, 5000)) << run;
            Sleep(200);
            walk(language + "uninstall wizard, welcome page", wizard, dpi);
            HWND last = e2e::FindControl(wizard, "TPanel", [](HWND panel) { return !IsWindowVisible(panel); });
            ASSERT_TRUE(last) << run;
            // The walk reads what a screen reader reads: the title, then the window's controls;
            // each page's two lines.
            EXPECT_EQ(PaintedTexts(wizard).size(), 1u) << run;
            EXPECT_GE(AccessibleChildCount(wizard), 3) << run << ": the buttons are missing";
            EXPECT_EQ(PaintedTexts(last).size(), 2u) << run;
            walk(language + "uninstall wizard, last page", last, dpi);
            remover.Kill();
            e2e::WaitForWindowGone("TForm1", "Setup", 5000);
        }
        // The tips window, at a start without "Erster Start".
        e2e::DeleteRegistryValue(kKey, "Erster Start");
        program_ = e2e::StartProgram("Orvella.exe");
        HWND tips = e2e::WaitForWindow("TForm5", "Info", 15000);
        ASSERT_TRUE(tips && e2e::WaitUntil([&] { return IsWindowVisible(tips) != FALSE; }, 5000));
        Sleep(200);
        walk("tips", tips, dpi);
        program_.Kill();
        e2e::WaitForWindowGone("TForm5", "Info", 5000);
        e2e::SetRegistryDword(kKey, "Erster Start", 0);
    }
    EXPECT_EQ(misfits, "");
}

// A window moved to a monitor of another scale takes the rectangle Windows suggests and lays
// its controls out at the new DPI.
TEST_F(DpiScaling, AWindowFollowsTheDpiOfTheMonitorItMovesTo) {
    HWND main = Start(false);
    ASSERT_TRUE(main);
    HWND dialog = e2e::OpenPreferencesByShortcut(main);
    ASSERT_TRUE(dialog);
    HWND ok = Child(dialog, "Button", "OK");
    ASSERT_TRUE(ok);
    RECT before{}, window{};
    GetClientRect(ok, &before);
    GetWindowRect(dialog, &window);
    RECT suggested{window.left + 10, window.top + 10, window.left + 10 + 2 * (window.right - window.left),
                   window.top + 10 + 2 * (window.bottom - window.top)};
    SendWithData(dialog, WM_DPICHANGED, MAKEWPARAM(192, 192), suggested);
    RECT after{}, moved{};
    GetClientRect(ok, &after);
    GetWindowRect(dialog, &moved);
    EXPECT_EQ(after.right, 2 * before.right);
    EXPECT_EQ(after.bottom, 2 * before.bottom);
    EXPECT_EQ(moved.left, suggested.left);
    EXPECT_EQ(moved.top, suggested.top);
    EXPECT_EQ(Misfits(dialog, 192), "");
}

// The main window with the Classic skin and each preferences tab, as recorded at each scale;
// the window is the skin's size (its 96-DPI picture) times the scale.
TEST_F(DpiScaling, MainWindowAndPreferencesLookAsRecordedAtEachScale) {
    const e2e::Screenshot design =
        e2e::DecodeBmp(e2e::ReadTextFile(std::string(getenv("ORVELLA_REFERENCE_DIR")) + "\\Classic.bmp"));
    ASSERT_GT(design.width, 0);
    const char* const tabs[] = {"0-General1", "1-General2", "2-Volume", "3-Dates", "4-Language", "5-Theme", "6-About"};
    for (const int dpi : {120, 144, 192}) {
        ScreenDpi screen(dpi);
        const std::string suffix = "-" + std::to_string(dpi) + "dpi";
        HWND main = Start(false);
        ASSERT_TRUE(main) << dpi;
        ASSERT_TRUE(e2e::WaitUntil(
            [&] {
                RECT r{};
                GetClientRect(main, &r);
                return r.right == Scaled(design.width, dpi) && r.bottom == Scaled(design.height, dpi);
            },
            10000))
            << dpi << " DPI: the main window is not the skin's size times " << dpi / 96.0;
        // Centred at the show, at the built-in size before the skin came, as at 100 %.
        RECT placed{};
        GetWindowRect(main, &placed);
        EXPECT_EQ(placed.left, GetSystemMetrics(SM_CXSCREEN) / 2 - Scaled(297, dpi) / 2) << dpi;
        EXPECT_EQ(placed.top, GetSystemMetrics(SM_CYSCREEN) / 2 - Scaled(47, dpi) / 2) << dpi;
        e2e::ExpectLooksLikeReference(e2e::SteadyCapture(main), "Classic" + suffix);
        HWND dialog = e2e::OpenPreferencesByShortcut(main);
        ASSERT_TRUE(dialog) << dpi;
        for (int tab = 0; tab < 7; ++tab) {
            e2e::ShowTab(dialog, tab);
            e2e::MovePointerAway();
            Sleep(300);
            e2e::ExpectLooksLikeReference(e2e::CaptureClientArea(dialog), std::string("Preferences-") + tabs[tab] + suffix, 0.97);
        }
        program_.Kill();
        e2e::WaitForWindowGone("TForm1", "Orvella", 5000);
    }
}

}  // namespace
