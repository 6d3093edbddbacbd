#pragma once
#include <cstdint>
#include <string>

#include "dates/WakeDateTexts.h"
#include "playback/Playback.h"
#include "playback/PlaybackView.h"
#include "ui/Form.h"
#include "ui/Timer.h"

class TForm6;
struct LanguageTexts;
struct TSettings;

// The main window: a borderless bar of pictures with six picture buttons, the volume
// control, two text lines and the context menu. It owns the playback behind its buttons and
// shows what playback reports. Split by concern:
//   MainCreation.cpp    creation and the show sequence
//   MainPointer.cpp     the pointer over the buttons, the drag area and the volume control
//   MainMenu.cpp        the context menu
//   SkinMenu.cpp        the skins submenu, the opacity steps and the way to the "Theme" tab
//   SkinLoader.cpp      LoadSkinFile
//   BuiltInPictures.cpp the look before any skin loads
//   MainFaces.cpp       which picture each button and the volume control show
//   WindowPosition.cpp  the position kept in "Orvella.ini"
//   WakeCallHint.cpp    the next wake call as the hint of a status line
class TForm1 : public ui::Form, private PlaybackView {
public:
    explicit TForm1(ui::Environment& environment);

    // The other permanent windows and the options; set once by the start-up before anything runs.
    void Connect(TSettings& settings, ui::Form& preferences, TForm6& shutdown);

    // Visible elements, in painting order.
    ui::Image Image100{this, "Image100"};  // background, drag area
    ui::Image Image8{this, "Image8"};      // surround of the Mute button
    ui::Image Image2{this, "Image2"};      // Mute
    ui::Image Image1{this, "Image1"};      // Start
    ui::Image Image7{this, "Image7"};      // Pause
    ui::Image Image9{this, "Image9"};      // Stop
    ui::Image Image16{this, "Image16"};    // Options
    ui::Image Image17{this, "Image17"};    // Terminate
    ui::Label Label1{this, "Label1"};      // "Vol: n"
    ui::Label Label2{this, "Label2"};      // "Act: n"
    ui::Image Image20{this, "Image20"};    // level-picture volume control
    ui::Image Image31{this, "Image31"};    // slider background, drag area
    ui::Shape Shape1{this, "Shape1"};      // volume bar
    ui::Image Image37{this, "Image37"};    // volume knob

    // Face holders: hidden, inert pictures filled by the skin.
    ui::Image Image3{this, "Image3"}, Image4{this, "Image4"}, Image5{this, "Image5"}, Image6{this, "Image6"};
    ui::Image Image10{this, "Image10"}, Image11{this, "Image11"}, Image12{this, "Image12"},
        Image13{this, "Image13"}, Image14{this, "Image14"}, Image15{this, "Image15"};
    ui::Image Image18{this, "Image18"}, Image19{this, "Image19"}, Image21{this, "Image21"},
        Image22{this, "Image22"}, Image23{this, "Image23"}, Image24{this, "Image24"},
        Image25{this, "Image25"}, Image26{this, "Image26"}, Image27{this, "Image27"},
        Image28{this, "Image28"}, Image29{this, "Image29"}, Image30{this, "Image30"};
    ui::Image Image32{this, "Image32"}, Image33{this, "Image33"}, Image34{this, "Image34"},
        Image35{this, "Image35"}, Image36{this, "Image36"};
    ui::Image Image38{this, "Image38"}, Image39{this, "Image39"}, Image40{this, "Image40"},
        Image41{this, "Image41"}, Image42{this, "Image42"}, Image43{this, "Image43"},
        Image44{this, "Image44"}, Image45{this, "Image45"}, Image46{this, "Image46"},
        Image47{this, "Image47"};

    ui::MenuItem PopupMenu1{"PopupMenu1"};

    // Reads the next wake call anew each minute (WakeCallHint.cpp).
    ui::Timer WakeCallHint{this, "WakeCallHint", 60000};

    // The player, the output volume and the alarm; its timers are this window's.
    Playback playback{*this, *this};

    // Window state.
    bool HoverStart = false, HoverPause = false, HoverStop = false, HoverMute = false,
         HoverOptions = false, HoverTerminate = false;
    bool Dragging = false;
    int GrabX = 0, GrabY = 0;
    std::string SavedVolumeText;
    std::string CurrentSkinPath;
    bool KnobDragging = false;
    int KnobGrabOffset = 0;
    bool LevelDragging = false;

    // Creation and show (MainCreation.cpp), position (WindowPosition.cpp).
    void FormCreate();
    void FormShow();
    // Shows a copy of a holder's picture on a button.
    void ShowFace(ui::Image& button, const ui::Image& holder) { button.SetPicture(holder.picture); }
    // Copies a skin opened from the shell into the skins folder; the path to show it from.
    std::string TakeSkinIntoFolder(const std::string& skin);
    void SaveWindowPosition();
    void RestoreWindowPosition();

    // Skin (SkinLoader.cpp).
    void LoadSkinFile(const std::string& path);

    // The hints of the six buttons and the words of the next wake call in the given language.
    void ApplyLanguageTexts(const LanguageTexts& texts);

    // Shows the next wake call of the dates in Orvella.ini as the hint of the "Act:" line, or of
    // the "Vol:" line when the skin hides it (WakeCallHint.cpp).
    void ShowNextWakeCall();
    void WakeCallHintTimer();

    // Opens the preferences dialog (brings it forward when it is open).
    void ShowPreferences() { preferences_->Show(); }

    // What the window asks of the preferences dialog's "Theme" tab; the dialog fills these in
    // when it is connected.
    struct ThemeTab {
        std::function<void()> show;  // switches the shown dialog to the tab
        // Moves the opacity slider, whose change handler then sets the window's opacity.
        std::function<void(int position)> setOpacityPosition;
    } themeTab;

    // Skins and opacity from the context menu (SkinMenu.cpp).
    // Lists the skins folder in the "Skins" submenu; runs each time the menu opens.
    void BuildSkinsMenu();
    // Loads the skin that a "Skins" entry names and stores it as the skin of the next start.
    void ApplySkinByName(std::string caption);
    // The preferences dialog on its "Theme" tab, opened when it is hidden.
    void ShowThemeTab();
    // One of the fixed opacities of the "Opacity" submenu; stored only by the dialog's OK.
    void SetOpacityStep(int opacity);

    // Pointer handling of the picture buttons, the drag area, the Mute surround and the volume
    // control (MainPointer.cpp).
    void Image1MouseDown(const ui::MouseEvent& event);
    void Image1MouseMove(const ui::MouseEvent& event);
    void Image1MouseUp(const ui::MouseEvent& event);
    void Image7MouseDown(const ui::MouseEvent& event);
    void Image7MouseMove(const ui::MouseEvent& event);
    void Image7MouseUp(const ui::MouseEvent& event);
    void Image9MouseDown(const ui::MouseEvent& event);
    void Image9MouseMove(const ui::MouseEvent& event);
    void Image9MouseUp(const ui::MouseEvent& event);
    void Image16MouseDown(const ui::MouseEvent& event);
    void Image16MouseMove(const ui::MouseEvent& event);
    void Image16MouseUp(const ui::MouseEvent& event);
    void Image17MouseDown(const ui::MouseEvent& event);
    void Image17MouseMove(const ui::MouseEvent& event);
    void Image17MouseUp(const ui::MouseEvent& event);
    void Image2MouseDown(const ui::MouseEvent& event);
    void Image2MouseMove(const ui::MouseEvent& event);
    void Image2MouseUp(const ui::MouseEvent& event);
    void Image8MouseMove(const ui::MouseEvent& event);
    void Image100MouseDown(const ui::MouseEvent& event);
    void Image100MouseMove(const ui::MouseEvent& event);
    void Image100MouseUp(const ui::MouseEvent& event);
    void Image31MouseDown(const ui::MouseEvent& event);
    void Image31MouseMove(const ui::MouseEvent& event);
    void Image31MouseUp(const ui::MouseEvent& event);
    void Image37MouseDown(const ui::MouseEvent& event);
    void Image37MouseMove(const ui::MouseEvent& event);
    void Image37MouseUp(const ui::MouseEvent& event);
    void Image20MouseDown(const ui::MouseEvent& event);
    void Image20MouseMove(const ui::MouseEvent& event);
    void Image20MouseUp(const ui::MouseEvent& event);
    // Either volume control set by a screen reader: a whole number from 0 to 100, a "%" after
    // it allowed ("40", "40 %"); anything else is refused.
    bool Image31AccessibleValue(const std::string& text);
    bool Image20AccessibleValue(const std::string& text) { return Image31AccessibleValue(text); }
    void FormMouseDown(const ui::MouseEvent& event);
    void FormMouseMove(const ui::MouseEvent& event);
    void FormMouseUp(const ui::MouseEvent& event);
    void FormKeyDown(ui::KeyEvent& key);
    void FormCloseQuery(bool& allow);
    // Shows the normal face of every button that shows a hover face.
    void ResetButtons();
    // The context menu's entries that other parts fill or bind.
    ui::MenuItem* SkinsMenu = nullptr;    // "Skins" submenu
    ui::MenuItem* OpacityMenu = nullptr;  // "Fenstereinstellungen" > "Opacity"
    ui::MenuItem* SnoozeMenu = nullptr;   // "Wiedergabe" > "Snooze", in the chosen language

private:
    // PlaybackView
    void ShowButtonFace(PlaybackView::Button button, PlaybackView::Face face) override;
    void ShowVolumeText(const std::string& text) override;
    void ShowCloseText(const std::string& text) override { Label2.caption = text; }
    void ShowVolumeBar(int width, int knobOffset) override;
    void ShowLevelPicture(int level) override;
    bool LevelPictureShown() const override { return Image20.visible; }
    void ShowAlarmSound(bool playing) override;

    TSettings* settings_ = nullptr;
    std::string startHint_ = "Start";  // the Start button's hint in the chosen language
    bool alarmSound_ = false;
    ui::Form* preferences_ = nullptr;

    enum class FaceButton { Start, Pause, Stop, Mute, Terminate, Options };
    bool& HoverFlag(FaceButton button);
    void HoverButton(FaceButton button);
    void ResetButton(FaceButton button);
    void PressButton(FaceButton button);
    void StartDrag();
    void FollowDrag();
    void EndDrag();
    void BindPointerHandlers();
    void CreatePopupMenu();
    void AddOpacityCommands(ui::MenuItem& menu);
    void SkinSearch();
    // Whether a button's state is the current one, and the face it then shows at rest.
    bool ButtonActive(PlaybackView::Button button) const;
    void ShowRestingFace(PlaybackView::Button button);
    void ShowHoverFace(PlaybackView::Button button);
    void ShowSkinFaces();
    // Stretches the background picture to the window width, as its element is anchored
    // to both sides of the window.
    void FitBackground();
    // Puts a picture into the holder(s) of a skin slot; the background is kept unstretched.
    void SetSlotPicture(int slot, const ui::Picture& picture);
    void LoadBuiltInPictures();
    ui::Picture backgroundPicture_;  // the background as the skin gave it, unstretched
    // The next wake call's hint on the status line that shows; an empty text keeps the last one.
    void PlaceWakeCallHint(const std::string& text);
    TWakeDateWords wakeWords_;
    std::string wakeCallText_;
};
