#include "PlusSpinEditAccessible.h"

#include "PlusSpinEdit.h"
#include "PlusSpinEditText.h"

TPlusSpinEditAccessible::TPlusSpinEditAccessible(TPlusSpinEdit *edit)
    : QAccessibleWidget(edit, QAccessible::SpinBox) {}

TPlusSpinEdit *TPlusSpinEditAccessible::Edit() const {
    return static_cast<TPlusSpinEdit *>(widget());
}

QString TPlusSpinEditAccessible::Shown() const {
    return PlusSpinEditText::Displayed(Edit()->Text());
}

void *TPlusSpinEditAccessible::interface_cast(QAccessible::InterfaceType type) {
    switch (type) {
    case QAccessible::ValueInterface:
        return static_cast<QAccessibleValueInterface *>(this);
    case QAccessible::TextInterface:
        return static_cast<QAccessibleTextInterface *>(this);
    default:
        return QAccessibleWidget::interface_cast(type);
    }
}

QString TPlusSpinEditAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value)
        return Shown();
    return QAccessibleWidget::text(t);
}

// The control stays enabled for the toolkit when its own Enabled is off; assistive
// technology must still hear that it takes no input.
QAccessible::State TPlusSpinEditAccessible::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    if (!Edit()->InputEnabled())
        s.disabled = true;
    return s;
}

QVariant TPlusSpinEditAccessible::currentValue() const {
    return Edit()->Value();
}

void TPlusSpinEditAccessible::setCurrentValue(const QVariant &value) {
    bool ok = false;
    const double v = value.toDouble(&ok);
    if (ok && Edit()->InputEnabled())
        Edit()->setValue(v);
}

QVariant TPlusSpinEditAccessible::maximumValue() const {
    return Edit()->MaxValue() != Edit()->MinValue() ? QVariant(Edit()->MaxValue()) : QVariant();
}

QVariant TPlusSpinEditAccessible::minimumValue() const {
    return Edit()->MaxValue() != Edit()->MinValue() ? QVariant(Edit()->MinValue()) : QVariant();
}

QVariant TPlusSpinEditAccessible::minimumStepSize() const {
    return Edit()->Increment();
}

QStringList TPlusSpinEditAccessible::actionNames() const {
    return QStringList{increaseAction(), decreaseAction()} + QAccessibleWidget::actionNames();
}

void TPlusSpinEditAccessible::doAction(const QString &actionName) {
    if (actionName == increaseAction())
        Edit()->StepUp();
    else if (actionName == decreaseAction())
        Edit()->StepDown();
    else
        QAccessibleWidget::doAction(actionName);
}

QStringList TPlusSpinEditAccessible::keyBindingsForAction(const QString &actionName) const {
    if (actionName == increaseAction())
        return {QStringLiteral("Up")};
    if (actionName == decreaseAction())
        return {QStringLiteral("Down")};
    return QAccessibleWidget::keyBindingsForAction(actionName);
}

void TPlusSpinEditAccessible::selection(int, int *startOffset, int *endOffset) const {
    *startOffset = *endOffset = 0;
}

// The focus digit, the one that Up, Down and a typed digit act on.
int TPlusSpinEditAccessible::cursorPosition() const {
    return Edit()->FocusIndex() - 1;
}

QString TPlusSpinEditAccessible::text(int startOffset, int endOffset) const {
    return Shown().mid(startOffset, endOffset - startOffset);
}

int TPlusSpinEditAccessible::characterCount() const {
    return int(Shown().size());
}

QRect TPlusSpinEditAccessible::characterRect(int offset) const {
    const QRect r = Edit()->CharacterRect(offset);
    return r.isValid() ? QRect(Edit()->mapToGlobal(r.topLeft()), r.size()) : QRect();
}

int TPlusSpinEditAccessible::offsetAtPoint(const QPoint &point) const {
    const QPoint local = Edit()->mapFromGlobal(point);
    for (int i = 0; i < characterCount(); ++i)
        if (Edit()->CharacterRect(i).contains(local))
            return i;
    return -1;
}

QString TPlusSpinEditAccessible::attributes(int offset, int *startOffset, int *endOffset) const {
    *startOffset = *endOffset = offset;
    return QString();
}
