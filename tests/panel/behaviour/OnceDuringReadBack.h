#pragma once

#include <QTimer>
#include <functional>

class TMainForm;

// Runs an action once, at the first timer tick that finds a read-back of `form` running
// (a read-back dispatches events while it waits for each reply), as a user clicking then.
class TOnceDuringReadBack {
public:
    TOnceDuringReadBack(TMainForm &form, std::function<void()> action);
    bool Done() const { return FDone; }

private:
    QTimer FWatch;
    bool FDone = false;
};
