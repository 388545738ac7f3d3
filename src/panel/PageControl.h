#pragma once

#include <QWidget>

class QAbstractButton;
class QButtonGroup;
class QStackedWidget;
class TFlowLayout;

// A page control with rows of tab buttons over a stack of pages. Unlike QTabWidget it
// wraps the tabs into several rows, gives every tab the same width when asked to, and
// tells before the page changes (currentChanging) as well as after (currentChanged).
// Both signals come only from the user's click; setCurrentIndex from code is silent.
class TPageControl : public QWidget {
    Q_OBJECT
public:
    // tabWidth 0: each button as wide as its caption needs.
    explicit TPageControl(int tabWidth = 0, QWidget *parent = nullptr);

    // Appends a page (the control takes it over) with a tab captioned caption.
    int addPage(QWidget *page, const QString &caption);

    int count() const;
    int currentIndex() const;
    void setCurrentIndex(int index);
    QWidget *page(int index) const;
    QWidget *currentPage() const;
    QAbstractButton *tabButton(int index) const;
    QString tabText(int index) const;
    int tabWidth() const { return FTabWidth; }
    // Rows of tab buttons at the control's present width.
    int tabRowCount() const;

signals:
    void currentChanging(int leavingIndex);
    void currentChanged(int index);

private:
    void tabClicked(int index);

    int FTabWidth;
    QWidget *FTabBar;
    TFlowLayout *FTabLayout;
    QButtonGroup *FButtons;
    QStackedWidget *FStack;
};
