#include "platform/win32/Win32Registry.h"

#include "platform/win32/WinApi.h"

#include <vector>

namespace win32 {

namespace {

HKEY RootKey(platform::RegistryRoot root) {
    switch (root) {
        case platform::RegistryRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
        case platform::RegistryRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
        case platform::RegistryRoot::CurrentUser: break;
    }
    return HKEY_CURRENT_USER;
}

class Win32RegistryKey : public platform::RegistryKey {
public:
    explicit Win32RegistryKey(HKEY key) : key_(key) {}
    ~Win32RegistryKey() override { RegCloseKey(key_); }
    Win32RegistryKey(const Win32RegistryKey&) = delete;
    Win32RegistryKey& operator=(const Win32RegistryKey&) = delete;

    bool ValueExists(const std::string& name) override {
        return RegQueryValueExA(key_, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    }

    bool ReadString(const std::string& name, std::string& value) override {
        // The value may change size between the two queries; ask again until the buffer fits.
        for (int attempt = 0; attempt < 4; ++attempt) {
            DWORD type = 0, size = 0;
            if (RegQueryValueExA(key_, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
                type != REG_SZ)
                return false;
            // Room for a terminator the stored data may lack.
            std::vector<char> buffer(size + 2, '\0');
            DWORD got = size;
            const LONG rc = RegQueryValueExA(key_, name.c_str(), nullptr, &type,
                                             reinterpret_cast<BYTE*>(buffer.data()), &got);
            if (rc == ERROR_MORE_DATA) continue;
            if (rc != ERROR_SUCCESS || type != REG_SZ) return false;
            if (got > size) got = size;
            std::string text(buffer.data(), got);
            const auto nul = text.find('\0');
            if (nul != std::string::npos) text.resize(nul);
            value = text;
            return true;
        }
        return false;
    }

    bool ReadDword(const std::string& name, std::uint32_t& value) override {
        DWORD type = 0, data = 0, size = sizeof data;
        if (RegQueryValueExA(key_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) !=
                ERROR_SUCCESS ||
            type != REG_DWORD || size != sizeof data)
            return false;
        value = data;
        return true;
    }

    bool WriteString(const std::string& name, const std::string& value) override {
        return RegSetValueExA(key_, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                              static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
    }

    bool WriteDword(const std::string& name, std::uint32_t value) override {
        const DWORD data = value;
        return RegSetValueExA(key_, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                              sizeof data) == ERROR_SUCCESS;
    }

    bool DeleteValue(const std::string& name) override {
        return RegDeleteValueA(key_, name.c_str()) == ERROR_SUCCESS;
    }

private:
    HKEY key_;
};

// Deletes the subkeys first, since RegDeleteKeyA refuses a key that has any. Done by hand
// rather than with RegDeleteTreeA so it works on every Windows version.
bool DeleteTree(HKEY parent, const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(parent, path.c_str(), 0, KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS) return false;
    std::vector<std::string> children;
    for (DWORD index = 0;; ++index) {
        char name[256];  // key names are at most 255 characters
        DWORD length = sizeof name;
        const LONG rc = RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (rc != ERROR_SUCCESS) break;
        children.emplace_back(name, length);
    }
    bool ok = true;
    for (const auto& child : children) ok = DeleteTree(key, child) && ok;
    RegCloseKey(key);
    return ok && RegDeleteKeyA(parent, path.c_str()) == ERROR_SUCCESS;
}

std::string Trimmed(std::string path) {
    while (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
}

}  // namespace

// A key that this user may not read exists all the same: opening it is refused, not missed.
bool Win32Registry::KeyExists(platform::RegistryRoot root, const std::string& path) {
    HKEY key;
    const LONG result = RegOpenKeyExA(RootKey(root), path.c_str(), 0, KEY_READ, &key);
    if (result == ERROR_SUCCESS) RegCloseKey(key);
    return result == ERROR_SUCCESS || result == ERROR_ACCESS_DENIED;
}

std::unique_ptr<platform::RegistryKey> Win32Registry::OpenKey(platform::RegistryRoot root,
                                                              const std::string& path,
                                                              platform::KeyAccess access) {
    HKEY key = nullptr;
    LONG rc;
    switch (access) {
        case platform::KeyAccess::Read:
            rc = RegOpenKeyExA(RootKey(root), path.c_str(), 0, KEY_READ, &key);
            break;
        case platform::KeyAccess::ReadWrite:
            rc = RegOpenKeyExA(RootKey(root), path.c_str(), 0, KEY_READ | KEY_WRITE, &key);
            break;
        default:
            rc = RegCreateKeyExA(RootKey(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_READ | KEY_WRITE, nullptr, &key, nullptr);
            break;
    }
    if (rc != ERROR_SUCCESS) return nullptr;
    return std::make_unique<Win32RegistryKey>(key);
}

bool Win32Registry::DeleteKey(platform::RegistryRoot root, const std::string& path) {
    const std::string key = Trimmed(path);
    // An empty path would name the root itself.
    if (key.empty()) return false;
    return DeleteTree(RootKey(root), key);
}

}  // namespace win32
