#include "platform/fake/FakeIniFiles.h"

#include <algorithm>

namespace fake {

namespace {

using platform::FoldIniName;
using platform::IniSectionName;

// Lines keep their own line end, so that a write leaves every other line byte for byte.
std::string LineEnd(const std::string& line) {
    const auto end = line.find_first_of("\r\n");
    return end == std::string::npos ? "" : line.substr(end);
}

// A line of a file: its text, and in a UTF-16 file its own UTF-16 bytes, so that a write leaves
// even the characters Windows-1252 lacks on every other line.
struct Line {
    std::string text;
    std::string utf16;  // empty in any other file
};

Line NewLine(const std::string& text, bool utf16) {
    return {text, utf16 ? platform::IniTextToBytes(text, true).substr(2) : std::string()};
}

// Inserts a "key=value" line; a last line without a line end gets one first.
void InsertLine(std::vector<Line>& lines, std::size_t at, const std::string& text, bool utf16) {
    if (at > 0 && LineEnd(lines[at - 1].text).empty()) {
        lines[at - 1].text += "\r\n";
        if (utf16) lines[at - 1].utf16 += std::string("\r\0\n\0", 4);
    }
    lines.insert(lines.begin() + static_cast<long>(at), NewLine(text + "\r\n", utf16));
}

std::vector<Line> Lines(FakeFileSystem& files, const std::string& file, bool& utf16) {
    std::string content;
    utf16 = false;
    if (!files.ReadFile(file, content, std::string::npos)) return {};
    utf16 = platform::IsUtf16Ini(content);
    std::vector<Line> lines;
    std::size_t at = 2;  // where the line's bytes begin in a UTF-16 file: one character, two bytes
    for (std::string& text : platform::SplitIniLines(platform::IniBytesToText(content))) {
        lines.push_back({std::move(text), std::string()});
        if (utf16) {
            lines.back().utf16 = content.substr(at, 2 * lines.back().text.size());
            at += lines.back().utf16.size();
        }
    }
    return lines;
}

// A UTF-16 file is written back as UTF-16, as the system writes it.
bool Store(FakeFileSystem& files, const std::string& file, const std::vector<Line>& lines, bool utf16) {
    std::string content = utf16 ? "\xFF\xFE" : "";
    for (const Line& l : lines) content += utf16 ? l.utf16 : l.text;
    return files.WriteInPlace(file, content);
}

bool KeyName(const std::string& line, std::string& name) {
    std::string value;
    bool hasValue;
    return platform::IniKeyLine(line, name, value, hasValue);
}

bool IsBlank(const std::string& line) {
    std::string name;
    return !KeyName(line, name);
}

// [first, last) line range of a section's body; first == npos when the section is missing.
void FindSection(const std::vector<Line>& lines, const std::string& section, std::size_t& header,
                 std::size_t& end) {
    header = std::string::npos;
    end = lines.size();
    const std::string wanted = FoldIniName(section);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string name;
        if (!IniSectionName(lines[i].text, name)) continue;
        if (header != std::string::npos) {
            end = i;
            return;
        }
        if (FoldIniName(name) == wanted) header = i;
    }
}

}  // namespace

const platform::IniText& FakeIniFiles::Parsed(const std::string& file) {
    // The path is resolved again only when it is another one or a link may lead elsewhere.
    if (file != lookedUpPath_ || !files_.links.empty()) {
        lookedUpPath_ = file;
        lookedUpKey_ = files_.Resolve(file);
    }
    // A file's content changes only by a write, which gives it a new version: a lookup in a file
    // of the same version neither copies nor compares its text.
    const auto stored = files_.files.find(lookedUpKey_);
    const bool exists = stored != files_.files.end();
    const platform::FileStamp stamp =
        exists ? platform::FileStamp{stored->second.content.size(), stored->second.version} : platform::FileStamp{};
    if (lookedUpKey_ == parsedFile_ && exists == parsedExists_ && stamp == parsedStamp_) return parsed_;
    parsedFile_ = lookedUpKey_;
    parsedExists_ = exists;
    parsedStamp_ = stamp;
    parsed_ = platform::IniText(exists ? stored->second.content : std::string());
    sectionFound_ = false;
    return parsed_;
}

std::string FakeIniFiles::ReadString(const std::string& file, const std::string& section,
                                     const std::string& key, const std::string& defaultValue) {
    const platform::IniText& text = Parsed(file);
    // The keys of one section are mostly read one after another: the section is looked up once.
    if (!sectionFound_ || section != foundName_) {
        sectionFound_ = true;
        foundName_ = section;
        foundSection_ = text.FindSection(section);
        foundKeys_.clear();
        if (foundSection_)
            for (const platform::IniText::Key& k : foundSection_->keys) foundKeys_.try_emplace(k.folded, &k);
    }
    const auto found = foundKeys_.find(FoldIniName(key));
    return found != foundKeys_.end() && found->second->hasValue ? found->second->value
                                                                : platform::IniDefault(defaultValue);
}

bool FakeIniFiles::WriteString(const std::string& file, const std::string& section, const std::string& key,
                               const std::string& value) {
    bool utf16;
    auto lines = Lines(files_, file, utf16);
    std::size_t header, end;
    FindSection(lines, section, header, end);
    if (header == std::string::npos) {
        InsertLine(lines, lines.size(), "[" + section + "]", utf16);
        InsertLine(lines, lines.size(), key + "=" + value, utf16);
        return Store(files_, file, lines, utf16);
    }
    const std::string wanted = FoldIniName(key);
    for (std::size_t i = header + 1; i < end; ++i) {
        std::string name;
        if (KeyName(lines[i].text, name) && FoldIniName(name) == wanted) {
            lines[i] = NewLine(name + "=" + value + LineEnd(lines[i].text), utf16);
            return Store(files_, file, lines, utf16);
        }
    }
    // New keys go after the section's last non-blank line.
    std::size_t at = end;
    while (at > header + 1 && IsBlank(lines[at - 1].text)) --at;
    InsertLine(lines, at, key + "=" + value, utf16);
    return Store(files_, file, lines, utf16);
}

bool FakeIniFiles::DeleteKey(const std::string& file, const std::string& section, const std::string& key) {
    bool utf16;
    auto lines = Lines(files_, file, utf16);
    std::size_t header, end;
    FindSection(lines, section, header, end);
    if (header == std::string::npos) return true;
    const std::string wanted = FoldIniName(key);
    for (std::size_t i = header + 1; i < end; ++i) {
        std::string name;
        if (KeyName(lines[i].text, name) && FoldIniName(name) == wanted) {
            lines.erase(lines.begin() + static_cast<long>(i));
            return Store(files_, file, lines, utf16);
        }
    }
    return true;
}

bool FakeIniFiles::EraseSection(const std::string& file, const std::string& section) {
    bool utf16;
    auto lines = Lines(files_, file, utf16);
    std::size_t header, end;
    FindSection(lines, section, header, end);
    if (header == std::string::npos) return true;
    lines.erase(lines.begin() + static_cast<long>(header), lines.begin() + static_cast<long>(end));
    return Store(files_, file, lines, utf16);
}

// Blank names are left out, as the Windows layer leaves them out of the system's list.
std::vector<std::string> FakeIniFiles::ReadSections(const std::string& file) {
    std::vector<std::string> names = Parsed(file).SectionNames();
    names.erase(std::remove(names.begin(), names.end(), std::string()), names.end());
    return names;
}

std::vector<std::string> FakeIniFiles::ReadKeys(const std::string& file, const std::string& section) {
    return Parsed(file).KeyNames(section);
}

}  // namespace fake
