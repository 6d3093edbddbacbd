#include "platform/fake/FakeRegistry.h"

#include <vector>

#include "platform/fake/FakeText.h"

namespace fake {

namespace {

class FakeKey : public platform::RegistryKey {
public:
    FakeKey(FakeRegistry::Key& key, bool writable, MutationCounter* mutations)
        : key_(key), writable_(writable), mutations_(mutations) {}

    bool ValueExists(const std::string& name) override { return key_.values.count(Lower(name)) > 0; }

    bool ReadString(const std::string& name, std::string& value) override {
        auto it = key_.values.find(Lower(name));
        if (it == key_.values.end() || it->second.type != RegistryValue::Type::String) return false;
        value = it->second.text;
        return true;
    }

    bool ReadDword(const std::string& name, std::uint32_t& value) override {
        auto it = key_.values.find(Lower(name));
        if (it == key_.values.end() || it->second.type != RegistryValue::Type::Dword) return false;
        value = it->second.number;
        return true;
    }

    bool WriteString(const std::string& name, const std::string& value) override {
        if (!writable_ || Refused()) return false;
        RegistryValue v;
        v.text = value;
        Store(name, v);
        return true;
    }

    bool WriteDword(const std::string& name, std::uint32_t value) override {
        if (!writable_ || Refused()) return false;
        RegistryValue v;
        v.type = RegistryValue::Type::Dword;
        v.number = value;
        Store(name, v);
        return true;
    }

    bool DeleteValue(const std::string& name) override {
        if (!writable_ || Refused()) return false;
        key_.names.erase(Lower(name));
        return key_.values.erase(Lower(name)) > 0;
    }

private:
    void Store(const std::string& name, const RegistryValue& v) { key_.Store(name, v); }
    bool Refused() { return mutations_ && mutations_->Fails(); }
    FakeRegistry::Key& key_;
    bool writable_;
    MutationCounter* mutations_;
};

}  // namespace

std::string FakeRegistry::KeyId(platform::RegistryRoot root, const std::string& path) {
    std::string p = Lower(path);
    while (!p.empty() && p.back() == '\\') p.pop_back();
    return std::to_string(static_cast<int>(root)) + ":" + p;
}

bool FakeRegistry::KeyExists(platform::RegistryRoot root, const std::string& path) {
    return keys.count(KeyId(root, path)) > 0;
}

std::unique_ptr<platform::RegistryKey> FakeRegistry::OpenKey(platform::RegistryRoot root,
                                                             const std::string& path,
                                                             platform::KeyAccess access) {
    const std::string id = KeyId(root, path);
    if (denied.count(id)) return nullptr;
    const bool writable = access != platform::KeyAccess::Read;
    if (writable && readOnly.count(id)) return nullptr;
    auto it = keys.find(id);
    if (it == keys.end()) {
        if (access != platform::KeyAccess::CreateWrite) return nullptr;
        if (mutations && mutations->Fails()) return nullptr;
        CreateKey(root, path);
        it = keys.find(id);
    }
    return std::make_unique<FakeKey>(it->second, writable, mutations);
}

bool FakeRegistry::DeleteKey(platform::RegistryRoot root, const std::string& path) {
    // As Windows deletes a tree: the subkeys one by one, deepest first, then the key. A subkey
    // that may not be deleted stays, and so do the keys above it; the others go.
    const std::string id = KeyId(root, path);
    if (!keys.count(id) || denied.count(id) || readOnly.count(id)) return false;
    const bool fails = mutations && mutations->Fails();
    std::vector<std::string> tree, blocked;
    for (const auto& key : keys) {
        if (key.first.rfind(id + "\\", 0) != 0) continue;
        tree.push_back(key.first);
        if (denied.count(key.first) || readOnly.count(key.first)) blocked.push_back(key.first);
    }
    const auto kept = [&](const std::string& key) {
        for (const std::string& b : blocked)
            if (b == key || b.rfind(key + "\\", 0) == 0) return true;
        return false;
    };
    if (fails && (tree.empty() || !mutations->DoHalf())) return false;
    for (const std::string& key : tree)
        if (!kept(key)) keys.erase(key);
    if (fails || !blocked.empty()) return false;
    keys.erase(id);
    return true;
}

void FakeRegistry::CreateKey(platform::RegistryRoot root, const std::string& path) {
    // Parents come into being with their child, as RegCreateKeyEx does.
    std::string sofar;
    for (const std::string& part : Split(path, '\\')) {
        if (part.empty()) continue;
        sofar += sofar.empty() ? part : "\\" + part;
        keys[KeyId(root, sofar)];
    }
}

void FakeRegistry::Key::Store(const std::string& name, const RegistryValue& value) {
    values[Lower(name)] = value;
    names[Lower(name)] = name;
}

void FakeRegistry::Put(platform::RegistryRoot root, const std::string& path, const std::string& name,
                       const RegistryValue& value) {
    CreateKey(root, path);
    keys[KeyId(root, path)].Store(name, value);
}

void FakeRegistry::SetString(platform::RegistryRoot root, const std::string& path,
                             const std::string& name, const std::string& value) {
    RegistryValue v;
    v.text = value;
    Put(root, path, name, v);
}

void FakeRegistry::SetDword(platform::RegistryRoot root, const std::string& path,
                            const std::string& name, std::uint32_t value) {
    RegistryValue v;
    v.type = RegistryValue::Type::Dword;
    v.number = value;
    Put(root, path, name, v);
}

void FakeRegistry::SetBinary(platform::RegistryRoot root, const std::string& path,
                             const std::string& name, const std::string& bytes) {
    RegistryValue v;
    v.type = RegistryValue::Type::Binary;
    v.text = bytes;
    Put(root, path, name, v);
}

const RegistryValue* FakeRegistry::Find(platform::RegistryRoot root, const std::string& path,
                                        const std::string& name) const {
    auto key = keys.find(KeyId(root, path));
    if (key == keys.end()) return nullptr;
    auto value = key->second.values.find(Lower(name));
    return value == key->second.values.end() ? nullptr : &value->second;
}

void FakeRegistry::Deny(platform::RegistryRoot root, const std::string& path) {
    CreateKey(root, path);
    denied.insert(KeyId(root, path));
}

void FakeRegistry::MakeReadOnly(platform::RegistryRoot root, const std::string& path) {
    CreateKey(root, path);
    readOnly.insert(KeyId(root, path));
}

std::size_t FakeRegistry::ValueCount(platform::RegistryRoot root, const std::string& path) const {
    auto key = keys.find(KeyId(root, path));
    return key == keys.end() ? 0 : key->second.values.size();
}

}  // namespace fake
