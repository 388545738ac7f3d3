#include "CalibrationReadBack.h"

#include "AppState.h"
#include "CommandsDisabledScope.h"
#include "Exchange.h"
#include "Keywords.h"
#include "MessageForm.h"
#include "PlusSpinEdit.h"
#include "PortRule.h"
#include "RadioGroup.h"
#include "ServiceCommands.h"
#include "ServiceForm.h"
#include "ServiceTexts.h"
#include "SettingsLines.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>

using namespace Instrument;

namespace {

// Thrown when the program starts ending or the port is gone during the read-back: the
// rest is skipped.
struct TCalReadBackEnded {};

bool MustEnd(const TAppState &s) {
    return s.Ending || s.Link.PortGone;
}

} // namespace

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
    if (!s.InstrumentUnsecured)
        FLinks.Exchange.SendCommand(UnsecureCommand.toLatin1());
    if (MustEnd(s)) {
        s.CalRetrievePending = false;
        return false;
    }

    QStringList &list = s.CalibrationList;
    list.clear();
    list << DateLine(QDateTime::currentDateTime()) << CommentLine(FLinks.MainWindowTitle())
         << CalibrationHeaderLines(s.Identity);

    FLinks.MessageForm.ShowMessage(QString::fromLatin1(ServiceTexts::ReadingSystemCals));
    bool completed = false;
    {
        // Restores what a panel read-back may have raised, and clears what this one set,
        // however it ends.
        const TCommandsDisabledScope commandsDisabled(s.Link);
        const auto release = qScopeGuard([&] {
            FLinks.MessageForm.hide();
            s.CalRetrievePending = false;
        });
        try {
            list << UnsecureCommand;
            ReadIdentity();
            ReadInputCals();
            // The channel selection may have raised the count since the pages were built.
            const int channels = FForm.BuildCalibrationPages(s.ChannelCount);
            for (int n = 1; n <= qMin(s.ChannelCount, channels); ++n)
                ReadChannelCals(n);
            completed = true;
        } catch (const TCalReadBackEnded &) {
            // Ending, or the port is gone (the status poll asks next): nothing more to read.
        }
    }
    if (!s.Ending)
        QCoreApplication::processEvents();
    return completed && !s.Ending;
}

std::int32_t TCalibrationReadBack::QueryCal(const QString &query) {
    if (MustEnd(FLinks.State))
        throw TCalReadBackEnded();
    const std::int32_t value = FLinks.Exchange.QueryInteger(query.toLatin1());
    if (MustEnd(FLinks.State))
        throw TCalReadBackEnded();
    return value;
}

void TCalibrationReadBack::ReadIdentity() {
    TAppState &s = FLinks.State;
    s.Identity.SerialNumber = QueryCal(Query::SerialNumber);
    FForm.SerialNumEdit->setText(QString::number(s.Identity.SerialNumber));
    s.CalibrationList << SerialNumberCommand(s.Identity.SerialNumber);

    const QString reply = FLinks.Exchange.SendQuery(Query::Badge.toLatin1());
    if (MustEnd(s))
        throw TCalReadBackEnded();
    s.CalibrationList << BadgeLine(reply);
    const int badge = BadgeOfReply(reply);
    // No number, or one beyond the items: the selection stays as it is.
    if (badge >= 0 && badge < FForm.CompanySel->count()) {
        s.Badge = badge;
        FForm.CompanySel->setItemIndex(badge);
    }
    FForm.NumChSelect->setItemIndex(ItemOfChannelCount(s.ChannelCount));
}

void TCalibrationReadBack::ReadInputCals() {
    TTrigGateSettings &m = FLinks.State.TrigGateSettings;
    struct TInputCal {
        TCalInput Input;
        TCalFactor Factor;
        std::int32_t &Field;
        TPlusSpinEdit *Spin;
    };
    const TInputCal cals[] = {
        {TCalInput::Trigger1, TCalFactor::Gain, m.Trig1Gain, FForm.Trig1AmpGainAdj},
        {TCalInput::Trigger1, TCalFactor::Offset, m.Trig1Offset, FForm.Trig1AmpOffAdj},
        {TCalInput::TrigGate2, TCalFactor::Gain, m.TrigGate2Gain, FForm.TrigGate2AmpGainAdj},
        {TCalInput::TrigGate2, TCalFactor::Offset, m.TrigGate2Offset, FForm.TrigGate2AmpOffAdj},
        {TCalInput::Gate1, TCalFactor::Gain, m.Gate1Gain, FForm.Gate1AmpGainAdj},
        {TCalInput::Gate1, TCalFactor::Offset, m.Gate1Offset, FForm.Gate1AmpOffAdj},
    };
    for (const TInputCal &c : cals) {
        const std::int32_t v = QueryCal(InputCalQuery(c.Input, c.Factor));
        c.Field = v;
        c.Spin->setValue(v); // a change runs the handler: model follows, reminder shows
        FLinks.State.CalibrationList << InputCalCommand(c.Input, c.Factor, v);
    }
}

void TCalibrationReadBack::ReadChannelCals(int n) {
    FLinks.MessageForm.MessageLabel->setText(ChannelMessage(n));
    TChannelSettings &m = FLinks.State.ChannelSettings[n];
    const TChannelCal kinds[] = {TChannelCal::Width, TChannelCal::Delay, TChannelCal::AmpGain,
                                 TChannelCal::AmpOffset};
    std::int32_t *fields[] = {&m.WidthCal, &m.DelayCal, &m.AmpGainCal, &m.AmpOffsetCal};
    const std::array<TPlusSpinEdit *, 4> spins = FForm.ChannelCalEntries(n);
    for (int i = 0; i < 4; ++i) {
        const std::int32_t v = QueryCal(ChannelCalQuery(n, kinds[i]));
        *fields[i] = v;
        if (spins[size_t(i)])
            spins[size_t(i)]->setValue(v);
        FLinks.State.CalibrationList << ChannelCalCommand(n, kinds[i], v);
    }
}
