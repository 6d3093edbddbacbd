#include "platform/win32/Win32IniFiles.h"

#include "platform/win32/WinApi.h"

namespace win32 {

namespace {

// GetPrivateProfileStringA cuts what does not fit and returns size - 1 (size - 2 for the
// NUL-separated lists), so a result that full means the buffer may have been too small.
std::string Profile(const char* section, const char* key, const char* defaultValue, const std::string& file,
                    bool list) {
    DWORD size = 1024;
    for (;;) {
        std::string buffer(size, '\0');
        const DWORD length =
            GetPrivateProfileStringA(section, key, defaultValue, &buffer[0], size, file.c_str());
        const DWORD full = list ? size - 2 : size - 1;
        if (length < full || size >= (1u << 26)) {
            buffer.resize(length);
            return buffer;
        }
        size *= 4;
    }
}

std::vector<std::string> SplitList(const std::string& list) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start < list.size()) {
        const auto end = list.find('\0', start);
        const std::string name = list.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!name.empty()) names.push_back(name);
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return names;
}

}  // namespace

std::string Win32IniFiles::ReadString(const std::string& file, const std::string& section,
                                      const std::string& key, const std::string& defaultValue) {
    return Profile(section.c_str(), key.c_str(), defaultValue.c_str(), file, false);
}

bool Win32IniFiles::WriteString(const std::string& file, const std::string& section, const std::string& key,
                                const std::string& value) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != 0;
}

bool Win32IniFiles::DeleteKey(const std::string& file, const std::string& section, const std::string& key) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, file.c_str()) != 0;
}

bool Win32IniFiles::EraseSection(const std::string& file, const std::string& section) {
    return WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, file.c_str()) != 0;
}

std::vector<std::string> Win32IniFiles::ReadSections(const std::string& file) {
    return SplitList(Profile(nullptr, nullptr, "", file, true));
}

std::vector<std::string> Win32IniFiles::ReadKeys(const std::string& file, const std::string& section) {
    return SplitList(Profile(section.c_str(), nullptr, "", file, true));
}

}  // namespace win32
