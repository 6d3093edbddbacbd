#include "preferences/PreferencesForm.h"

// Which control shows which option.
namespace {

struct FlagBinding {
    ui::CheckBox TForm2::*box;
    bool TSettings::*field;
};
struct NumberBinding {
    ui::UpDown TForm2::*spin;
    int TSettings::*field;
};
struct SliderBinding {
    ui::TrackBar TForm2::*slider;
    int TSettings::*field;
};
struct TextBinding {
    ui::Edit TForm2::*edit;
    std::string TSettings::*field;
};

const FlagBinding kFlags[] = {
    {&TForm2::CheckBox1, &TSettings::WaitForWinamp},
    {&TForm2::CheckBox2, &TSettings::RemoteControl},
    {&TForm2::CheckBox3, &TSettings::CloseWinampOnExit},
    {&TForm2::CheckBox14, &TSettings::OwnAlarmSound},
    {&TForm2::CheckBox4, &TSettings::RunAtSystemStart},
    {&TForm2::CheckBox5, &TSettings::PlayAfterSystemStart},
    {&TForm2::CheckBox6, &TSettings::AutoClose},
    {&TForm2::CheckBox7, &TSettings::ShutdownAfterAutoClose},
    {&TForm2::CheckBox8, &TSettings::RisingVolume},
    {&TForm2::CheckBox9, &TSettings::Breaks},
    {&TForm2::CheckBox10, &TSettings::CloseAtFinalVolume},
    {&TForm2::CheckBox11, &TSettings::CloseWinampAtFinalVolume},
    {&TForm2::CheckBox12, &TSettings::ShutdownAtFinalVolume},
    {&TForm2::CheckBox15, &TSettings::RestoreVolume},
    {&TForm2::CheckBox13, &TSettings::AgentActive},
    {&TForm2::CheckBox16, &TSettings::AgentIcon},
};
const NumberBinding kNumbers[] = {
    {&TForm2::UpDown1, &TSettings::WinampWaitSeconds},
    {&TForm2::UpDown2, &TSettings::StartupWaitSeconds},
    {&TForm2::UpDown3, &TSettings::AutoCloseMinutes},
    {&TForm2::UpDown4, &TSettings::RiseIntervalMs},
    {&TForm2::UpDown5, &TSettings::BreakCount},
    {&TForm2::UpDown6, &TSettings::BreakSeconds},
    {&TForm2::UpDown7, &TSettings::SnoozeMinutes},
};
const SliderBinding kSliders[] = {
    {&TForm2::TrackBar1, &TSettings::StartVolumePos},
    {&TForm2::TrackBar2, &TSettings::EndVolumePos},
};
const TextBinding kTexts[] = {
    {&TForm2::Edit1, &TSettings::WinampPath},
    {&TForm2::Edit10, &TSettings::AlarmSoundFile},
    {&TForm2::Edit5, &TSettings::LanguageFile},
    {&TForm2::Edit6, &TSettings::SkinsFolder},
};

}  // namespace

void TForm2::SettingsToControls() {
    binding_ = true;
    for (const auto& b : kFlags) (this->*b.box).checked = settings.*b.field;
    for (const auto& b : kNumbers) (this->*b.spin).SetPosition(settings.*b.field);
    for (const auto& b : kSliders) (this->*b.slider).SetPosition(settings.*b.field);
    for (const auto& b : kTexts) (this->*b.edit).text = settings.*b.field;
    if (settings.ActivePage >= 0 && settings.ActivePage < static_cast<int>(PageControl1.pages.size()))
        PageControl1.activePage = settings.ActivePage;
    ComboBox1.items = settings.Languages;
    SelectLanguage(settings.Language);
    binding_ = false;
    // A position the control could not take (out of its range) is what the record holds now.
    ControlsToSettings();
}

void TForm2::ControlsToSettings() {
    if (binding_) return;
    for (const auto& b : kFlags) settings.*b.field = (this->*b.box).checked;
    for (const auto& b : kNumbers) settings.*b.field = (this->*b.spin).position;
    for (const auto& b : kSliders) settings.*b.field = (this->*b.slider).position;
    for (const auto& b : kTexts) settings.*b.field = (this->*b.edit).text;
    settings.ActivePage = PageControl1.activePage;
    if (ComboBox1.itemIndex >= 0) settings.Language = ComboBox1.Selected();
}

void TForm2::BindSettings() {
    for (ui::Control* control : Controls()) {
        control->OnClick = [this, inner = std::move(control->OnClick)] {
            if (inner) inner();
            ControlsToSettings();
        };
        control->OnChange = [this, inner = std::move(control->OnChange)] {
            if (inner) inner();
            ControlsToSettings();
        };
        control->OnMouseUp = [this, inner = std::move(control->OnMouseUp)](const ui::MouseEvent& event) {
            if (inner) inner(event);
            ControlsToSettings();
        };
    }
}
