// The real file dialogs as the settings-file menu uses them: Qt's filter form, the
// default extension and the starting point.
#include "EventLoopPoll.h"
#include "QtPrompts.h"
#include "TestFolder.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Runs `answer` on the file dialog once it is up (from the dialog's own event loop).
void AnswerDialog(std::function<void(QFileDialog &)> answer) {
    PollFromEventLoop([answer] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *d = qobject_cast<QFileDialog *>(w); d && d->isVisible()) {
                answer(*d);
                return true;
            }
        return false;
    });
}

// Types a name into the dialog's file name box and presses Open/Save; a dialog without
// that box is closed, so the test fails instead of waiting for ever.
void TypeAndAccept(QFileDialog &dialog, const QString &name) {
    auto *edit = dialog.findChild<QLineEdit *>("fileNameEdit");
    if (!edit) {
        ADD_FAILURE() << "no file name box";
        QMetaObject::invokeMethod(&dialog, "reject");
        return;
    }
    edit->setText(name);
    // A box the dialog raises instead of accepting ("File not found") fails the test.
    QPointer<QFileDialog> open(&dialog);
    QTimer::singleShot(1000, [open] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            ADD_FAILURE() << "the dialog said: " << box->text().toStdString();
            box->reject();
        }
        if (open)
            QMetaObject::invokeMethod(open, "reject", Qt::QueuedConnection);
    });
    QMetaObject::invokeMethod(&dialog, "accept", Qt::QueuedConnection);
}

TEST(QtFileDialogs, OpenTakesATypedNameWithoutExtensionAsTheTxtFile) {
    TTestFolder folder;
    const QString saved = folder.Write("bench.txt", "// x\r\n");
    TQtPrompts prompts;
    QString startDir;
    AnswerDialog([&](QFileDialog &d) {
        startDir = d.directory().absolutePath();
        TypeAndAccept(d, "bench");
    });
    const QString chosen =
        prompts.OpenFileName(QString(), folder.File("other.txt"), QString(), "txt");
    EXPECT_EQ(startDir, folder.Path()); // the folder of the file chosen last
    EXPECT_EQ(chosen, saved);
}

TEST(QtFileDialogs, SaveShowsTheTextFilterAndAddsTheExtension) {
    TTestFolder folder;
    TQtPrompts prompts;
    QStringList filters;
    QString title;
    AnswerDialog([&](QFileDialog &d) {
        filters = d.nameFilters();
        title = d.windowTitle();
        TypeAndAccept(d, "new");
    });
    const QString chosen =
        prompts.SaveFileName("Save system parameters", folder.Path(), "Text file|*.txt", "txt");
    EXPECT_EQ(filters, QStringList{"Text file (*.txt)"});
    EXPECT_EQ(title, "Save system parameters");
    EXPECT_EQ(chosen, folder.File("new.txt"));
}

} // namespace
