// skinpack: builds a ".skn" skin file from a folder of forty bitmaps and a layout text, takes
// one apart again, and draws the default skins.
//
//   skinpack build <folder> <out.skn>    folder holds 00.bmp ... 39.bmp and layout.txt
//   skinpack unpack <in.skn> <folder>
//   skinpack draw <Classic|Midnight> <folder>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "Pack.h"

namespace {

std::string Join(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    const char last = folder.back();
    return last == '/' || last == '\\' ? folder + name : folder + "/" + name;
}

std::string SlotFile(int slot) {
    char name[16];
    std::snprintf(name, sizeof name, "%02d.bmp", slot);
    return name;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out || !out.write(content.data(), static_cast<std::streamsize>(content.size())) || !out.flush())
        throw std::runtime_error("cannot write " + path);
}

void WriteFolder(const std::string& folder, const std::vector<std::string>& bitmaps, const std::vector<std::string>& layout) {
    for (std::size_t slot = 0; slot < bitmaps.size(); ++slot) WriteAll(Join(folder, SlotFile(static_cast<int>(slot))), bitmaps[slot]);
    WriteAll(Join(folder, "layout.txt"), skinpack::LayoutText(layout));
}

int Usage() {
    std::fputs("usage: skinpack build <folder> <out.skn>\n"
               "       skinpack unpack <in.skn> <folder>\n"
               "       skinpack draw <Classic|Midnight> <folder>\n"
               "A skin folder holds 00.bmp to 39.bmp and layout.txt (the values of lines 40 to 89,\n"
               "one a line; lines starting with ';' are notes).\n",
               stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) return Usage();
    const std::string command = argv[1];
    try {
        if (command == "build") {
            std::vector<std::string> bitmaps;
            for (int slot = 0; slot < 40; ++slot) bitmaps.push_back(ReadAll(Join(argv[2], SlotFile(slot))));
            const std::vector<std::string> layout = skinpack::ParseLayoutText(ReadAll(Join(argv[2], "layout.txt")));
            WriteAll(argv[3], skinpack::Pack(bitmaps, layout));
        } else if (command == "unpack") {
            std::vector<std::string> bitmaps, layout;
            skinpack::Unpack(ReadAll(argv[2]), bitmaps, layout);
            WriteFolder(argv[3], bitmaps, layout);
        } else if (command == "draw") {
            std::vector<std::string> bitmaps, layout;
            skinpack::DrawDefaultSkin(argv[2], bitmaps, layout);
            WriteFolder(argv[3], bitmaps, layout);
        } else {
            return Usage();
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skinpack: %s\n", e.what());
        return 1;
    }
    return 0;
}
