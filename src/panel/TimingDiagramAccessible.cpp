#include "TimingDiagramAccessible.h"

#include "TimingDiagramView.h"

TTimingDiagramAccessible::TTimingDiagramAccessible(TTimingDiagramView *view)
    : QAccessibleWidget(view, QAccessible::Chart) {}

QString TTimingDiagramAccessible::text(QAccessible::Text t) const {
    if (t != QAccessible::Description)
        return QAccessibleWidget::text(t);
    QStringList lines;
    for (const Diagram::TDiagramRow &row :
         static_cast<TTimingDiagramView *>(widget())->Scene().Rows)
        lines << Diagram::RowDescription(row);
    return lines.join('\n');
}
