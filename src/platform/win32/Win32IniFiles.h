#pragma once
#include "platform/IniFiles.h"

namespace win32 {

// INI files through the private-profile calls of kernel32.
class Win32IniFiles : public platform::IniFiles {
public:
    std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                           const std::string& defaultValue) override;
    bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value) override;
    bool DeleteKey(const std::string& file, const std::string& section, const std::string& key) override;
    bool EraseSection(const std::string& file, const std::string& section) override;
    std::vector<std::string> ReadSections(const std::string& file) override;
    std::vector<std::string> ReadKeys(const std::string& file, const std::string& section) override;
};

}  // namespace win32
