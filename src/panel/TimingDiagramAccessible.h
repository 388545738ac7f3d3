#pragma once

#include <QAccessibleWidget>

class TTimingDiagramView;

// The drawing as assistive technology sees it: a chart named "Timing Diagram" whose
// description reads every row in words, one line each.
class TTimingDiagramAccessible : public QAccessibleWidget {
public:
    explicit TTimingDiagramAccessible(TTimingDiagramView *view);

    QString text(QAccessible::Text t) const override;
};
