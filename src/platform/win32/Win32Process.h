#pragma once
#include <vector>

#include "platform/Process.h"

namespace win32 {

// Splits a command line by the quoting rules of the Microsoft C runtime. The first element is
// the program, taken as written up to its closing quote or the first blank.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

class Win32Process : public platform::Process {
public:
    std::string ModuleFileName() override;
    std::vector<std::string> Arguments() override;
    std::string GetEnvironment(const std::string& name) override;
    bool CreateInstanceMutex(const std::string& name) override;
    [[noreturn]] void Exit(int code) override;

private:
    // Never closed: the mutex must live exactly as long as the process.
    std::vector<void*> mutexes_;
};

}  // namespace win32
