#pragma once

#include <QPointer>
#include <QVector>
#include <QWidget>

class TPageControl;

// Each page of a page control remembers the control that had the focus when it was left,
// one slot a page, and hands the focus back when it is shown again.
namespace PageFocusMemory {

using TSlots = QVector<QPointer<QWidget>>;

// Remembers the window's focus when a page of `pages` is left and restores it when the
// page is shown again, for as long as `context` lives. A remembered control that was
// disabled meanwhile does not take the focus; the focus then stays where it is.
void Follow(TPageControl *pages, TSlots &memory, QObject *context);

} // namespace PageFocusMemory
