#include "platform/Power.h"

namespace platform {

namespace {

class NoPowerManagement : public Power {
public:
    void SetKeepAwake(KeepAwake) override {}
    WakeTimers WakeTimerSetting(bool) override { return WakeTimers::Unknown; }
    bool ModernStandby() override { return false; }
};

}  // namespace

Power& NoPower() {
    static NoPowerManagement none;
    return none;
}

}  // namespace platform
