#include "platform/IniText.h"

#include <algorithm>
#include <unordered_set>

namespace platform {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Narrows the range [b, e) of a text to its part without blanks at either end.
void TrimRange(const std::string& text, std::size_t& b, std::size_t& e) {
    while (b < e && IsBlank(text[b])) ++b;
    while (e > b && IsBlank(text[e - 1])) --e;
}

// The rules for one line, applied to the range [b, e) of a text.
bool SectionNameIn(const std::string& text, std::size_t b, std::size_t e, std::string& name) {
    TrimRange(text, b, e);
    if (e - b < 2 || text[b] != '[') return false;
    // The last "]" of this line only: a search back from its end must not run on over the
    // lines before it, which would make a file of unclosed "[" lines take quadratic time.
    std::size_t close = e - 1;
    while (close > b && text[close] != ']') --close;
    if (close <= b) return false;
    std::size_t nameBegin = b + 1, nameEnd = close;
    TrimRange(text, nameBegin, nameEnd);
    name = text.substr(nameBegin, nameEnd - nameBegin);
    return true;
}

// A lookup that meets a key without "=" first gets the default, as the system's does.
bool KeyLineIn(const std::string& text, std::size_t b, std::size_t e, std::string& name, std::string& value,
               bool& hasValue) {
    TrimRange(text, b, e);
    if (b == e) return false;
    const char* const chars = text.data();
    const std::size_t at = static_cast<std::size_t>(std::find(chars + b, chars + e, '=') - chars);
    hasValue = at < e;
    std::size_t nameEnd = at;
    TrimRange(text, b, nameEnd);
    name = text.substr(b, nameEnd - b);
    value.clear();
    if (!hasValue) return true;
    std::size_t valueBegin = at + 1;
    TrimRange(text, valueBegin, e);
    if (e - valueBegin >= 2 && text[valueBegin] == text[e - 1] && (text[valueBegin] == '"' || text[valueBegin] == '\'')) {
        ++valueBegin;
        --e;
    }
    value = text.substr(valueBegin, e - valueBegin);
    return true;
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

// The characters of Windows-1252 from 0x80 to 0x9F; the five it leaves free map to themselves.
const char16_t kHighCharacters[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char FromUnicode(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (int i = 0; i < 32; ++i)
        if (kHighCharacters[i] == c) return static_cast<char>(0x80 + i);
    return '?';
}

char16_t ToUnicode(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return u >= 0x80 && u < 0xA0 ? kHighCharacters[u - 0x80] : u;
}

bool EndsWithLineEnd(const std::string& text) {
    return !text.empty() && (text.back() == '\n' || text.back() == '\r');
}

}  // namespace

bool IsUtf16Ini(const std::string& bytes) { return bytes.compare(0, 2, "\xFF\xFE") == 0; }

std::string IniBytesToText(const std::string& bytes) {
    if (!IsUtf16Ini(bytes)) return bytes;
    std::string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
        text += FromUnicode(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                  static_cast<unsigned char>(bytes[i + 1]) << 8));
    return text;
}

std::string IniTextToBytes(const std::string& text, bool utf16) {
    if (!utf16) return text;
    std::string bytes = "\xFF\xFE";
    bytes.reserve(2 + text.size() * 2);
    for (char c : text) {
        const char16_t u = ToUnicode(c);
        bytes += static_cast<char>(u & 0xFF);
        bytes += static_cast<char>(u >> 8);
    }
    return bytes;
}

std::string IniDefault(const std::string& defaultValue) {
    return defaultValue.substr(0, defaultValue.find_last_not_of(' ') + 1);
}

std::string FoldIniName(const std::string& name) {
    std::size_t b = 0, e = name.size();
    TrimRange(name, b, e);
    return Folded(name.substr(b, e - b));
}

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

bool IniSectionName(const std::string& line, std::string& name) { return SectionNameIn(line, 0, line.size(), name); }

bool IniKeyLine(const std::string& line, std::string& name, std::string& value, bool& hasValue) {
    return KeyLineIn(line, 0, line.size(), name, value, hasValue);
}

// Each line is read in place: the agent reads files of ten thousand keys, and a line costs no
// copy but the names and values kept. Two passes: the first finds the sections and counts their
// key lines, so that the second stores each section's keys once, where a growing list would
// copy a million keys some twenty times over.
IniText::IniText(const std::string& content) {
    if (IsUtf16Ini(content)) Parse(IniBytesToText(content));
    else Parse(content);
}

void IniText::Parse(const std::string& content) {
    const auto eachLine = [&content](auto&& line) {
        std::size_t start = 0;
        while (start < content.size()) {
            std::size_t end = content.find_first_of("\r\n", start);
            if (end == std::string::npos) end = content.size();
            const std::size_t lineBegin = start;
            start = end + (content.compare(end, 2, "\r\n") == 0 ? 2 : 1);
            line(lineBegin, end);
        }
    };
    // The section lines (where each begins and ends) and how many key lines follow each.
    std::vector<std::size_t> headers, headerEnds, keyLines;
    std::string name;
    eachLine([&](std::size_t b, std::size_t e) {
        if (SectionNameIn(content, b, e, name)) {
            headers.push_back(b);
            headerEnds.push_back(e);
            keyLines.push_back(0);
            return;
        }
        TrimRange(content, b, e);
        if (!headers.empty() && b < e) ++keyLines.back();
    });
    sections_.resize(headers.size());
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        Section& section = sections_[i];
        SectionNameIn(content, headers[i], headerEnds[i], section.name);
        section.folded = Folded(section.name);
        section.keys.reserve(keyLines[i]);
    }

    std::size_t next = 0;  // the next section's header
    eachLine([&](std::size_t b, std::size_t e) {
        if (next < headers.size() && headers[next] == b) {
            ++next;
            return;
        }
        Key key;
        if (next == 0 || !KeyLineIn(content, b, e, key.name, key.value, key.hasValue)) return;
        key.folded = Folded(key.name);
        sections_[next - 1].keys.push_back(std::move(key));
    });
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
    return found ? ReadString(*found, key, defaultValue) : IniDefault(defaultValue);
}

std::string IniText::ReadString(const Section& section, const std::string& key, const std::string& defaultValue) {
    const std::string wanted = FoldIniName(key);
    for (const Key& k : section.keys)
        if (k.folded == wanted) return k.hasValue ? k.value : IniDefault(defaultValue);
    return IniDefault(defaultValue);
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
            if (key.hasValue && !key.name.empty() && key.name[0] != ';') names.push_back(key.name);
    return names;
}

namespace {

// The lines of a file's text and the file's result being built: lines kept go in as the file's own
// bytes, so that a UTF-16 file keeps even the characters Windows-1252 lacks on every line not
// rewritten; new text goes in encoded as the file is.
class SectionWriter {
public:
    explicit SectionWriter(const std::string& content)
        : content_(content), utf16_(IsUtf16Ini(content)),
          lines_(utf16_ ? SplitIniLines(IniBytesToText(content)) : SplitIniLines(content)) {
        if (utf16_) result_ = "\xFF\xFE";
        std::size_t start = 0;
        for (const std::string& line : lines_) {
            starts_.push_back(start);
            start += line.size();
        }
    }
    const std::vector<std::string>& Lines() const { return lines_; }
    void Keep(std::size_t i) {
        if (utf16_) result_.append(content_, 2 + 2 * starts_[i], 2 * lines_[i].size());
        else result_ += lines_[i];
    }
    void Add(const std::string& text) { result_ += utf16_ ? IniTextToBytes(text, true).substr(2) : text; }
    std::string Result() { return std::move(result_); }

private:
    const std::string& content_;
    const bool utf16_;
    const std::vector<std::string> lines_;
    std::vector<std::size_t> starts_;  // where each line begins in the text
    std::string result_;
};

}  // namespace

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

    SectionWriter writer(content);
    const std::vector<std::string>& lines = writer.Lines();
    const std::string wanted = FoldIniName(section);
    std::size_t header = 0;
    std::string name;
    while (header < lines.size() && !(IniSectionName(lines[header], name) && FoldIniName(name) == wanted)) ++header;
    if (header == lines.size()) {
        for (std::size_t i = 0; i < lines.size(); ++i) writer.Keep(i);
        if (!lines.empty() && !EndsWithLineEnd(lines.back())) writer.Add("\r\n");
        writer.Add("[" + section + "]\r\n" + body);
        return writer.Result();
    }

    for (std::size_t i = 0; i <= header; ++i) writer.Keep(i);
    if (!EndsWithLineEnd(lines[header])) writer.Add("\r\n");
    writer.Add(body);
    std::size_t i = header + 1;
    for (; i < lines.size() && !IniSectionName(lines[i], name); ++i) {
        std::string key, value;
        bool hasValue;
        const bool dropped = IniKeyLine(lines[i], key, value, hasValue) &&
                             (written.count(FoldIniName(key)) || (removed && removed(key)));
        if (!dropped) writer.Keep(i);
    }
    for (; i < lines.size(); ++i) writer.Keep(i);
    return writer.Result();
}

}  // namespace platform
