#include "StatusPoll.h"

#include "Commands.h"
#include "Session.h"

#include <QCheckBox>
#include <QPushButton>

using namespace Instrument;

TStatusPoll::TStatusPoll(TSession &session, const TControls &controls, QObject *parent)
    : QObject(parent), FSession(session), FControls(controls) {
    connect(FControls.RunStopbtn, &QPushButton::clicked, this, &TStatusPoll::RunStopbtnClick);
    connect(FControls.ShotCountEnbl, &QCheckBox::toggled, this, &TStatusPoll::ShotCountEnblClick);
    connect(FControls.ClearShotCount, &QPushButton::clicked, this,
            &TStatusPoll::ClearShotCountClick);
}

QString TStatusPoll::ShotCountText(quint32 count) {
    return TSession::ShotCountText(count);
}

// The button acts on the flag, not on its caption.
void TStatusPoll::RunStopbtnClick() {
    FSession.RunStop();
}

void TStatusPoll::ShotCountEnblClick() {
    FSession.QueueCommand(CounterEnableCommand(FControls.ShotCountEnbl->isChecked()));
}

void TStatusPoll::ClearShotCountClick() {
    FSession.QueueCommand(ClearCounterCommand());
}
