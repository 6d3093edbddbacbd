#pragma once
#include <functional>
#include <string>
#include <vector>

namespace platform {

// The text of an INI file read by the private-profile rules of Windows, in memory: what
// GetPrivateProfileStringA would find in the same bytes, without reading the file once per key.
//
// - Lines end at CR LF, LF or a lone CR.
// - A line whose first non-blank character is "[" and that holds a "]" opens a section; the name
//   runs to the line's last "]" and is trimmed ("[a]b]" is "a]b", "[a] x" is "a"). (So Wine reads
//   it; Windows, as others have measured it, ends the name at the first "]" and also takes a "["
//   line without "]" as a section. The program's own files hold neither.)
// - Every other non-blank line of a section is a key: the trimmed text before the first "=", the
//   value the trimmed text after it, with one pair of enclosing quotes ("" or '') taken off. A
//   line without "=" is a key without a value. Lines before the first section belong to none.
// - Section and key names compare without regard to case, the accented letters of Windows-1252
//   included ("ZÄHLER" is "Zähler"); of several sections or keys of one name the first counts.
// - A file that starts with the UTF-16 LE byte-order mark is read as UTF-16, as Windows reads it,
//   its characters in Windows-1252 ("?" for those it lacks); any other file byte for byte, a
//   UTF-8 mark included (three characters of the first line, which then opens no section).
class IniText {
public:
    struct Key {
        std::string name;    // trimmed, as written
        std::string folded;  // the name as lookups compare it
        std::string value;
        bool hasValue = false;  // false for a line without "="
    };
    struct Section {
        std::string name;
        std::string folded;
        std::vector<Key> keys;  // in file order
    };

    IniText() = default;
    explicit IniText(const std::string& content);

    // The first section of that name, null when there is none.
    const Section* FindSection(const std::string& name) const;
    // The value of the first key of that name in the first section of that name; `defaultValue`
    // when either is missing or the key has no "=", without the spaces it ends in (as the system
    // gives it).
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    // The same in a section already found.
    static std::string ReadString(const Section& section, const std::string& key, const std::string& defaultValue);
    // Every section in file order, duplicates too.
    const std::vector<Section>& Sections() const { return sections_; }
    // Every section name in file order, duplicates too.
    std::vector<std::string> SectionNames() const;
    // The keys of the first section of that name in file order, as the system lists them: without
    // those starting with ";" or without "=" (which lookups still find) and without blank names.
    std::vector<std::string> KeyNames(const std::string& section) const;

private:
    void Parse(const std::string& content);
    std::vector<Section> sections_;
};

// Whether a file's bytes are UTF-16 LE by their byte-order mark.
bool IsUtf16Ini(const std::string& bytes);
// A file's bytes as the Windows-1252 text the profile functions see: UTF-16 LE without its mark
// converted, every other file as it is.
std::string IniBytesToText(const std::string& bytes);
// The text as a file's bytes again: UTF-16 LE with its mark, or as it is.
std::string IniTextToBytes(const std::string& text, bool utf16);

// A default value as the system gives it back: without the spaces it ends in.
std::string IniDefault(const std::string& defaultValue);

// A section or key name as the profile rules compare it: trimmed, lower case.
std::string FoldIniName(const std::string& name);

// The lines of a text, each with its own line end, so that joined again they give the same bytes.
std::vector<std::string> SplitIniLines(const std::string& content);
// The section name of a "[name]" line; false for any other line.
bool IniSectionName(const std::string& line, std::string& name);
// The key of a line that is not blank (and not a section line, which the caller rules out); false
// for a blank line.
bool IniKeyLine(const std::string& line, std::string& name, std::string& value, bool& hasValue);

struct IniValue {
    std::string key;
    std::string value;  // one line: written as it is
};

// The text with the first section of that name built anew in one step: its header line as it
// was, then `values` as "key=value" lines in their order, then the section's other lines (keys of
// other names, comments, blank lines) as they were. Keys named in `values`, and those whose name
// (trimmed, as written) `removed` accepts, are left out of those. Everything before and after the
// section stays byte for byte. A missing section is added at the end. A UTF-16 text stays UTF-16.
std::string ReplaceIniSection(const std::string& content, const std::string& section,
                              const std::vector<IniValue>& values,
                              const std::function<bool(const std::string& name)>& removed);

}  // namespace platform
