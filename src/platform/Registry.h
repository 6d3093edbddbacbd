#pragma once
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

enum class RegistryRoot { CurrentUser, LocalMachine, ClassesRoot };

enum class KeyAccess {
    Read,          // open an existing key for reading
    ReadWrite,     // open an existing key for reading and writing
    CreateWrite    // open for writing, creating the key (and its parents) when missing
};

// One open registry key. Closed when the object is destroyed.
class RegistryKey {
public:
    virtual ~RegistryKey() = default;
    virtual bool ValueExists(const std::string& name) = 0;
    // Each read fails (and leaves `value` alone) when the value is missing or has another type.
    virtual bool ReadString(const std::string& name, std::string& value) = 0;
    virtual bool ReadDword(const std::string& name, std::uint32_t& value) = 0;
    virtual bool WriteString(const std::string& name, const std::string& value) = 0;
    virtual bool WriteDword(const std::string& name, std::uint32_t value) = 0;
    virtual bool DeleteValue(const std::string& name) = 0;
};

class Registry {
public:
    virtual ~Registry() = default;
    // True also for a key that exists but cannot be opened for lack of rights.
    virtual bool KeyExists(RegistryRoot root, const std::string& path) = 0;
    // Null when the key cannot be opened (or created).
    virtual std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::string& path,
                                                 KeyAccess access) = 0;
    // Deletes the key with all its subkeys.
    virtual bool DeleteKey(RegistryRoot root, const std::string& path) = 0;
};

}  // namespace platform
