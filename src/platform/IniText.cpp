#include "platform/IniText.h"

#include <algorithm>
#include <unordered_set>

namespace platform {

namespace {

std::string Trim(const std::string& s) {
    const auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return "";
    const auto e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Narrows the range [b, e) of a text to its part without blanks at either end.
void TrimRange(const std::string& text, std::size_t& b, std::size_t& e) {
    while (b < e && IsBlank(text[b])) ++b;
    while (e > b && IsBlank(text[e - 1])) --e;
}

// Windows folds the accented letters of the ANSI code page too when it compares names.
char FoldChar(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7)) return static_cast<char>(u + 0x20);
    if (u == 0x8A || u == 0x8C || u == 0x8E) return static_cast<char>(u + 0x10);
    if (u == 0x9F) return static_cast<char>(0xFF);
    return c;
}

std::string Folded(std::string name) {
    for (char& c : name) c = FoldChar(c);
    return name;
}

bool EndsWithLineEnd(const std::string& text) {
    return !text.empty() && (text.back() == '\n' || text.back() == '\r');
}

}  // namespace

std::string FoldIniName(const std::string& name) { return Folded(Trim(name)); }

std::vector<std::string> SplitIniLines(const std::string& content) {
    std::vector<std::string> lines;
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

bool IniSectionName(const std::string& line, std::string& name) {
    const std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[') return false;
    const auto close = t.rfind(']');
    if (close == std::string::npos) return false;
    name = Trim(t.substr(1, close - 1));
    return true;
}

// A lookup that meets a key without "=" first gets the default, as the system's does.
bool IniKeyLine(const std::string& line, std::string& name, std::string& value, bool& hasValue) {
    const std::string t = Trim(line);
    if (t.empty()) return false;
    const auto eq = t.find('=');
    hasValue = eq != std::string::npos;
    name = Trim(t.substr(0, eq));
    if (!hasValue) {
        value.clear();
        return true;
    }
    value = Trim(t.substr(eq + 1));
    if (value.size() >= 2 && ((value.front() == '"' && value.back() == '"') ||
                              (value.front() == '\'' && value.back() == '\'')))
        value = value.substr(1, value.size() - 2);
    return true;
}

// The rules of IniSectionName and IniKeyLine, applied to ranges of the text: the agent reads
// files of ten thousand keys, and each line read costs no copy but the names and values kept.
IniText::IniText(const std::string& content) {
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find_first_of("\r\n", start);
        if (end == std::string::npos) end = content.size();
        std::size_t b = start, e = end;
        start = end + (content.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        TrimRange(content, b, e);
        if (b == e) continue;

        if (content[b] == '[' && e - b >= 2) {
            const std::size_t close = content.rfind(']', e - 1);
            if (close != std::string::npos && close > b) {
                std::size_t nameBegin = b + 1, nameEnd = close;
                TrimRange(content, nameBegin, nameEnd);
                Section section;
                section.name = content.substr(nameBegin, nameEnd - nameBegin);
                section.folded = Folded(section.name);
                sections_.push_back(std::move(section));
                continue;
            }
        }
        if (sections_.empty()) continue;

        Key key;
        const auto eq = std::find(content.begin() + static_cast<std::ptrdiff_t>(b),
                                  content.begin() + static_cast<std::ptrdiff_t>(e), '=');
        const std::size_t at = static_cast<std::size_t>(eq - content.begin());
        key.hasValue = at < e;
        std::size_t nameBegin = b, nameEnd = at;
        TrimRange(content, nameBegin, nameEnd);
        key.name = content.substr(nameBegin, nameEnd - nameBegin);
        key.folded = Folded(key.name);
        if (key.hasValue) {
            std::size_t valueBegin = at + 1, valueEnd = e;
            TrimRange(content, valueBegin, valueEnd);
            if (valueEnd - valueBegin >= 2 && content[valueBegin] == content[valueEnd - 1] &&
                (content[valueBegin] == '"' || content[valueBegin] == '\'')) {
                ++valueBegin;
                --valueEnd;
            }
            key.value = content.substr(valueBegin, valueEnd - valueBegin);
        }
        sections_.back().keys.push_back(std::move(key));
    }
}

const IniText::Section* IniText::FindSection(const std::string& name) const {
    const std::string wanted = FoldIniName(name);
    for (const Section& section : sections_)
        if (section.folded == wanted) return &section;
    return nullptr;
}

std::string IniText::ReadString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const {
    const Section* found = FindSection(section);
    if (!found) return defaultValue;
    const std::string wanted = FoldIniName(key);
    for (const Key& k : found->keys)
        if (k.folded == wanted) return k.hasValue ? k.value : defaultValue;
    return defaultValue;
}

std::vector<std::string> IniText::SectionNames() const {
    std::vector<std::string> names;
    for (const Section& section : sections_) names.push_back(section.name);
    return names;
}

std::vector<std::string> IniText::KeyNames(const std::string& section) const {
    std::vector<std::string> names;
    if (const Section* found = FindSection(section))
        for (const Key& key : found->keys)
            if (!key.name.empty() && key.name[0] != ';') names.push_back(key.name);
    return names;
}

std::string ReplaceIniSection(const std::string& content, const std::string& section,
                              const std::vector<IniValue>& values,
                              const std::function<bool(const std::string& name)>& removed) {
    std::unordered_set<std::string> written;
    std::string body;
    for (const IniValue& v : values) {
        written.insert(FoldIniName(v.key));
        // A line break would end the line early and make the rest a key or section of its own.
        body += v.key + "=" + v.value.substr(0, v.value.find_first_of("\r\n")) + "\r\n";
    }

    const std::vector<std::string> lines = SplitIniLines(content);
    const std::string wanted = FoldIniName(section);
    std::size_t header = 0;
    std::string name;
    while (header < lines.size() && !(IniSectionName(lines[header], name) && FoldIniName(name) == wanted)) ++header;
    if (header == lines.size()) {
        std::string text = content;
        if (!text.empty() && !EndsWithLineEnd(text)) text += "\r\n";
        return text + "[" + section + "]\r\n" + body;
    }

    std::string text;
    for (std::size_t i = 0; i < header; ++i) text += lines[i];
    text += lines[header];
    if (!EndsWithLineEnd(lines[header])) text += "\r\n";
    text += body;
    std::size_t i = header + 1;
    for (; i < lines.size() && !IniSectionName(lines[i], name); ++i) {
        std::string key, value;
        bool hasValue;
        const bool dropped = IniKeyLine(lines[i], key, value, hasValue) &&
                             (written.count(FoldIniName(key)) || (removed && removed(key)));
        if (!dropped) text += lines[i];
    }
    for (; i < lines.size(); ++i) text += lines[i];
    return text;
}

}  // namespace platform
