#include "SpinButton.h"

#include "PlusSpinEditText.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

TSpinButton::TSpinButton(TDirection direction, QWidget *parent)
    : QWidget(parent), FDirection(direction) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void TSpinButton::SetGlyph(bool enabled) {
    const int c = PlusSpinEditText::GlyphSize(width());
    // Every layout pass asks again; drawing the same arrow anew is wasted work.
    if (FGlyphSet && c == FGlyphSize && enabled == FGlyphEnabled)
        return;
    FGlyphSet = true;
    FGlyphSize = c;
    FGlyphEnabled = enabled;
    FGlyph = QPixmap(); // drawn at the next paint: pages never shown need none
    update();
}

void TSpinButton::DrawGlyph() {
    const int c = FGlyphSize;
    QPixmap glyph(c + 1, c / 2 + 2);
    glyph.fill(Qt::transparent);
    QPainter p(&glyph);
    const QColor colour = FGlyphEnabled ? QColor(Qt::black) : QColor(128, 128, 128);
    p.setPen(colour);
    p.setBrush(colour);
    QPolygon triangle;
    if (FDirection == sdUp)
        triangle << QPoint(0, c / 2) << QPoint(c / 2, 0) << QPoint(c, c / 2);
    else
        triangle << QPoint(0, 1) << QPoint(c / 2, c / 2 + 1) << QPoint(c, 1);
    p.drawPolygon(triangle);
    p.end();
    FGlyph = glyph;
}

void TSpinButton::paintEvent(QPaintEvent *) {
    if (FGlyphSet && FGlyph.isNull())
        DrawGlyph();
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, palette().button());
    const bool sunken = IsDrawnPressed();
    p.setPen(sunken ? palette().dark().color() : palette().light().color());
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(sunken ? palette().light().color() : palette().dark().color());
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    const int shift = sunken ? 1 : 0;
    const QPoint at((width() - FGlyph.width()) / 2 + shift,
                    (height() - FGlyph.height()) / 2 + shift);
    p.drawPixmap(at, FGlyph);
}

void TSpinButton::mousePressEvent(QMouseEvent *e) {
    if (e->button() != Qt::LeftButton) {
        e->ignore();
        return;
    }
    FHeld = true;
    FPointerInside = true;
    update();
    if (OnMouseDown)
        OnMouseDown(this);
}

void TSpinButton::mouseDoubleClickEvent(QMouseEvent *e) {
    mousePressEvent(e);
}

void TSpinButton::mouseMoveEvent(QMouseEvent *e) {
    if (!FHeld)
        return;
    const bool inside = rect().contains(e->position().toPoint());
    if (inside != FPointerInside) {
        FPointerInside = inside;
        update();
    }
}

void TSpinButton::mouseReleaseEvent(QMouseEvent *e) {
    if (e->button() != Qt::LeftButton || !FHeld)
        return;
    FHeld = false;
    FPointerInside = false;
    update();
    if (OnMouseUp)
        OnMouseUp(this);
}
