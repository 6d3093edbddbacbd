#include "uninstaller/UninstallForm.h"

#include <exception>

#include "common/Language.h"
#include "common/MessageBox.h"
#include "uninstaller/RemovalBatch.h"
#include "uninstaller/RemovalSteps.h"
#include "uninstaller/UninstallPicture.h"

namespace remover {

namespace {

struct WizardTexts {
    const char* button1;
    const char* button3;
    const char* label1;
    const char* label2;
    const char* label3;
    const char* label4;
    const char* label5;
};

const WizardTexts kGerman{
    "Deinstallieren",
    "Abbrechen",
    "Willkommen zur Deinstallation von Orvella",
    "Um die Deinstallation zu starten, drücken Sie auf \"Deinstallieren\"",
    "Sie können das Setup nur noch jetzt mit \"Abbrechen\" beenden.",
    "Klicken Sie auf \"Fertig\" um den Setup - Assistenten zu beenden",
    "Die Deinstallation wurde erfolgreich abgeschlossen.",
};

const WizardTexts kEnglish{
    "Uninstall",
    "Cancel",
    "Welcome to the uninstallation of Orvella",
    "To start the unistallation, click \"Uninstall\"",
    "Only now you can cancel the setup with \"Cancel\"",
    "Click \"Finish\" to close the setup - wizzard.",
    "Uninstallation was successfully finished.",
};

void PlaceLabel(ui::Label& label, ui::Control* parent, int left, int top) {
    label.parent = parent;
    label.left = left;
    label.top = top;
    label.color = ui::clWhite;
}

void PlacePage(ui::Panel& panel, int left, bool visible) {
    panel.SetBounds(left, 40, 393, 201);
    panel.color = ui::clWhite;
    panel.visible = visible;
}

// Runs one removal step; a failure in it must not keep the later steps from running, and
// nothing is reported.
template <typename Step>
void RunStep(Step step) {
    try {
        step();
    } catch (const std::exception&) {
    }
}

}  // namespace

TForm1::TForm1(ui::Environment& environment) : ui::Form(environment, "TForm1", "Setup") {
    borderStyle = ui::BorderStyle::Single;
    systemMenu = true;
    minimizeBox = true;
    maximizeBox = false;
    clientWidth = 472;
    clientHeight = 287;
    color = ui::clWhite;

    PlaceLabel(Label1, nullptr, 16, 16);
    Label1.font.bold = true;
    Label1.font.color = ui::clGray;
    Label1.font.pixelHeight = 16;

    Image1.SetBounds(8, 100, 72, 72);
    Image1.SetPicture(UninstallPicture());

    PlacePage(Panel1, 79, true);
    PlaceLabel(Label3, &Panel1, 8, 72);
    PlaceLabel(Label2, &Panel1, 8, 96);
    PlacePage(Panel2, 80, false);
    PlaceLabel(Label5, &Panel2, 8, 72);
    PlaceLabel(Label4, &Panel2, 8, 96);

    Bevel1.SetBounds(0, 246, 472, 2);
    Button1.SetBounds(304, 256, 75, 25);
    Button3.SetBounds(392, 256, 75, 25);
    Button1.OnClick = [this] { Button1Click(); };
    Button3.OnClick = [this] { Button3Click(); };
}

void TForm1::FormCreate() {
    // Halfway through the removal the program must not be closed; only the buttons end it.
    closeCommandEnabled = false;

    const bool german = IsGermanLanguage(platform);
    const WizardTexts& texts = german ? kGerman : kEnglish;
    UninstallLanguage = german ? "Deutsch" : "English";
    Button1.caption = texts.button1;
    Button3.caption = texts.button3;
    Label1.caption = texts.label1;
    Label2.caption = texts.label2;
    Label3.caption = texts.label3;
    Label4.caption = texts.label4;
    Label5.caption = texts.label5;
}

void TForm1::Button1Click() {
    if (Panel1.visible && !Panel2.visible)
        RunRemoval();
    else
        platform.app.PostQuit();
}

void TForm1::RunRemoval() {
    platform.app.SetCursor(platform::Cursor::Wait);
    std::string installFolder;
    bool filesRemoved = false;
    RunStep([&] {
        RemoveShortcuts(platform);
        platform.clock.Sleep(100);
        filesRemoved = RemoveProgramFiles(platform, installFolder);
    });
    RunStep([&] { RemoveRegistryEntries(platform, installFolder, !filesRemoved); });

    Panel1.visible = false;
    Panel2.visible = true;
    Button1.caption = UninstallLanguage == "Deutsch" ? "Fertig" : "Finish";

    WriteRemovalBatch(platform, installFolder);
}

void TForm1::Button3Click() {
    const bool german = IsGermanLanguage(platform);
    const std::string text = german ? "Wollen Sie das Setup wirklich beenden?\r"
                                      "Sie können die Deinstallation jederzeit neu starten."
                                    : "Are you sure you want to cancel uninstallation?\r"
                                      "You can start uninstallation everytime again";
    const std::string caption = german ? "Deinstallation abbrechen" : "Cancel uninstallation";
    if (AskYesNo(platform, text, caption) == platform::IdYes) platform.app.PostQuit();
}

}  // namespace remover
