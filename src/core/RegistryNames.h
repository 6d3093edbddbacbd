#pragma once

// Where the program keeps its options and how the shell starts it at log-on.
inline const char* const kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline const char* const kRunValueProgram = "Orvella";
inline const char* const kRunValueAgent = "Orvella Agent";
inline const char* const kWinampKey = "Software\\Winamp";
