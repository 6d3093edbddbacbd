// The positive control of the planted-library test: a program that loads the libraries named
// on its command line with the ordinary search, which looks in the program's own folder first.
// A planted library beside it is loaded, and leaves its mark.
#include "platform/win32/WinApi.h"

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (HMODULE library = LoadLibraryA(argv[i])) FreeLibrary(library);
    return 0;
}
