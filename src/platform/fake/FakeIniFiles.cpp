#include "platform/fake/FakeIniFiles.h"

#include "platform/fake/FakeText.h"

namespace fake {

namespace {

std::string Trim(const std::string& s) {
    const auto b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return "";
    const auto e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

// The section name of a "[name]" line, or nothing.
bool SectionName(const std::string& line, std::string& name) {
    const std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[') return false;
    const auto close = t.find(']');
    if (close == std::string::npos) return false;
    name = Trim(t.substr(1, close - 1));
    return true;
}

bool KeyName(const std::string& line, std::string& name, std::string& value) {
    const std::string t = Trim(line);
    if (t.empty() || t[0] == ';') return false;
    const auto eq = t.find('=');
    if (eq == std::string::npos) return false;
    name = Trim(t.substr(0, eq));
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
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string name;
        if (!SectionName(lines[i], name)) continue;
        if (header != std::string::npos) {
            end = i;
            return;
        }
        if (Lower(name) == Lower(section)) header = i;
    }
}

}  // namespace

std::vector<std::string> FakeIniFiles::Lines(const std::string& file) {
    std::string content;
    std::vector<std::string> lines;
    if (!files_.ReadFile(file, content)) return lines;
    std::string line;
    for (std::size_t i = 0; i < content.size(); ++i) {
        const char c = content[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < content.size() && content[i + 1] == '\n') ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

bool FakeIniFiles::Store(const std::string& file, const std::vector<std::string>& lines) {
    std::string content;
    for (const auto& l : lines) content += l + "\r\n";
    return files_.WriteFile(file, content);
}

std::string FakeIniFiles::ReadString(const std::string& file, const std::string& section,
                                     const std::string& key, const std::string& defaultValue) {
    const auto lines = Lines(file);
    std::size_t header, end;
    FindSection(lines, section, header, end);
    if (header == std::string::npos) return defaultValue;
    for (std::size_t i = header + 1; i < end; ++i) {
        std::string name, value;
        if (KeyName(lines[i], name, value) && Lower(name) == Lower(key)) return value;
    }
    return defaultValue;
}

bool FakeIniFiles::WriteString(const std::string& file, const std::string& section, const std::string& key,
                               const std::string& value) {
    auto lines = Lines(file);
    std::size_t header, end;
    FindSection(lines, section, header, end);
    if (header == std::string::npos) {
        lines.push_back("[" + section + "]");
        lines.push_back(key + "=" + value);
        return Store(file, lines);
    }
    for (std::size_t i = header + 1; i < end; ++i) {
        std::string name, old;
        if (KeyName(lines[i], name, old) && Lower(name) == Lower(key)) {
            lines[i] = name + "=" + value;
            return Store(file, lines);
        }
    }
    // New keys go after the section's last non-blank line.
    std::size_t at = end;
    while (at > header + 1 && Trim(lines[at - 1]).empty()) --at;
    lines.insert(lines.begin() + static_cast<long>(at), key + "=" + value);
    return Store(file, lines);
}

bool FakeIniFiles::DeleteKey(const std::string& file, const std::string& section, const std::string& key) {
    auto lines = Lines(file);
    std::size_t header, end;
    FindSection(lines, section, header, end);
    if (header == std::string::npos) return true;
    for (std::size_t i = header + 1; i < end; ++i) {
        std::string name, value;
        if (KeyName(lines[i], name, value) && Lower(name) == Lower(key)) {
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
    std::vector<std::string> keys;
    const auto lines = Lines(file);
    std::size_t header, end;
    FindSection(lines, section, header, end);
    if (header == std::string::npos) return keys;
    for (std::size_t i = header + 1; i < end; ++i) {
        std::string name, value;
        if (KeyName(lines[i], name, value)) keys.push_back(name);
    }
    return keys;
}

}  // namespace fake
