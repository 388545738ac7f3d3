#pragma once

// Limits of the settings that the model's value ranges leave open: the threshold and
// amplitude entries, and the lowest counts. The panel's entries are built with them and
// pulsectl checks typed values against them.
namespace Instrument {

struct TLevelLimits {
    double MinValue;
    double MaxValue;
    double Increment;
};

inline constexpr TLevelLimits ThresholdLimits{0.2, 15.0, 0.01}; // trigger and gate, volts
inline constexpr TLevelLimits AmplitudeLimits{2.0, 20.0, 0.01}; // adjustable output, volts

inline constexpr double BurstCountMin = 1.0; // burst, duty on and duty off counts
inline constexpr double WaitCountMin = 0.0;  // channel wait count, system cycle count

} // namespace Instrument
