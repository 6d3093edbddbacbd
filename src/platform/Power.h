#pragma once

namespace platform {

// What the program asks of the system so that it stays awake while the user should wake up.
enum class KeepAwake {
    Nothing,           // the system may sleep and the display go dark as usual
    System,            // the computer stays on; the display may go dark
    SystemAndDisplay,  // the computer stays on and the display lit
};

// The power plan's "Allow wake timers" setting.
enum class WakeTimers {
    Unknown,        // the system cannot say (no such setting, or the functions are missing)
    Disabled,
    Enabled,
    ImportantOnly,  // only the system's own important timers wake the computer
};

// The system's power management, as far as a wake call needs it.
class Power {
public:
    virtual ~Power() = default;
    // Replaces what this program asked for before; it holds until asked otherwise.
    virtual void SetKeepAwake(KeepAwake state) = 0;
    // The active power plan's wake-timer setting on mains or on battery.
    virtual WakeTimers WakeTimerSetting(bool onBattery) = 0;
    // Whether the machine sleeps in modern standby (connected standby), where a closed lid may
    // keep it silent; false when the system cannot say.
    virtual bool ModernStandby() = 0;
};

// A system without power management: asks nothing and knows nothing.
Power& NoPower();

}  // namespace platform
