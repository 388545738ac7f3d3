#pragma once

#include <QObject>
#include <QString>

class TSession;
struct TAppState;

// The command queue and the task-timer pass: every setting command waits here until the
// next pass sends it; the same pass carries out a requested refresh or bin recall.
//
// The queue grows as needed, so a burst of changes while the port is busy is never cut
// short. A pass takes commands one at a time from the front, so a command queued while
// the pass waits for a reply is sent in the same pass, in order. A pass never starts
// inside another pass, a status poll, a read-back or a reply wait; it tries again at the
// next tick. A refresh or recall clicked while a pass reads the panel back is carried out
// by the next pass (for recalls the last bin clicked wins).
class TCommandQueue : public QObject {
    Q_OBJECT
public:
    explicit TCommandQueue(TSession &session);

    // Appends one command; discarded (false) while a read-back fills the controls.
    bool QueuedCommandToPort(const QString &command);
    // Tools "Refresh".
    void Up1Click();
    // A storage-bin recall: *RCL bin and the full read-back at the next pass.
    void RequestRecall(int bin);

    void TaskTimerTimer();
    void ProcessTasks();

private:
    void RunRequestedReadBack();
    void SendQueuedCommands();
    void SwitchTaskTimerOn();

    TSession &FSession;
    TAppState &FState;
    // Requests not yet taken by a pass. The state's RefreshRequested and RecallPending
    // tell the read-back (message window) that it runs for such a request.
    bool FRefreshWanted = false;
    bool FRecallWanted = false;
};
