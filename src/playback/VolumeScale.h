#pragma once
#include <cstdint>

// The program's volume scale: 655 units per percent, so 100 % is 65500 rather than 65535,
// and every word the program writes stays within 16 bits.
constexpr int kUnitsPerPercent = 655;

std::uint16_t VolumeWord(int percent);
int VolumePercent(std::uint16_t word);
// Pixels of the 64-pixel volume bar for a percent.
int BarWidth(double percent);
constexpr int kBarPixels = 64;

// Which of the ten level pictures (0 lowest .. 9 highest) a value shows when the levels are
// `step` apart; -1 when the value lies exactly on a level bound and the picture stays.
int LevelPictureIndex(int value, int step);
