#include "PageFocusMemory.h"

namespace PageFocusMemory {

void Remember(QVector<QPointer<QWidget>> &memory, int leavingIndex, QWidget *focus) {
    if (leavingIndex >= 0 && leavingIndex < memory.size())
        memory[leavingIndex] = focus;
}

void Restore(const QVector<QPointer<QWidget>> &memory, int index) {
    if (index < 0 || index >= memory.size())
        return;
    QWidget *control = memory[index];
    if (control && control->isEnabled())
        control->setFocus();
}

} // namespace PageFocusMemory
