#pragma once

#include <QObject>
#include <QString>
#include <functional>

class TMainForm;
struct TAppState;

// The status poll (run state and, while "Additional Options" is shown, the shot count),
// the Run/Stop button and the shot counter's Enable box and Clear button.
class TStatusPoll : public QObject {
    Q_OBJECT
public:
    static const char *const PortGoneMessage; // "Port no longer available, restart?"
    static constexpr int ShotCountPage = 2;   // "Additional Options"

    TStatusPoll(TMainForm &form, TAppState &state);

    void StatusTimerTimer();
    void UpdateStatus();
    void RunStopbtnClick();
    void SystemStart();
    void SystemStop();
    void ShotCountEnblClick();
    void ClearShotCountClick();

    // "Count: " and the count right-aligned in ten characters.
    static QString ShotCountText(quint32 count);

    // Opens the service window once its code has been accepted (the poll after that).
    std::function<void()> OpenServiceWindow;

private:
    TMainForm &FForm;
    TAppState &FState;
};
