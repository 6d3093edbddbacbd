// The main window's context menu. Its captions are fixed, not translated, but for "Snooze",
// which speaks German too.
#include "mainwindow/MainForm.h"

namespace {

constexpr int kVkF4 = 0x73;

ui::MenuItem& AddCommand(ui::MenuItem& menu, const std::string& name, const std::string& caption, int key,
                         unsigned modifiers, std::function<void()> command) {
    ui::MenuItem& item = menu.Add(name, caption);
    item.shortCut = {key, modifiers};
    item.OnClick = std::move(command);
    return item;
}

}  // namespace

void TForm1::CreatePopupMenu() {
    PopupMenu1.items.clear();
    PopupMenu1.Add("Orvella1", "Orvella...");
    PopupMenu1.Add("N1", "-");

    ui::MenuItem& playbackMenu = PopupMenu1.Add("Wiedergabe1", "Wiedergabe");
    AddCommand(playbackMenu, "Play1", "Play", 'X', ui::ssNone, [this] { playback.PlayAction(); });
    AddCommand(playbackMenu, "Pause1", "Pause", 'C', ui::ssNone, [this] { playback.PauseAction(); });
    AddCommand(playbackMenu, "Stop1", "Stop", 'V', ui::ssNone, [this] { playback.StopAction(); });
    SnoozeMenu = &AddCommand(playbackMenu, "Snooze1", "Snooze", 'S', ui::ssNone, [this] { playback.SnoozeAction(); });
    PopupMenu1.Add("N2", "-");

    ui::MenuItem& options = PopupMenu1.Add("Optionen1", "Optionen");
    AddCommand(options, "Einstellungen1", "Einstellungen...", 'P', ui::ssCtrl, [this] {
        if (!preferences_->Visible()) ShowPreferences();
    });

    // Rebuilt from the skins folder when the menu first opens; until then these stand in.
    SkinsMenu = &PopupMenu1.Add("Skins1", "Skins");
    AddCommand(*SkinsMenu, "SkinBrowser1", "Skin Browser", 'S', ui::ssCtrl, [this] { ShowThemeTab(); });
    SkinsMenu->Add("N3", "-");
    SkinsMenu->Add("Default1", "Default");
    PopupMenu1.Add("N4", "-");

    ui::MenuItem& window = PopupMenu1.Add("Fenstereinstellungen1", "Fenstereinstellungen");
    OpacityMenu = &window.Add("Opacity1", "Opacity");
    AddOpacityCommands(*OpacityMenu);
    PopupMenu1.Add("N5", "-");

    AddCommand(PopupMenu1, "Beenden1", "Beenden", kVkF4, ui::ssCtrl, [this] { playback.TerminateAction(); });
    PopupMenu1.OnPopup = [this] {
        SnoozeMenu->caption = settings_->Language == "Deutsch" ? "Schlummern" : "Snooze";
        BuildSkinsMenu();
    };
}
