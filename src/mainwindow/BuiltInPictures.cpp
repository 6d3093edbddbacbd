// The look of the main window before any skin loads.
#include "mainwindow/MainForm.h"
#include "skin/SkinArt.h"
#include "skin/SkinFile.h"

void TForm1::LoadBuiltInPictures() {
    const std::vector<ui::Picture> pictures = skin::DrawSkinPictures(skin::BuiltInTheme());
    for (int slot = 0; slot < skin::kSlotCount; ++slot) SetSlotPicture(slot, pictures[static_cast<std::size_t>(slot)]);
    ShowSkinFaces();
}
