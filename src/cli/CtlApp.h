#pragma once

#include "AppControl.h"
#include "Session.h"

// The lifecycle a command-line session reports to: a lost reply ends the session (the
// exit code says why), nothing restarts, and the status poll runs only when pulsectl
// asks for one, so no poll of its own mixes into a script's exchanges.
class TCtlApp : public TAppControl {
public:
    void Attach(TSession &session) { FSession = &session; }
    bool RestartApp() override { return false; }
    void ExitApp() override {
        if (FSession)
            FSession->EnterEnding();
    }
    void StopStatusTimer() override {
        if (FSession)
            FSession->PortRule.SwitchStatusTimerOff();
    }
    void StartStatusTimer() override {}

private:
    TSession *FSession = nullptr;
};
