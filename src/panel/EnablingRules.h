#pragma once

// The enabling rules a control's change runs: which controls are enabled, by the modes
// held in the mirrors.
class TEnablingRules {
public:
    virtual void SystemModesEnable() = 0;
    virtual void TriggerModesEnable() = 0;
    virtual void GateModesEnable() = 0;
    virtual void ChModesEnable(int chnum) = 0;

protected:
    ~TEnablingRules() = default;
};
