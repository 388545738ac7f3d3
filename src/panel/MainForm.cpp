#include "MainForm.h"

#include "ConversionError.h"
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
    : QMainWindow(parent), OpenUrl([](const QUrl &url) { return QDesktopServices::openUrl(url); }),
      FSetup(WithDefaults(setup)), Prompts(prompts), VersionInfo(FSetup.Version),
      CommLog(prompts, *this, TCommLog::UserNameFromEnvironment(), QDateTime::currentDateTime(),
              FSetup.LogDirectory),
      Exchange(ComPort, State.Link, CommLog, *this, *this, prompts),
      PortRule(State, ComPort, StatusTimer, TaskTimer),
      MessageForm(std::make_unique<TMessageForm>()) {
    InitPanelResources();
    BuildWindowFrame();
    BuildMenuBar();
    FActiveSysControls.resize(SystemPageControl->count());
    FActiveChControls.resize(ChPageControl->count());

    // The port as the form sets it up; the connection step changes what it needs. No
    // terminator: the search or the manual choice sets CR, while demo mode keeps the
    // form's port, whose reads return at once with whatever has arrived.
    ComPort.setObjectName("ComPort");
    ComPort.setPort(1);
    ComPort.setBaud(115200);
    ComPort.setPrompts(&Prompts);
    ComPort.setPortsDirectory(FSetup.PortsDirectory);
    FPortPicker = std::make_unique<TDialogPortPicker>(this);
    ComPort.setPicker(FPortPicker.get());
    Exchange.AttachTimeoutHandler();

    LaunchTimer.setObjectName("LaunchTimer");
    LaunchTimer.setSingleShot(true);
    LaunchTimer.setInterval(500);
    LaunchTimer.setTimerType(Qt::PreciseTimer); // a coarse one may fire 25 ms late
    StatusTimer.setObjectName("StatusTimer");
    StatusTimer.setInterval(1000);
    TaskTimer.setObjectName("TaskTimer");
    TaskTimer.setInterval(5);

    WireLifecycleHandlers();
    SettingsFileActions = new TSettingsFileActions(*this);
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
    const bool changed = State.SystemSettings.SystemRunning != running;
    State.SystemSettings.SystemRunning = running;
    if (changed)
        ShowRunState(running);
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
    try {
        if (State.Ending)
            return; // no new boxes while the program ends
        QString text;
        if (const auto *conversion = dynamic_cast<const Instrument::TConversionError *>(&e))
            text = conversion->Message();
        else
            text = QString::fromLocal8Bit(e.what());
        Prompts.Message(text, TPrompts::mbOK, TPrompts::iconError);
    } catch (...) {
        // Reporting must never throw into the event loop.
    }
}

void TMainForm::ShowAbout(const Instrument::TIdentity &identity) {
    Prompts.Message(AboutText(identity, VersionInfo));
}

void TMainForm::OpenWebSite(const QString &manufacturer) {
    const QUrl url = BrandWebSite(manufacturer);
    if (!url.isEmpty() && OpenUrl)
        OpenUrl(url);
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
