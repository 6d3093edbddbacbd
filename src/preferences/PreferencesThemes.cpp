#include <algorithm>
#include <cctype>

#include "preferences/PreferencesForm.h"

namespace {

// Only a name whose extension is ".skn" itself: the file finder also matches the short-name
// alias of a longer extension ("NIGHT~1.SKN" for "Night.sknold").
bool IsSkinFile(const std::string& name) {
    if (name.size() < 4) return false;
    std::string extension = name.substr(name.size() - 4);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".skn";
}

}  // namespace

void TForm2::FillThemeList() {
    ListView2.rows.clear();
    ListView2.itemIndex = -1;
    std::string folder = settings.SkinsFolder;
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    for (const std::string& name : platform.files.FindFiles(folder, "*.skn")) {
        if (!IsSkinFile(name)) continue;
        ListView2.rows.push_back(ui::ListRow{name.substr(0, name.size() - 4), {folder + name}, 1});
    }
    std::stable_sort(ListView2.rows.begin(), ListView2.rows.end(),
                     [this](const ui::ListRow& a, const ui::ListRow& b) {
                         return platform.system.CompareText(a.caption, b.caption) < 0;
                     });
}
