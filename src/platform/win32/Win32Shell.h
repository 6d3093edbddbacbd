#pragma once
#include "platform/Shell.h"

namespace win32 {

// Starting programs through the shell and WinExec.
class Win32Shell : public platform::Shell {
public:
    bool Open(platform::WindowHandle owner, const std::string& file, const std::string& parameters,
              const std::string& directory, int show) override;
    bool Execute(const std::string& commandLine, int show) override;
};

}  // namespace win32
