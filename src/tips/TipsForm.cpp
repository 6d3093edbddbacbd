#include "tips/TipsForm.h"

#include <cstdint>
#include <exception>
#include <memory>

#include "common/Names.h"
#include "skin/BitmapDecoder.h"
#include "tips/TipsPicture.h"

namespace {

using platform::KeyAccess;
using platform::RegistryRoot;

// The number of the tip to show at the next start; the installation creates it, and without
// it every start shows the first tip.
const char* const kTipValue = "Tip";
const char* const kPictureFolder = "Images\\";
// A tip picture is read only up to what the largest bitmap the decoder takes can fill, at four
// bytes a pixel, with room for its headers and colour table.
constexpr std::size_t kMaxTipPictureSize = static_cast<std::size_t>(skin::kMaxBitmapPixels) * 4 + 65536;

}  // namespace

TForm5::TForm5(ui::Environment& environment) : ui::Form(environment, "TForm5", "Info") {
    borderStyle = ui::BorderStyle::None;
    stayOnTop = true;
    position = ui::FormPosition::ScreenCenter;
    clientWidth = 480;
    clientHeight = 270;
    color = ui::clWhite;

    Panel1.SetBounds(0, 0, 480, 270);
    Panel1.color = ui::clWhite;
    for (ui::Control* control : Controls())
        if (control != &Panel1) control->parent = &Panel1;
    Image1.SetBounds(1, 1, tips::kPictureWidth, tips::kPictureHeight);
    Image1.SetPicture(tips::BuiltInTipPicture());
    Bevel1.SetBounds(0, 234, 480, 2);
    CheckBox1.SetBounds(8, 244, 185, 17);
    CheckBox1.caption = "Show this tip next start";
    CheckBox1.color = ui::clWhite;
    Button3.SetBounds(232, 240, 75, 25);
    Button3.caption = "< Previous";
    Button2.SetBounds(312, 240, 75, 25);
    Button2.caption = "Next >";
    Button1.SetBounds(400, 240, 75, 25);
    Button1.caption = "Close";

    OnShow = [this] { FormShow(); };
    Button1.OnClick = [this] { Button1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    Button3.OnClick = [this] { Button3Click(); };
}

void TForm5::FormShow() {
    TipsFolder = ProgramFolder(platform.process) + kPictureFolder;
    auto key = platform.registry.OpenKey(RegistryRoot::CurrentUser, kSettingsKey, KeyAccess::ReadWrite);
    // The folder the installation recorded. A missing value reads as empty text and leaves
    // the relative folder "Images\"; one of another kind cannot be read and leaves the folder
    // beside the program.
    std::string installFolder;
    if (!key || !key->ValueExists(kProgramPathValue) || key->ReadString(kProgramPathValue, installFolder))
        TipsFolder = installFolder + kPictureFolder;

    if (key && key->ValueExists(kTipValue)) {
        // A number outside the rotation, edited by hand or damaged, starts it again from the
        // first tip rather than showing nothing and counting on for ever.
        std::uint32_t stored = 0;
        const bool inRotation = key->ReadDword(kTipValue, stored) && stored >= 1 && stored <= kTipCount;
        CurrentTip = inRotation ? static_cast<int>(stored) : 1;
        key->WriteDword(kTipValue, static_cast<std::uint32_t>(CurrentTip < kTipCount ? CurrentTip + 1 : 1));
    }
    key.reset();
    LoadTipPicture();
}

// The rotation stays where FormShow left it: paging only looks.
void TForm5::Button2Click() {
    CurrentTip = CurrentTip < kTipCount ? CurrentTip + 1 : 1;
    LoadTipPicture();
}

void TForm5::Button3Click() {
    CurrentTip = CurrentTip > 1 ? CurrentTip - 1 : kTipCount;
    LoadTipPicture();
}

void TForm5::Button1Click() {
    auto key = platform.registry.OpenKey(RegistryRoot::CurrentUser, kSettingsKey, KeyAccess::CreateWrite);
    const bool stored = key && key->WriteDword(kShowTipsValue, CheckBox1.checked ? 1 : 0);
    key.reset();
    Close();
    if (!stored) gui.ReportError(this, std::string("Unable to write to the registry key ") + kSettingsKey);
}

// A picture that is missing or cannot be read leaves the one shown before: a damaged tip
// must not stand between the user and the alarm clock.
void TForm5::LoadTipPicture() {
    const std::string file = TipsFolder + std::to_string(CurrentTip) + ".bmp";
    if (!platform.files.DirectoryExists(TipsFolder) || !platform.files.FileExists(file)) return;
    std::string bytes;
    if (!platform.files.ReadFile(file, bytes, kMaxTipPictureSize)) return;
    try {
        Image1.SetPicture(skin::DecodeBitmap(bytes));
    } catch (const std::exception&) {
    }
}
