#include "PageFocusMemory.h"

#include "PageControl.h"

namespace PageFocusMemory {

namespace {

void Remember(TSlots &memory, int leavingIndex, QWidget *focus) {
    if (leavingIndex >= 0 && leavingIndex < memory.size())
        memory[leavingIndex] = focus;
}

void Restore(const TSlots &memory, int index) {
    if (index < 0 || index >= memory.size())
        return;
    QWidget *control = memory[index];
    if (control && control->isEnabled())
        control->setFocus();
}

} // namespace

void Follow(TPageControl *pages, TSlots &memory, QObject *context) {
    QObject::connect(pages, &TPageControl::currentChanging, context,
                     [pages, &memory](int leavingIndex) {
                         Remember(memory, leavingIndex, pages->window()->focusWidget());
                     });
    QObject::connect(pages, &TPageControl::currentChanged, context,
                     [&memory](int index) { Restore(memory, index); });
}

} // namespace PageFocusMemory
