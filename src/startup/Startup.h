#pragma once
#include <functional>
#include <memory>
#include <string>

#include "ui/Gui.h"

struct PermanentWindows;
class TForm1;
class TForm2;
class TForm5;

// The program's start: single-instance guard, command line, uninstall hand-off, the
// permanent windows, the player's path, the settings, and the system-start wait or the tips.
class OrvellaStartup {
public:
    explicit OrvellaStartup(ui::Environment& environment);
    ~OrvellaStartup();

    // Runs every start-up step. True when the message loop should now run with MainForm();
    // false when the program ends here (another copy runs, or the uninstall hand-off). "/L" (the
    // setup's update of the language file) ends the process with its exit code.
    bool Start();

    TForm1& MainForm();
    TForm2& Preferences();
    // The tips window when the start showed one, else null.
    TForm5* Tips() { return tips_.get(); }

private:
    ui::Environment& environment_;
    platform::Platform& platform_;
    std::string argument_;
    std::unique_ptr<PermanentWindows> windows_;
    std::unique_ptr<TForm5> tips_;
};

// The whole run of the main program: the start-up, then `runMessageLoop` with the main
// window, then the end, where the windows go while the GUI that shows them is still there.
// Returns the program's exit code.
int RunOrvella(ui::Environment& environment, const std::function<int(ui::Form& mainForm)>& runMessageLoop);

// Tells the user once of the wake dates the agent had to skip since the last ordinary start.
void TellMissedWakeCalls(platform::Platform& platform);

// Copies the uninstaller into the temporary folder and starts it there.
void UninstallHandOff(platform::Platform& platform);

// Finds the player through its own registry key, or asks the user to look for it. Without `ask`
// a player that is not found leaves the program path as it is.
void DetectWinampPath(TForm2& preferences, bool ask = true);

// Lists the languages of the language file and puts the stored one on the windows. A missing
// file is offered to be looked for, a faulty one to be replaced by the default file; without
// `ask` either leaves the built-in texts.
void LoadLanguageAtStart(TForm2& preferences, bool ask = true);
