#pragma once
#include "platform/Power.h"

namespace win32 {

// The keep-awake state of the calling thread (SetThreadExecutionState) and the power plan as
// powrprof.dll tells it, loaded when first asked.
class Win32Power : public platform::Power {
public:
    void SetKeepAwake(platform::KeepAwake state) override;
    platform::WakeTimers WakeTimerSetting(bool onBattery) override;
    bool ModernStandby() override;
};

}  // namespace win32
