#pragma once
#include "platform/win32/WinApi.h"

namespace win32 {

// An event that the system sets when a value of a key under HKEY_CURRENT_USER changes, for a
// wait on it beside other handles: no polling. The key may come only later (it is made at the
// first save of the options); Watch opens it once it exists.
class RegistryChanges {
public:
    explicit RegistryChanges(const char* path);
    ~RegistryChanges();
    RegistryChanges(const RegistryChanges&) = delete;
    RegistryChanges& operator=(const RegistryChanges&) = delete;

    // Set at a change; null when no event could be made.
    HANDLE Event() const { return event_; }
    // Asks to be told of the next change, unless that was asked already; called whenever the key
    // may have come since.
    void Watch();
    // The event was set: the next change is asked for.
    void Seen();

private:
    const char* path_;
    HKEY key_ = nullptr;
    HANDLE event_ = nullptr;
    bool armed_ = false;
};

}  // namespace win32
