#include "QtPrompts.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

namespace {

struct TButtonPair {
    TPrompts::TButton ours;
    QMessageBox::StandardButton qt;
};

const TButtonPair ButtonPairs[] = {
    {TPrompts::mbOK, QMessageBox::Ok},         {TPrompts::mbCancel, QMessageBox::Cancel},
    {TPrompts::mbAbort, QMessageBox::Abort},   {TPrompts::mbRetry, QMessageBox::Retry},
    {TPrompts::mbIgnore, QMessageBox::Ignore}, {TPrompts::mbYes, QMessageBox::Yes},
    {TPrompts::mbNo, QMessageBox::No},
};

QMessageBox::Icon QtIcon(TPrompts::TIcon icon) {
    switch (icon) {
    case TPrompts::iconInformation:
        return QMessageBox::Information;
    case TPrompts::iconWarning:
        return QMessageBox::Warning;
    case TPrompts::iconError:
        return QMessageBox::Critical;
    case TPrompts::iconQuestion:
        return QMessageBox::Question;
    case TPrompts::iconNone:
        break;
    }
    return QMessageBox::NoIcon;
}

// The answer when the box is closed without a button: Cancel, else the first button.
TPrompts::TButton ClosedAnswer(TPrompts::TButtons buttons) {
    if (buttons & TPrompts::mbCancel)
        return TPrompts::mbCancel;
    for (const TButtonPair &p : ButtonPairs)
        if (buttons & p.ours)
            return p.ours;
    return TPrompts::mbCancel;
}

} // namespace

QWidget *TQtPrompts::Owner() const {
    return FParent && FParent->isVisible() ? FParent : nullptr;
}

QString TQtPrompts::DefaultCaption(TIcon icon) {
    switch (icon) {
    case iconInformation:
        return "Information";
    case iconWarning:
        return "Warning";
    case iconError:
        return "Error";
    case iconQuestion:
        return "Confirm";
    case iconNone:
        break;
    }
    return QCoreApplication::applicationName();
}

TPrompts::TButton TQtPrompts::Message(const QString &text, TButtons buttons, TIcon icon,
                                      const QString &caption) {
    if (buttons == mbNone)
        buttons = mbOK;
    QMessageBox box(QtIcon(icon), caption.isEmpty() ? DefaultCaption(icon) : caption, text,
                    QMessageBox::NoButton, Owner());
    box.setTextFormat(Qt::PlainText);
    for (const TButtonPair &p : ButtonPairs)
        if (buttons & p.ours)
            box.addButton(p.qt);
    box.exec();
    const QAbstractButton *clicked = box.clickedButton();
    if (clicked)
        for (const TButtonPair &p : ButtonPairs)
            if (box.button(p.qt) == clicked)
                return p.ours;
    return ClosedAnswer(buttons);
}

bool TQtPrompts::InputBox(const QString &caption, const QString &prompt, QString &value) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(Owner(), caption, prompt, QLineEdit::Normal, value, &ok);
    if (ok)
        value = text;
    return ok;
}

// A name typed without extension opens the file with the default extension. Qt's own
// open mode refuses such a name before the suffix is considered, so the dialog takes any
// name and the extension is added here; a file that still does not exist is reported by
// the reader like any unreadable file.
QString TQtPrompts::OpenFileName(const QString &caption, const QString &dir, const QString &filter,
                                 const QString &defaultExt) {
    QFileDialog dialog(Owner(), caption, QString(), QtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QFileInfo start(dir);
    if (!dir.isEmpty() && !start.isDir()) {
        // The file of the previous use: its folder, with the file selected.
        dialog.setDirectory(start.absolutePath());
        dialog.selectFile(start.fileName());
    } else if (!dir.isEmpty()) {
        dialog.setDirectory(dir);
    }
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    const QString chosen = dialog.selectedFiles().value(0);
    if (chosen.isEmpty() || QFileInfo::exists(chosen))
        return chosen;
    const QString withExtension = WithDefaultSuffix(chosen, defaultExt);
    return QFileInfo::exists(withExtension) ? withExtension : chosen;
}

QString TQtPrompts::SaveFileName(const QString &caption, const QString &dir, const QString &filter,
                                 const QString &defaultExt) {
    const QString path = QFileDialog::getSaveFileName(Owner(), caption, dir, QtFilter(filter));
    return path.isEmpty() ? path : WithDefaultSuffix(path, defaultExt);
}

QString TQtPrompts::QtFilter(const QString &filter) {
    if (!filter.contains('|'))
        return filter;
    const QStringList parts = filter.split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString &name = parts[i];
        const QString patterns = QString(parts[i + 1]).replace(';', ' ');
        out << (name.contains('(') ? name : name + " (" + patterns + ")");
    }
    return out.join(";;");
}

QString TQtPrompts::WithDefaultSuffix(const QString &path, const QString &defaultExt) {
    QString ext = defaultExt;
    if (ext.startsWith('.'))
        ext.remove(0, 1);
    if (ext.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + "." + ext;
}
