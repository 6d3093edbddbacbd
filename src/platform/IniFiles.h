#pragma once
#include <string>
#include <vector>

namespace platform {

// INI files with the private-profile rules of Windows: section and key names compare
// case-insensitively, values are trimmed of blanks, a missing file reads as empty.
class IniFiles {
public:
    virtual ~IniFiles() = default;
    virtual std::string ReadString(const std::string& file, const std::string& section,
                                   const std::string& key, const std::string& defaultValue) = 0;
    virtual bool WriteString(const std::string& file, const std::string& section,
                             const std::string& key, const std::string& value) = 0;
    virtual bool DeleteKey(const std::string& file, const std::string& section,
                           const std::string& key) = 0;
    virtual bool EraseSection(const std::string& file, const std::string& section) = 0;
    virtual std::vector<std::string> ReadSections(const std::string& file) = 0;
    virtual std::vector<std::string> ReadKeys(const std::string& file, const std::string& section) = 0;
};

}  // namespace platform
