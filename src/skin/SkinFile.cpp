#include "skin/SkinFile.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace skin {
namespace {

struct NamedColor {
    const char* name;
    ui::Color value;
};

const NamedColor kColors[] = {
    {"clBlack", 0x000000}, {"clMaroon", 0x000080}, {"clGreen", 0x008000}, {"clOlive", 0x008080},
    {"clNavy", 0x800000}, {"clPurple", 0x800080}, {"clTeal", 0x808000}, {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF}, {"clLime", 0x00FF00}, {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000}, {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00}, {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6}, {"clCream", 0xF0FBFF}, {"clMedGray", 0xA4A0A0},
    {"clNone", 0x1FFFFFFF}, {"clDefault", 0x20000000},
    {"clScrollBar", 0x80000000}, {"clBackground", 0x80000001}, {"clActiveCaption", 0x80000002},
    {"clInactiveCaption", 0x80000003}, {"clMenu", 0x80000004}, {"clWindow", 0x80000005},
    {"clWindowFrame", 0x80000006}, {"clMenuText", 0x80000007}, {"clWindowText", 0x80000008},
    {"clCaptionText", 0x80000009}, {"clActiveBorder", 0x8000000A}, {"clInactiveBorder", 0x8000000B},
    {"clAppWorkSpace", 0x8000000C}, {"clHighlight", 0x8000000D}, {"clHighlightText", 0x8000000E},
    {"clBtnFace", 0x8000000F}, {"clBtnShadow", 0x80000010}, {"clGrayText", 0x80000011},
    {"clBtnText", 0x80000012}, {"clInactiveCaptionText", 0x80000013}, {"clBtnHighlight", 0x80000014},
    {"cl3DDkShadow", 0x80000015}, {"cl3DLight", 0x80000016}, {"clInfoText", 0x80000017},
    {"clInfoBk", 0x80000018}, {"clGradientActiveCaption", 0x8000001B},
    {"clGradientInactiveCaption", 0x8000001C},
};

bool EqualsIgnoreCase(const std::string& a, const char* b) {
    const std::size_t n = std::strlen(b);
    if (a.size() != n) return false;
    for (std::size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A plain decimal fraction such as "0.5" or "-1E3", read only for the Boolean form.
bool TryParseDecimal(const std::string& text, double& value) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    std::size_t j = i;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    bool digits = false;
    for (std::size_t k = j; k < text.size(); ++k) {
        const char c = text[k];
        if (std::isdigit(static_cast<unsigned char>(c))) digits = true;
        else if (c != '.' && c != 'e' && c != 'E' && c != '+' && c != '-') return false;
    }
    if (!digits) return false;
    const std::string rest = text.substr(i);
    char* end = nullptr;
    value = std::strtod(rest.c_str(), &end);
    return end && *end == '\0' && end != rest.c_str();
}

}  // namespace

SkinText::SkinText(const std::string& block) {
    // Room for every line at once: a block of millions of line breaks is not copied as it grows.
    lines_.reserve(static_cast<std::size_t>(std::count(block.begin(), block.end(), '\n') +
                                            std::count(block.begin(), block.end(), '\r')) + 1);
    std::string line;
    bool pending = false;  // text or a line end seen since the last stored line
    for (std::size_t i = 0; i < block.size(); ++i) {
        const char c = block[i];
        if (c == '\0') break;
        if (c == '\r' || c == '\n') {
            lines_.push_back(line);
            line.clear();
            pending = false;
            if (c == '\r' && i + 1 < block.size() && block[i + 1] == '\n') ++i;
        } else {
            line += c;
            pending = true;
        }
    }
    if (pending) lines_.push_back(line);
}

std::string SkinText::Line(int index) const {
    return index >= 0 && index < Count() ? lines_[static_cast<std::size_t>(index)] : std::string();
}

SkinText ReadSkinText(const std::string& file) {
    if (file.size() < 4) throw std::runtime_error("Stream read error");
    const std::size_t size = file.size();
    const auto byte = [&](std::size_t at) { return static_cast<std::uint32_t>(static_cast<unsigned char>(file[at])); };
    const std::int32_t trailer = static_cast<std::int32_t>(byte(size - 4) | byte(size - 3) << 8 |
                                                           byte(size - 2) << 16 | byte(size - 1) << 24);
    if (trailer < 5 || static_cast<std::uint32_t>(trailer) > size) throw std::runtime_error("Stream read error");
    return SkinText(file.substr(size - static_cast<std::size_t>(trailer), static_cast<std::size_t>(trailer) - 4));
}

bool TryParseSkinInteger(const std::string& text, std::int32_t& value) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    bool hex = false;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= text.size()) return false;
    std::uint64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = hex ? HexDigit(text[i]) : (std::isdigit(static_cast<unsigned char>(text[i])) ? text[i] - '0' : -1);
        if (digit < 0) return false;
        magnitude = magnitude * (hex ? 16 : 10) + static_cast<unsigned>(digit);
        if (magnitude > 0xFFFFFFFFull) return false;
    }
    // Decimal must fit a signed 32-bit integer; hexadecimal may use all 32 bits.
    if (!hex && magnitude > (negative ? 0x80000000ull : 0x7FFFFFFFull)) return false;
    const std::uint32_t bits = static_cast<std::uint32_t>(magnitude);
    value = static_cast<std::int32_t>(negative ? 0u - bits : bits);
    return true;
}

bool TryParseSkinBoolean(const std::string& text, bool& value) {
    std::int32_t number = 0;
    if (TryParseSkinInteger(text, number)) {
        value = number != 0;
        return true;
    }
    double fraction = 0;
    if (TryParseDecimal(text, fraction)) {
        value = fraction != 0;
        return true;
    }
    if (EqualsIgnoreCase(text, "True")) value = true;
    else if (EqualsIgnoreCase(text, "False")) value = false;
    else return false;
    return true;
}

bool TryParseSkinColor(const std::string& text, ui::Color& value) {
    for (const NamedColor& c : kColors) {
        if (EqualsIgnoreCase(text, c.name)) {
            value = c.value;
            return true;
        }
    }
    std::int32_t number = 0;
    if (!TryParseSkinInteger(text, number)) return false;
    value = static_cast<ui::Color>(number);
    return true;
}

std::int32_t SkinInteger(const std::string& text) {
    std::int32_t value = 0;
    if (!TryParseSkinInteger(text, value)) throw std::runtime_error("'" + text + "' is not a valid integer value");
    return value;
}

bool SkinBoolean(const std::string& text) {
    bool value = false;
    if (!TryParseSkinBoolean(text, value)) throw std::runtime_error("'" + text + "' is not a valid boolean value");
    return value;
}

ui::Color SkinColor(const std::string& text) {
    ui::Color value = 0;
    if (!TryParseSkinColor(text, value)) throw std::runtime_error("'" + text + "' is not a valid integer value");
    return value;
}

std::string SkinColorName(ui::Color color) {
    for (const NamedColor& c : kColors)
        if (c.value == color) return c.name;
    return "";
}

}  // namespace skin
