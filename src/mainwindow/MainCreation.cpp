#include "mainwindow/MainForm.h"

#include "common/FileReplace.h"
#include "common/Language.h"
#include "common/MessageBox.h"
#include "common/Names.h"
#include "common/Text.h"
#include "language/LanguageFile.h"
#include "settings/Settings.h"
#include "skin/SkinFile.h"

namespace {

constexpr int kVkF4 = 0x73;

}  // namespace

TForm1::TForm1(ui::Environment& environment) : ui::Form(environment, "TForm1", "Orvella") {
    borderStyle = ui::BorderStyle::None;
    clientWidth = 297;
    clientHeight = 297;
    color = ui::clWhite;
    alphaBlend = true;
    alphaBlendValue = 255;
    transparentColorValue = 0xFF80FF;  // red 255, green 128, blue 255
    popupMenu = &PopupMenu1;

    Image100.SetBounds(0, 0, 297, 47);
    Image8.SetBounds(176, 11, 23, 24);
    Image2.SetBounds(181, 17, 14, 14);
    Image1.SetBounds(44, 9, 29, 29);
    Image7.SetBounds(76, 9, 29, 29);
    Image9.SetBounds(108, 9, 29, 29);
    Image16.SetBounds(12, 9, 29, 29);
    Image17.SetBounds(140, 9, 29, 29);
    Label1.SetBounds(184, 264, 0, 0);
    Label2.SetBounds(184, 252, 0, 0);
    Label1.caption = "Vol: 100";
    Label2.caption = "Act: 0";
    Image20.SetBounds(200, 24, 85, 19);
    Image31.SetBounds(200, 14, 85, 19);
    Shape1.SetBounds(204, 29, 64, 2);
    Image37.SetBounds(269, 25, 17, 9);
    Image20.visible = Image20.enabled = false;

    for (ui::Control* control : Controls()) {
        auto* image = dynamic_cast<ui::Image*>(control);
        const bool element = image == &Image100 || image == &Image8 || image == &Image2 || image == &Image1 ||
                             image == &Image7 || image == &Image9 || image == &Image16 || image == &Image17 ||
                             image == &Image20 || image == &Image31 || image == &Image37;
        if (image && !element) image->visible = image->enabled = false;
    }
    for (ui::Image* sized : {&Image8, &Image1, &Image7, &Image9, &Image16, &Image17, &Image20, &Image31, &Image37})
        sized->autoSize = true;
    Image2.transparent = Image37.transparent = true;
    // A screen reader finds the six buttons by their hints, the volume control with its value
    // and the two text lines.
    for (ui::Image* button : {&Image16, &Image1, &Image7, &Image9, &Image17, &Image2})
        button->accessibleRole = ui::AccessibleRole::PushButton;
    for (ui::Image* volume : {&Image31, &Image20}) {
        volume->accessibleRole = ui::AccessibleRole::Slider;
        volume->accessibleName = "Vol";
        volume->accessibleValue = "100 %";
    }

    for (ui::Label* label : {&Label1, &Label2}) {
        label->font.name = "Small Fonts";
        label->font.pixelHeight = 8;
        label->font.color = ui::clBlack;
        label->transparent = true;
        label->visible = false;
    }
    Shape1.brushColor = 0xCB7749;  // red 73, green 119, blue 203
    Shape1.penColor = 0x0146D6;    // red 214, green 70, blue 1

    const struct {
        ui::Image& button;
        const char* hint;
    } buttons[] = {{Image16, "Options"}, {Image1, "Start"}, {Image7, "Pause"},
                   {Image9, "Stop"}, {Image17, "Terminate"}, {Image2, "Mute"}};
    for (const auto& b : buttons) {
        b.button.hint = b.hint;
        b.button.showHint = true;
    }

    LoadBuiltInPictures();

    BindPointerHandlers();
    OnKeyDown = [this](ui::KeyEvent& key) { FormKeyDown(key); };
    OnCloseQuery = [this](bool& allow) { FormCloseQuery(allow); };
    OnShow = [this] { FormShow(); };
    WakeCallHint.OnTimer = [this] { WakeCallHintTimer(); };
    CreatePopupMenu();
}

// The buttons' hints are the main window's only translated texts.
void TForm1::ApplyLanguageTexts(const LanguageTexts& texts) {
    Image16.hint = texts.text[1];
    startHint_ = texts.text[2];
    Image1.hint = alarmSound_ ? Image1.hint : startHint_;
    Image7.hint = texts.text[3];
    Image9.hint = texts.text[4];
    Image17.hint = texts.text[5];
    Image2.hint = texts.text[6];
    // The screen reader's word for pressing a button, which the file does not hold.
    for (ui::Image* button : {&Image16, &Image1, &Image7, &Image9, &Image17, &Image2})
        button->accessibleAction = texts.German() ? "Drücken" : "Press";
    wakeWords_ = WakeDateWordsOf(texts);
    ShowNextWakeCall();
}

// While the program's own alarm sound rings, the Start button's hint says where it comes from.
void TForm1::ShowAlarmSound(bool playing) {
    alarmSound_ = playing;
    Image1.hint = playing ? Choose(platform, {"Weckton", "Alarm sound"}) : startHint_;
}

void TForm1::Connect(TSettings& settings, ui::Form& preferences, TForm6& shutdown) {
    settings_ = &settings;
    preferences_ = &preferences;
    playback.Connect(settings, shutdown);
}

void TForm1::FormCreate() {
    // Alt+F4 would close a borderless window with no way back, or a dialog mid-way.
    platform.app.SwallowAltF4();
    clientHeight = 47;
}

// Alt+F4 would close the borderless window with no way to bring it back. The message loop
// already drops it for every window of the program; the window refuses it all the same.
void TForm1::FormKeyDown(ui::KeyEvent& key) {
    if (key.key == kVkF4 && (key.modifiers & ui::ssAlt)) key.handled = true;
}

void TForm1::FormCloseQuery(bool& allow) { allow = false; }

void TForm1::FormShow() {
    std::string skinPath;
    if (auto key = platform.registry.OpenKey(platform::RegistryRoot::CurrentUser, kSettingsKey,
                                             platform::KeyAccess::Read))
        key->ReadString(kSkinFileValue, skinPath);

    RestoreWindowPosition();

    // A skin opened from the shell arrives as the first argument and is taken into the
    // skins folder; the stored choice stays as it was.
    const std::vector<std::string> arguments = platform.process.Arguments();
    if (!arguments.empty() && platform.files.FileExists(arguments[0])) skinPath = TakeSkinIntoFolder(arguments[0]);

    if (platform.files.FileExists(skinPath)) {
        LoadSkinFile(skinPath);
    } else {
        const bool german = IsGermanLanguage(platform);
        const std::string text =
            german ? "Die Farbschemadatei (" + skinPath + ") existiert nicht!\rWollen Sie jetzt danach suchen?"
                   : "The colortheme file (" + skinPath + ") does not exist!\rDo you want to look for it now?";
        if (AskYesNo(platform, text, german ? "Farbschemadatei Fehler" : "Colortheme file error") ==
            platform::IdYes)
            SkinSearch();
    }
    ShowNextWakeCall();
    gui.BringToFront(*this);
}

// The skin is copied beside its place in the skins folder and then moved there in one step,
// so that a failed copy never leaves half a skin over an older one of the same name. When it
// cannot be copied, it is shown from where it is, and the user is told.
std::string TForm1::TakeSkinIntoFolder(const std::string& skin) {
    const std::string target = IncludeTrailingBackslash(settings_->SkinsFolder) + ExtractFileName(skin);
    if (ReplaceFileWith(platform.files, target, "skn",
                        [&](const std::string& copy) { return platform.files.CopyFile(skin, copy, true); }))
        return target;
    gui.ReportError(this, "Unable to copy " + skin + " to " + target);
    return skin;
}

void TForm1::SkinSearch() {
    platform::OpenFileRequest request;
    request.owner = gui.FormWindow(*this);
    request.title = "Skins";
    request.filter = "Skins (*.skn)|*.skn";
    const std::optional<std::string> chosen = platform.dialogs.OpenFile(request);
    if (!chosen) return;
    if (auto key = platform.registry.OpenKey(platform::RegistryRoot::CurrentUser, kSettingsKey,
                                             platform::KeyAccess::CreateWrite))
        key->WriteString(kSkinFileValue, *chosen);
    LoadSkinFile(*chosen);
}
