#pragma once

#include <QChar>
#include <QHash>
#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>

class QTimer;
class TSpinButton;

// Digit-wise numeric entry: one digit of the right-aligned number is the focus digit;
// Up/Down and the spin buttons add or subtract its place value, Left/Right move it and a
// typed digit replaces it. The value is clamped to the limits (unless they are equal) and
// every change of the stored value is reported through OnChange.
class TPlusSpinEdit : public QWidget {
    Q_OBJECT

public:
    enum TBorderStyle { bsNone, bsSingle };

    explicit TPlusSpinEdit(QWidget *parent = nullptr);
    ~TPlusSpinEdit() override;

    double Value() const { return fValue; }
    // Property write: clamps; OnChange whenever the stored value changes (also from code).
    void setValue(double v);
    // Shows a value without raising any event (no OnChange).
    void setValueQuietly(double v);
    qint32 IntValue() const;
    void setIntValue(qint32 v);
    double MinValue() const { return fMinValue; }
    void setMinValue(double v);
    double MaxValue() const { return fMaxValue; }
    void setMaxValue(double v);
    double Increment() const { return fIncrement; }
    void setIncrement(double v);
    int Decimals() const { return fDecimals; }
    void setDecimals(int v);
    int LeadingDigits() const { return fLeading; }
    void setLeadingDigits(int v);
    int Base() const { return fBase; }
    void setBase(int v);
    QChar ThousandSeparator() const { return fThousandSep; } // QChar() = none
    void setThousandSeparator(QChar c);
    bool TrackSpin() const { return fTrackSpin; }
    void setTrackSpin(bool v) { fTrackSpin = v; }
    bool EditorEnabled() const { return fEditorEnabled; }
    void setEditorEnabled(bool v) { fEditorEnabled = v; }
    bool EnterRequired() const { return fEnterReq; }
    void setEnterRequired(bool v) { fEnterReq = v; }
    bool AutoSize() const { return fAutoSize; }
    void setAutoSize(bool v);
    TBorderStyle BorderStyle() const { return fBorderStyle; }
    void setBorderStyle(TBorderStyle v);
    // The control's own enabled state: the widget stays enabled and focusable, input is
    // ignored and text and arrows turn grey.
    bool InputEnabled() const { return fEnabled; }
    void setInputEnabled(bool v);
    // The displayed text; "_" marks a placeholder digit (drawn as "0").
    QString Text() const { return fText; }
    // All digits right of the focus digit become 0.
    void RightZero();
    // One step up or down, as one click of a spin button makes it (nothing while the
    // control's Enabled is off).
    void StepUp();
    void StepDown();
    // 1-based position of the focus digit in Text(); may lie past its end.
    int FocusIndex() const { return fFocusIndex; }
    // Where the character at 0-based `index` of Text() is drawn; invalid outside the text.
    QRect CharacterRect(int index) const;

    std::function<void(TPlusSpinEdit *sender)> OnChange;
    std::function<void(TPlusSpinEdit *sender)> OnSetIncrement;
    // "Not a valid number" goes here; when unset, a QMessageBox::critical.
    std::function<void(const QString &message)> OnError;

    QSize sizeHint() const override;

protected:
    virtual void Change();

    bool event(QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void changeEvent(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;

private:
    void FormatText();
    void LocateFocusDigit();
    void SetIncExponent(int n);
    void SetLimit(double &limit, double v);
    void LayoutButtons();
    int ButtonWidth() const;
    void FontChanged();
    void ApplyAutoSize();
    // Sizes to the text (AutoSize), else lays the buttons out again in the same size.
    void Relayout();
    // Formats the text again and sizes to it (AutoSize), else places the focus digit.
    void Reformat();
    bool FocusInText() const;
    int TextWidth(const QString &s) const;
    void TypeDigit(QChar c);
    void PlaceFocusAt(int x);
    void Spin(bool up, bool byTimer);
    void EndSpin();
    void SpinButtonMouseDown(TSpinButton *button);
    void SpinButtonMouseUp();
    void ReportError(const QString &message);

    double fMinValue = 0;
    double fMaxValue = 0;
    double fValue = 0;
    double fIncrement = 1.0;
    double fSavedIncrement = 0;
    int fDecimals = 2;
    int fLeading = 0;
    bool fAutoSize = true;
    bool fTrackSpin = true;
    bool fModified = false;
    bool fEditorEnabled = true;
    TBorderStyle fBorderStyle = bsSingle;
    QChar fThousandSep;
    int fBase = 10;
    bool fEnabled = true;
    bool fEnterReq = false;
    int fIncExponent = 0;
    int fDigitWidth = 0;
    int fDigitHeight = 0;
    int fCapXStart = 0;
    int fCapXStop = 0;
    int fCapYStart = 0;
    int fFocusIndex = 1;
    TSpinButton *fUpButton = nullptr;
    TSpinButton *fDownButton = nullptr;
    QRect fFocusRect;
    bool fSpinning = false;
    QChar fInternalThousandSep;
    QTimer *fTimer = nullptr; // spin-button auto-repeat
    bool fTimerStepsUp = true;
    QString fText;
    mutable QHash<QString, int> fWidthCache; // text -> width in the current font
};
