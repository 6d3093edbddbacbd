#include <string>

#include "common/MessageBox.h"
#include "dates/AgentLink.h"
#include "mainwindow/MainForm.h"
#include "preferences/PreferencesForm.h"
#include "preferences/WakeTimerWarning.h"
#include "preferences/PreferencesMessages.h"

// The rules run on the release of the mouse, after the box has taken its new state; a box
// switched with the keyboard runs none of them, so its value reaches the settings as it is.

void TForm2::ApplyEnableRules() {
    const bool wait = CheckBox1.checked;
    Label2.enabled = Edit2.enabled = UpDown1.enabled = wait;

    CheckBox5.enabled = CheckBox4.checked;
    Label28.enabled = Edit10.enabled = Button13.enabled = CheckBox14.checked;

    const bool rising = CheckBox8.checked;
    Label11.enabled = Edit7.enabled = UpDown4.enabled = rising;
    Label12.enabled = TrackBar1.enabled = Label14.enabled = rising;
    Label13.enabled = TrackBar2.enabled = Label15.enabled = rising;
    CheckBox10.enabled = CheckBox11.enabled = CheckBox12.enabled = rising;
    CheckBox9.enabled = rising;
    const bool breaks = rising && CheckBox9.checked;
    Label16.enabled = Edit8.enabled = UpDown5.enabled = breaks;
    Label17.enabled = Edit9.enabled = UpDown6.enabled = breaks;

    EnableAutoCloseFields(CheckBox6.checked);
}

void TForm2::EnableAutoCloseFields(bool enable) {
    Label5.enabled = Edit4.enabled = UpDown3.enabled = CheckBox7.enabled = enable;
}

void TForm2::CheckBox1MouseUp(const ui::MouseEvent&) { ApplyEnableRules(); }
void TForm2::CheckBox4MouseUp(const ui::MouseEvent&) { ApplyEnableRules(); }
void TForm2::CheckBox14MouseUp(const ui::MouseEvent&) { ApplyEnableRules(); }
void TForm2::CheckBox8MouseUp(const ui::MouseEvent&) { ApplyEnableRules(); }
void TForm2::CheckBox9MouseUp(const ui::MouseEvent&) { ApplyEnableRules(); }

// Automatic closing and closing at the final volume would both end the program; the user
// picks one. Shutting Windows down at the final volume does not close anything early, so
// only a silent switch turns it off.
void TForm2::CheckBox6MouseUp(const ui::MouseEvent&) {
    if (CheckBox8.checked && (CheckBox10.checked || CheckBox11.checked)) {
        // Yes keeps the box as the user left it and opens its fields; No takes it back.
        const bool yes = Ask(platform, kAutoCloseOverEndActions) == platform::IdYes;
        if (yes)
            CheckBox10.checked = CheckBox11.checked = false;
        else
            CheckBox6.checked = false;
        EnableAutoCloseFields(yes);
        return;
    }
    EnableAutoCloseFields(CheckBox6.checked);
    CheckBox10.checked = CheckBox11.checked = CheckBox12.checked = false;
}

void TForm2::CheckBox10MouseUp(const ui::MouseEvent&) { EndActionMouseUp(CheckBox10); }
void TForm2::CheckBox11MouseUp(const ui::MouseEvent&) { EndActionMouseUp(CheckBox11); }
void TForm2::CheckBox12MouseUp(const ui::MouseEvent&) { EndActionMouseUp(CheckBox12); }

void TForm2::EndActionMouseUp(ui::CheckBox& released) {
    if (!CheckBox6.checked) return;
    if (Ask(platform, kEndActionOverAutoClose) == platform::IdYes) {
        CheckBox6.checked = false;
        CheckBox7.checked = false;
        EnableAutoCloseFields(false);
    } else {
        released.checked = false;
    }
}

// Winamp and Windows need a moment before they take commands; shorter waits are allowed
// only when the user insists.
void TForm2::UpDown1MouseUp(const ui::MouseEvent&) {
    if (UpDown1.position < 5 && Ask(platform, kShortWinampWait) == platform::IdNo) UpDown1.SetPosition(5);
}

void TForm2::UpDown2MouseUp(const ui::MouseEvent&) {
    if (UpDown2.position < 10 && Ask(platform, kShortStartupWait) == platform::IdNo) UpDown2.SetPosition(10);
}

// The box stays on when the agent is missing, so that OK still registers it for the next
// system start.
void TForm2::CheckBox13MouseUp(const ui::MouseEvent&) {
    if (!CheckBox13.checked) {
        CloseAgent(platform);
        return;
    }
    if (!StartAgent(platform, gui.FormWindow(*this)))
        Ask(platform, kAgentMissing, platform::MbOk | platform::MbIconError);
    else
        WarnAboutWakeTimers();
}

void TForm2::WarnAboutWakeTimers() {
    if (wakeTimersWarned_) return;
    const std::string warning = WakeTimerWarning(platform);
    if (warning.empty()) return;
    wakeTimersWarned_ = true;
    AskYesNo(platform, warning, "Orvella Agent", platform::MbOk | platform::MbIconExclamation);
}

// The initial volume stays below the final one: at most 49 % and at least 51 %. Setting the
// position runs the change again, which then shows the kept value.
void TForm2::TrackBar1Change() {
    Label14.caption = std::to_string(100 - TrackBar1.position) + "%";
    if (TrackBar1.position < 51) TrackBar1.SetPosition(51);
}

void TForm2::TrackBar2Change() {
    Label15.caption = std::to_string(100 - TrackBar2.position) + "%";
    if (TrackBar2.position > 49) TrackBar2.SetPosition(49);
}

// Position p is opacity 256 - p; below 10 % the window could no longer be found on screen.
void TForm2::TrackBar3Change() {
    if (TrackBar3.position >= 231) {
        TrackBar3.SetPosition(230);
        return;
    }
    const int opacity = 256 - TrackBar3.position;
    if (form1_) form1_->alphaBlendValue = opacity;
    Label24.caption = std::to_string((opacity * 200 + 255) / 510) + "%";  // opacity / 2.55, rounded
}
