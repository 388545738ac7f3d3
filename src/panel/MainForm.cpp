#include "MainForm.h"

#include "DialogPortPicker.h"
#include "FormParts.h"
#include "MessageForm.h"
#include "PageControl.h"
#include "PickPortDialog.h"
#include "PlusSpinEdit.h"
#include "Prompts.h"
#include "ServiceWindow.h"
#include "SettingsFileActions.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QLabel>
#include <QMovie>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QTextCursor>

// Resources of a static library must be registered by name, outside any namespace.
static void InitPanelResources() {
    Q_INIT_RESOURCE(assets);
}

namespace {

TMainFormSetup WithDefaults(TMainFormSetup setup) {
    if (!setup.Keys)
        setup.Keys = TStartupKeys::Platform();
    return setup;
}

TMainFormSetup SetupWithVersion(const TVersionInfo &version) {
    TMainFormSetup setup;
    setup.Version = version;
    return setup;
}

} // namespace

TMainForm::TMainForm(TPrompts &prompts, const TVersionInfo &version, QWidget *parent)
    : TMainForm(prompts, SetupWithVersion(version), parent) {}

TMainForm::TMainForm(TPrompts &prompts, const TMainFormSetup &setup, QWidget *parent)
    : QMainWindow(parent), FOpenUrl([](const QUrl &url) { return QDesktopServices::openUrl(url); }),
      FSetup(WithDefaults(setup)), Prompts(prompts), VersionInfo(FSetup.Version),
      FSession(prompts, SessionSetup(*this, FSetup)), State(FSession.State),
      ComPort(FSession.ComPort), CommLog(FSession.CommLog), Exchange(FSession.Exchange),
      LaunchTimer(FSession.LaunchTimer), StatusTimer(FSession.StatusTimer),
      TaskTimer(FSession.TaskTimer), PortRule(FSession.PortRule),
      MessageForm(std::make_unique<TMessageForm>()) {
    InitPanelResources();
    BuildWindowFrame();
    BuildMenuBar();
    FActiveSysControls.resize(SystemPageControl->count());
    FActiveChControls.resize(ChPageControl->count());

    FPortPicker = std::make_unique<TDialogPortPicker>(this);
    ComPort.setPicker(FPortPicker.get());
    FSession.SetView(&FView);

    WireLifecycleHandlers();
    FSettingsFileActions = new TSettingsFileActions(
        FSession, {SaveToFile1, RestoreSettingsFromFile1, CaptureScreenShot1, this, *MessageForm},
        this);
    CreateBehaviour();

    // A typed value the spin edit cannot take is reported like every other error; the
    // channel copies (of both windows) take the handler over from channel 1.
    for (TPlusSpinEdit *spin : findChildren<TPlusSpinEdit *>()) {
        spin->OnError = [this](const QString &message) {
            if (!State.Ending)
                Prompts.Message(message, TPrompts::mbOK, TPrompts::iconError);
        };
    }
}

TMainForm::~TMainForm() {
    // The port outlives nothing that could still call into this window.
    ComPort.OnTimeout = nullptr;
    FSession.SetView(nullptr);
}

TSessionSetup TMainForm::SessionSetup(TMainForm &form, const TMainFormSetup &setup) {
    TSessionSetup s;
    s.Terminal = &form;
    s.App = &form;
    s.LogMenu = &form;
    s.PortsDirectory = setup.PortsDirectory;
    s.LogDirectory = setup.LogDirectory;
    return s;
}

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

void TMainForm::SetSystemRunning(bool running) {
    FSession.SetSystemRunning(running);
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

void TMainForm::AppendLine(const QString &text, TRgb colour) {
    AppendResponse(text, QColor::fromRgb(QRgb(0xff000000u | colour)));
}

void TMainForm::Clear() {
    ResponseList->clear();
}

void TMainForm::SetLoggingChecked(bool checked) {
    EnableLoggingMenu->setChecked(checked);
}

void TMainForm::ReportException(const std::exception &e) noexcept {
    FSession.ReportException(e);
}

void TMainForm::ShowAbout(const Instrument::TIdentity &identity) {
    Prompts.Message(AboutText(identity, VersionInfo));
}

void TMainForm::OpenWebSite(const QString &manufacturer) {
    const QUrl url = BrandWebSite(manufacturer);
    if (!url.isEmpty() && FOpenUrl)
        FOpenUrl(url);
}

// Screen-centred when it first appears; after that the window stays where the user put it.
void TMainForm::showEvent(QShowEvent *event) {
    if (!FPlaced && !event->spontaneous()) {
        FPlaced = true;
        FormParts::CentreOnScreen(this);
    }
    QMainWindow::showEvent(event);
}

void TMainForm::closeEvent(QCloseEvent *event) {
    Guarded([this] { ExitApp(); });
    event->accept();
}
