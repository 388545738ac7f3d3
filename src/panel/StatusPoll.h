#pragma once

#include <QObject>
#include <QString>

class QCheckBox;
class QPushButton;
class TSession;

// The Run/Stop button and the shot counter's Enable box and Clear button, forwarded to
// the session (which runs the status poll itself).
class TStatusPoll : public QObject {
    Q_OBJECT
public:
    static constexpr int ShotCountPage = 2; // "Additional Options"

    struct TControls {
        QPushButton *RunStopbtn;
        QCheckBox *ShotCountEnbl;
        QPushButton *ClearShotCount;
    };

    TStatusPoll(TSession &session, const TControls &controls, QObject *parent);

    void RunStopbtnClick();
    void ShotCountEnblClick();
    void ClearShotCountClick();

    // "Count: " and the count right-aligned in ten characters.
    static QString ShotCountText(quint32 count);

private:
    TSession &FSession;
    TControls FControls;
};
