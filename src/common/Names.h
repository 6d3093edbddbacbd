#pragma once
#include <cstddef>
#include <string>

#include "platform/Process.h"

// The names by which the programs of Orvella find each other's data: the registry key of the
// options, the values that more than one program reads or writes, the file beside the program
// that holds the wake dates and the window position, and the Run-key entries.

inline const char* const kSettingsKey = "Software\\Orvella";
// Set by the agent at a wake date, read and reset by the main program.
inline const char* const kWakeCallValue = "Weckruf";
// The last wake date the agent fired ("dd.mm.yyyy (hh:mm)"), so that a restarted agent does not
// fire it again.
inline const char* const kLastWakeValue = "Agent - Letzter Weckruf";
// The wake dates the agent had to skip, past their grace period (their entry texts, one a line),
// for the next ordinary start of the main program to tell once.
inline const char* const kMissedWakeValue = "Agent - Verpasster Weckruf";
// Up to when the agent has looked at the dates ("dd.mm.yyyy (hh:mm)"): a date between then and
// now that is past its grace period was missed (the computer off or asleep).
inline const char* const kCheckedUntilValue = "Agent - Geprüft bis";
// Whether the agent shows its icon in the notification area (DWORD, 1 when missing).
inline const char* const kAgentIconValue = "Agent - Symbol";
// The program's folder, written at every save of the options for the programs that need it.
inline const char* const kProgramPathValue = "Programm - Pfad";
// The folder of the skin files.
inline const char* const kSkinsFolderValue = "Programm - Schema Pfad";
// The page the preferences open on.
inline const char* const kActivePageValue = "Programm - Aktive Seite";
// Whether the tips window comes at the next ordinary start.
inline const char* const kShowTipsValue = "Erster Start";
// The name of the active language.
inline const char* const kLanguageValue = "Programm - Sprache";
// The path of the language file.
inline const char* const kLanguageFileValue = "Programm - Sprachdatei";
// The skin that the main window loads when it is first shown.
inline const char* const kSkinFileValue = "Theme - Pfad";

// Beside the program: section "Weckzeiten" (wake dates) and section "Position" (the main window).
inline const char* const kIniFileName = "Orvella.ini";
inline const char* const kWakeDatesSection = "Weckzeiten";
inline const char* const kWakeDatesCounter = "Zähler";
// The weekdays on which an entry of "Weckzeiten" repeats, under the same key as the entry.
inline const char* const kWakeRepeatsSection = "Wiederholung";
// The largest Orvella.ini read: room for the most wake dates read (10 000), each with a text far
// longer than the date dialog makes, and the window position. A larger file is not read.
constexpr std::size_t kMaxIniFileSize = 4 * 1024 * 1024;

// Where the shell finds what to start at log-on.
inline const char* const kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline const char* const kRunValueProgram = "Orvella";
inline const char* const kRunValueAgent = "Orvella Agent";

// The folder of the program file, with its trailing backslash.
std::string ProgramFolder(platform::Process& process);
