#include "CtlView.h"

#include "ConnectionCaption.h"

#include "ModelTable.h"
#include "PanelVersion.h"
#include "SettingsLines.h"

#include <cstdio>
#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

using namespace Instrument;

namespace {

constexpr int BarWidth = 30;

bool StandardErrorIsTerminal() {
#ifdef Q_OS_WIN
    return _isatty(_fileno(stderr));
#else
    return isatty(STDERR_FILENO);
#endif
}

} // namespace

TCtlView::TCtlView(bool quiet) : FTerminal(!quiet && StandardErrorIsTerminal()) {}

// The panel's caption, so that the settings list and its file read the same.
QString TCtlView::ShowIdentity(const TIdentity &identity, qint32 port, qint32 baud) {
    return WindowCaption(BrandInfo(identity.Manufacturer).CompanyName, identity.ModelNumber,
                         QStringLiteral(PULSEPANEL_FILE_VERSION), port, baud);
}

void TCtlView::SetProgressLabel(const QString &label) {
    ++FDone;
    Progress(label, FChannelCount > 0 ? double(FDone) / FChannelCount : 0.0);
}

void TCtlView::HideProgress() {
    FDone = 0;
    if (FShown)
        std::fputs("\r\033[K", stderr);
    FShown = false;
}

void TCtlView::ShowSingleValue(TSingleValue which, qint32 value) {
    if (which == TSingleValue::AutoStart)
        AutoStart = value;
    else if (which == TSingleValue::CounterEnable)
        CounterEnable = value;
}

void TCtlView::ReplayProgress(int done, int total) {
    Progress(QStringLiteral("Loading"), total > 0 ? double(done) / total : 1.0);
    if (done >= total)
        HideProgress();
}

void TCtlView::Progress(const QString &label, double fraction) {
    if (!FTerminal)
        return;
    const int filled = qBound(0, int(fraction * BarWidth + 0.5), BarWidth);
    std::fprintf(stderr, "\r%-24s [%s%s]", label.toLocal8Bit().constData(),
                 QByteArray(filled, '#').constData(),
                 QByteArray(BarWidth - filled, ' ').constData());
    std::fflush(stderr);
    FShown = true;
}
