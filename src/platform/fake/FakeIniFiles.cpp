#include "platform/fake/FakeIniFiles.h"

#include <unordered_set>

#include "platform/fake/FakeText.h"

namespace fake {

namespace {

// Lines keep their own line end, so that a write leaves every other line byte for byte.
std::string Trim(const std::string& s) {
    const auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return "";
    const auto e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

std::string LineEnd(const std::string& line) {
    const auto end = line.find_first_of("\r\n");
    return end == std::string::npos ? "" : line.substr(end);
}

// Section and key names compare as Windows compares them, which folds the accented letters of
// the ANSI code page too ("ZÄHLER" is "Zähler").
std::string Fold(const std::string& name) {
    std::string folded = Lower(name);
    for (char& c : folded) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u >= 0xC0 && u <= 0xDE && u != 0xD7)
            c = static_cast<char>(u + 0x20);
        else if (u == 0x8A || u == 0x8C || u == 0x8E)
            c = static_cast<char>(u + 0x10);
        else if (u == 0x9F)
            c = static_cast<char>(0xFF);
    }
    return folded;
}

// Inserts a "key=value" line; a last line without a line end gets one first.
void InsertLine(std::vector<std::string>& lines, std::size_t at, const std::string& text) {
    if (at > 0 && LineEnd(lines[at - 1]).empty()) lines[at - 1] += "\r\n";
    lines.insert(lines.begin() + static_cast<long>(at), text + "\r\n");
}

// The section name of a "[name]" line, or nothing. The name runs to the line's last "]", so
// "[a]b]" is section "a]b" and "[a] x" section "a".
bool SectionName(const std::string& line, std::string& name) {
    const std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[') return false;
    const auto close = t.rfind(']');
    if (close == std::string::npos) return false;
    name = Trim(t.substr(1, close - 1));
    return true;
}

// Any other non-blank line of a section is a key. A line without "=" is a key without a
// value: a lookup that meets it first gets the default, as the system's does. Lines starting
// with ";" are keys for a lookup too, and only the listing of keys leaves them out.
bool KeyName(const std::string& line, std::string& name, std::string& value, bool* hasValue = nullptr) {
    const std::string t = Trim(line);
    if (t.empty()) return false;
    const auto eq = t.find('=');
    if (hasValue) *hasValue = eq != std::string::npos;
    name = Trim(t.substr(0, eq));
    if (eq == std::string::npos) {
        value.clear();
        return true;
    }
    value = Trim(t.substr(eq + 1));
    if (value.size() >= 2 && ((value.front() == '"' && value.back() == '"') ||
                              (value.front() == '\'' && value.back() == '\'')))
        value = value.substr(1, value.size() - 2);
    return true;
}

// [first, last) line range of a section's body; first == npos when the section is missing.
void FindSection(const std::vector<std::string>& lines, const std::string& section, std::size_t& header,
                 std::size_t& end) {
    header = std::string::npos;
    end = lines.size();
    const std::string wanted = Fold(Trim(section));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string name;
        if (!SectionName(lines[i], name)) continue;
        if (header != std::string::npos) {
            end = i;
            return;
        }
        if (Fold(name) == wanted) header = i;
    }
}

}  // namespace

std::vector<std::string> FakeIniFiles::Lines(const std::string& file) {
    std::string content;
    std::vector<std::string> lines;
    if (!files_.ReadFile(file, content)) return lines;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find_first_of("\r\n", start);
        if (end == std::string::npos) end = content.size();
        else if (content[end] == '\r' && end + 1 < content.size() && content[end + 1] == '\n') end += 2;
        else ++end;
        lines.push_back(content.substr(start, end - start));
        start = end;
    }
    return lines;
}

bool FakeIniFiles::Store(const std::string& file, const std::vector<std::string>& lines) {
    std::string content;
    for (const auto& l : lines) content += l;
    return files_.WriteFile(file, content);
}

const std::vector<FakeIniFiles::Entry>& FakeIniFiles::Entries(const std::string& file) {
    // Compared in place rather than read: a lookup of a file that has not changed copies nothing.
    if (file != parsedPath_) {
        parsedPath_ = file;
        parsedFile_ = FakeFileSystem::Key(file);
        parsedValid_ = false;
    }
    const std::string& fileKey = parsedFile_;
    const auto stored = files_.files.find(fileKey);
    static const std::string kNone;
    const std::string& content = stored == files_.files.end() ? kNone : stored->second.content;
    if (parsedValid_ && content == parsedContent_) return parsed_;
    parsedValid_ = true;
    parsedContent_ = content;
    parsed_.clear();
    lookup_.clear();
    keysOf_.clear();
    std::string section;
    bool firstOfItsName = false;
    std::unordered_set<std::string> sections;
    for (const std::string& line : Lines(file)) {
        Entry entry;
        entry.section = SectionName(line, entry.name);
        if (!entry.section && !KeyName(line, entry.name, entry.value, &entry.hasValue)) continue;
        const std::string written = entry.name;
        entry.name = Fold(entry.name);
        if (entry.section) {
            section = entry.name;
            firstOfItsName = sections.insert(section).second;
            if (firstOfItsName) keysOf_[section];
        } else if (firstOfItsName) {
            lookup_[section].emplace(entry.name, Found{entry.value, entry.hasValue});
            if (!written.empty() && written[0] != ';') keysOf_[section].push_back(written);
        }
        parsed_.push_back(std::move(entry));
    }
    return parsed_;
}

std::string FakeIniFiles::ReadString(const std::string& file, const std::string& section,
                                     const std::string& key, const std::string& defaultValue) {
    Entries(file);
    const auto inSection = lookup_.find(Fold(Trim(section)));
    if (inSection == lookup_.end()) return defaultValue;
    const auto found = inSection->second.find(Fold(Trim(key)));
    return found != inSection->second.end() && found->second.hasValue ? found->second.value : defaultValue;
}

bool FakeIniFiles::WriteString(const std::string& file, const std::string& section, const std::string& key,
                               const std::string& value) {
    auto lines = Lines(file);
    std::size_t header, end;
    FindSection(lines, section, header, end);
    if (header == std::string::npos) {
        InsertLine(lines, lines.size(), "[" + section + "]");
        InsertLine(lines, lines.size(), key + "=" + value);
        return Store(file, lines);
    }
    const std::string wanted = Fold(Trim(key));
    for (std::size_t i = header + 1; i < end; ++i) {
        std::string name, old;
        if (KeyName(lines[i], name, old) && Fold(name) == wanted) {
            lines[i] = name + "=" + value + LineEnd(lines[i]);
            return Store(file, lines);
        }
    }
    // New keys go after the section's last non-blank line.
    std::size_t at = end;
    while (at > header + 1 && Trim(lines[at - 1]).empty()) --at;
    InsertLine(lines, at, key + "=" + value);
    return Store(file, lines);
}

bool FakeIniFiles::DeleteKey(const std::string& file, const std::string& section, const std::string& key) {
    auto lines = Lines(file);
    std::size_t header, end;
    FindSection(lines, section, header, end);
    if (header == std::string::npos) return true;
    const std::string wanted = Fold(Trim(key));
    for (std::size_t i = header + 1; i < end; ++i) {
        std::string name, value;
        if (KeyName(lines[i], name, value) && Fold(name) == wanted) {
            lines.erase(lines.begin() + static_cast<long>(i));
            return Store(file, lines);
        }
    }
    return true;
}

bool FakeIniFiles::EraseSection(const std::string& file, const std::string& section) {
    auto lines = Lines(file);
    std::size_t header, end;
    FindSection(lines, section, header, end);
    if (header == std::string::npos) return true;
    lines.erase(lines.begin() + static_cast<long>(header), lines.begin() + static_cast<long>(end));
    return Store(file, lines);
}

std::vector<std::string> FakeIniFiles::ReadSections(const std::string& file) {
    std::vector<std::string> names;
    for (const auto& line : Lines(file)) {
        std::string name;
        if (SectionName(line, name)) names.push_back(name);
    }
    return names;
}

std::vector<std::string> FakeIniFiles::ReadKeys(const std::string& file, const std::string& section) {
    Entries(file);
    const auto found = keysOf_.find(Fold(Trim(section)));
    return found == keysOf_.end() ? std::vector<std::string>{} : found->second;
}

}  // namespace fake
