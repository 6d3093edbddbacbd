// The main window's place on the screen, kept in the "Position" section of "Orvella.ini".
#include "common/FileReplace.h"
#include "common/Names.h"
#include "platform/IniText.h"
#include "mainwindow/MainForm.h"
#include "skin/SkinFile.h"

namespace {

const char* const kPositionSection = "Position";

}  // namespace

// Both values go to a copy beside the file, which then replaces it in one step, so that the
// wake dates beside them are never touched by a failed write. The section is built anew in
// memory and the file written once (every other line byte for byte), which takes time in
// proportion to the file however it is made. A position that cannot be stored is given up in
// silence: the window is merely placed anew at the next start.
void TForm1::SaveWindowPosition() {
    const std::string file = ProgramFolder(platform.process) + kIniFileName;
    std::string content;
    if (platform.files.FileExists(file) && !platform.files.ReadFile(file, content, kMaxIniFileSize)) return;
    const std::string text = platform::ReplaceIniSection(
        content, kPositionSection, {{"Left", std::to_string(left)}, {"Top", std::to_string(top)}}, nullptr);
    ReplaceFileWith(platform.files, file, "orv",
                    [&](const std::string& copy) { return platform.files.WriteFile(copy, text); });
}

void TForm1::RestoreWindowPosition() {
    int screenWidth = 0, screenHeight = 0;
    gui.ScreenSize(*this, screenWidth, screenHeight);
    // The window's size on the screen: at another scale than 100 % it is the scaled one.
    const int width = gui.ScreenLength(*this, clientWidth), height = gui.ScreenLength(*this, clientHeight);
    const int centredLeft = screenWidth / 2 - width / 2;
    const int centredTop = screenHeight / 2 - height / 2;
    left = centredLeft;
    top = centredTop;

    // Read by the same rules as the system's profile functions, once, within the size the wake
    // dates are read in; a file larger than that leaves the window centred.
    const std::string file = ProgramFolder(platform.process) + kIniFileName;
    std::string content;
    if (!platform.files.FileExists(file) || !platform.files.ReadFile(file, content, kMaxIniFileSize)) return;
    const platform::IniText ini(content);
    std::int32_t value = 0;
    if (skin::TryParseSkinInteger(ini.ReadString(kPositionSection, "Left", ""), value)) left = value;
    if (skin::TryParseSkinInteger(ini.ReadString(kPositionSection, "Top", ""), value)) top = value;
    // A position saved with a monitor that is gone would leave the borderless window out of
    // reach; one that still shows at least partly is kept as stored.
    if (!gui.RectOnAnyMonitor(left, top, width, height)) {
        left = centredLeft;
        top = centredTop;
    }
}
