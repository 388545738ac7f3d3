#include "MessageForm.h"

#include "FormParts.h"

#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QVBoxLayout>

TMessageForm::TMessageForm(QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint |
                          Qt::WindowDoesNotAcceptFocus),
      MessageLabel(new QLabel(this)) {
    setObjectName("MessageForm");
    setWindowTitle("Initializing");
    setFixedSize(326, 58);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    MessageLabel->setObjectName("MessageLabel");
    MessageLabel->setText("Loading. Please wait...");
    MessageLabel->setAlignment(Qt::AlignCenter);
    QFont font("Tahoma");
    font.setPixelSize(29);
    MessageLabel->setFont(font);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(MessageLabel);
}

void TMessageForm::ShowMessage(const QString &text) {
    MessageLabel->setText(text);
    if (!isVisible())
        FormParts::CentreOnScreen(this);
    show();
}

bool TMessageForm::event(QEvent *event) {
    // The window is for reading only: swallow input instead of greying the text out.
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
        return true;
    default:
        return QWidget::event(event);
    }
}
