#pragma once

// Small factories the window's builders share, so that every control of a kind is set
// up the same way (names, hints, property order).

#include <QChar>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <utility>

class QComboBox;
class QGroupBox;
class QWidget;
class TPlusSpinEdit;

namespace FormParts {

// A new widget of class T, built from `args` (caption, parent, ...), named `name`.
template <class T, class... TArgs> T *Named(const QString &name, TArgs &&...args) {
    auto *widget = new T(std::forward<TArgs>(args)...);
    widget->setObjectName(name);
    return widget;
}

// The hint is kept as the "hint" property; "showHint" tells whether it pops up as a
// tooltip. Some controls carry a hint that is never displayed.
void SetHint(QWidget *widget, const QString &hint, bool shown = true);

// A group box whose accessible name is its own caption.
QGroupBox *Group(QWidget *parent, const QString &name, const QString &caption);

// A non-editable drop-down list; index -1 leaves it without a selection.
QComboBox *Selector(QWidget *parent, const QString &name, const QStringList &items, int index = 0);

struct TSpinSetup {
    int Decimals;
    double Increment;
    double MinValue;
    double MaxValue;
    double Value;
    QChar ThousandSeparator; // QChar() = none
};
// Properties are written in the order a form loads them: decimals, increment, maximum,
// minimum, value, separator; no OnChange is assigned.
TPlusSpinEdit *Spin(QWidget *parent, const QString &name, const TSpinSetup &setup);

// A captioned group box holding exactly one editor.
QGroupBox *Boxed(QWidget *parent, const QString &name, const QString &caption, QWidget *editor);

// Pixel-sized font of the given size, family Tahoma (the platform substitutes it).
void SetPixelFont(QWidget *widget, int pixelSize);

// Copies of a template control, as the channel and calibration pages make them. Only a
// font size the template set itself is copied; the rest comes from the parent.
void CopyFontSize(const QWidget *from, QWidget *to);
void CopyHint(const QWidget *from, QWidget *to);
// A numeric entry with the template's size rule, font size, limits, increment, separator,
// value, decimals and border in this order, and last its handlers (so building raises
// no change).
TPlusSpinEdit *CopySpin(const TPlusSpinEdit *from, QWidget *parent, const QString &name);

// Top left that centres a window of `size` in `area`; a window larger than the area keeps
// its top left inside it, so the caption and the menu stay within reach.
QPoint CentredTopLeft(const QRect &area, const QSize &size);

// Moves a top-level window to the centre of its screen's free area.
void CentreOnScreen(QWidget *window);

} // namespace FormParts
