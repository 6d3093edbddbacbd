// The skins submenu, the opacity steps and the way to the preferences' "Theme" tab.
#include "common/Names.h"
#include "mainwindow/MainForm.h"
#include "settings/Settings.h"
#include "skin/SkinFolder.h"

namespace {

constexpr int kThemePage = 5;

// The opacity of each step: the percentage of 255, rounded.
const struct {
    const char* caption;
    int opacity;
} kOpacitySteps[] = {
    {"100%", 255}, {"90%", 230}, {"80%", 204}, {"70%", 179}, {"60%", 153},
    {"50%", 128},  {"40%", 102}, {"30%", 77},  {"20%", 51},  {"10%", 26},
};

}  // namespace

void TForm1::AddOpacityCommands(ui::MenuItem& menu) {
    for (const auto& step : kOpacitySteps) {
        const int opacity = step.opacity;
        menu.Add(std::string("Opacity") + step.caption, step.caption).OnClick = [this, opacity] {
            SetOpacityStep(opacity);
        };
    }
    menu.Add("OpacityCustom1", "Custom...").OnClick = [this] { ShowThemeTab(); };
}

// Skins added to or removed from the folder show at the next opening. "Skin Browser" keeps
// its Ctrl+S, so the shortcut works after the menu was first opened as well as before.
void TForm1::BuildSkinsMenu() {
    SkinsMenu->items.clear();
    ui::MenuItem& browser = SkinsMenu->Add("SkinBrowser1", "Skin Browser");
    browser.shortCut = {'S', ui::ssCtrl};
    browser.OnClick = [this] { ShowThemeTab(); };
    SkinsMenu->Add("N3", "-");
    int number = 0;
    for (const std::string& name : skin::SkinFileNames(platform.files, settings_->SkinsFolder + "\\")) {
        const std::string caption = name.substr(0, name.size() - 4);
        SkinsMenu->Add("Skin" + std::to_string(++number), caption).OnClick = [this, caption] {
            ApplySkinByName(caption);
        };
    }
}

// A leading "&" only underlines the next letter in the menu; the file is named without it.
// The choice is stored at once, so it is also the skin of the next start.
void TForm1::ApplySkinByName(std::string caption) {
    if (!caption.empty() && caption[0] == '&') caption.erase(0, 1);
    const std::string path = settings_->SkinsFolder + "\\" + caption + ".skn";
    LoadSkinFile(path);
    CurrentSkinPath = path;
    if (themeTab.setOpacityPosition) themeTab.setOpacityPosition(256 - alphaBlendValue);
    if (auto key = platform.registry.OpenKey(platform::RegistryRoot::CurrentUser, kSettingsKey,
                                             platform::KeyAccess::CreateWrite))
        key->WriteString(kSkinFileValue, CurrentSkinPath);
}

// A hidden dialog opens on the stored page, which is therefore the "Theme" tab now.
void TForm1::ShowThemeTab() {
    if (preferences_->Visible()) {
        if (themeTab.show) themeTab.show();
        return;
    }
    if (auto key = platform.registry.OpenKey(platform::RegistryRoot::CurrentUser, kSettingsKey,
                                             platform::KeyAccess::CreateWrite))
        key->WriteDword(kActivePageValue, kThemePage);
    ShowPreferences();
}

void TForm1::SetOpacityStep(int opacity) {
    alphaBlendValue = opacity;
    if (themeTab.setOpacityPosition) themeTab.setOpacityPosition(256 - alphaBlendValue);
}
