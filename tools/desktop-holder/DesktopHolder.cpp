// Holds Wine's desktop for a whole end-to-end run; never shipped.
//
// Wine closes its desktop a second after the last program on it ends, and starts it again for
// the next one. End-to-end tests are one program each, so without a holder every test pays a
// new desktop, and a test that starts while the old one closes can end before its first line.
// This program stays on the desktop, showing nothing, until the run's wine server ends it.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    GetDesktopWindow();
    Sleep(INFINITE);
    return 0;
}
