#pragma once
#include <string>

// Whether the bytes of a file are a sound the system's player can play: a RIFF "WAVE" file
// with an uncompressed PCM format chunk (1 to 8 channels of 8, 16, 24 or 32 bits) before a
// data chunk holding at least one whole sample frame. The file is the user's, so nothing in
// it is trusted: every size is checked against what is there.
bool IsPlayableWave(const std::string& bytes);
