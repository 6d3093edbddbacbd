#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "platform/Registry.h"
#include "platform/fake/MutationCounter.h"

namespace fake {

struct RegistryValue {
    enum class Type { String, Dword, Binary } type = Type::String;
    std::string text;
    std::uint32_t number = 0;
};

// In-memory registry. Key paths and value names compare case-insensitively, as on Windows.
class FakeRegistry : public platform::Registry {
public:
    bool KeyExists(platform::RegistryRoot root, const std::string& path) override;
    std::unique_ptr<platform::RegistryKey> OpenKey(platform::RegistryRoot root, const std::string& path,
                                                   platform::KeyAccess access) override;
    bool DeleteKey(platform::RegistryRoot root, const std::string& path) override;

    // Test set-up and inspection.
    void CreateKey(platform::RegistryRoot root, const std::string& path);
    void SetString(platform::RegistryRoot root, const std::string& path, const std::string& name,
                   const std::string& value);
    void SetDword(platform::RegistryRoot root, const std::string& path, const std::string& name,
                  std::uint32_t value);
    void SetBinary(platform::RegistryRoot root, const std::string& path, const std::string& name,
                   const std::string& bytes);
    const RegistryValue* Find(platform::RegistryRoot root, const std::string& path,
                              const std::string& name) const;
    bool HasValue(platform::RegistryRoot root, const std::string& path, const std::string& name) const {
        return Find(root, path, name) != nullptr;
    }
    // A key that exists but refuses to open (as without access rights).
    void Deny(platform::RegistryRoot root, const std::string& path);
    // A key that opens for reading only (as HKLM for a normal user).
    void MakeReadOnly(platform::RegistryRoot root, const std::string& path);
    std::size_t ValueCount(platform::RegistryRoot root, const std::string& path) const;

    using Values = std::map<std::string, RegistryValue>;  // by lower-case name
    struct Key {
        Values values;
        std::map<std::string, std::string> names;  // lower-case name -> name as written
        void Store(const std::string& name, const RegistryValue& value);
    };
    std::map<std::string, Key> keys;  // by "root:lower-case path"
    std::set<std::string> denied;
    std::set<std::string> readOnly;
    // Counts the mutating calls and fails the chosen one; none while null.
    MutationCounter* mutations = nullptr;

    static std::string KeyId(platform::RegistryRoot root, const std::string& path);

private:
    void Put(platform::RegistryRoot root, const std::string& path, const std::string& name,
             const RegistryValue& value);
};

}  // namespace fake
