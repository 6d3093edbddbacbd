// languagefile: writes the default language file, byte for byte as the program writes it, so
// that an installation starts with one.
//
//   languagefile <out>
#include <cstdio>
#include <fstream>

#include "language/LanguageFile.h"

// The file's texts are Windows-1252; a compiler that kept the literals in UTF-8 would write
// another file.
static_assert(sizeof("ä") == 2, "the texts must be compiled to Windows-1252 (-fexec-charset=CP1252)");

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: languagefile <out>\n");
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << DefaultLanguageFileText();
    if (!out.flush()) {
        std::fprintf(stderr, "languagefile: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
