// The read-back of the settings and of the calibration factors.
#include "Session.h"

#include "Commands.h"
#include "CommandsDisabledScope.h"
#include "ConversionError.h"
#include "Keywords.h"
#include "ModelTable.h"
#include "ServiceCommands.h"
#include "SettingsLines.h"
#include "SingleValues.h"

#include <QCoreApplication>
#include <QScopeGuard>

using namespace Instrument;

namespace {

// Thrown when the session starts ending in the middle of a read-back (a lost reply
// answered with a restart, the window closed during a wait), or when the port is gone:
// the rest is skipped quietly.
struct TReadBackEnded {};

} // namespace

void TSession::ReadBack() {
    ++State.ReadBackActive;
    const auto lower = qScopeGuard([this] { --State.ReadBackActive; });

    State.SettingsList.clear();
    State.SettingsList << DateLine(QDateTime::currentDateTime());
    FView->ShowShotCount("Count: ----");

    if (State.Link.DemoMode) {
        FApp.StopStatusTimer();
        FView->ShowDemoState();
        return;
    }
    try {
        ReadBackLive();
    } catch (const TReadBackEnded &) {
        // Ending: nothing more to read or show. Port gone: the poll asks what to do next.
        if (!State.Ending)
            AbortReadBack();
    } catch (const TConversionError &) {
        AbortReadBack();
        throw;
    }
    emit StateChanged();
}

// A read-back stopped by a field that does not convert, or by a port that is gone. Left
// as it was, the session would look alive but drop every change (CommandsDisabled up) and
// never poll again, and a refresh or recall still requested would run the failing
// read-back at every task tick. So: commands on (the scope guard has restored the flag),
// polling on, message window closed, the request dropped. A later refresh reads
// everything again.
void TSession::AbortReadBack() {
    State.RefreshRequested = false;
    State.RecallPending = false;
    FApp.StartStatusTimer();
    FView->HideProgress();
}

void TSession::EndReadBackIfCut() const {
    if (State.Ending || State.Link.PortGone)
        throw TReadBackEnded();
}

QString TSession::ReadBackQuery(const QString &query) {
    EndReadBackIfCut();
    const QString reply = Exchange.SendQuery(query.toLatin1());
    EndReadBackIfCut();
    return reply;
}

std::optional<qint32> TSession::ReadBackIntegerReply(const QString &query) {
    EndReadBackIfCut();
    const std::optional<qint32> value = Exchange.QueryIntegerReply(query.toLatin1());
    EndReadBackIfCut();
    return value;
}

void TSession::ReadBackLive() {
    FApp.StopStatusTimer();
    std::optional<TCommandsDisabledScope> commandsDisabled(std::in_place, State.Link);

    const bool showProgress = State.RecallPending || State.RefreshRequested;
    if (showProgress)
        FView->ShowProgress("Initializing System");
    QCoreApplication::processEvents();
    EndReadBackIfCut();

    ReadIdentity();
    State.ChannelCount = ModelChannelCount(State.Identity.ModelNumber);
    FView->ShowChannelCount(State.ChannelCount);
    QCoreApplication::processEvents();
    EndReadBackIfCut();

    State.ValueRanges = ChooseValueRanges(State.ChannelCount);
    FView->ShowValueRanges();
    ReadSystemRecord();
    ReadTrigGateRecords();
    ReadSingleValues();
    for (int n = 1; n <= State.ChannelCount; ++n) {
        FView->SetProgressLabel("Initializing Ch " + QString::number(n));
        ReadChannelRecord(n);
    }
    FView->ShowValueRanges();
    commandsDisabled.reset();

    FView->ReadBackShown();
    FApp.StartStatusTimer();
    if (showProgress || State.RecallPending || State.RefreshRequested)
        FView->HideProgress();
}

// Identity shown, and its comment lines.
void TSession::ReadIdentity() {
    const TIdentity &id = State.Identity;
    const QString caption = FView->ShowIdentity(id, ComPort.Port(), ComPort.Baud());
    State.SettingsList << CommentLine(caption) << CommentLine(SerialNumberLabel(id.SerialNumber))
                       << CommentLine(FirmwareLabel(id.FirmwareVersion))
                       << CommentLine(FPGALabel(id.FPGAVersion));
}

void TSession::ReadSystemRecord() {
    const QString reply = ReadBackQuery(Query::SystemRecord);
    State.SettingsList << RecordLine(SystemRecordNumber, reply);
    TSystemSettings &m = State.SystemSettings;
    const bool wasRunning = m.SystemRunning;
    const TRecordStatus status = ParseSystemRecord(reply, m);
    if (status.Applied(sfRunState) && m.SystemRunning != wasRunning) {
        m.SystemRunning = wasRunning;
        SetSystemRunning(!wasRunning);
    }
    FView->ShowSystemRecord(status);
    status.ThrowIfFailed();
}

void TSession::ReadTrigGateRecords() {
    using TParse = TRecordStatus (*)(int, const QString &, TTrigGateSettings &);
    const struct {
        int Record, Input;
        TParse Parse;
    } records[] = {{Trigger1Record, 1, ParseTriggerRecord},
                   {Trigger2Record, 2, ParseTriggerRecord},
                   {Gate1Record, 1, ParseGateRecord},
                   {Gate2Record, 2, ParseGateRecord}};
    for (const auto &r : records) {
        const QString reply = ReadBackQuery(TrigGateRecordQuery(r.Record));
        State.SettingsList << RecordLine(r.Record, reply);
        const TRecordStatus status = r.Parse(r.Input, reply, State.TrigGateSettings);
        FView->ShowTrigGateRecord(r.Record, status);
        status.ThrowIfFailed();
    }
}

// The seven options that have queries of their own, in the order the settings file
// keeps them.
void TSession::ReadSingleValues() {
    using TValue = TSessionView::TSingleValue;
    TSystemSettings &m = State.SystemSettings;

    // Only an actual 0 unlocks: a lost or empty reply must not open the service window.
    const std::optional<qint32> secure = ReadBackIntegerReply(Query::Secure);
    State.InstrumentUnsecured = secure && IsUnsecured(*secure);
    FView->ShowSingleValue(TValue::Secure, State.InstrumentUnsecured);

    // A number reply goes to the page and the list as read; a keyword reply through the mirror.
    const auto readNumber = [&](const QString &query, TValue which, QString (*line)(std::int32_t)) {
        const qint32 value = ReadBackIntegerReply(query).value_or(0);
        FView->ShowSingleValue(which, value);
        State.SettingsList << line(value);
    };
    const auto readKeyword = [&](const QString &query,
                                 bool (*apply)(const QString &, TSystemSettings &), TValue which,
                                 const std::int32_t &shown, QString (*line)(const QString &)) {
        const QString reply = ReadBackQuery(query);
        apply(reply, m);
        FView->ShowSingleValue(which, shown);
        State.SettingsList << line(reply);
    };
    readNumber(Query::AutoStart, TValue::AutoStart, AutoStartLine);
    readKeyword(Query::InputClock, ApplyInputClockReply, TValue::InputClock, m.InputClock,
                InputClockLine);
    readKeyword(Query::OutputClock, ApplyOutputClockReply, TValue::OutputClock, m.OutputClock,
                OutputClockLine);
    readKeyword(Query::SyncOutput, ApplySyncOutputReply, TValue::SyncOutput, m.SyncOutput,
                SyncOutputLine);
    readNumber(Query::CounterEnable, TValue::CounterEnable, CounterEnableLine);
    readKeyword(Query::CounterSource, ApplyCounterSourceReply, TValue::CounterSource,
                m.CounterSource, CounterSourceLine);
}

void TSession::ReadChannelRecord(int n) {
    if (n < 1 || n > MaxChannels || !FView->HasChannel(n))
        return;
    const QString reply = ReadBackQuery(ChannelRecordQuery(n));
    State.SettingsList << RecordLine(n, reply);
    const TRecordStatus status = ParseChannelRecord(reply, State.ChannelSettings[n]);
    FView->ShowChannelRecord(n, status);
    status.ThrowIfFailed();
    FView->ShowChannelModes(n);
}

// --- calibration --------------------------------------------------------------------------

namespace {

// Thrown when the session starts ending or the port is gone during the read-back: the
// rest is skipped.
struct TCalReadBackEnded {};

} // namespace

bool TSession::ReadCalibrations(TCalibrationView &view, const QString &caption) {
    TAppState &s = State;
    if (!s.InstrumentUnsecured)
        Exchange.SendCommand(UnsecureCommand.toLatin1());
    if (s.Ending || s.Link.PortGone) {
        s.CalRetrievePending = false;
        return false;
    }

    QStringList &list = s.CalibrationList;
    list.clear();
    list << DateLine(QDateTime::currentDateTime()) << CommentLine(caption)
         << CalibrationHeaderLines(s.Identity);

    view.ShowProgress(0);
    bool completed = false;
    {
        // Restores what a settings read-back may have raised, and clears what this one
        // set, however it ends.
        const TCommandsDisabledScope commandsDisabled(s.Link);
        const auto release = qScopeGuard([&] {
            view.HideProgress();
            s.CalRetrievePending = false;
        });
        try {
            list << UnsecureCommand;
            ReadCalIdentity(view);
            ReadInputCals(view);
            // The channel selection may have raised the count since the pages were built.
            const int channels = view.PrepareChannels(s.ChannelCount);
            for (int n = 1; n <= qMin(s.ChannelCount, channels); ++n)
                ReadChannelCals(view, n);
            completed = true;
        } catch (const TCalReadBackEnded &) {
            // Ending, or the port is gone (the status poll asks next): nothing more to read.
        }
    }
    if (!s.Ending)
        QCoreApplication::processEvents();
    emit StateChanged();
    return completed && !s.Ending;
}

qint32 TSession::QueryCal(const QString &query) {
    if (State.Ending || State.Link.PortGone)
        throw TCalReadBackEnded();
    const qint32 value = Exchange.QueryInteger(query.toLatin1());
    if (State.Ending || State.Link.PortGone)
        throw TCalReadBackEnded();
    return value;
}

void TSession::ReadCalIdentity(TCalibrationView &view) {
    TAppState &s = State;
    s.Identity.SerialNumber = QueryCal(Query::SerialNumber);
    view.ShowSerialNumber(s.Identity.SerialNumber);
    s.CalibrationList << SerialNumberCommand(s.Identity.SerialNumber);

    const QString reply = Exchange.SendQuery(Query::Badge.toLatin1());
    if (s.Ending || s.Link.PortGone)
        throw TCalReadBackEnded();
    s.CalibrationList << BadgeLine(reply);
    const int badge = BadgeOfReply(reply);
    // No number, or one beyond the items: the selection stays as it is.
    if (view.AcceptsBadge(badge)) {
        s.Badge = badge;
        view.ShowBadge(badge);
    }
    view.ShowChannelCount(s.ChannelCount);
}

void TSession::ReadInputCals(TCalibrationView &view) {
    TTrigGateSettings &m = State.TrigGateSettings;
    const struct {
        TCalInput Input;
        TCalFactor Factor;
        qint32 &Field;
    } cals[] = {
        {TCalInput::Trigger1, TCalFactor::Gain, m.Trig1Gain},
        {TCalInput::Trigger1, TCalFactor::Offset, m.Trig1Offset},
        {TCalInput::TrigGate2, TCalFactor::Gain, m.TrigGate2Gain},
        {TCalInput::TrigGate2, TCalFactor::Offset, m.TrigGate2Offset},
        {TCalInput::Gate1, TCalFactor::Gain, m.Gate1Gain},
        {TCalInput::Gate1, TCalFactor::Offset, m.Gate1Offset},
    };
    int index = 0;
    for (const auto &c : cals) {
        const qint32 v = QueryCal(InputCalQuery(c.Input, c.Factor));
        c.Field = v;
        view.ShowInputCal(index++, v);
        State.CalibrationList << InputCalCommand(c.Input, c.Factor, v);
    }
}

void TSession::ReadChannelCals(TCalibrationView &view, int n) {
    view.ShowProgress(n);
    TChannelSettings &m = State.ChannelSettings[n];
    const TChannelCal kinds[] = {TChannelCal::Width, TChannelCal::Delay, TChannelCal::AmpGain,
                                 TChannelCal::AmpOffset};
    qint32 *fields[] = {&m.WidthCal, &m.DelayCal, &m.AmpGainCal, &m.AmpOffsetCal};
    for (int i = 0; i < 4; ++i) {
        const qint32 v = QueryCal(ChannelCalQuery(n, kinds[i]));
        *fields[i] = v;
        view.ShowChannelCal(n, i, v);
        State.CalibrationList << ChannelCalCommand(n, kinds[i], v);
    }
}
