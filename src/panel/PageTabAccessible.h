#pragma once

#include <QAccessibleWidget>

class QAbstractButton;

// A tab button of TPageControl as assistive technology sees it: a page tab named by its
// caption, selected while its page is shown, pressed to show the page. (A plain checkable
// button would read as a check box.)
class TPageTabAccessible : public QAccessibleWidget {
public:
    explicit TPageTabAccessible(QAbstractButton *button);
    // For QAccessible::installFactory: the tab buttons of every TPageControl.
    static QAccessibleInterface *Create(const QString &className, QObject *object);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

private:
    QAbstractButton *Button() const;
};
