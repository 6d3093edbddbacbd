#include "preferences/PreferencesForm.h"

void TForm2::SearchWinampPath() {
    platform::OpenFileRequest request;
    request.owner = platform.app.ApplicationWindow();
    request.title = "Programmpfad";
    request.filter = "Anwendungen (*.exe)|*.exe";
    request.initialFolder = "C:\\Programme\\Winamp";
    if (auto chosen = platform.dialogs.OpenFile(request)) {
        Edit1.text = *chosen;
        ControlsToSettings();
    } else {
        platform.app.PostQuit();  // the program cannot wake anybody without a player
    }
}
