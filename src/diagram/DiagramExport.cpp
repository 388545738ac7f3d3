#include "DiagramExport.h"

#include "DiagramPainter.h"

#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace Diagram {

namespace {

QString Failure(const QString &path, const QString &reason) {
    return QStringLiteral("Could not write %1: %2").arg(path, reason);
}

} // namespace

TTimeAxis WholePeriodAxis(const TDiagramScene &scene, int plotWidth) {
    TTimeAxis axis;
    if (scene.Period > 0.0)
        axis.Fit(0.0, scene.Period, plotWidth, 0.02);
    else
        axis.Fit(scene.PulseSpan().first, scene.PulseSpan().second, plotWidth, 0.02);
    return axis;
}

QString ExportDiagram(const QString &path, TExportFormat format, const TDiagramScene &scene,
                      const TTimeAxis &axis, int plotWidth) {
    const TRowLayout layout;
    const QSize size(layout.LabelWidth + plotWidth, layout.ContentHeight(int(scene.Rows.size())));
    const TDiagramPainter painter(scene, axis, layout);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Failure(path, file.errorString());
    if (format == TExportFormat::Png) {
        QImage image(size, QImage::Format_RGB32);
        QPainter p(&image);
        painter.Paint(p, size);
        p.end();
        if (!image.save(&file, "PNG"))
            return Failure(path, file.errorString());
    } else {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(QStringLiteral("Timing Diagram"));
        QPainter p;
        if (!p.begin(&svg))
            return Failure(path, QStringLiteral("the SVG could not be started"));
        painter.Paint(p, size);
        p.end();
    }
    if (!file.commit())
        return Failure(path, file.errorString());
    return QString();
}

} // namespace Diagram
