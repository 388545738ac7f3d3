#pragma once

#include <QTimer>
#include <functional>

class TMainForm;

// Runs an action once, at the first timer tick that finds `when` true. Such a tick also
// comes inside a wait for a reply (which dispatches events), as a user clicking then.
class TOnceWhen {
public:
    TOnceWhen(std::function<bool()> when, std::function<void()> action);
    bool Done() const { return FDone; }

private:
    QTimer FWatch;
    bool FDone = false;
};

// The same at the first tick that finds a read-back of `form` running.
class TOnceDuringReadBack : public TOnceWhen {
public:
    TOnceDuringReadBack(TMainForm &form, std::function<void()> action);
};
