#include "CtlRunner.h"

#include "ConversionError.h"
#include "CtlOptions.h"
#include "CtlPrompts.h"
#include "CtlView.h"
#include "Discovery.h"
#include "Identity.h"
#include "ModelTable.h"
#include "PortLock.h"
#include "PortMap.h"
#include "Session.h"
#include "SettingKeys.h"
#include "SettingsFileReader.h"
#include "SettingsFileSequence.h"
#include "SettingsJson.h"
#include "SettingsLines.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QHash>
#include <QJsonDocument>
#include <QThread>
#include <QTimer>
#include <cstdio>

using namespace Instrument;

namespace {

// Longest wait for the queue to empty: a recall reads back up to 36 channels, and every
// lost reply ends the wait earlier through the session's end.
constexpr int DrainLimitMs = 120000;
constexpr int PollIntervalMs = 1000;

void Print(const QString &line) {
    std::fputs(line.toLocal8Bit().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// Lets timers and replies through for a few milliseconds.
void Breathe(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

TCtlRunner::TCtlRunner(const TCtlOptions &options, TCtlPrompts &prompts, TSession &session,
                       TCtlView &view)
    : FOptions(options), FPrompts(prompts), FSession(session), FView(view) {}

TExitCode TCtlRunner::Run() {
    const QString &v = FOptions.Verb;
    if (v == "list")
        return List();
    if (v == "set") {
        // Unknown keys are a usage error, found before any exchange.
        const TValueRanges anyRanges = ChooseValueRanges(DefaultChannelCount);
        for (int i = 0; i + 1 < FOptions.Args.size(); i += 2) {
            const auto o =
                TSettingKeys::Build(FOptions.Args[i], FOptions.Args[i + 1], MaxChannels, anyRanges);
            if (o.UnknownKey)
                return Fail(TExitCode::Usage,
                            o.Refusal + QStringLiteral(" (see pulsectl set --help)"));
        }
    }
    if (!Connect())
        return Outcome() == TExitCode::Ok ? TExitCode::NoInstrument : Outcome();
    // The verbs that talk to the instrument; the options let no other verb through.
    static const QHash<QString, TExitCode (TCtlRunner::*)()> verbs = {
        {"find", &TCtlRunner::Find},     {"identify", &TCtlRunner::Identify},
        {"get", &TCtlRunner::Get},       {"set", &TCtlRunner::Set},
        {"send", &TCtlRunner::Send},     {"run", &TCtlRunner::RunStop},
        {"stop", &TCtlRunner::RunStop},  {"status", &TCtlRunner::Status},
        {"save", &TCtlRunner::SaveFile}, {"restore", &TCtlRunner::RestoreFile},
        {"bin", &TCtlRunner::Bin},
    };
    return (this->*verbs.value(v, &TCtlRunner::Bin))();
}

TExitCode TCtlRunner::List() {
    const TPortMap map = TPortMap::Resolve();
    for (const TPortEntry &e : map.Entries())
        Print(QStringLiteral("COM%1 %2").arg(e.Number).arg(e.Device));
    return TExitCode::Ok;
}

TExitCode TCtlRunner::Find() {
    const TIdentity &id = FSession.State.Identity;
    Print(QStringLiteral("COM%1 %2 %3 %4 %5 %6 %7")
              .arg(FSession.ComPort.Port())
              .arg(FSession.ComPort.Baud())
              .arg(id.Manufacturer, id.ModelNumber)
              .arg(id.SerialNumber)
              .arg(id.FirmwareVersion, id.FPGAVersion));
    return Outcome();
}

TExitCode TCtlRunner::Identify() {
    const TIdentity &id = FSession.State.Identity;
    Print(QStringLiteral("Brand: %1 (%2)")
              .arg(id.Manufacturer, BrandInfo(id.Manufacturer).CompanyName));
    Print(QStringLiteral("Model: ") + id.ModelNumber);
    Print(QStringLiteral("Channels: %1").arg(FSession.State.ChannelCount));
    Print(SerialNumberLabel(id.SerialNumber));
    Print(FirmwareLabel(id.FirmwareVersion));
    Print(FPGALabel(id.FPGAVersion));
    return Outcome();
}

TExitCode TCtlRunner::Get() {
    if (!ReadBack())
        return Outcome();
    if (FOptions.Json) {
        TSettingsJson::TExtras extras;
        extras.AutoStart = FView.AutoStart;
        extras.CounterEnable = FView.CounterEnable;
        extras.Port = FSession.ComPort.Port();
        extras.Baud = FSession.ComPort.Baud();
        const QJsonDocument doc(TSettingsJson::Build(FSession.State, extras));
        std::fputs(doc.toJson(QJsonDocument::Indented).constData(), stdout);
    } else {
        for (const QString &line : FSession.State.SettingsList)
            Print(line);
    }
    return Outcome();
}

// Each accepted value is queued as the panel queues it; a refused one is named and
// skipped, and the exit code reports it.
TExitCode TCtlRunner::Set() {
    const TAppState &s = FSession.State;
    for (int i = 0; i + 1 < FOptions.Args.size(); i += 2) {
        const auto o = TSettingKeys::Build(FOptions.Args[i], FOptions.Args[i + 1], s.ChannelCount,
                                           s.ValueRanges);
        if (o.Command.isEmpty())
            FPrompts.Fail(TExitCode::Refused, o.Refusal);
        else
            FSession.QueueCommand(o.Command);
    }
    Drain();
    return Outcome();
}

TExitCode TCtlRunner::Send() {
    for (const QString &command : FOptions.Args) {
        const QString reply = FSession.Exchange.SendCommand(command.toLatin1());
        if (FSession.State.Ending)
            break;
        Print(reply);
    }
    return Outcome();
}

TExitCode TCtlRunner::RunStop() {
    if (FOptions.Verb == "run")
        FSession.Run();
    else
        FSession.Stop();
    Drain();
    return Outcome();
}

TExitCode TCtlRunner::Status() {
    for (;;) {
        FSession.UpdateStatus();
        if (FSession.State.Ending)
            break;
        PrintStatus();
        if (!FOptions.Watch)
            break;
        const QDeadlineTimer next(PollIntervalMs);
        while (!next.hasExpired() && !(Interrupted && Interrupted()))
            Breathe(20);
        if (Interrupted && Interrupted())
            break;
    }
    return Outcome();
}

void TCtlRunner::PrintStatus() {
    const QString count = FView.ShotCount.section(QLatin1Char(':'), 1).trimmed();
    Print((FSession.State.SystemSettings.SystemRunning ? QStringLiteral("running ")
                                                       : QStringLiteral("stopped ")) +
          count);
}

namespace {

TSettingsFileSeams FileSeams(TSession &session, const std::function<bool()> &readBack,
                             const std::function<void()> &lineSent) {
    TSettingsFileSeams s;
    s.SendCommand = [&session](const QByteArray &line) { session.SendLine(line); };
    s.Pause = [lineSent](int ms) {
        QThread::msleep(static_cast<unsigned long>(ms));
        lineSent();
    };
    s.ProcessEvents = [] { QCoreApplication::processEvents(); };
    s.ShowMessageWindow = [](const QString &) {};
    s.CloseMessageWindow = [] {};
    s.ReadBack = readBack;
    s.SettingsLines = [&session] { return session.State.SettingsList; };
    s.PortIsFree = [&session] {
        if (!session.PortRule.MayStart(TPortRule::TActivity::SettingsFile))
            return false;
        session.State.SettingsFileActive = true;
        return true;
    };
    s.Ending = [&session] { return session.State.Ending; };
    s.PortGone = [&session] { return session.State.Link.PortGone; };
    return s;
}

} // namespace

TExitCode TCtlRunner::SaveFile() {
    return FileSequence(false, [] {});
}

TExitCode TCtlRunner::RestoreFile() {
    // Read once more for the progress bar only; the sequence reads and checks the file.
    const int total = int(TSettingsFileReader::Read(FOptions.Args[0]).Lines.size());
    int sent = 0;
    return FileSequence(true, [this, &sent, total] { FView.ReplayProgress(++sent, total); });
}

TExitCode TCtlRunner::FileSequence(bool restore, const std::function<void()> &lineSent) {
    FPrompts.FileName = FOptions.Args[0];
    TSettingsFileSequence sequence(FileSeams(
                                       FSession, [this] { return ReadBack(); }, lineSent),
                                   FPrompts);
    const auto outcome = restore ? sequence.Restore() : sequence.Save();
    FSession.State.SettingsFileActive = false;
    if (outcome == TSettingsFileSequence::TOutcome::Failed)
        return TExitCode::BadFile;
    return Outcome();
}

TExitCode TCtlRunner::Bin() {
    const int bin = FOptions.Args[1].toInt();
    const int last = qMin(FSession.State.ChannelCount, MaxChannels);
    if (bin < 0 || bin > last)
        return Fail(TExitCode::Refused,
                    QStringLiteral("bin %1: this model has bins 0 to %2").arg(bin).arg(last));
    if (FOptions.Args[0] == "save") {
        FSession.SaveBin(bin);
        Drain();
        return Outcome();
    }
    // The recall ends with its read-back, which reports a changed state.
    int changes = 0;
    const auto counter =
        QObject::connect(&FSession, &TSession::StateChanged, [&changes] { ++changes; });
    FSession.RecallBin(bin);
    const QDeadlineTimer deadline(DrainLimitMs);
    while (changes == 0 && !FSession.State.Ending && !deadline.hasExpired())
        Breathe(5);
    QObject::disconnect(counter);
    Drain();
    return Outcome();
}

// The panel's connection: the search, or the named port at the named rate, identified
// there, since the checks of `set` need the model.
bool TCtlRunner::Connect() {
    TAppState &s = FSession.State;
    if (FOptions.Port ? !ConnectNamedPort() : !FSession.Connect(TSession::TConnection::Search)) {
        if (!FOptions.Port)
            ReportHeldPorts();
        if (FPrompts.Failure() == TExitCode::Ok)
            FPrompts.Fail(TExitCode::NoInstrument, QStringLiteral("No instrument found."));
        return false;
    }
    FSession.BeginRun(QDateTime::currentDateTime(), FOptions.Log);
    FSession.LaunchTimer.stop(); // pulsectl reads back only when its verb needs it
    s.ChannelCount = ModelChannelCount(s.Identity.ModelNumber);
    s.ValueRanges = ChooseValueRanges(s.ChannelCount);
    return FPrompts.Failure() == TExitCode::Ok;
}

bool TCtlRunner::ConnectNamedPort() {
    TVKComPort &port = FSession.ComPort;
    port.setPort(FOptions.Port);
    port.setBaud(FOptions.Baud ? FOptions.Baud : 115200);
    port.setEndOfResponse(QByteArray(1, '\r'));
    port.setAllowEvents(false);
    port.setShowErrors(true); // the reason, when it does not open
    port.setResponseTime(TSession::RunResponseTime);
    if (!port.Open())
        return false;
    port.setShowErrors(false);
    TIdentity &id = FSession.State.Identity;
    ParseIDN(FSession.Exchange.SendQuery(TInstrumentFinder::IdentificationQuery), id);
    if (IsAcceptedModel(id.ModelNumber))
        return true;
    port.Close();
    FPrompts.Fail(TExitCode::NoInstrument,
                  QStringLiteral("No instrument answered on COM%1 at %2 baud.")
                      .arg(FOptions.Port)
                      .arg(port.Baud()));
    return false;
}

// A search that found nothing skips a port another program holds without a word: name
// the holders, without opening (and so without reporting) the ports that are merely not ours.
void TCtlRunner::ReportHeldPorts() {
    const TPortMap map = TPortMap::Resolve();
    for (const TPortEntry &e : map.Entries()) {
        const QString held = TPortLock::HeldReason(e.Device);
        if (!held.isEmpty())
            FPrompts.Fail(TExitCode::PortBusy, QStringLiteral("COM%1: %2").arg(e.Number).arg(held));
    }
}

bool TCtlRunner::ReadBack() {
    TAppState &s = FSession.State;
    s.RefreshRequested = true; // the progress, as at the panel's launch
    try {
        FSession.ReadBack();
    } catch (const TConversionError &e) {
        FSession.ReportException(e);
    }
    s.RefreshRequested = false;
    FSession.PortRule.SwitchStatusTimerOff();
    return !s.Ending && FPrompts.Failure() == TExitCode::Ok;
}

// Until the queue's pass has sent everything queued.
bool TCtlRunner::Drain() {
    const TAppState &s = FSession.State;
    const QDeadlineTimer deadline(DrainLimitMs);
    while (!s.Ending && (!s.PendingCommands.isEmpty() || s.TaskBusy || s.ReadBackActive > 0)) {
        if (deadline.hasExpired())
            return false;
        Breathe(5);
    }
    FSession.PortRule.SwitchStatusTimerOff();
    return !s.Ending;
}

TExitCode TCtlRunner::Outcome() const {
    return FPrompts.Failure();
}

TExitCode TCtlRunner::Fail(TExitCode code, const QString &text) {
    FPrompts.Fail(code, text);
    return FPrompts.Failure();
}
