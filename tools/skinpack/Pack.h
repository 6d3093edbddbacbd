#pragma once
#include <string>
#include <vector>

// Building and taking apart ".skn" files: forty bitmap files back to back, then the text block
// (the forty sizes and the fifty layout lines 40 to 89) and the trailer.
namespace skinpack {

constexpr int kLayoutLines = 50;

// Checks every bitmap and layout value as the program will read them and joins them into a
// skin file. Throws std::runtime_error naming the first bad part.
std::string Pack(const std::vector<std::string>& bitmaps, const std::vector<std::string>& layout);

// Splits a skin file into its forty bitmap files and its layout lines 40 to 89.
void Unpack(const std::string& file, std::vector<std::string>& bitmaps, std::vector<std::string>& layout);

// The layout text of a skin folder: one value per line; lines starting with ';' are notes.
std::vector<std::string> ParseLayoutText(const std::string& text);
std::string LayoutText(const std::vector<std::string>& layout);

// The default skins, drawn in code: "Classic" (slider) and "Midnight" (level picture).
std::vector<std::string> DefaultSkinNames();
void DrawDefaultSkin(const std::string& name, std::vector<std::string>& bitmaps, std::vector<std::string>& layout);

}  // namespace skinpack
