#include "platform/win32/RegistryChanges.h"

namespace win32 {

RegistryChanges::RegistryChanges(const char* path) : path_(path), event_(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}

RegistryChanges::~RegistryChanges() {
    if (key_) RegCloseKey(key_);
    if (event_) CloseHandle(event_);
}

void RegistryChanges::Watch() {
    if (!event_) return;
    if (!key_ && RegOpenKeyExA(HKEY_CURRENT_USER, path_, 0, KEY_NOTIFY, &key_) != ERROR_SUCCESS) {
        key_ = nullptr;
        return;
    }
    if (armed_) return;
    armed_ = RegNotifyChangeKeyValue(key_, FALSE, REG_NOTIFY_CHANGE_LAST_SET, event_, TRUE) == ERROR_SUCCESS;
    // A key deleted meanwhile (an uninstallation) is opened anew once it is made again.
    if (!armed_) {
        RegCloseKey(key_);
        key_ = nullptr;
    }
}

void RegistryChanges::Seen() {
    armed_ = false;
    Watch();
}

}  // namespace win32
