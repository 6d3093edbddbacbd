#include "platform/fake/FakeText.h"

namespace fake {

std::string Lower(const std::string& text) {
    std::string out = text;
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : text) {
        if (c == separator) {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    parts.push_back(part);
    return parts;
}

static bool Match(const char* p, const char* n) {
    for (; *p; ++p) {
        if (*p == '*') {
            while (p[1] == '*') ++p;
            if (!p[1]) return true;
            for (const char* s = n; *s; ++s)
                if (Match(p + 1, s)) return true;
            // "*.ext" also matches a name whose rest is empty only when the pattern rest is.
            return Match(p + 1, n + std::char_traits<char>::length(n));
        }
        if (!*n) return false;
        if (*p != '?' && *p != *n) return false;
        ++n;
    }
    return !*n;
}

bool WildcardMatch(const std::string& pattern, const std::string& name) {
    return Match(Lower(pattern).c_str(), Lower(name).c_str());
}

}  // namespace fake
