#include "PageTabAccessible.h"

#include "PageControl.h"

#include <QAbstractButton>

TPageTabAccessible::TPageTabAccessible(QAbstractButton *button)
    : QAccessibleWidget(button, QAccessible::PageTab) {}

QAccessibleInterface *TPageTabAccessible::Create(const QString &, QObject *object) {
    // The tab buttons sit on the control's tab bar, its direct child; the pages' own
    // buttons lie deeper, under the stack of pages.
    auto *button = qobject_cast<QAbstractButton *>(object);
    const QWidget *bar = button ? button->parentWidget() : nullptr;
    const bool tab = bar && qobject_cast<TPageControl *>(bar->parentWidget());
    return tab ? new TPageTabAccessible(button) : nullptr;
}

QAbstractButton *TPageTabAccessible::Button() const {
    return static_cast<QAbstractButton *>(widget());
}

QString TPageTabAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
        return Button()->text();
    return QAccessibleWidget::text(t);
}

QAccessible::State TPageTabAccessible::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    s.selectable = true;
    s.selected = Button()->isChecked();
    return s;
}

QStringList TPageTabAccessible::actionNames() const {
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
}

void TPageTabAccessible::doAction(const QString &actionName) {
    if (actionName == pressAction())
        Button()->click();
    else
        QAccessibleWidget::doAction(actionName);
}
