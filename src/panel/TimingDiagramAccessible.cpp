#include "TimingDiagramAccessible.h"

#include "TimingDiagramView.h"

TTimingDiagramAccessible::TTimingDiagramAccessible(TTimingDiagramView *view)
    : QAccessibleWidget(view, QAccessible::Chart) {}

QAccessibleInterface *TTimingDiagramAccessible::Create(const QString &, QObject *object) {
    auto *view = qobject_cast<TTimingDiagramView *>(object);
    return view ? new TTimingDiagramAccessible(view) : nullptr;
}

QString TTimingDiagramAccessible::text(QAccessible::Text t) const {
    if (t != QAccessible::Description)
        return QAccessibleWidget::text(t);
    QStringList lines;
    for (const Diagram::TDiagramRow &row :
         static_cast<TTimingDiagramView *>(widget())->Scene().Rows)
        lines << Diagram::RowDescription(row);
    return lines.join('\n');
}
