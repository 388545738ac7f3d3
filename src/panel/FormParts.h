#pragma once

// Small factories the window's builders share, so that every control of a kind is set
// up the same way (names, hints, property order).

#include <QChar>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

class QComboBox;
class QGroupBox;
class QWidget;
class TPlusSpinEdit;

namespace FormParts {

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

// Top left that centres a window of `size` in `area`; a window larger than the area keeps
// its top left inside it, so the caption and the menu stay within reach.
QPoint CentredTopLeft(const QRect &area, const QSize &size);

// Moves a top-level window to the centre of its screen's free area.
void CentreOnScreen(QWidget *window);

} // namespace FormParts
