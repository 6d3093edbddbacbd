#include "common/MessageBox.h"
#include "preferences/PreferencesForm.h"

std::optional<std::string> TForm2::ChooseLanguageFile(const std::string& preset, platform::WindowHandle owner) {
    platform::OpenFileRequest request;
    request.owner = owner;
    request.title = "Programmbibliotheken (DLL)";
    request.filter = "Programmbibliotheken (*.dll)|*.dll";
    const std::size_t slash = preset.find_last_of('\\');
    if (slash != std::string::npos) request.initialFolder = preset.substr(0, slash);
    request.fileName = preset;
    return platform.dialogs.OpenFile(request);
}

// The language file: any library the user picks; the translations come from it after OK.
void TForm2::Button3Click() {
    if (auto chosen = ChooseLanguageFile(Edit5.text, gui.FormWindow(*this))) Edit5.text = *chosen;
}

// The skins folder; the theme list shows its skins from the next opening on.
void TForm2::Button4Click() {
    if (auto chosen = platform.dialogs.BrowseFolder(gui.FormWindow(*this), "Skins path")) Edit6.text = *chosen;
}

// The alarm sound: a WAV file of the user's; the field may also be typed in or emptied.
void TForm2::Button13Click() {
    platform::OpenFileRequest request;
    request.owner = gui.FormWindow(*this);
    request.title = Choose(platform, {"Weckton", "Alarm sound"});
    request.filter = Choose(platform, {"Wave-Dateien (*.wav)|*.wav", "Wave files (*.wav)|*.wav"});
    const std::size_t slash = Edit10.text.find_last_of('\\');
    if (slash != std::string::npos) request.initialFolder = Edit10.text.substr(0, slash);
    request.fileName = Edit10.text;
    if (auto chosen = platform.dialogs.OpenFile(request)) Edit10.text = *chosen;
}
