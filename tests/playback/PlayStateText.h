#pragma once
#include <ostream>

#include "playback/Playback.h"

// The play states by name, for test names and failure messages.
inline const char* StateName(TPlayState state) {
    switch (state) {
    case TPlayState::Play: return "Play";
    case TPlayState::Pause: return "Pause";
    case TPlayState::Stop: break;
    }
    return "Stop";
}

inline std::ostream& operator<<(std::ostream& out, TPlayState state) { return out << StateName(state); }
