#include "SearchProgressForm.h"

#include "FormParts.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

TSearchProgressForm::TSearchProgressForm(QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint |
                          Qt::WindowCloseButtonHint),
      TryingLabel(new QLabel("Looking for the instrument...", this)),
      SearchBar(new QProgressBar(this)), CancelBtn(new QPushButton("Cancel", this)) {
    setObjectName("SearchProgressForm");
    setWindowTitle("Searching for the instrument");
    FormParts::SetPixelFont(this, 13);
    TryingLabel->setObjectName("TryingLabel");
    SearchBar->setObjectName("SearchBar");
    SearchBar->setRange(0, 1);
    SearchBar->setValue(0);
    // A screen reader announces the bar with the pair being tried.
    TryingLabel->setBuddy(SearchBar);
    CancelBtn->setObjectName("CancelBtn");
    connect(CancelBtn, &QPushButton::clicked, this, [this] { FCancelled = true; });

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(CancelBtn);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(12, 10, 12, 10);
    column->addWidget(TryingLabel);
    column->addWidget(SearchBar);
    column->addLayout(buttons);
    setFixedSize(340, sizeHint().height());
}

void TSearchProgressForm::Begin(int attempts) {
    FCancelled = false;
    SearchBar->setRange(0, qMax(attempts, 1));
    SearchBar->setValue(0);
    show();
    CancelBtn->setFocus();
    QCoreApplication::processEvents();
}

bool TSearchProgressForm::Trying(qint32 port, qint32 baud, int done) {
    TryingLabel->setText(QString("Trying COM%1 at %2 baud").arg(port).arg(baud));
    SearchBar->setValue(done);
    // The search waits for replies without events; this is where the window paints and
    // a click on Cancel arrives.
    QCoreApplication::processEvents();
    return !FCancelled;
}

void TSearchProgressForm::End() {
    hide();
}

// Centred once the platform window (and so its frame) exists.
void TSearchProgressForm::showEvent(QShowEvent *event) {
    FormParts::CentreOnScreen(this);
    QWidget::showEvent(event);
}

void TSearchProgressForm::closeEvent(QCloseEvent *event) {
    FCancelled = true;
    event->accept();
}

void TSearchProgressForm::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape) {
        FCancelled = true;
        return;
    }
    QWidget::keyPressEvent(event);
}
