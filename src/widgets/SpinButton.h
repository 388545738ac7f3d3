#pragma once

#include <QWidget>
#include <functional>

// One of the two arrow buttons of TPlusSpinEdit. It reports the press and the release of
// the left button and whether it is drawn pressed: held with the pointer on it.
class TSpinButton : public QWidget {
    Q_OBJECT

public:
    enum TDirection { sdUp, sdDown };

    TSpinButton(TDirection direction, QWidget *parent);

    TDirection Direction() const { return FDirection; }
    bool IsDrawnPressed() const { return FHeld && FPointerInside; }
    // Rebuilds the arrow glyph for the current width; grey when not enabled.
    void SetGlyph(bool enabled);

    std::function<void(TSpinButton *)> OnMouseDown;
    std::function<void(TSpinButton *)> OnMouseUp;

protected:
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;

private:
    void DrawGlyph();

    TDirection FDirection;
    bool FHeld = false;
    bool FPointerInside = false;
    QPixmap FGlyph;
    bool FGlyphSet = false;
    int FGlyphSize = -1;
    bool FGlyphEnabled = false;
};
