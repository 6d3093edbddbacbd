#include "dates/DateForm.h"
#include "language/LanguageFile.h"
#include "mainwindow/MainForm.h"
#include "preferences/PreferencesForm.h"
#include "preferences/ProgramVersion.h"

namespace {

// What a key's text becomes on its control: a group box frames it in blanks and a colon, a
// label adds its colon or unit.
struct Decoration {
    const char* before;
    const char* after;
};
constexpr Decoration kPlain{"", ""};
constexpr Decoration kGroup{" ", ": "};
constexpr Decoration kColon{"", ":"};
constexpr Decoration kSeconds{"", " (sec):"};
constexpr Decoration kStop{"", "."};

// The agent's explanation on the "Dates" page, three lines each.
const char* const kAgentLines[2][3] = {
    {"The Orvella Agent is needed, in order to supervise the adjusted",
     "waking times. If the Agent is not activated, the waking function operates", "only if Orvella is opened."},
    {"Der Orvella Agent wird benötigt, um die eingestellten Weckzeiten",
     "zu überwachen. Ist dieser nicht aktiviert, funktioniert die Weckfunktion nur,",
     "wenn Orvella geöffnet ist."},
};
// The own alarm sound on the "General |" page: the check box and its file.
const char* const kAlarmSoundLines[2][2] = {
    {"Own alarm sound when Winamp does not play", "File:"},
    {"Eigener Weckton, wenn Winamp nicht spielt", "Datei:"},
};
// The snooze length and the restored volume on the "Volume" page.
const char* const kVolumeLines[2][2] = {
    {"Snooze (min):", "Restore the volume after the alarm"},
    {"Schlummern (min):", "Lautstärke nach dem Wecken wiederherstellen"},
};
// The agent's icon in the notification area, on the "Dates" page.
const char* const kAgentIconLine[2] = {"Show the agent in the notification area", "Agent im Infobereich zeigen"};
// What the program does, on the about page.
const char* const kAboutLine[2] = {"An alarm clock that wakes you with music.",
                                   "Ein Wecker, der Sie mit Musik weckt."};

}  // namespace

void TForm2::ApplyLanguage(const std::string& name) {
    if (!platform.files.FileExists(settings.LanguageFile)) return;
    ApplyLanguageToWindows(ReadLanguageTexts(platform, settings.LanguageFile, name));
}

void TForm2::ApplyLanguageToWindows(const LanguageTexts& texts) {
    form1_->ApplyLanguageTexts(texts);
    ApplyLanguageTexts(texts);
    form3_->ApplyLanguageTexts(texts);
}

void TForm2::ApplyLanguageTexts(const LanguageTexts& texts) {
    const struct {
        int key;
        ui::Control& control;
        Decoration decoration;
    } targets[] = {
        {7, TabSheet1, {"", " |"}}, {7, TabSheet2, {"", " ||"}}, {8, TabSheet3, kPlain},
        {9, TabSheet4, kPlain}, {10, TabSheet5, kPlain}, {11, TabSheet6, kPlain}, {12, TabSheet7, kPlain},
        // "General |"
        {13, Label1, kColon}, {14, CheckBox1, kPlain}, {15, Label2, kSeconds}, {16, CheckBox2, kPlain},
        {17, CheckBox3, kPlain}, {18, GroupBox2, kGroup}, {19, CheckBox4, kPlain}, {20, CheckBox5, kPlain},
        {21, Label3, kColon}, {15, Label4, kSeconds},
        // "General ||"
        {70, GroupBox3, kGroup}, {71, CheckBox6, kPlain}, {72, Label5, {"", " (min):"}}, {80, CheckBox7, kPlain},
        {73, Label6, kPlain}, {74, Label7, kStop}, {75, GroupBox4, kGroup}, {76, Label8, kColon},
        {79, Button3, kPlain}, {77, Label9, kColon}, {79, Button4, kPlain}, {78, Label10, kStop},
        // "Volume"
        {24, GroupBox5, kGroup}, {25, CheckBox8, kPlain}, {26, Label11, {"", " (milisec):"}},
        {27, CheckBox9, kPlain}, {28, Label16, kColon}, {29, Label17, kSeconds}, {32, Label12, kColon},
        {33, Label13, kColon}, {30, CheckBox10, kPlain}, {31, CheckBox11, kPlain}, {81, CheckBox12, kPlain},
        // "Dates"
        {34, CheckBox13, kPlain}, {35, GroupBox7, kGroup}, {36, Button5, kPlain}, {37, Button6, kPlain},
        {38, Button7, kPlain}, {92, Button14, kPlain},
        // "Language"
        {39, GroupBox8, kGroup}, {40, Label21, kColon}, {36, Button8, kPlain}, {38, Button9, kPlain},
        {66, Button10, kPlain}, {41, GroupBox9, kGroup}, {61, Label22, kColon}, {43, Button11, kPlain},
        {42, Button12, kPlain},
        // "Theme"
        {67, GroupBox10, kGroup}, {68, Label23, kColon}, {69, GroupBox11, kGroup},
        // The bottom row
        {22, Button1, kPlain}, {23, Button2, kPlain},
    };
    for (const auto& target : targets)
        target.control.caption = target.decoration.before + texts.text[target.key] + target.decoration.after;
    ShowFixedLines(texts.German());
    caption = texts.text[44];
    dateWords_ = WakeDateWordsOf(texts);
    ShowWakeDateColumns();
}

void TForm2::ShowFixedLines(bool german) {
    const auto& agent = kAgentLines[german ? 1 : 0];
    Label18.caption = agent[0];
    Label19.caption = agent[1];
    Label20.caption = agent[2];
    Label25.caption = kProgramName;
    Label26.caption = std::string("Version ") + kProgramVersion;
    Label27.caption = kAboutLine[german ? 1 : 0];
    CheckBox14.caption = kAlarmSoundLines[german ? 1 : 0][0];
    Label28.caption = kAlarmSoundLines[german ? 1 : 0][1];
    Label29.caption = kVolumeLines[german ? 1 : 0][0];
    CheckBox15.caption = kVolumeLines[german ? 1 : 0][1];
    CheckBox16.caption = kAgentIconLine[german ? 1 : 0];
}

