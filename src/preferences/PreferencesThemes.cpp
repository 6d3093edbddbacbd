#include <algorithm>

#include "mainwindow/MainForm.h"
#include "preferences/PreferencesForm.h"
#include "skin/SkinFolder.h"

// The "Theme" tab: the skins of the skins folder, applied as a preview as soon as one is
// picked, and the opacity slider. OK keeps what the preview shows, Cancel puts back the stored skin.

void TForm2::FillThemeList() {
    ListView2.rows.clear();
    ListView2.itemIndex = -1;
    std::string folder = settings.SkinsFolder;
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    for (const std::string& name : skin::SkinFileNames(platform.files, folder))
        ListView2.rows.push_back(ui::ListRow{name.substr(0, name.size() - 4), {folder + name}, 1});
    std::stable_sort(ListView2.rows.begin(), ListView2.rows.end(),
                     [this](const ui::ListRow& a, const ui::ListRow& b) {
                         return platform.system.CompareText(a.caption, b.caption) < 0;
                     });
}

// The main window reaches the tab through these, without knowing the dialog.
void TForm2::ConnectThemeTab() {
    form1_->themeTab.show = [this] {
        PageControl1.activePage = kThemePage;
        PageControl1.Change();
    };
    form1_->themeTab.setOpacityPosition = [this](int position) { TrackBar3.SetPosition(position); };
}

// Moving through the list with the keyboard applies each skin in turn. A skin that fails to
// load leaves the current path and the slider as they were.
void TForm2::ListView2MouseUp(const ui::MouseEvent&) { PreviewSelectedTheme(); }
void TForm2::ListView2KeyUp(ui::KeyEvent&) { PreviewSelectedTheme(); }

void TForm2::PreviewSelectedTheme() {
    const int index = ListView2.itemIndex;
    if (index < 0 || index >= static_cast<int>(ListView2.rows.size())) return;
    const ui::ListRow& row = ListView2.rows[static_cast<std::size_t>(index)];
    const std::string path = row.subItems.empty() ? "" : row.subItems[0];
    form1_->LoadSkinFile(path);
    form1_->CurrentSkinPath = path;
    TrackBar3.SetPosition(256 - form1_->alphaBlendValue);
}
