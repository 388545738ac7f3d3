#pragma once

#include <QAccessibleWidget>

class TPlusSpinEdit;

// What assistive technology sees of TPlusSpinEdit: a spin box named like any widget (its
// accessible name, else the caption of its label or group box), whose value is the number
// and whose text is the number as shown, with the focus digit as the caret. The step is
// the focus digit's place value; increase and decrease step as the spin buttons do.
class TPlusSpinEditAccessible : public QAccessibleWidget,
                                public QAccessibleValueInterface,
                                public QAccessibleTextInterface {
public:
    explicit TPlusSpinEditAccessible(TPlusSpinEdit *edit);

    void *interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    // The spin buttons are the increase and decrease actions, not children of their own.
    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }

    // QAccessibleValueInterface; limits that are equal mean no limits and read as none.
    QVariant currentValue() const override;
    void setCurrentValue(const QVariant &value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

    // QAccessibleActionInterface
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &actionName) const override;

    // QAccessibleTextInterface: read-only, no selection.
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override;
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

private:
    TPlusSpinEdit *Edit() const;
    QString Shown() const;
};
