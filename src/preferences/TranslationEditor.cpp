#include <algorithm>
#include <stdexcept>

#include "common/FileReplace.h"
#include "common/Language.h"
#include "common/Names.h"
#include "common/Text.h"
#include "language/LanguageFile.h"
#include "preferences/PreferencesForm.h"
#include "preferences/PreferencesMessages.h"

// The "Language" tab: the active language, and the texts of the languages in the language file
// edited row by row. Every change of the picked language shows on all windows at once; only OK
// stores the choice. Failures of the file are not caught here: they reach the standard error
// box and the dialog stays open.

namespace {

// A row whose key the section lacks; saved as it stands.
const char kEmptyText[] = "(leer)";
constexpr int kVkUp = 0x26;
constexpr int kVkDown = 0x28;

// A name as the file compares it, without the blanks around it.
std::string SectionKey(const std::string& name) {
    const auto first = name.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return name.substr(first, name.find_last_not_of(" \t") - first + 1);
}

bool IsDefaultLanguage(const std::string& name) {
    return SameSectionName(SectionKey(name), "Deutsch") || SameSectionName(SectionKey(name), "English");
}

}  // namespace

void TForm2::ConnectTranslationEditor() {
    ListView3.OnMouseUp = [this](const ui::MouseEvent& e) { ListView3MouseUp(e); };
    ListView3.OnKeyUp = [this](ui::KeyEvent& key) { ListView3KeyUp(key); };
    Button8.OnClick = [this] { Button8Click(); };
    Button9.OnClick = [this] { Button9Click(); };
    Button10.OnClick = [this] { Button10Click(); };
    Button11.OnClick = [this] { Button11Click(); };
    Button12.OnClick = [this] { Button12Click(); };
}

void TForm2::SetLanguageList(const std::vector<std::string>& names) {
    settings.Languages = names;
    ComboBox1.items = names;
}

bool TForm2::HasOwnSection(const std::string& name) {
    const std::string key = SectionKey(name);
    const auto matches = [&](const std::vector<std::string>& names) {
        return std::count_if(names.begin(), names.end(),
                             [&](const std::string& other) { return SameSectionName(key, SectionKey(other)); });
    };
    if (key.empty() || matches(ComboBox1.items) > 1) return false;
    return !platform.files.FileExists(settings.LanguageFile) ||
           matches(platform.ini.ReadSections(settings.LanguageFile)) <= 1;
}

bool TForm2::CanDeleteLanguage(const std::string& name) { return !IsDefaultLanguage(name) && HasOwnSection(name); }

// The texts go to a copy beside the file, which then replaces it in one step: a failed write
// leaves the file as it was rather than a language half saved.
void TForm2::WriteTranslation(const std::string& section, const std::vector<std::string>& texts) {
    const std::string& file = settings.LanguageFile;
    const bool written = ReplaceFileWith(platform.files, file, "lng", [&](const std::string& copy) {
        bool filled = CopyContent(platform.files, file, copy, kMaxLanguageFileSize);
        for (std::size_t i = 0; filled && i < texts.size(); ++i)
            filled = platform.ini.WriteString(copy, section, std::to_string(i + 1), texts[i]);
        return filled;
    });
    if (!written) throw std::runtime_error("Unable to write to " + file);
}

// As a write: the system's INI functions erase in the file itself, and a failure halfway would
// leave it cut short, every language in it at risk.
void TForm2::EraseLanguage(const std::string& section) {
    const std::string& file = settings.LanguageFile;
    const bool erased = ReplaceFileWith(platform.files, file, "lng", [&](const std::string& copy) {
        return CopyContent(platform.files, file, copy, kMaxLanguageFileSize) && platform.ini.EraseSection(copy, section);
    });
    if (!erased) throw std::runtime_error("Unable to write to " + file);
}

// Without a picked language there is nothing to show; a key the section lacks shows as "(leer)".
void TForm2::LoadTranslationList() {
    ListView3.rows.clear();
    ListView3.itemIndex = -1;
    const std::string name = ComboBox1.Selected();
    if (name.empty() || !platform.files.FileExists(settings.LanguageFile)) return;
    for (int key = 1; key <= kLanguageKeyCount; ++key)
        ListView3.rows.push_back({ReadLanguageText(platform, settings.LanguageFile, name, key, kEmptyText), {}, -1});
}

// A language whose section the file cannot tell from another's is not written at all.
void TForm2::SaveTranslationList() {
    const std::string name = ComboBox1.Selected();
    if (name.empty() || !platform.files.FileExists(settings.LanguageFile) || !HasOwnSection(name)) return;
    std::vector<std::string> texts;
    for (const auto& row : ListView3.rows) texts.push_back(row.caption);
    WriteTranslation(name, texts);
}

// A preview: the record takes the language at once, the registry only at OK.
void TForm2::ComboBox1Change() {
    if (ComboBox1.itemIndex < 0) return;
    const std::string name = ComboBox1.Selected();
    Button9.enabled = CanDeleteLanguage(name);
    LoadTranslationList();
    ApplyLanguage(name);
}

void TForm2::ListView3MouseUp(const ui::MouseEvent&) {
    if (ListView3.itemIndex >= 0) ListView3.EditRow(ListView3.itemIndex);
}

// The arrows walk the editor from row to row: released while a row is edited, they finish it
// and open the next one.
void TForm2::ListView3KeyUp(ui::KeyEvent& key) {
    const int row = ListView3.itemIndex;
    if (row < 0) return;
    if (key.key == kVkDown && row + 1 < static_cast<int>(ListView3.rows.size())) ListView3.EditRow(row + 1);
    if (key.key == kVkUp && row > 0) ListView3.EditRow(row - 1);
}

// A new language starts as a full copy of the fallback language, written to the file at once.
// A name the file already has (as it compares them: without regard to case) or one it would
// read differently is refused like an empty one, so that Cancel never erases a language that
// was there before.
void TForm2::Button8Click() {
    const std::string base = FallbackLanguage(platform);
    const auto entered = platform.dialogs.InputText("", "Name:", PendingNewLanguage);
    if (!entered) return;
    const std::string& name = *entered;
    std::vector<std::string> taken = ComboBox1.items;
    if (platform.files.FileExists(settings.LanguageFile)) {
        const auto sections = platform.ini.ReadSections(settings.LanguageFile);
        taken.insert(taken.end(), sections.begin(), sections.end());
    }
    const bool valid = !name.empty() && name.find_first_of("[]") == std::string::npos && name.front() != ' ' &&
                       name.back() != ' ' &&
                       std::none_of(taken.begin(), taken.end(),
                                    [&](const std::string& other) { return SameSectionName(name, other); });
    PendingNewLanguage.clear();
    if (!valid) return;

    // Written before the list shows it: a language the file did not take is not offered.
    std::vector<std::string> texts;
    for (int key = 1; key <= kLanguageKeyCount; ++key)
        texts.push_back(ReadLanguageText(platform, settings.LanguageFile, base, key, kEmptyText));
    WriteTranslation(name, texts);
    PendingNewLanguage = name;
    std::vector<std::string> names = ComboBox1.items;
    names.push_back(name);
    SetLanguageList(names);
    ComboBox1.itemIndex = static_cast<int>(names.size()) - 1;
    ComboBox1.text = name;
    Button9.enabled = true;
    ListView3.rows.clear();
    ListView3.itemIndex = -1;
    for (const std::string& text : texts) ListView3.rows.push_back({text, {}, -1});
    ListView3.EditRow(0);
}

// Deletes without asking; the stored choice stays until OK stores the language then picked.
void TForm2::Button9Click() {
    const std::string name = ComboBox1.Selected();
    if (!CanDeleteLanguage(name)) return;
    const std::string base = FallbackLanguage(platform);
    EraseLanguage(name);
    std::vector<std::string> names = ComboBox1.items;
    names.erase(names.begin() + ComboBox1.itemIndex);
    SetLanguageList(names);
    SelectLanguage(base);
    ListView3.rows.clear();
    ApplyLanguage(base);
    LoadTranslationList();
    PendingNewLanguage.clear();
    Button9.enabled = false;
}

// The new file replaces the old one in one step: when it cannot be written the old file and
// its languages stay, and the error is shown.
void TForm2::Button10Click() {
    if (Ask(platform, kRestoreDefaultLanguages, platform::MbYesNo | platform::MbIconExclamation) != platform::IdYes)
        return;
    WriteDefaultLanguageFile(platform, settings.LanguageFile, true);
    ListView3.rows.clear();
    SetLanguageList({"Deutsch", "English"});
    // The write stored the system's language, which the fallback now reads.
    const std::string base = FallbackLanguage(platform);
    ApplyLanguage(base);
    SelectLanguage(base);
    LoadTranslationList();
}

// Every row is written, "(leer)" too, and the language shown anew.
void TForm2::Button11Click() {
    const std::string name = ComboBox1.Selected();
    if (name.empty()) return;
    SaveTranslationList();
    ApplyLanguage(name);
}

void TForm2::Button12Click() { LoadTranslationList(); }

void TForm2::DiscardNewLanguage(const std::string& fallback) {
    if (PendingNewLanguage.empty()) return;
    const std::string name = PendingNewLanguage;
    EraseLanguage(name);
    // A stored choice of another language stays; one of the language just erased would name
    // nothing at the next start.
    if (SameSectionName(StoredLanguage(platform), name)) {
        auto key = platform.registry.OpenKey(platform::RegistryRoot::CurrentUser, kSettingsKey,
                                             platform::KeyAccess::CreateWrite);
        if (!key) throw std::runtime_error(std::string("Unable to open the registry key ") + kSettingsKey);
        key->WriteString(kLanguageValue, fallback);
    }
    std::vector<std::string> names = ComboBox1.items;
    const auto entry = std::find(names.rbegin(), names.rend(), name);
    if (entry != names.rend()) names.erase(std::next(entry).base());
    SetLanguageList(names);
    ComboBox1.itemIndex = -1;
    PendingNewLanguage.clear();
    ListView3.rows.clear();
    ListView3.itemIndex = -1;
}
