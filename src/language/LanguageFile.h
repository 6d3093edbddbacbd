#pragma once
#include <array>
#include <string>
#include <vector>

#include "platform/Platform.h"

// The language file: an INI text file (Windows-1252, CR LF) with one section per language and
// the keys "1" to "95", one translated text each. Its extension ".dll" is only a name.

constexpr int kLanguageKeyCount = 95;
// The keys that language files had before the repeating wake dates; the later ones are missing
// from files made then.
constexpr int kFirstAddedKey = 82;

// The largest language file read: room for a hundred languages whose texts all have the most
// characters a text can have (2047); a larger file cannot be read.
constexpr std::size_t kMaxLanguageFileSize = 16 * 1024 * 1024;

// The texts of one language, by key (index 0 unused). A key missing from the section, or a
// section missing from the file, gives the key's built-in German text (for a key from
// kFirstAddedKey on, which older files lack, the English default text unless the section is
// "Deutsch"); a key present with an empty value gives an empty text.
struct LanguageTexts {
    std::string section;
    std::array<std::string, kLanguageKeyCount + 1> text;
    // The two-language lines (the agent's explanation, the about page) are German only for the
    // section named exactly "Deutsch".
    bool German() const { return section == "Deutsch"; }
};

// The built-in German text of a key, used where the file has none; empty for the keys 62 to 65,
// which no window shows, and for numbers outside 1..kLanguageKeyCount.
std::string BuiltInText(int key);
// What a section that lacks the key shows: BuiltInText, but for a key from kFirstAddedKey on the
// English default text, or the German one in the section "Deutsch".
std::string MissingText(const std::string& section, int key);

// The section names of the file, in file order, read from its raw lines: a line counts when its
// first character is "[" and its last "]"; duplicates and "[]" count too. Throws
// std::runtime_error when the file exists but cannot be read or is larger than
// kMaxLanguageFileSize.
std::vector<std::string> ReadLanguageList(platform::Platform& platform, const std::string& path);

// Every key of one section, read as the private-profile functions read them into a buffer of
// 2048 bytes: a text longer than 2047 characters is cut.
LanguageTexts ReadLanguageTexts(platform::Platform& platform, const std::string& path, const std::string& section);
// One key of a section, read and cut alike; `missing` when the key is not there.
std::string ReadLanguageText(platform::Platform& platform, const std::string& path, const std::string& section,
                             int key, const std::string& missing);

// Whether two section names name the same section of the file, which compares them as the
// private-profile functions do: without regard to case, accented letters included.
bool SameSectionName(const std::string& a, const std::string& b);

// The default file: the comment header, "[Deutsch]" and "[English]" with their 95 texts each,
// 200 lines with CR LF.
std::string DefaultLanguageFileText();

// The language file of an update: the default file (its header, "[Deutsch]" and "[English]"
// with the new texts) followed by every other section of `old`, byte for byte and in its order.
// A section of `old` that the profile functions take for "Deutsch" or "English" (in any case,
// blanks around the name aside) is replaced; the lines before the first section are the old
// header and go too.
std::string MergeDefaultLanguages(const std::string& old);

// Brings the default languages of the file at `path` up to date and keeps the user's own ones
// (MergeDefaultLanguages), in one step; a missing file becomes the default file. False when the
// file cannot be read (or is larger than kMaxLanguageFileSize) or written; it then stays as it
// was. Stores no setting.
bool UpdateDefaultLanguages(platform::FileSystem& files, const std::string& path);

// Writes the default file at `path` (nothing when it exists and `overwrite` is false), in one
// step: an old file stays whole when the write fails, which throws std::runtime_error naming
// the path and stores nothing; then stores the path written and the system's default
// language ("Deutsch" or "English") as the language values of the settings.
void WriteDefaultLanguageFile(platform::Platform& platform, const std::string& path, bool overwrite);
