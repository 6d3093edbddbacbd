#pragma once
#include "platform/Registry.h"

namespace win32 {

// The registry through the advapi32 ANSI calls.
class Win32Registry : public platform::Registry {
public:
    bool KeyExists(platform::RegistryRoot root, const std::string& path) override;
    std::unique_ptr<platform::RegistryKey> OpenKey(platform::RegistryRoot root, const std::string& path,
                                                   platform::KeyAccess access) override;
    bool DeleteKey(platform::RegistryRoot root, const std::string& path) override;
};

}  // namespace win32
