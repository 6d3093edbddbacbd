#include "preferences/PreferencesForm.h"

// The language file: any library the user picks; the translations come from it after OK.
void TForm2::Button3Click() {
    platform::OpenFileRequest request;
    request.owner = gui.FormWindow(*this);
    request.title = "Programmbibliotheken (DLL)";
    request.filter = "Programmbibliotheken (*.dll)|*.dll";
    const std::string& current = Edit5.text;
    const std::size_t slash = current.find_last_of('\\');
    if (slash != std::string::npos) request.initialFolder = current.substr(0, slash);
    request.fileName = current;
    if (auto chosen = platform.dialogs.OpenFile(request)) Edit5.text = *chosen;
}

// The skins folder; the theme list shows its skins from the next opening on.
void TForm2::Button4Click() {
    if (auto chosen = platform.dialogs.BrowseFolder(gui.FormWindow(*this), "Skins path")) Edit6.text = *chosen;
}
