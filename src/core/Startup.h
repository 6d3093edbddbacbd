#pragma once
#include <memory>
#include <string>

#include "ui/Gui.h"

class TForm1;
class TForm2;
class TForm3;
class TForm6;

// The program's start: single-instance guard, command line, uninstall hand-off, the
// permanent windows, the player's path, the settings, and the system-start wait or the tips.
class OrvellaStartup {
public:
    explicit OrvellaStartup(ui::Environment& environment);
    ~OrvellaStartup();

    // Runs every start-up step. True when the message loop should now run with MainForm();
    // false when the program ends here (another copy runs, or the uninstall hand-off).
    bool Start();

    TForm1& MainForm() { return *form1_; }
    TForm2& Preferences() { return *form2_; }
    TForm6& ShutdownCountdown() { return *form6_; }
    const std::string& StartupArgument() const { return argument_; }

private:
    void CreateWindows();
    ui::Environment& environment_;
    platform::Platform& platform_;
    std::string argument_;
    std::unique_ptr<TForm1> form1_;
    std::unique_ptr<TForm2> form2_;
    std::unique_ptr<TForm3> form3_;
    std::unique_ptr<TForm6> form6_;
};

// Copies the uninstaller into the temporary folder and starts it there.
void UninstallHandOff(platform::Platform& platform);

// Finds the player through its own registry key, or asks the user to look for it.
void DetectWinampPath(TForm2& preferences);
