#include "SettingsFileSequence.h"

#include "Prompts.h"
#include "SettingsFileTexts.h"
#include "SettingsFileWriter.h"

#include <QDir>
#include <QFileInfo>

using namespace SettingsFileTexts;

TSettingsFileSequence::TSettingsFileSequence(TSettingsFileSeams seams, TPrompts &prompts)
    : FSeams(std::move(seams)), FPrompts(prompts) {}

TSettingsFileSequence::TOutcome TSettingsFileSequence::Save() {
    if (!PortIsFree())
        return TOutcome::Deferred;
    // A fresh read-back, so the file never holds stale lines.
    if (!FSeams.ReadBack())
        return TOutcome::Stopped;
    if (Ending())
        return TOutcome::Ended;
    // Taken now: the modal dialog lets events through, and a read-back run meanwhile by
    // another activity rebuilds the list and may stop half-way.
    const QStringList lines = FSeams.SettingsLines();
    const QString caption =
        FSeams.SaveCaption.isEmpty() ? QString::fromLatin1(SaveDialogCaption) : FSeams.SaveCaption;
    const QString chosen =
        FPrompts.SaveFileName(caption, QDir::currentPath(), QString::fromLatin1(SaveDialogFilter),
                              QString::fromLatin1(DefaultExtension));
    if (chosen.isEmpty()) {
        Inform(QString::fromLatin1(SaveCancelled));
        return TOutcome::Cancelled;
    }
    const QString error = TSettingsFileWriter::Write(WithDefaultExtension(chosen), lines);
    if (!error.isEmpty()) {
        ShowError(error);
        return TOutcome::Failed;
    }
    return TOutcome::Done;
}

TSettingsFileSequence::TOutcome TSettingsFileSequence::Restore() {
    if (!PortIsFree())
        return TOutcome::Deferred;
    const QString chosen = FPrompts.OpenFileName(QString(), LastFile(), QString(),
                                                 QString::fromLatin1(DefaultExtension));
    if (chosen.isEmpty())
        return TOutcome::Cancelled; // nothing loaded, sent or read back; no message
    LastFile() = chosen;
    if (Ending())
        return TOutcome::Ended;
    const TSettingsFileContent content = TSettingsFileReader::Read(chosen);
    if (!content.Ok) {
        ShowError(content.Error); // nothing sent, no read-back
        return TOutcome::Failed;
    }
    return Replay(content.Lines);
}

TSettingsFileSequence::TOutcome TSettingsFileSequence::Replay(const QList<QByteArray> &lines) {
    // A read-back started while events are processed may rebuild the caller's list.
    const QList<QByteArray> toSend = lines;
    if (toSend.isEmpty()) {
        Inform(QString::fromLatin1(EmptyFile));
    } else {
        FSeams.ShowMessageWindow(QString::fromLatin1(Loading));
        for (const QByteArray &line : toSend) {
            FSeams.Pause(LinePauseMs); // before skipped lines too
            if (Ending())
                return TOutcome::Ended;
            if (TSettingsFileContent::IsCommentLine(line))
                continue;
            FSeams.SendCommand(line);
            if (PortGone()) {
                FSeams.CloseMessageWindow();
                return TOutcome::PortLost;
            }
            if (FSeams.ProcessEvents)
                FSeams.ProcessEvents();
        }
    }
    if (Ending())
        return TOutcome::Ended;
    // A stopped read-back leaves the message window open and says nothing more.
    if (!FSeams.ReadBack())
        return TOutcome::Stopped;
    FSeams.CloseMessageWindow();
    Inform(QString::fromLatin1(SettingsLoaded));
    return TOutcome::Done;
}

QString &TSettingsFileSequence::LastFile() {
    return FSeams.LastOpenedFile ? *FSeams.LastOpenedFile : FLastRestoredFile;
}

const QString &TSettingsFileSequence::LastFile() const {
    return FSeams.LastOpenedFile ? *FSeams.LastOpenedFile : FLastRestoredFile;
}

bool TSettingsFileSequence::PortIsFree() const {
    return !FSeams.PortIsFree || FSeams.PortIsFree();
}

bool TSettingsFileSequence::Ending() const {
    return FSeams.Ending && FSeams.Ending();
}

bool TSettingsFileSequence::PortGone() const {
    return FSeams.PortGone && FSeams.PortGone();
}

void TSettingsFileSequence::Inform(const QString &text) {
    FPrompts.Message(text, TPrompts::mbOK, TPrompts::iconInformation);
}

void TSettingsFileSequence::ShowError(const QString &text) {
    FPrompts.Message(text, TPrompts::mbOK, TPrompts::iconError);
}

QString TSettingsFileSequence::WithDefaultExtension(const QString &path) {
    // The dialog adds the extension to a name typed without one; do the same for any
    // dialog that does not.
    if (!QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1Char('.') + QString::fromLatin1(DefaultExtension);
}
