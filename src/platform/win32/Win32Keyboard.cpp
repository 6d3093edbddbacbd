#include "platform/win32/Win32Keyboard.h"

#include "platform/win32/WinApi.h"

namespace win32 {

void Win32Keyboard::PressKey(std::uint8_t virtualKey) {
    // The key-up matters: without it Windows keeps the key held down, and the next
    // press of the same key reaches the target as an auto-repeat or not at all.
    keybd_event(virtualKey, 0, 0, 0);
    keybd_event(virtualKey, 0, KEYEVENTF_KEYUP, 0);
}

}  // namespace win32
