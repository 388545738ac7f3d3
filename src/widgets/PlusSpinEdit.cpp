#include "PlusSpinEdit.h"

#include "AccessibleFactory.h"
#include "PlusSpinEditAccessible.h"
#include "PlusSpinEditText.h"
#include "SpinButton.h"

#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <limits>

using namespace PlusSpinEditText;

namespace {

constexpr int FirstRepeatDelayMs = 500;
constexpr int RepeatIntervalMs = 150;
constexpr int MaxCachedWidths = 256;
const QColor DisabledGrey(128, 128, 128);
const QColor FocusBlue(0, 0, 255);

bool SameStep(double x, double increment, double tolerance) {
    // A zero step must never be divided by.
    if (increment == 0)
        return x == 0;
    return std::fabs(x - increment) / increment <= tolerance;
}

bool NeedsBlankSeparator(QChar c) {
    return c == QLatin1Char('+') || c == QLatin1Char('-') || c == DecimalPoint ||
           DigitValue(c) >= 0;
}

} // namespace

TPlusSpinEdit::TPlusSpinEdit(QWidget *parent) : QWidget(parent) {
    InstallAccessibleFactory<TPlusSpinEditAccessible, TPlusSpinEdit>();
    // Painting covers the whole area, so no background erase; Qt's backing store already
    // double-buffers every paint, so stepping does not flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setContentsMargins(1, 1, 1, 1);

    fTimer = new QTimer(this);
    fTimer->setObjectName(QStringLiteral("fTimer"));
    fTimer->setTimerType(Qt::PreciseTimer);
    fTimer->setInterval(FirstRepeatDelayMs);
    connect(fTimer, &QTimer::timeout, this, [this] { Spin(fTimerStepsUp, true); });

    fUpButton = new TSpinButton(TSpinButton::sdUp, this);
    fUpButton->setObjectName(QStringLiteral("fUpButton"));
    fDownButton = new TSpinButton(TSpinButton::sdDown, this);
    fDownButton->setObjectName(QStringLiteral("fDownButton"));
    for (TSpinButton *b : {fUpButton, fDownButton}) {
        b->OnMouseDown = [this](TSpinButton *sender) { SpinButtonMouseDown(sender); };
        b->OnMouseUp = [this](TSpinButton *) { SpinButtonMouseUp(); };
    }

    SetIncExponent(0);
    resize(8 * std::abs(QFontInfo(font()).pixelSize()), height());
    FormatText();
    FontChanged();
}

TPlusSpinEdit::~TPlusSpinEdit() = default;

// ---- properties -------------------------------------------------------------------------

void TPlusSpinEdit::setValue(double v) {
    if (!std::isfinite(v))
        return;
    const double old = fValue;
    setValueQuietly(v);
    if (fValue == old)
        return;
    if (!fSpinning || fTrackSpin) {
        fModified = false;
        Change();
    } else {
        fModified = true;
    }
}

void TPlusSpinEdit::setValueQuietly(double v) {
    if (!std::isfinite(v))
        return;
    if (fMaxValue != fMinValue) {
        if (v < fMinValue)
            v = fMinValue;
        else if (v > fMaxValue)
            v = fMaxValue;
    }
    if (v == fValue)
        return;
    fValue = v;
    FormatText();
    LocateFocusDigit();
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent event(this, fValue);
        QAccessible::updateAccessibility(&event);
    }
}

qint32 TPlusSpinEdit::IntValue() const {
    const double r = std::nearbyint(fValue);
    if (r <= std::numeric_limits<qint32>::min())
        return std::numeric_limits<qint32>::min();
    if (r >= std::numeric_limits<qint32>::max())
        return std::numeric_limits<qint32>::max();
    return static_cast<qint32>(r);
}

void TPlusSpinEdit::setIntValue(qint32 v) {
    setValue(static_cast<double>(v));
}

void TPlusSpinEdit::setMinValue(double v) {
    SetLimit(fMinValue, v);
}

void TPlusSpinEdit::setMaxValue(double v) {
    SetLimit(fMaxValue, v);
}

// A new limit clamps the value again (reporting the change) and may widen the control.
void TPlusSpinEdit::SetLimit(double &limit, double v) {
    if (!std::isfinite(v) || v == limit)
        return;
    limit = v;
    setValue(fValue);
    if (fAutoSize)
        ApplyAutoSize();
}

void TPlusSpinEdit::setIncrement(double v) {
    if (!std::isfinite(v))
        return;
    fSavedIncrement = v;
    const double x = std::fabs(v);
    if (fIncrement != 0 ? std::fabs(x - fIncrement) / fIncrement < 1e-7 : x == 0)
        return;
    fIncExponent = IncrementExponent(x, fBase, fDecimals);
    LocateFocusDigit();
    fIncrement = x;
    if (OnSetIncrement)
        OnSetIncrement(this);
}

void TPlusSpinEdit::setDecimals(int v) {
    fDecimals = std::clamp(v, 0, MaxDecimals);
    Reformat();
}

void TPlusSpinEdit::setLeadingDigits(int v) {
    fLeading = std::clamp(v, 0, MaxDecimals);
    FormatText();
    LocateFocusDigit();
}

void TPlusSpinEdit::setBase(int v) {
    v = ClampBase(v);
    if (v == fBase)
        return;
    fBase = v;
    SetIncExponent(fIncExponent);
    FormatText();
    Relayout();
}

void TPlusSpinEdit::setThousandSeparator(QChar c) {
    if (c == fThousandSep)
        return;
    fThousandSep = c;
    if (c.isNull())
        fInternalThousandSep = QChar();
    else
        fInternalThousandSep = NeedsBlankSeparator(c) ? QLatin1Char(' ') : c;
    // Separators widen the text: size again so that the widest limit still fits.
    Reformat();
}

void TPlusSpinEdit::setAutoSize(bool v) {
    fAutoSize = v;
    if (fAutoSize)
        ApplyAutoSize();
}

void TPlusSpinEdit::setBorderStyle(TBorderStyle v) {
    if (v == fBorderStyle)
        return;
    fBorderStyle = v;
    const int m = v == bsSingle ? 1 : 0;
    setContentsMargins(m, m, m, m);
    LayoutButtons();
}

void TPlusSpinEdit::setInputEnabled(bool v) {
    if (!v && fSpinning)
        EndSpin(); // a release would be ignored once disabled
    fEnabled = v;
    // Still reachable with Tab, but a click (also on an arrow) leaves the focus alone.
    setFocusPolicy(v ? Qt::StrongFocus : Qt::TabFocus);
    LayoutButtons();
}

void TPlusSpinEdit::RightZero() {
    double v = 0;
    if (ParseInBase(RightZeroText(fValue, fIncExponent, fDecimals), 10, v))
        setValue(v);
}

void TPlusSpinEdit::StepUp() {
    Spin(true, false);
}

void TPlusSpinEdit::StepDown() {
    Spin(false, false);
}

QRect TPlusSpinEdit::CharacterRect(int index) const {
    const QString shown = Displayed(fText);
    if (index < 0 || index >= shown.size())
        return QRect();
    const int left = fCapXStart + TextWidth(shown.left(index));
    return QRect(left, fCapYStart, TextWidth(shown.mid(index, 1)), fDigitHeight);
}

void TPlusSpinEdit::Change() {
    if (OnChange) {
        auto handler = OnChange; // the handler may replace itself
        handler(this);
    }
}

// Tall enough for the digit font; wide enough for the wider limit's text beside the
// buttons and the frame, so that it is never cut off on the left (without limits: the
// text shown).
QSize TPlusSpinEdit::sizeHint() const {
    int h = fDigitHeight + fDigitHeight / 3;
    if (h % 2 == 0)
        ++h;
    QString text = fText;
    if (fMaxValue != fMinValue) {
        const bool maxWider =
            HighestDigitPosition(fBase, fMaxValue) > HighestDigitPosition(fBase, fMinValue);
        text = PlusSpinEditText::FormatText(maxWider ? fMaxValue : fMinValue, fDecimals,
                                            fInternalThousandSep, fBase);
    }
    const int textWidth = TextWidth(text);
    const QMargins m = contentsMargins();
    const int needed = m.left() + m.right() + fDigitWidth + ButtonWidth() + textWidth;
    return QSize(std::max(textWidth + h, needed), h);
}

// ---- text and focus ---------------------------------------------------------------------

void TPlusSpinEdit::FormatText() {
    fText = PlusSpinEditText::FormatText(fValue, fDecimals, fInternalThousandSep, fBase);
}

bool TPlusSpinEdit::FocusInText() const {
    return fFocusIndex >= 1 && fFocusIndex <= fText.size();
}

// Shaping text is the costly part of placing the focus digit, and the same few strings
// are measured over and over (every value shown, every relayout).
int TPlusSpinEdit::TextWidth(const QString &s) const {
    const auto known = fWidthCache.constFind(s);
    if (known != fWidthCache.constEnd())
        return known.value();
    if (fWidthCache.size() >= MaxCachedWidths)
        fWidthCache.clear();
    const int width = fontMetrics().horizontalAdvance(s);
    fWidthCache.insert(s, width);
    return width;
}

void TPlusSpinEdit::LocateFocusDigit() {
    const TFocus f = LocateFocus(fText, fIncExponent, fDecimals, fInternalThousandSep, fBase);
    fText = f.text;
    fFocusIndex = f.index;
    const QString shown = Displayed(fText);
    fCapXStart = fCapXStop - TextWidth(shown);
    int left, right;
    if (FocusInText()) {
        right = fCapXStart + TextWidth(shown.left(fFocusIndex)) - 1;
        left = right - TextWidth(shown.mid(fFocusIndex - 1, 1)) + 1;
    } else {
        // A place right of the last decimal: an imaginary digit beyond the text.
        left = fCapXStop + (fFocusIndex - fText.size() - 1) * fDigitWidth;
        right = left + fDigitWidth - 1;
    }
    fFocusRect = QRect(QPoint(left, fCapYStart), QPoint(right, fCapYStart + fDigitHeight - 1));
    update();
}

void TPlusSpinEdit::SetIncExponent(int n) {
    n = std::max(n, -fDecimals);
    if (fMaxValue != fMinValue)
        n = std::min(n, std::max(HighestDigitPosition(fBase, fMinValue),
                                 HighestDigitPosition(fBase, fMaxValue)));
    const double x = PowerOfBase(fBase, n);
    if (n == fIncExponent && SameStep(x, fIncrement, 1e-7))
        return;
    fIncrement = x < fSavedIncrement ? fSavedIncrement : x;
    fIncExponent = n;
    if (OnSetIncrement)
        OnSetIncrement(this);
    LocateFocusDigit();
    if (QAccessible::isActive() && hasFocus()) {
        QAccessibleTextCursorEvent event(this, fFocusIndex - 1);
        QAccessible::updateAccessibility(&event);
    }
}

// ---- geometry ---------------------------------------------------------------------------

void TPlusSpinEdit::FontChanged() {
    fWidthCache.clear();
    const QFontMetrics fm(font());
    fDigitWidth = fm.horizontalAdvance(QLatin1Char('0'));
    fDigitHeight = fm.height();
    Relayout();
}

void TPlusSpinEdit::Relayout() {
    if (fAutoSize)
        ApplyAutoSize();
    else
        LayoutButtons();
}

void TPlusSpinEdit::Reformat() {
    FormatText();
    if (fAutoSize)
        ApplyAutoSize();
    else
        LocateFocusDigit();
}

// Without limits the width is left as it is.
void TPlusSpinEdit::ApplyAutoSize() {
    const QSize hint = sizeHint();
    resize(fMaxValue != fMinValue ? hint.width() : width(), hint.height());
    LayoutButtons();
}

int TPlusSpinEdit::ButtonWidth() const {
    return std::max(fDigitWidth + fDigitWidth / 2 + 8, 10);
}

void TPlusSpinEdit::LayoutButtons() {
    const QRect cr = contentsRect();
    const int w = ButtonWidth();
    const int ch = cr.height();
    fUpButton->setGeometry(cr.right() - w + 1, cr.top(), w, ch / 2);
    fDownButton->setGeometry(cr.right() - w + 1, cr.top() + ch / 2, w, ch - ch / 2);
    fUpButton->SetGlyph(fEnabled);
    fDownButton->SetGlyph(fEnabled);
    fCapXStop = fUpButton->x() - fDigitWidth / 2;
    fCapYStart = cr.top() + (ch - fDigitHeight) / 2;
    LocateFocusDigit();
}

void TPlusSpinEdit::resizeEvent(QResizeEvent *e) {
    QWidget::resizeEvent(e);
    LayoutButtons();
}

void TPlusSpinEdit::changeEvent(QEvent *e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::FontChange)
        FontChanged();
}

// ---- painting ---------------------------------------------------------------------------

void TPlusSpinEdit::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    if (fBorderStyle == bsSingle) {
        p.setPen(palette().dark().color());
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    const QRect cr = contentsRect();
    p.setClipRect(QRect(cr.left(), cr.top(), fUpButton->x() - cr.left(), cr.height()));
    p.setFont(font());
    const QColor textColour = fEnabled ? palette().text().color() : DisabledGrey;
    const int baseline = fCapYStart + fontMetrics().ascent();
    const QString shown = Displayed(fText);
    p.setPen(textColour);
    p.drawText(QPoint(fCapXStart, baseline), shown);
    if (!FocusInText())
        return; // the focus lies outside the text: no mark
    const QString focusChar = shown.mid(fFocusIndex - 1, 1);
    const int charX = fCapXStart + TextWidth(shown.left(fFocusIndex - 1));
    if (hasFocus()) { // a disabled control keeps the focus and shows it the same way
        p.fillRect(fFocusRect, FocusBlue);
        p.setPen(Qt::white);
        p.drawText(QPoint(charX, baseline), focusChar);
        if (!fSpinning) // the caret, hidden while spinning
            p.fillRect(QRect(fFocusRect.left(), fFocusRect.bottom(), fFocusRect.width(), 2),
                       palette().text());
    } else {
        p.setPen(textColour);
        p.drawLine(fFocusRect.bottomLeft(), fFocusRect.bottomRight());
    }
}

// ---- keyboard ---------------------------------------------------------------------------

bool TPlusSpinEdit::event(QEvent *e) {
    // Arrow keys, typed characters and Ctrl+0 belong to the control, not to shortcuts of
    // the window (the counterpart of asking for the arrow keys in a dialog).
    if (e->type() == QEvent::ShortcutOverride && fEnabled) {
        auto *k = static_cast<QKeyEvent *>(e);
        const Qt::KeyboardModifiers mods =
            k->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        const bool arrow = k->key() == Qt::Key_Left || k->key() == Qt::Key_Right ||
                           k->key() == Qt::Key_Up || k->key() == Qt::Key_Down;
        const bool ctrlZero = k->key() == Qt::Key_0 && mods == Qt::ControlModifier;
        const bool typed = mods == Qt::NoModifier && k->text().size() == 1 &&
                           k->text()[0].isPrint() && !k->text()[0].isSpace();
        if (arrow || ctrlZero || typed) {
            e->accept();
            return true;
        }
    }
    return QWidget::event(e);
}

void TPlusSpinEdit::keyPressEvent(QKeyEvent *e) {
    if (!fEnabled) {
        QWidget::keyPressEvent(e);
        return;
    }
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    switch (e->key()) {
    case Qt::Key_Left:
        if (fFocusRect.left() > fDigitWidth - 2)
            SetIncExponent(fIncExponent + 1);
        return;
    case Qt::Key_Right:
        if (fIncExponent > -fDecimals)
            SetIncExponent(fIncExponent - 1);
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
        fSpinning = true;
        update(); // hides the caret
        Spin(e->key() == Qt::Key_Up, false);
        return;
    case Qt::Key_0:
        if (ctrl) {
            RightZero();
            return;
        }
        break;
    default:
        break;
    }
    const QString typed = e->text();
    if (ctrl || (e->modifiers() & (Qt::AltModifier | Qt::MetaModifier)) || typed.size() != 1) {
        QWidget::keyPressEvent(e);
        return;
    }
    TypeDigit(typed[0]);
}

void TPlusSpinEdit::keyReleaseEvent(QKeyEvent *e) {
    // Keyboard auto-repeat sends release/press pairs; only the real release ends a spin.
    if (e->isAutoRepeat() || !fEnabled) {
        QWidget::keyReleaseEvent(e);
        return;
    }
    if (fSpinning)
        EndSpin();
    QWidget::keyReleaseEvent(e);
}

void TPlusSpinEdit::TypeDigit(QChar c) {
    const int digit = DigitValue(c);
    if (digit < 0 || digit >= fBase || !fEditorEnabled)
        return;
    if (!FocusInText())
        return; // nothing to replace
    double v = 0;
    if (!ParseInBase(TypedText(fText, fFocusIndex, c, fInternalThousandSep), fBase, v)) {
        ReportError(QStringLiteral("Not a valid number"));
        return;
    }
    if (fIncExponent > -fDecimals)
        SetIncExponent(fIncExponent - 1);
    setValue(v);
}

void TPlusSpinEdit::ReportError(const QString &message) {
    if (OnError)
        OnError(message);
    else
        QMessageBox::critical(this, QCoreApplication::applicationName(), message);
}

// ---- mouse ------------------------------------------------------------------------------

void TPlusSpinEdit::mousePressEvent(QMouseEvent *e) {
    if (!fEnabled || e->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(e);
        return;
    }
    PlaceFocusAt(qRound(e->position().x()));
}

void TPlusSpinEdit::PlaceFocusAt(int x) {
    const int place = PlaceAt(fText, fDecimals, fInternalThousandSep, x - fCapXStart,
                              [this](const QString &s) { return TextWidth(s); });
    SetIncExponent(place);
    if (hasFocus())
        update();
    else
        setFocus(Qt::MouseFocusReason);
}

void TPlusSpinEdit::mouseDoubleClickEvent(QMouseEvent *e) {
    mousePressEvent(e); // the second press of a double click places the focus too
    if (fEnabled && e->button() == Qt::LeftButton)
        RightZero();
}

// ---- focus ------------------------------------------------------------------------------

void TPlusSpinEdit::focusInEvent(QFocusEvent *e) {
    QWidget::focusInEvent(e);
    update();
}

void TPlusSpinEdit::focusOutEvent(QFocusEvent *e) {
    QWidget::focusOutEvent(e);
    // The release of a held key or button may go elsewhere now; end the spin so that a
    // held-back change is reported.
    if (fSpinning)
        EndSpin();
    update();
}

// ---- stepping ---------------------------------------------------------------------------

// A repeat of the timer steps only while its button is drawn pressed.
void TPlusSpinEdit::Spin(bool up, bool byTimer) {
    if (!fEnabled)
        return;
    if (byTimer) {
        fTimer->setInterval(RepeatIntervalMs);
        if (!(up ? fUpButton : fDownButton)->IsDrawnPressed())
            return;
    }
    setValue(up ? fValue + fIncrement : fValue - fIncrement);
}

void TPlusSpinEdit::SpinButtonMouseDown(TSpinButton *button) {
    if (!fEnabled)
        return;
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    fSpinning = true;
    update(); // hides the caret
    fTimer->setInterval(FirstRepeatDelayMs);
    fTimer->start();
    fTimerStepsUp = button == fUpButton;
    Spin(fTimerStepsUp, false);
}

void TPlusSpinEdit::SpinButtonMouseUp() {
    if (!fEnabled || !fSpinning)
        return;
    EndSpin();
}

void TPlusSpinEdit::EndSpin() {
    fSpinning = false;
    fTimer->stop();
    update(); // shows the caret again
    if (!fTrackSpin && fModified) {
        fModified = false;
        Change();
    }
}
