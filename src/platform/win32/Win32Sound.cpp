#include "platform/win32/Win32Sound.h"

#include "platform/win32/WinApi.h"
#include <mmsystem.h>

#include "platform/win32/LibraryFunction.h"

namespace win32 {

namespace {

BOOL PlaySoundNow(LPCSTR sound, DWORD flags) {
    static const auto play = LibraryFunction<decltype(PlaySoundA)>("winmm.dll", "PlaySoundA");
    return play ? play(sound, nullptr, flags) : FALSE;
}

}  // namespace

// Without SND_NODEFAULT a file that cannot be played would give the default sound instead,
// and the caller could not tell.
bool Win32Sound::PlayLoop(const std::string& wavFile) {
    return PlaySoundNow(wavFile.c_str(), SND_FILENAME | SND_ASYNC | SND_LOOP | SND_NODEFAULT) != FALSE;
}

void Win32Sound::PlayDefaultLoop() {
    PlaySoundNow(reinterpret_cast<LPCSTR>(SND_ALIAS_SYSTEMDEFAULT), SND_ALIAS_ID | SND_ASYNC | SND_LOOP);
}

void Win32Sound::Stop() { PlaySoundNow(nullptr, 0); }

}  // namespace win32
