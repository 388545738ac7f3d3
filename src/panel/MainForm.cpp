#include "MainForm.h"

#include "PageControl.h"
#include "Prompts.h"

#include <QDesktopServices>
#include <QLabel>
#include <QMovie>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>

// Resources of a static library must be registered by name, outside any namespace.
static void InitPanelResources() {
    Q_INIT_RESOURCE(assets);
}

TMainForm::TMainForm(TPrompts &prompts, const TVersionInfo &version, QWidget *parent)
    : QMainWindow(parent), OpenUrl([](const QUrl &url) { return QDesktopServices::openUrl(url); }),
      Prompts(prompts), VersionInfo(version) {
    InitPanelResources();
    BuildWindowFrame();
    BuildMenuBar();
    FActiveSysControls.resize(SystemPageControl->count());
    FActiveChControls.resize(ChPageControl->count());
}

TMainForm::~TMainForm() = default;

void TMainForm::ShowDemoState() {
    setWindowTitle(DemoCaption(VersionInfo));
    SerialNumberlbl->setText("Serial Number: 1234");
    FWVersionlbl->setText("Firmware Ver: 1.00");
    FPGAVersionlbl->setText("FPGA Ver: 1.25");
    ShotCountlbl->setText("Count: ----");
}

void TMainForm::ShowRunState(bool running) {
    if (running) {
        PulseAnimate->show();
        PulseMovie->start();
        RunStopbtn->setText("Stop");
    } else {
        PulseMovie->stop();
        PulseAnimate->hide();
        RunStopbtn->setText("Run");
    }
}

void TMainForm::AppendResponse(const QString &line, const QColor &colour) {
    // Replies may hold '<' or '&': insert plain text with a character format, never HTML.
    QTextCharFormat format;
    format.setForeground(colour);
    QTextCursor cursor(ResponseList->document());
    cursor.movePosition(QTextCursor::End);
    if (!ResponseList->document()->isEmpty())
        cursor.insertBlock();
    cursor.insertText(line, format);
    ResponseList->verticalScrollBar()->setValue(ResponseList->verticalScrollBar()->maximum());
}

void TMainForm::ShowAbout(const TIdentityFields &identity) {
    Prompts.Message(AboutText(identity, VersionInfo));
}

void TMainForm::OpenWebSite(const QString &manufacturer) {
    const QUrl url = BrandWebSite(manufacturer);
    if (!url.isEmpty() && OpenUrl)
        OpenUrl(url);
}
