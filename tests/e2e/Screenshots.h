#pragma once
// Screenshots of windows under Wine and their comparison with reference pictures kept in the
// source tree (the folder named by ORVELLA_REFERENCE_DIR, which the build sets for ctest).
// Only scripts/record-references.sh writes the references, by starting the test program with
// --record-references; ctest never does. Look at them before committing.
#include "platform/win32/WinApi.h"

#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

// A screen area as 8-bit blue, green, red triples, top row first.
struct Screenshot {
    int width = 0, height = 0;
    std::vector<std::uint8_t> bgr;

    bool operator==(const Screenshot& other) const {
        return width == other.width && height == other.height && bgr == other.bgr;
    }
};

// The window's client area as the screen shows it. Xvfb has no compositor, so this is what
// the X server holds, layered opacity included (which shows as opaque).
Screenshot CaptureClientArea(HWND window);

// A 24-bit bottom-up BMP file, and back; an empty picture for anything else.
std::string EncodeBmp(const Screenshot& shot);
Screenshot DecodeBmp(const std::string& file);

// The share of pixels whose channels all lie within `tolerance` of the reference's; 0 when the
// sizes differ. A pixel of the skins' colour key matches only another one.
double MatchingShare(const Screenshot& actual, const Screenshot& reference, int tolerance = 8);

// Compares `shot` with the reference picture `name`.bmp, or records it there. A failure leaves
// the capture as `name`-actual.bmp in the bin folder.
void ExpectLooksLikeReference(const Screenshot& shot, const std::string& name, double minimumShare = 0.99);

// The window once it has finished painting, with every button in its resting face: two
// captures 250 ms apart that agree.
Screenshot SteadyCapture(HWND window, DWORD timeoutMs = 10000);

// Whether the tests record the reference pictures (and then compare with what they wrote): the
// test program was started with this argument.
constexpr const char* kRecordReferencesFlag = "--record-references";
bool RecordingReferences();

// Puts the pointer in the screen's corner, where no window of the tests lies.
void MovePointerAway();

}  // namespace e2e
