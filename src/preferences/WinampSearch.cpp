#include "preferences/PreferencesForm.h"

void TForm2::SearchWinampPath() {
    platform::OpenFileRequest request;
    request.owner = platform.gui.ApplicationWindow();
    request.title = "Programmpfad";
    request.filter = "Anwendungen (*.exe)|*.exe";
    request.initialFolder = "C:\\Programme\\Winamp";
    if (auto chosen = platform.dialogs.OpenFile(request))
        settings.WinampPath.text = *chosen;
    else
        platform.gui.PostQuit();  // the program cannot wake anybody without a player
}
