#include "CalibrationReadBack.h"

#include "AppState.h"
#include "Keywords.h"
#include "MessageForm.h"
#include "PlusSpinEdit.h"
#include "PortRule.h"
#include "RadioGroup.h"
#include "ServiceForm.h"
#include "ServiceTexts.h"
#include "Session.h"

#include <QLabel>
#include <QLineEdit>

using namespace Instrument;

TCalibrationReadBack::TCalibrationReadBack(TServiceForm &form, const TServiceLinks &links)
    : FForm(form), FLinks(links) {}

QString TCalibrationReadBack::ChannelMessage(int n) {
    return QString::fromLatin1(ServiceTexts::ReadingChannelCalsStem) + QString::number(n) +
           QString::fromLatin1(ServiceTexts::ReadingChannelCalsEnd);
}

bool TCalibrationReadBack::ServiceInitialize() {
    FForm.BuildCalibrationPages(FLinks.State.ChannelCount);
    FForm.ShowReminder(false);
    return RetrieveCals();
}

bool TCalibrationReadBack::RetrieveCals() {
    TAppState &s = FLinks.State;
    s.CalRetrievePending = true;
    switch (FLinks.Rule.Ask(TPortRule::TActivity::CalRetrieve)) {
    case TPortRule::TAccess::Refuse:
        s.CalRetrievePending = false;
        return false;
    case TPortRule::TAccess::Wait:
        if (!FForm.CalTimer.isActive())
            FForm.CalTimer.start();
        return false;
    case TPortRule::TAccess::Start:
        break;
    }
    return FLinks.Session.ReadCalibrations(*this, FLinks.MainWindowTitle());
}

void TCalibrationReadBack::ShowProgress(int channel) {
    if (channel == 0)
        FLinks.MessageForm.ShowMessage(QString::fromLatin1(ServiceTexts::ReadingSystemCals));
    else
        FLinks.MessageForm.MessageLabel->setText(ChannelMessage(channel));
}

void TCalibrationReadBack::HideProgress() {
    FLinks.MessageForm.hide();
}

int TCalibrationReadBack::PrepareChannels(int channelCount) {
    return FForm.BuildCalibrationPages(channelCount);
}

void TCalibrationReadBack::ShowSerialNumber(qint32 serial) {
    FForm.SerialNumEdit->setText(QString::number(serial));
}

bool TCalibrationReadBack::AcceptsBadge(int badge) const {
    return badge >= 0 && badge < FForm.CompanySel->count();
}

void TCalibrationReadBack::ShowBadge(int badge) {
    FForm.CompanySel->setItemIndex(badge);
}

void TCalibrationReadBack::ShowChannelCount(int channelCount) {
    FForm.NumChSelect->setItemIndex(ItemOfChannelCount(channelCount));
}

// A change runs the entry's handler: the mirror follows and the store reminder shows.
void TCalibrationReadBack::ShowInputCal(int index, qint32 value) {
    TPlusSpinEdit *const spins[] = {FForm.Trig1AmpGainAdj,     FForm.Trig1AmpOffAdj,
                                    FForm.TrigGate2AmpGainAdj, FForm.TrigGate2AmpOffAdj,
                                    FForm.Gate1AmpGainAdj,     FForm.Gate1AmpOffAdj};
    spins[index]->setValue(value);
}

void TCalibrationReadBack::ShowChannelCal(int n, int kind, qint32 value) {
    if (TPlusSpinEdit *spin = FForm.ChannelCalEntries(n)[size_t(kind)])
        spin->setValue(value);
}
