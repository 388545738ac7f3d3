#pragma once

// What the link needs of the application's lifecycle when a reply is lost. The main
// window implements it; tests record the calls.
class TAppControl {
public:
    virtual ~TAppControl() = default;
    // Starts a new instance of the program and ends this one. False when the new instance
    // could not be started: the user has been told why and this one goes on.
    virtual bool RestartApp() = 0;
    // Orderly end of the program.
    virtual void ExitApp() = 0;
    virtual void StopStatusTimer() = 0;
    // Switches the status poll on again (no restart when it already runs).
    virtual void StartStatusTimer() = 0;
};
