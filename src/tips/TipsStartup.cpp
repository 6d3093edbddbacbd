#include "tips/TipsStartup.h"

void ShowTipsAtStart(platform::Platform&) {
    // The tips window is not part of the program yet; the start goes on without it.
}
