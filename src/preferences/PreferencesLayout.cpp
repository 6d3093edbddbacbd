#include "preferences/Placement.h"
#include "preferences/PreferencesForm.h"

// The English design texts; the active language replaces most of them once it is applied.

void TForm2::CreateLayout() {
    clientWidth = 399;
    clientHeight = 409;
    borderStyle = ui::BorderStyle::ToolWindow;
    position = ui::FormPosition::ScreenCenter;
    // Left through OK or Cancel only: no close box, and Alt+F4 closes nothing.
    systemMenu = false;
    closeCommandEnabled = false;

    PageControl1.SetBounds(8, 8, 383, 354);
    PageControl1.pages = {&TabSheet1, &TabSheet2, &TabSheet3, &TabSheet4, &TabSheet5, &TabSheet6, &TabSheet7};
    PageControl1.activePage = 4;
    const char* const pageCaptions[] = {"General |", "General ||", "Volume", "Dates", "Language", "Theme", "Over..."};
    for (std::size_t i = 0; i < PageControl1.pages.size(); ++i) {
        PageControl1.pages[i]->parent = &PageControl1;
        PageControl1.pages[i]->SetBounds(4, 24, 375, 326);  // the page area below the tabs
        PageControl1.pages[i]->caption = pageCaptions[i];
    }

    UpDown1.associate = &Edit2;
    UpDown2.associate = &Edit3;
    UpDown3.associate = &Edit4;
    UpDown4.associate = &Edit7;
    UpDown4.thousands = true;
    UpDown5.associate = &Edit8;
    UpDown6.associate = &Edit9;
    UpDown7.associate = &Edit11;
    // Every number changes only through its spin control.
    for (ui::UpDown* spin : {&UpDown1, &UpDown2, &UpDown3, &UpDown4, &UpDown5, &UpDown6, &UpDown7}) {
        spin->associate->readOnly = true;
        spin->SetPosition(spin->position);
    }
    Edit1.readOnly = Edit5.readOnly = Edit6.readOnly = true;

    LayoutGeneralTabs();
    LayoutVolumeTab();
    LayoutOtherTabs();

    Button1.SetBounds(236, 376, 75, 25);
    Button2.SetBounds(316, 376, 75, 25);
    Button1.caption = "OK";
    Button2.caption = "Cancel";
    Button1.isDefault = true;
    Button2.cancel = true;

    // The design state, before any settings are loaded.
    CheckBox5.enabled = false;
    Label5.enabled = Edit4.enabled = UpDown3.enabled = CheckBox7.enabled = false;
    Label16.enabled = Edit8.enabled = UpDown5.enabled = false;
    Label17.enabled = Edit9.enabled = UpDown6.enabled = false;
    Button6.enabled = Button7.enabled = Button14.enabled = false;
}

void TForm2::LayoutGeneralTabs() {
    Place(GroupBox1, TabSheet1, 8, 6, 359, 204, " Winamp: ");
    Place(Label1, GroupBox1, 12, 20, 68, 13, "Program path:");
    Place(Edit1, GroupBox1, 12, 36, 335, 21);
    Place(CheckBox1, GroupBox1, 12, 68, 160, 17, "Wait for Winamp");
    Place(Label2, GroupBox1, 192, 70, 66, 13, "Length (sec):");
    Place(Edit2, GroupBox1, 264, 66, 45, 21);
    Place(UpDown1, GroupBox1, 309, 66, 16, 21);
    Place(CheckBox2, GroupBox1, 12, 100, 335, 17, "Use as remote app for Winamp (play, pause,stop)");
    Place(CheckBox3, GroupBox1, 12, 126, 335, 17, "Close Winamp with termination");
    // The check box and its label speak English or German only (ShowFixedLines).
    Place(CheckBox14, GroupBox1, 12, 152, 335, 17, "Own alarm sound when Winamp does not play");
    Place(Label28, GroupBox1, 28, 178, 32, 13, "File:");
    Place(Edit10, GroupBox1, 64, 174, 251, 21);
    Place(Button13, GroupBox1, 319, 173, 28, 23, "...");

    Place(GroupBox2, TabSheet1, 8, 214, 359, 102, " Autostart: ");
    Place(CheckBox4, GroupBox2, 12, 18, 335, 17, "Implement Orvella with system start");
    Place(CheckBox5, GroupBox2, 28, 38, 319, 17, "Begin playback subsequently");
    Place(Label3, GroupBox2, 12, 60, 144, 13, "Waiting time at system start:");
    Place(Label4, GroupBox2, 28, 80, 66, 13, "Length (sec):");
    Place(Edit3, GroupBox2, 112, 76, 45, 21);
    Place(UpDown2, GroupBox2, 157, 76, 16, 21);

    Place(GroupBox3, TabSheet2, 8, 6, 359, 140, " Close automatical: ");
    Place(CheckBox6, GroupBox3, 12, 22, 335, 17, "Activate automatic closing");
    Place(Label5, GroupBox3, 28, 50, 56, 13, "After (min):");
    Place(Edit4, GroupBox3, 112, 46, 45, 21);
    Place(UpDown3, GroupBox3, 157, 46, 16, 21);
    Place(CheckBox7, GroupBox3, 28, 76, 319, 17, "Shutdown windows after closing");
    Place(Label6, GroupBox3, 12, 102, 335, 13, "Closes Orvella automatical after");
    Place(Label7, GroupBox3, 12, 117, 335, 13, "an adjusted time if playback is started.");

    Place(GroupBox4, TabSheet2, 8, 152, 359, 164, " Paths and files: ");
    Place(Label8, GroupBox4, 12, 20, 72, 13, "Language file:");
    Place(Edit5, GroupBox4, 12, 36, 255, 21);
    Place(Button3, GroupBox4, 272, 34, 75, 25, "Search...");
    Place(Label9, GroupBox4, 12, 68, 56, 13, "Skins path:");
    Place(Edit6, GroupBox4, 12, 84, 255, 21);
    Place(Button4, GroupBox4, 272, 82, 75, 25, "Search...");
    Place(Label10, GroupBox4, 12, 126, 335, 13, "Please don´t change this settings, if it doesn´t have to be.");
}

void TForm2::LayoutVolumeTab() {
    Place(GroupBox5, TabSheet3, 8, 6, 359, 310, " Volume: ");
    Place(CheckBox8, GroupBox5, 12, 22, 170, 17, "Rising volume");
    Place(Label11, GroupBox5, 28, 50, 90, 13, "Interval (milisec):");
    Place(Edit7, GroupBox5, 122, 46, 49, 21);
    Place(UpDown4, GroupBox5, 171, 46, 16, 21);
    Place(CheckBox9, GroupBox5, 28, 84, 154, 17, "Define breaks");
    Place(Label16, GroupBox5, 44, 112, 44, 13, "Number:");
    Place(Edit8, GroupBox5, 122, 108, 45, 21);
    Place(UpDown5, GroupBox5, 167, 108, 16, 21);
    Place(Label17, GroupBox5, 44, 140, 66, 13, "Length (sec):");
    Place(Edit9, GroupBox5, 122, 136, 45, 21);
    Place(UpDown6, GroupBox5, 167, 136, 16, 21);

    // Position 0 is at the top; the percentage below each slider is 100 minus its position.
    Place(Label12, GroupBox5, 192, 22, 76, 13, "Initial volume:");
    Place(TrackBar1, GroupBox5, 212, 40, 32, 128);
    Place(Label14, GroupBox5, 216, 172, 30, 13, "0%");
    Place(Label13, GroupBox5, 280, 22, 70, 13, "Final volume:");
    Place(TrackBar2, GroupBox5, 296, 40, 32, 128);
    Place(Label15, GroupBox5, 298, 172, 30, 13, "100%");

    // The snooze and the restored volume speak English or German only (ShowFixedLines).
    Place(Label29, GroupBox5, 12, 176, 90, 13, "Snooze (min):");
    Place(Edit11, GroupBox5, 122, 172, 45, 21);
    Place(UpDown7, GroupBox5, 167, 172, 16, 21);

    Place(CheckBox10, GroupBox5, 28, 204, 319, 17, "Close program after reaching final volume");
    Place(CheckBox11, GroupBox5, 28, 228, 319, 17, "Close Winamp after reaching final volume");
    Place(CheckBox12, GroupBox5, 28, 252, 319, 17, "Shutdown windows after reaching final volume");
    Place(CheckBox15, GroupBox5, 12, 280, 335, 17, "Restore the volume after the alarm");
}

void TForm2::ConnectEvents() {
    CheckBox1.OnMouseUp = [this](const ui::MouseEvent& e) { CheckBox1MouseUp(e); };
    CheckBox14.OnMouseUp = [this](const ui::MouseEvent& e) { CheckBox14MouseUp(e); };
    CheckBox4.OnMouseUp = [this](const ui::MouseEvent& e) { CheckBox4MouseUp(e); };
    CheckBox6.OnMouseUp = [this](const ui::MouseEvent& e) { CheckBox6MouseUp(e); };
    CheckBox8.OnMouseUp = [this](const ui::MouseEvent& e) { CheckBox8MouseUp(e); };
    CheckBox9.OnMouseUp = [this](const ui::MouseEvent& e) { CheckBox9MouseUp(e); };
    CheckBox10.OnMouseUp = [this](const ui::MouseEvent& e) { CheckBox10MouseUp(e); };
    CheckBox11.OnMouseUp = [this](const ui::MouseEvent& e) { CheckBox11MouseUp(e); };
    CheckBox12.OnMouseUp = [this](const ui::MouseEvent& e) { CheckBox12MouseUp(e); };
    CheckBox13.OnMouseUp = [this](const ui::MouseEvent& e) { CheckBox13MouseUp(e); };
    UpDown1.OnMouseUp = [this](const ui::MouseEvent& e) { UpDown1MouseUp(e); };
    UpDown2.OnMouseUp = [this](const ui::MouseEvent& e) { UpDown2MouseUp(e); };
    TrackBar1.OnChange = [this] { TrackBar1Change(); };
    TrackBar2.OnChange = [this] { TrackBar2Change(); };
    TrackBar3.OnChange = [this] { TrackBar3Change(); };
    ListView1.OnChange = [this] { ListView1Change(); };
    ListView1.OnMouseUp = [this](const ui::MouseEvent& e) { ListView1MouseUp(e); };
    ListView2.OnMouseUp = [this](const ui::MouseEvent& e) { ListView2MouseUp(e); };
    ListView2.OnKeyUp = [this](ui::KeyEvent& key) { ListView2KeyUp(key); };
    Button3.OnClick = [this] { Button3Click(); };
    Button4.OnClick = [this] { Button4Click(); };
    Button5.OnClick = [this] { Button5Click(); };
    Button6.OnClick = [this] { Button6Click(); };
    Button7.OnClick = [this] { Button7Click(); };
    Button14.OnClick = [this] { Button14Click(); };
    Button13.OnClick = [this] { Button13Click(); };
    ComboBox1.OnChange = [this] { ComboBox1Change(); };
}
