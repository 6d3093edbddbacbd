#include "common/Names.h"

#include "common/Text.h"

std::string ProgramFolder(platform::Process& process) { return ExtractFilePath(process.ModuleFileName()); }
