#include "MainWindowFixture.h"
#include "language/LanguageFile.h"

using skintest::SkinFile;
using skintest::SlotOf;

namespace {

constexpr int kVkF4 = 0x73;
const char* const kIni = "C:\\Program Files\\Orvella\\Orvella.ini";

// Slots of the test skin by face, for readable expectations.
enum Slot {
    StartIdle = 0, StartHover = 1, StartActive = 2, StartHoverActive = 3, StartPressed = 4,
    PauseIdle = 5, PauseHover = 6, PauseActive = 7, PauseHoverActive = 8, PausePressed = 9,
    StopIdle = 10, StopHover = 11, StopActive = 12, StopHoverActive = 13, StopPressed = 14,
    OptionsNormal = 15, OptionsHover = 16, OptionsPressed = 17,
    TerminateNormal = 18, TerminateHover = 19, TerminatePressed = 20,
    MuteOn = 23, MuteOnPressed = 24, MuteMuted = 25, MuteMutedPressed = 26,
};

struct MainWindow : skintest::MainWindowFixture {
    ui::MouseEvent event;  // its coordinates must not matter
    MainWindow() {
        event.x = event.y = event.screenX = event.screenY = 7777;
        p.desktop.AddWindow("Winamp v1.x", "Winamp");
        LoadSkin(SkinFile());
    }
    void Move(ui::Control& c) { c.OnMouseMove(event); }
    void Press(ui::Control& c) { c.OnMouseDown(event); }
    void Release(ui::Control& c) { c.OnMouseUp(event); }
    void Click(ui::Control& c) {
        Press(c);
        Release(c);
    }
    ui::MenuItem& Menu(const std::string& caption, ui::MenuItem* in = nullptr) {
        ui::MenuItem& parent = in ? *in : f1.PopupMenu1;
        for (auto& item : parent.items)
            if (item->caption == caption) return *item;
        ADD_FAILURE() << "no menu entry " << caption;
        return parent;
    }
};

TEST_F(MainWindow, HoverShowsTheHoverFaceOnceAndResetsTheOtherButtons) {
    Move(f1.Image1);
    EXPECT_EQ(SlotOf(f1.Image1), StartHover);
    EXPECT_TRUE(f1.HoverStart);
    Press(f1.Image1);
    Move(f1.Image1);
    EXPECT_EQ(SlotOf(f1.Image1), StartPressed) << "a pressed face stays while the pointer is on it";

    Move(f1.Image7);
    EXPECT_EQ(SlotOf(f1.Image7), PauseHover);
    EXPECT_EQ(SlotOf(f1.Image1), StartIdle);
    EXPECT_FALSE(f1.HoverStart);
    Move(f1.Image9);
    Move(f1.Image16);
    Move(f1.Image17);
    Move(f1.Image2);
    EXPECT_EQ(SlotOf(f1.Image2), MuteMuted) << "the muted picture is also the hover face";
    EXPECT_EQ(SlotOf(f1.Image17), TerminateNormal);
    EXPECT_EQ(SlotOf(f1.Image16), OptionsNormal);
    EXPECT_EQ(SlotOf(f1.Image9), StopActive);
    EXPECT_TRUE(f1.HoverMute);
    EXPECT_FALSE(f1.HoverStart || f1.HoverPause || f1.HoverStop || f1.HoverOptions || f1.HoverTerminate);
}

TEST_F(MainWindow, FacesDependOnThePlayState) {
    struct Row {
        TPlayState state;
        int startHover, pauseHover, stopHover, startNormal, pauseNormal, stopNormal;
    };
    for (const Row& r : {Row{TPlayState::Play, StartHoverActive, PauseHover, StopHover, StartActive, PauseIdle, StopIdle},
                         Row{TPlayState::Pause, StartHover, PauseHoverActive, StopHover, StartIdle, PauseActive, StopIdle},
                         Row{TPlayState::Stop, StartHover, PauseHover, StopHoverActive, StartIdle, PauseIdle, StopActive}}) {
        f1.playback.PlayState = r.state;
        Move(f1.Image1);
        EXPECT_EQ(SlotOf(f1.Image1), r.startHover) << r.state;
        Move(f1.Image7);
        EXPECT_EQ(SlotOf(f1.Image7), r.pauseHover) << r.state;
        Move(f1.Image9);
        EXPECT_EQ(SlotOf(f1.Image9), r.stopHover) << r.state;
        Move(f1.Image100);
        EXPECT_EQ(SlotOf(f1.Image1), r.startNormal) << r.state;
        EXPECT_EQ(SlotOf(f1.Image7), r.pauseNormal) << r.state;
        EXPECT_EQ(SlotOf(f1.Image9), r.stopNormal) << r.state;
    }
}

TEST_F(MainWindow, PressedFaces) {
    const std::vector<std::pair<ui::Image*, int>> pressed = {
        {&f1.Image1, StartPressed}, {&f1.Image7, PausePressed}, {&f1.Image9, StopPressed},
        {&f1.Image16, OptionsPressed}, {&f1.Image17, TerminatePressed}, {&f1.Image2, MuteOnPressed}};
    for (const auto& [button, slot] : pressed) {
        Press(*button);
        EXPECT_EQ(SlotOf(*button), slot) << button->name;
    }
    f1.playback.Muted = true;
    Press(f1.Image2);
    EXPECT_EQ(SlotOf(f1.Image2), MuteMutedPressed);
}

TEST_F(MainWindow, MuteFacesLeavingTheButton) {
    for (bool muted : {false, true}) {
        f1.playback.Muted = muted;
        Move(f1.Image2);
        EXPECT_EQ(SlotOf(f1.Image2), MuteMuted);
        Move(f1.Image8);
        EXPECT_EQ(SlotOf(f1.Image2), muted ? MuteMuted : MuteOn);
    }
}

TEST_F(MainWindow, EveryBackgroundResetsAndOtherElementsDoNot) {
    for (ui::Control* background : {static_cast<ui::Control*>(&f1.Image100), static_cast<ui::Control*>(&f1.Image8),
                                    static_cast<ui::Control*>(&f1.Image31)}) {
        Move(f1.Image16);
        Move(*background);
        EXPECT_EQ(SlotOf(f1.Image16), OptionsNormal) << background->name;
    }
    Move(f1.Image16);
    f1.OnMouseMove(event);
    EXPECT_EQ(SlotOf(f1.Image16), OptionsNormal);
    for (ui::Control* quiet : {static_cast<ui::Control*>(&f1.Label1), static_cast<ui::Control*>(&f1.Label2),
                               static_cast<ui::Control*>(&f1.Shape1)})
        EXPECT_FALSE(quiet->OnMouseMove) << quiet->name;
}

TEST_F(MainWindow, MenuPlayLeavesTheHoverFaceUntilThePointerVisitsStart) {
    Menu("Play", &Menu("Wiedergabe")).Click();
    EXPECT_EQ(f1.playback.PlayState, TPlayState::Play);
    EXPECT_EQ(SlotOf(f1.Image1), StartHoverActive);
    Move(f1.Image100);
    EXPECT_EQ(SlotOf(f1.Image1), StartHoverActive);
    Move(f1.Image1);
    EXPECT_EQ(SlotOf(f1.Image1), StartHoverActive);
    Move(f1.Image100);
    EXPECT_EQ(SlotOf(f1.Image1), StartActive);
}

TEST_F(MainWindow, StartWhilePlayingKeepsThePressedFaceUntilTheBackground) {
    f1.playback.PlayState = TPlayState::Play;
    Move(f1.Image1);
    Click(f1.Image1);
    EXPECT_EQ(SlotOf(f1.Image1), StartPressed);
    Move(f1.Image1);
    EXPECT_EQ(SlotOf(f1.Image1), StartPressed);
    Move(f1.Image31);
    EXPECT_EQ(SlotOf(f1.Image1), StartActive);
}

TEST_F(MainWindow, ReleaseRunsTheCommandWhereverThePointerIs) {
    Press(f1.Image1);
    Move(f1.Image100);  // the pointer leaves; the captured release still reaches Start
    Release(f1.Image1);
    EXPECT_EQ(f1.playback.PlayState, TPlayState::Play);

    Click(f1.Image7);
    EXPECT_EQ(f1.playback.PlayState, TPlayState::Pause);

    Click(f1.Image9);
    EXPECT_EQ(f1.playback.PlayState, TPlayState::Stop);
    EXPECT_EQ(SlotOf(f1.Image9), StopHoverActive);
    Click(f1.Image9);  // already stopped: only the face of the release itself
    EXPECT_EQ(SlotOf(f1.Image9), StopHoverActive);

    f1.HoverOptions = true;
    Click(f1.Image16);
    EXPECT_EQ(SlotOf(f1.Image16), OptionsNormal);
    EXPECT_FALSE(f1.HoverOptions);
    EXPECT_TRUE(f2.Visible());

    Click(f1.Image2);
    EXPECT_TRUE(f1.playback.Muted);
    EXPECT_EQ(SlotOf(f1.Image2), MuteMuted);

    EXPECT_FALSE(p.app.quitPosted);
    Click(f1.Image17);
    EXPECT_TRUE(p.app.quitPosted);
}

TEST_F(MainWindow, DraggingFollowsTheScreenCursor) {
    f1.left = 100;
    f1.top = 50;
    p.gui.cursorX = 130;
    p.gui.cursorY = 70;
    Press(f1.Image100);
    EXPECT_TRUE(f1.Dragging);
    EXPECT_EQ(std::make_pair(f1.GrabX, f1.GrabY), std::make_pair(30, 20));

    p.gui.cursorX = 10;
    p.gui.cursorY = -5;
    Move(f1.Image8);  // the Mute surround follows a drag as well
    EXPECT_EQ(std::make_pair(f1.left, f1.top), std::make_pair(-20, -25));
    p.gui.cursorX = 500;
    Move(f1.Image31);
    EXPECT_EQ(f1.left, 470);

    Release(f1.Image100);
    EXPECT_FALSE(f1.Dragging);
    EXPECT_EQ(p.ini.ReadString(kIni, "Position", "Left", ""), "470");
    EXPECT_EQ(p.ini.ReadString(kIni, "Position", "Top", ""), "-25");

    p.gui.cursorX = 900;
    Move(f1.Image100);
    EXPECT_EQ(f1.left, 470) << "no drag after the release";
    EXPECT_FALSE(f1.Image8.OnMouseDown) << "a press on the surround starts no drag";
}

TEST_F(MainWindow, EveryPressOnTheDragAreaRewritesThePosition) {
    f1.left = 12;
    f1.top = 34;
    p.gui.cursorX = 20;
    p.gui.cursorY = 40;
    f1.OnMouseDown(event);
    f1.OnMouseUp(event);
    EXPECT_EQ(p.ini.ReadString(kIni, "Position", "Left", ""), "12");
    EXPECT_EQ(p.ini.ReadString(kIni, "Position", "Top", ""), "34");
    p.ini.WriteString(kIni, "Position", "Left", "0");
    Click(f1.Image31);
    EXPECT_EQ(p.ini.ReadString(kIni, "Position", "Left", ""), "12");
}

struct WindowPosition : skintest::MainWindowFixture {};

TEST_F(WindowPosition, CentredOnTheMonitorWithoutAFileOrKey) {
    f1.RestoreWindowPosition();
    EXPECT_EQ(std::make_pair(f1.left, f1.top), std::make_pair(640 - 148, 512 - 23));

    p.gui.monitors = {{-1365, 0, 1365, 767}};  // the monitor's own origin plays no part
    p.ini.WriteString(kIni, "Position", "Left", "-1000");
    p.ini.WriteString(kIni, "Position", "Top", "abc");
    f1.RestoreWindowPosition();
    EXPECT_EQ(std::make_pair(f1.left, f1.top), std::make_pair(-1000, 383 - 23));
}

TEST_F(WindowPosition, StoredPositionIsKeptWhileAnyPartIsOnAMonitor) {
    p.gui.monitors = {{0, 0, 1280, 1024}, {1280, -200, 1920, 1080}};
    for (const auto& [l, t] : std::vector<std::pair<int, int>>{{-296, 10}, {10, -46}, {2000, -150}, {3199, 879}, {0, 0}}) {
        p.ini.WriteString(kIni, "Position", "Left", std::to_string(l));
        p.ini.WriteString(kIni, "Position", "Top", std::to_string(t));
        f1.RestoreWindowPosition();
        EXPECT_EQ(std::make_pair(f1.left, f1.top), std::make_pair(l, t));
    }
}

// A position left over from a monitor that is no longer attached would put the borderless
// window where nobody can reach it.
TEST_F(WindowPosition, PositionWhollyOffEveryMonitorIsCentred) {
    for (const auto& [l, t] : std::vector<std::pair<int, int>>{{-297, 10}, {1280, 10}, {10, -47}, {10, 1024}, {5000, 5000}}) {
        p.ini.WriteString(kIni, "Position", "Left", std::to_string(l));
        p.ini.WriteString(kIni, "Position", "Top", std::to_string(t));
        f1.RestoreWindowPosition();
        EXPECT_EQ(std::make_pair(f1.left, f1.top), std::make_pair(492, 489)) << l << "," << t;
    }
}

TEST_F(MainWindow, AltF4IsSwallowedAndTheWindowRefusesToClose) {
    ui::KeyEvent alt{kVkF4, ui::ssAlt};
    f1.OnKeyDown(alt);
    EXPECT_TRUE(alt.handled);
    ui::KeyEvent ctrl{kVkF4, ui::ssCtrl};
    f1.OnKeyDown(ctrl);
    EXPECT_FALSE(ctrl.handled) << "Ctrl+F4 is the menu's Beenden";
    bool allow = true;
    f1.OnCloseQuery(allow);
    EXPECT_FALSE(allow);
    // Creating the window also keeps Alt+F4 from the program's other windows.
    f1.FormCreate();
    EXPECT_TRUE(p.app.altF4Swallowed);
}

TEST_F(MainWindow, ContextMenu) {
    std::vector<std::string> captions;
    for (auto& item : f1.PopupMenu1.items) captions.push_back(item->caption);
    EXPECT_EQ(captions, (std::vector<std::string>{"Orvella...", "-", "Wiedergabe", "-", "Optionen", "Skins", "-",
                                                  "Fenstereinstellungen", "-", "Beenden"}));
    const auto shortcut = [](ui::MenuItem& item) { return std::make_pair(item.shortCut.key, item.shortCut.modifiers); };
    ui::MenuItem& playback = Menu("Wiedergabe");
    EXPECT_EQ(shortcut(Menu("Play", &playback)), std::make_pair(int{'X'}, unsigned{ui::ssNone}));
    EXPECT_EQ(shortcut(Menu("Pause", &playback)), std::make_pair(int{'C'}, unsigned{ui::ssNone}));
    EXPECT_EQ(shortcut(Menu("Stop", &playback)), std::make_pair(int{'V'}, unsigned{ui::ssNone}));
    // "Snooze" follows "Stop" and speaks the chosen language when the menu opens.
    ASSERT_EQ(playback.items.size(), 4u);
    EXPECT_EQ(playback.items[3]->caption, "Snooze");
    EXPECT_EQ(shortcut(*playback.items[3]), std::make_pair(int{'S'}, unsigned{ui::ssNone}));
    EXPECT_EQ(shortcut(Menu("Einstellungen...", &Menu("Optionen"))), std::make_pair(int{'P'}, unsigned{ui::ssCtrl}));
    EXPECT_EQ(shortcut(Menu("Beenden")), std::make_pair(kVkF4, unsigned{ui::ssCtrl}));

    ASSERT_EQ(f1.SkinsMenu, &Menu("Skins"));
    ASSERT_EQ(f1.SkinsMenu->items.size(), 3u);
    EXPECT_EQ(f1.SkinsMenu->items[0]->caption, "Skin Browser");
    EXPECT_EQ(shortcut(*f1.SkinsMenu->items[0]), std::make_pair(int{'S'}, unsigned{ui::ssCtrl}));
    EXPECT_EQ(f1.SkinsMenu->items[1]->caption, "-");
    EXPECT_EQ(f1.SkinsMenu->items[2]->caption, "Default");
    f2.settings.Language = "Deutsch";
    f1.PopupMenu1.Popup();
    EXPECT_EQ(playback.items[3]->caption, "Schlummern");
    f2.settings.Language = "English";
    f1.PopupMenu1.Popup();
    EXPECT_EQ(playback.items[3]->caption, "Snooze");

    std::vector<std::string> opacity;
    for (auto& item : Menu("Opacity", &Menu("Fenstereinstellungen")).items) opacity.push_back(item->caption);
    EXPECT_EQ(opacity, (std::vector<std::string>{"100%", "90%", "80%", "70%", "60%", "50%", "40%", "30%", "20%",
                                                 "10%", "Custom..."}));

    Menu("Einstellungen...", &Menu("Optionen")).Click();
    EXPECT_TRUE(f2.Visible());
    Menu("Beenden").Click();
    EXPECT_TRUE(p.app.quitPosted);
}

// The next wake call is the hint of the "Act:" line, or of the "Vol:" line where the skin shows
// only that one, read from the file anew each minute and in the chosen language's words.
TEST_F(MainWindow, TheNextWakeCallIsTheHintOfTheShownStatusLine) {
    f1.ShowNextWakeCall();
    EXPECT_EQ(f1.Label2.hint, "No wake call set");
    EXPECT_TRUE(f1.Label2.showHint);
    p.files.AddFile(kIni, "[Weckzeiten]\r\nZ\xE4hler=0\r\n0=01.12.2026 (06:30) - Work\r\n"
                          "[Wiederholung]\r\n0=1111100\r\n");
    p.gui.Tick(f1.WakeCallHint);
    EXPECT_EQ(f1.Label2.hint, "Next wake call: Wed 09.12. 06:30 \x96 Work");

    LanguageTexts german;
    german.section = "Deutsch";
    for (int day = 0; day < 7; ++day) german.text[82 + day] = std::string("MoDiMiDoFrSaSo").substr(day * 2, 2);
    f1.ApplyLanguageTexts(german);
    EXPECT_EQ(f1.Label2.hint, "N\xE4" "chster Weckruf: Mi 09.12. 06:30 \x96 Work");

    SkinFile onlyVolume;
    onlyVolume.layout[80 - 40] = "False";
    onlyVolume.layout[81 - 40] = "True";
    LoadSkin(onlyVolume);
    EXPECT_EQ(f1.Label1.hint, "N\xE4" "chster Weckruf: Mi 09.12. 06:30 \x96 Work");
    EXPECT_TRUE(f1.Label1.showHint);
    EXPECT_FALSE(f1.Label2.showHint);
}

}  // namespace
