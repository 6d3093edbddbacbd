#include "platform/win32/Win32Process.h"

#include "platform/win32/WinApi.h"

namespace win32 {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
    std::vector<std::string> parts;
    std::size_t i = 0;
    const std::size_t n = commandLine.size();
    while (i < n && IsBlank(commandLine[i])) ++i;
    if (i >= n) return parts;

    // The program name knows no escapes: a path cannot hold a quote.
    std::string program;
    if (commandLine[i] == '"') {
        ++i;
        while (i < n && commandLine[i] != '"') program += commandLine[i++];
        if (i < n) ++i;
    } else {
        while (i < n && !IsBlank(commandLine[i])) program += commandLine[i++];
    }
    parts.push_back(program);

    for (;;) {
        while (i < n && IsBlank(commandLine[i])) ++i;
        if (i >= n) break;
        std::string argument;
        bool quoted = false;
        while (i < n && (quoted || !IsBlank(commandLine[i]))) {
            if (commandLine[i] == '\\') {
                std::size_t slashes = 0;
                while (i < n && commandLine[i] == '\\') {
                    ++slashes;
                    ++i;
                }
                if (i < n && commandLine[i] == '"') {
                    // Backslashes before a quote escape each other and, if odd, the quote.
                    argument.append(slashes / 2, '\\');
                    if (slashes % 2) {
                        argument += '"';
                        ++i;
                    }
                } else {
                    argument.append(slashes, '\\');
                }
            } else if (commandLine[i] == '"') {
                if (quoted && i + 1 < n && commandLine[i + 1] == '"') {
                    argument += '"';
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                argument += commandLine[i++];
            }
        }
        parts.push_back(argument);
    }
    return parts;
}

std::string Win32Process::ModuleFileName() {
    std::string buffer(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, &buffer[0], static_cast<DWORD>(buffer.size()));
        if (length == 0) return "";
        // A full buffer means the path was cut.
        if (length < buffer.size() || buffer.size() >= 32768) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::vector<std::string> Win32Process::Arguments() {
    auto parts = SplitCommandLine(GetCommandLineA());
    if (!parts.empty()) parts.erase(parts.begin());
    return parts;
}

std::string Win32Process::GetEnvironment(const std::string& name) {
    const DWORD size = GetEnvironmentVariableA(name.c_str(), nullptr, 0);
    if (size == 0) return "";
    std::string value(size, '\0');
    const DWORD length = GetEnvironmentVariableA(name.c_str(), &value[0], size);
    if (length == 0 || length >= size) return "";
    value.resize(length);
    return value;
}

bool Win32Process::CreateInstanceMutex(const std::string& name) {
    HANDLE mutex = CreateMutexA(nullptr, TRUE, name.c_str());
    const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
    if (mutex) mutexes_.push_back(mutex);
    return existed;
}

void Win32Process::Exit(int code) {
    ExitProcess(static_cast<UINT>(code));
}

}  // namespace win32
