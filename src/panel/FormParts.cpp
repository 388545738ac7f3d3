#include "FormParts.h"

#include "PlusSpinEdit.h"

#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

namespace FormParts {

void SetHint(QWidget *widget, const QString &hint, bool shown) {
    widget->setProperty("hint", hint);
    widget->setProperty("showHint", shown);
    widget->setToolTip(shown ? hint : QString());
}

QGroupBox *Group(QWidget *parent, const QString &name, const QString &caption) {
    auto *box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    // Qt names a group box after the group around it when there is one, so a screen reader
    // would read "System" for "Pulse Mode"; the controls inside are labelled by this name.
    box->setAccessibleName(caption);
    return box;
}

QComboBox *Selector(QWidget *parent, const QString &name, const QStringList &items, int index) {
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->addItems(items);
    combo->setCurrentIndex(index);
    return combo;
}

TPlusSpinEdit *Spin(QWidget *parent, const QString &name, const TSpinSetup &setup) {
    auto *spin = new TPlusSpinEdit(parent);
    spin->setObjectName(name);
    spin->setDecimals(setup.Decimals);
    spin->setIncrement(setup.Increment);
    spin->setMaxValue(setup.MaxValue);
    spin->setMinValue(setup.MinValue);
    spin->setValue(setup.Value);
    spin->setThousandSeparator(setup.ThousandSeparator);
    return spin;
}

QGroupBox *Boxed(QWidget *parent, const QString &name, const QString &caption, QWidget *editor) {
    QGroupBox *box = Group(parent, name, caption);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(6, 2, 6, 4);
    editor->setParent(box);
    layout->addWidget(editor);
    return box;
}

void SetPixelFont(QWidget *widget, int pixelSize) {
    QFont font = widget->font();
    font.setFamily("Tahoma");
    font.setPixelSize(pixelSize);
    widget->setFont(font);
}

// Only a size the template set itself is copied; the rest of the font comes from the
// parent, as for the template.
void CopyFontSize(const QWidget *from, QWidget *to) {
    if (from->testAttribute(Qt::WA_SetFont))
        SetPixelFont(to, from->font().pixelSize());
}

void CopyHint(const QWidget *from, QWidget *to) {
    SetHint(to, from->property("hint").toString(), from->property("showHint").toBool());
}

TPlusSpinEdit *CopySpin(const TPlusSpinEdit *from, QWidget *parent, const QString &name) {
    auto *to = new TPlusSpinEdit(parent);
    to->setAutoSize(from->AutoSize());
    CopyFontSize(from, to);
    to->setObjectName(name);
    to->setMaxValue(from->MaxValue());
    to->setMinValue(from->MinValue());
    to->setIncrement(from->Increment());
    to->setThousandSeparator(from->ThousandSeparator());
    to->setValue(from->Value());
    to->setDecimals(from->Decimals());
    to->setBorderStyle(from->BorderStyle());
    to->OnError = from->OnError;
    to->OnSetIncrement = from->OnSetIncrement;
    to->OnChange = from->OnChange;
    return to;
}

QPoint CentredTopLeft(const QRect &area, const QSize &size) {
    const int x = area.left() + (area.width() - size.width()) / 2;
    const int y = area.top() + (area.height() - size.height()) / 2;
    return QPoint(qMax(area.left(), x), qMax(area.top(), y));
}

void CentreOnScreen(QWidget *window) {
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    window->move(CentredTopLeft(screen->availableGeometry(), window->frameGeometry().size()));
}

} // namespace FormParts
