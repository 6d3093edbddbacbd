#include <string>

#include "preferences/Placement.h"
#include "preferences/PreferencesForm.h"
#include "preferences/PreferencesPictures.h"

// The "Dates", "Language", "Theme" and "Over..." tabs.
void TForm2::LayoutOtherTabs() {
    // The small icons of both lists: the wake dates show the first, the skins the second.
    const std::vector<ui::Picture> icons{DateIcon(), ThemeIcon()};

    Place(GroupBox6, TabSheet4, 8, 6, 359, 104, " Orvella Agent: ");
    Place(CheckBox13, GroupBox6, 12, 19, 335, 17, "Activate Orvella Agent");
    Place(CheckBox16, GroupBox6, 12, 38, 335, 17, "Show the agent in the notification area");
    // The three lines are long for the group: a smaller type keeps them whole.
    Place(Label18, GroupBox6, 8, 60, 345, 13);
    Place(Label19, GroupBox6, 8, 73, 345, 13);
    Place(Label20, GroupBox6, 8, 86, 345, 13);
    for (ui::Label* line : {&Label18, &Label19, &Label20}) {
        line->font.name = "Small Fonts";
        line->font.size = 7;
    }

    Place(GroupBox7, TabSheet4, 8, 116, 359, 200, " Dates: ");
    // Each entry, its weekdays and its next ringing; the buttons below the list.
    Place(ListView1, GroupBox7, 12, 20, 335, 136);
    ListView1.columns = {{"", 169}, {"", 56}, {"", 106}};
    ListView1.showColumnHeaders = false;
    ListView1.smallImages = icons;
    Place(Button5, GroupBox7, 12, 164, 79, 25, "New");
    Place(Button6, GroupBox7, 97, 164, 79, 25, "Edit");
    Place(Button7, GroupBox7, 182, 164, 79, 25, "Delete");
    Place(Button14, GroupBox7, 267, 164, 80, 25, "Skip next");

    // The translation editor's controls; what they do belongs to the language files.
    Place(GroupBox8, TabSheet5, 8, 6, 359, 84, " Language: ");
    Place(Label21, GroupBox8, 12, 24, 84, 13, "Active language:");
    Place(ComboBox1, GroupBox8, 104, 20, 150, 21);
    ComboBox1.pickOnly = true;
    Place(Button8, GroupBox8, 264, 18, 83, 25, "New");
    Place(Button9, GroupBox8, 264, 50, 83, 25, "Delete");
    Place(Button10, GroupBox8, 12, 50, 242, 25, "Restore default languages");
    Place(GroupBox9, TabSheet5, 8, 96, 359, 220, " Translations: ");
    Place(Label22, GroupBox9, 12, 20, 150, 13, "Select a word to replace it:");
    Place(ListView3, GroupBox9, 12, 36, 246, 172);
    ListView3.showColumnHeaders = false;
    Place(Button11, GroupBox9, 268, 36, 79, 25, "Save");
    Place(Button12, GroupBox9, 268, 68, 79, 25, "Reset");

    // Each skin row holds its name and, in a column of no width, its full path.
    Place(GroupBox10, TabSheet6, 8, 6, 359, 238, " Themes: ");
    Place(Label23, GroupBox10, 12, 20, 150, 13, "Select a theme to use it:");
    Place(ListView2, GroupBox10, 12, 36, 335, 190);
    ListView2.columns = {{"Name", 310}, {"Path", 0}};
    ListView2.showColumnHeaders = false;
    ListView2.sorted = true;
    ListView2.smallImages = icons;
    Place(GroupBox11, TabSheet6, 8, 250, 359, 66, " Opacity: ");
    Place(TrackBar3, GroupBox11, 12, 22, 280, 32);
    Place(Label24, GroupBox11, 302, 30, 40, 13, "100%");

    Place(Panel1, TabSheet7, 0, 0, 375, 326);
    Panel1.color = ui::clBlack;
    Place(Image1, Panel1, 24, 24, 64, 64);
    Image1.SetPicture(AboutPicture());
    Place(Label25, Panel1, 112, 30, 240, 24);
    Label25.font.size = 16;
    Label25.font.bold = true;
    Place(Label26, Panel1, 112, 62, 240, 13);
    Place(Label27, Panel1, 24, 120, 330, 13);
    for (ui::Label* label : {&Label25, &Label26, &Label27}) {
        label->font.color = ui::clWhite;
        label->color = ui::clBlack;
    }
    // The agent's explanation and the about page's lines are in German or English only.
    ShowFixedLines(false);
}
