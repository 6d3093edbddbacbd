#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/Color.h"

// The ".skn" format: forty complete BMP files back to back from offset 0, a text block of
// lines (the forty picture sizes, then the layout values) and a 4-byte trailer holding the
// text block's length plus 4. These helpers only parse; SkinLoader applies.
namespace skin {

constexpr int kSlotCount = 40;
constexpr int kFirstLayoutLine = 40;
constexpr int kLastLayoutLine = 89;

// The pixels of all forty pictures of one skin together. The default skins hold about 53 000;
// forty times that leaves room for any real skin, while forty pictures each at the size limit
// of one bitmap would take some 800 MB.
constexpr std::int64_t kMaxSkinPixels = 2 * 1024 * 1024;
// The largest skin file read: the pixel budget at four bytes a pixel (32 bits, or the row padding
// of the narrowest pictures), with a megabyte for the headers, colour tables and the text block.
constexpr std::size_t kMaxSkinFileSize = static_cast<std::size_t>(kMaxSkinPixels) * 4 + 1024 * 1024;

// The lines of a skin's text block. A line that the block does not contain reads as empty.
class SkinText {
public:
    SkinText() = default;
    // Splits at CR, LF or CR LF; a zero byte ends the text.
    explicit SkinText(const std::string& block);
    std::string Line(int index) const;
    int Count() const { return static_cast<int>(lines_.size()); }

private:
    std::vector<std::string> lines_;
};

// The text block of a whole skin file, located by the trailer. Throws std::runtime_error
// when the trailer does not describe a block inside the file.
SkinText ReadSkinText(const std::string& file);

// Parses the integer forms of a skin: optional blanks, optional sign, decimal digits, or
// hexadecimal after "$", "x" or "0x"; nothing may follow. Hexadecimal covers all 32 bits.
bool TryParseSkinInteger(const std::string& text, std::int32_t& value);
// A number (non-zero is true) or "True"/"False" in any letter case.
bool TryParseSkinBoolean(const std::string& text, bool& value);
// A colour name ("clRed", "clBtnFace", ... in any letter case) or an integer 0x00BBGGRR.
bool TryParseSkinColor(const std::string& text, ui::Color& value);

// The same, throwing std::runtime_error with the message the user sees.
std::int32_t SkinInteger(const std::string& text);
bool SkinBoolean(const std::string& text);
ui::Color SkinColor(const std::string& text);

// The colour's name when it has one ("clRed"), else empty; skinpack writes layouts with it.
std::string SkinColorName(ui::Color color);

}  // namespace skin
