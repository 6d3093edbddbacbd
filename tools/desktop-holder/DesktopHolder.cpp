// Holds Wine's desktop for a whole end-to-end run; never shipped.
//
// Wine closes its desktop a second after the last program on it ends, and starts it again for
// the next one. End-to-end tests are one program each, so without a holder every test waits
// for a new desktop, and one that starts just as the old desktop closes meets it on its way out.
// This program stays on the desktop, showing nothing, until the run's wine server ends it.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    GetDesktopWindow();
    Sleep(INFINITE);
    return 0;
}
