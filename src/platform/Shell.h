#pragma once
#include <string>

#include "platform/Windows.h"

namespace platform {

enum ShowCommand { ShowHide = 0, ShowNormal = 1, ShowRestore = 9, ShowShow = 5 };

class Shell {
public:
    virtual ~Shell() = default;
    // The shell's "open" verb (ShellExecute). True when the shell accepted it.
    virtual bool Open(WindowHandle owner, const std::string& file, const std::string& parameters,
                      const std::string& directory, int show) = 0;
    // Runs a command line (WinExec). True when it started.
    virtual bool Execute(const std::string& commandLine, int show) = 0;
};

}  // namespace platform
