#pragma once
#include <string>
#include <vector>

namespace platform {

// The running program itself.
class Process {
public:
    virtual ~Process() = default;
    virtual std::string ModuleFileName() = 0;            // full path of the program file
    virtual std::vector<std::string> Arguments() = 0;    // command-line arguments after the program
    virtual std::string GetEnvironment(const std::string& name) = 0;  // empty when unset
    // Creates the named mutex owned by this process and keeps it until the process ends.
    // True when a mutex of that name existed already (another copy runs).
    virtual bool CreateInstanceMutex(const std::string& name) = 0;
    // Ends the process at once.
    [[noreturn]] virtual void Exit(int code) = 0;
};

}  // namespace platform
