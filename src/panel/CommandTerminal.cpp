#include "CommandTerminal.h"

#include "Session.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>

namespace {

constexpr char16_t EnterKey = 13;
constexpr char16_t CtrlBackspaceKey = 127;

// The character a key press stands for: Enter is 13 and Ctrl+Backspace 127 whatever the
// platform's text for them.
QChar KeyCharacter(const QKeyEvent &key) {
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
        return QChar(EnterKey);
    if (key.key() == Qt::Key_Backspace && (key.modifiers() & Qt::ControlModifier))
        return QChar(CtrlBackspaceKey);
    return key.text().size() == 1 ? key.text().front() : QChar();
}

} // namespace

TCommandTerminal::TCommandTerminal(TSession &session, QComboBox *sendEdit, QPushButton *sendBtn,
                                   QObject *parent)
    : QObject(parent), FSession(session), FSendEdit(sendEdit) {
    connect(sendBtn, &QPushButton::clicked, this, &TCommandTerminal::SendBtnClick);
    // Keys arrive at the combo box: it keeps the focus (its line edit's focus proxy) and
    // hands keys on by calling the edit's event() directly, so a filter on the line edit
    // never sees them. Keys sent to the edit itself and ignored there (Enter) reach the
    // combo box too.
    FSendEdit->installEventFilter(this);
}

void TCommandTerminal::SendBtnClick() {
    QComboBox *edit = FSendEdit;
    const QString text = edit->currentText();
    FSession.QueueCommand(text);
    // Adding the first item to an empty list selects it; the user chose nothing, so
    // nothing stays selected (Ctrl+Backspace would otherwise delete that entry). A
    // selection the user made stays. The line keeps what was typed either way.
    const bool firstEntry = edit->count() == 0;
    edit->addItem(text);
    if (firstEntry)
        edit->setCurrentIndex(-1);
    edit->setEditText(text);
}

// The entry chosen from the drop-down list, as long as the edit line still shows it.
int TCommandTerminal::SelectedHistoryEntry() const {
    const QComboBox *edit = FSendEdit;
    const int index = edit->currentIndex();
    if (index < 0 || edit->itemText(index) != edit->currentText())
        return -1;
    return index;
}

bool TCommandTerminal::SendEditKeyPress(QChar key) {
    if (key == QChar(EnterKey)) {
        SendBtnClick();
        return true;
    }
    if (key == QChar(CtrlBackspaceKey)) {
        const int entry = SelectedHistoryEntry();
        if (entry >= 0) {
            const QString typed = FSendEdit->currentText();
            FSendEdit->removeItem(entry);
            FSendEdit->setCurrentIndex(-1);
            FSendEdit->setEditText(typed);
        }
    }
    return false;
}

bool TCommandTerminal::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress) {
        const QChar key = KeyCharacter(*static_cast<QKeyEvent *>(event));
        if (!key.isNull() && SendEditKeyPress(key))
            return true;
    }
    return QObject::eventFilter(watched, event);
}
