#include "PageControl.h"

#include "FlowLayout.h"
#include "PageTabAccessible.h"

#include <QAccessible>

#include <QButtonGroup>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

TPageControl::TPageControl(int tabWidth, QWidget *parent)
    : QWidget(parent), FTabWidth(tabWidth), FTabBar(new QWidget(this)),
      FTabLayout(new TFlowLayout(FTabBar, 0)), FButtons(new QButtonGroup(this)),
      FStack(new QStackedWidget(this)) {
    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(&TPageTabAccessible::Create);
        return true;
    }();
    Q_UNUSED(accessibleInstalled);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(FTabBar);
    layout->addWidget(FStack, 1);
    FButtons->setExclusive(true);
    connect(FButtons, &QButtonGroup::idClicked, this, &TPageControl::tabClicked);
}

int TPageControl::addPage(QWidget *page, const QString &caption) {
    const int index = FStack->addWidget(page);
    auto *button = new QToolButton(FTabBar);
    button->setObjectName(QString());
    button->setText(caption);
    button->setCheckable(true);
    button->setAutoRaise(false);
    button->setFocusPolicy(Qt::TabFocus);
    if (FTabWidth > 0)
        button->setFixedWidth(FTabWidth);
    FButtons->addButton(button, index);
    FTabLayout->addWidget(button);
    // The tabs follow one another in the focus chain, wherever the first one sits.
    if (index > 0)
        QWidget::setTabOrder(FButtons->button(index - 1), button);
    if (index == FStack->currentIndex())
        button->setChecked(true);
    return index;
}

int TPageControl::count() const {
    return FStack->count();
}
int TPageControl::currentIndex() const {
    return FStack->currentIndex();
}

void TPageControl::setCurrentIndex(int index) {
    if (index < 0 || index >= count())
        return;
    FStack->setCurrentIndex(index);
    FButtons->button(index)->setChecked(true);
}

QWidget *TPageControl::page(int index) const {
    return FStack->widget(index);
}
QWidget *TPageControl::currentPage() const {
    return FStack->currentWidget();
}
QAbstractButton *TPageControl::tabButton(int index) const {
    return FButtons->button(index);
}

QString TPageControl::tabText(int index) const {
    const QAbstractButton *button = tabButton(index);
    return button ? button->text() : QString();
}

int TPageControl::tabRowCount() const {
    return FTabLayout->rowCount(FTabBar->width());
}

void TPageControl::tabClicked(int index) {
    const int leaving = currentIndex();
    if (index == leaving)
        return;
    emit currentChanging(leaving);
    setCurrentIndex(index);
    emit currentChanged(index);
}
