#pragma once

#include <QPointer>
#include <QVector>
#include <QWidget>

// Each page of a page control remembers the control that had the focus when it was left,
// one slot a page, and hands the focus back when it is shown again.
namespace PageFocusMemory {

void Remember(QVector<QPointer<QWidget>> &memory, int leavingIndex, QWidget *focus);
// A remembered control that was disabled meanwhile does not take the focus; the focus
// then stays where it is.
void Restore(const QVector<QPointer<QWidget>> &memory, int index);

} // namespace PageFocusMemory
