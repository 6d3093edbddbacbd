#include "mainwindow/MainForm.h"

#include "common/Names.h"
#include "platform/IniText.h"

// The next wake call stays in sight on the skinned window without changing any skin: it is the
// hint of the automatic-closing line ("Act:"), or of the volume line where a skin hides that one.
// The dates are read from Orvella.ini again each minute, so that a date skipped or saved by
// another program shows as well, and at once after the preferences stored them.

void TForm1::WakeCallHintTimer() { ShowNextWakeCall(); }

void TForm1::ShowNextWakeCall() {
    std::vector<std::string> entries;
    std::vector<TWeekdays> repeats;
    std::string content;
    if (platform.files.ReadFile(ProgramFolder(platform.process) + kIniFileName, content, kMaxIniFileSize)) {
        const platform::IniText ini(content);
        entries = ReadWakeDateEntries(ini);
        repeats = ReadWakeDateRepeats(ini, entries.size());
    }
    PlaceWakeCallHint(NextWakeCallText(entries, repeats, platform.clock.Now(), wakeWords_));
}

void TForm1::PlaceWakeCallHint(const std::string& text) {
    if (!text.empty()) wakeCallText_ = text;
    ui::Label& shown = Label2.visible || !Label1.visible ? Label2 : Label1;
    for (ui::Label* line : {&Label1, &Label2}) {
        line->hint = line == &shown ? wakeCallText_ : std::string();
        line->showHint = line == &shown;
    }
}

