#pragma once
#include <string>

#include "platform/Process.h"

// The folder of the program file, with its trailing backslash.
std::string ProgramFolder(platform::Process& process);
