#include "PlusSpinEdit.h"
#include "SpinButton.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QShortcut>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

// A shown, focused control in its own window, counting the events it raises.
class SpinEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(400, 100);
        edit = new TPlusSpinEdit(&window);
        edit->move(10, 10);
        edit->OnError = [this](const QString &m) { errors << m; };
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        edit->setFocus();
        QApplication::processEvents();
    }

    void CountChanges() {
        edit->OnChange = [this](TPlusSpinEdit *sender) {
            EXPECT_EQ(sender, edit);
            values << sender->Value();
        };
    }

    void Key(Qt::Key key, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(edit, key, m);
    }
    void Type(char c) { QTest::keyClick(edit, c); }

    TSpinButton *Button(const char *name) { return edit->findChild<TSpinButton *>(name); }
    QTimer *RepeatTimer() { return edit->findChild<QTimer *>("fTimer"); }

    void SendMouse(QWidget *w, QEvent::Type type, QPoint pos, Qt::MouseButtons held) {
        QMouseEvent e(type, pos, w->mapToGlobal(pos), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    void Press(TSpinButton *b) {
        SendMouse(b, QEvent::MouseButtonPress, b->rect().center(), Qt::LeftButton);
    }
    void MoveOff(TSpinButton *b) {
        SendMouse(b, QEvent::MouseMove, QPoint(-20, -20), Qt::LeftButton);
    }
    void MoveOn(TSpinButton *b) {
        SendMouse(b, QEvent::MouseMove, b->rect().center(), Qt::LeftButton);
    }
    void Release(TSpinButton *b, QPoint at) {
        SendMouse(b, QEvent::MouseButtonRelease, at, Qt::NoButton);
    }
    void Tick() { QMetaObject::invokeMethod(RepeatTimer(), "timeout"); }

    // x of the middle of the k-th character from the right end of the text (k = 1: last).
    int XOfCharFromRight(int k) {
        const QFontMetrics fm = edit->fontMetrics();
        const QString shown = edit->Text().replace(QLatin1Char('_'), QLatin1Char('0'));
        const int start = Button("fUpButton")->x() - fm.horizontalAdvance(QLatin1Char('0')) / 2 -
                          fm.horizontalAdvance(shown);
        const int i = shown.size() - k;
        return start + fm.horizontalAdvance(shown.left(i)) +
               fm.horizontalAdvance(shown.mid(i, 1)) / 2;
    }

    int CountPixels(const QImage &img, QRgb colour) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                n += (img.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
        return n;
    }
    // The focus digit sits on a blue box while the control has the focus and loses it with
    // the focus; `beside` is a colour drawn along with the box (the digit's, the text's).
    void ExpectFocusBoxOnlyWhileFocused(QRgb beside) {
        const QImage focused = edit->grab().toImage();
        EXPECT_GT(CountPixels(focused, qRgb(0, 0, 255)), 10);
        EXPECT_GT(CountPixels(focused, beside), 0);
        edit->clearFocus();
        QApplication::processEvents();
        EXPECT_EQ(CountPixels(edit->grab().toImage(), qRgb(0, 0, 255)), 0);
    }

    QWidget window;
    TPlusSpinEdit *edit = nullptr;
    QList<double> values;
    QStringList errors;
};

} // namespace

TEST_F(SpinEditTest, DefaultsAfterConstruction) {
    EXPECT_EQ(edit->Text(), "0.00");
    EXPECT_EQ(edit->Value(), 0);
    EXPECT_EQ(edit->MinValue(), 0);
    EXPECT_EQ(edit->MaxValue(), 0);
    EXPECT_EQ(edit->Decimals(), 2);
    EXPECT_EQ(edit->Increment(), 1.0);
    EXPECT_EQ(edit->Base(), 10);
    EXPECT_EQ(edit->LeadingDigits(), 0);
    EXPECT_TRUE(edit->ThousandSeparator().isNull());
    EXPECT_TRUE(edit->AutoSize());
    EXPECT_TRUE(edit->TrackSpin());
    EXPECT_TRUE(edit->EditorEnabled());
    EXPECT_FALSE(edit->EnterRequired());
    EXPECT_TRUE(edit->InputEnabled());
    EXPECT_EQ(edit->BorderStyle(), TPlusSpinEdit::bsSingle);
    EXPECT_EQ(edit->focusPolicy(), Qt::StrongFocus);
    EXPECT_EQ(edit->height() % 2, 1); // auto size: odd height
}

// Layouts ask for the size the limits need, not for whatever size the control has now.
TEST_F(SpinEditTest, SizeHintIsTheAutoSizeOfTheLimits) {
    edit->setMinValue(-1000);
    edit->setMaxValue(100000);
    const QSize sized = edit->size();
    EXPECT_EQ(edit->sizeHint(), sized);
    edit->setAutoSize(false);
    edit->resize(7, 5);
    EXPECT_EQ(edit->sizeHint(), sized);
    edit->setMinValue(-100000000);
    EXPECT_GT(edit->sizeHint().width(), sized.width());
}

TEST_F(SpinEditTest, EqualLimitsDoNotClamp) {
    CountChanges();
    edit->setValue(-1e9);
    EXPECT_EQ(edit->Value(), -1e9);
    edit->setValue(4e12);
    EXPECT_EQ(edit->Value(), 4e12);
    EXPECT_EQ(values, (QList<double>{-1e9, 4e12}));
}

TEST_F(SpinEditTest, ClampFiresOnceAndOnlyOnChange) {
    edit->setMaxValue(5000);
    edit->setMinValue(1000);
    edit->setValue(2000);
    CountChanges();
    edit->setValue(0);
    EXPECT_EQ(edit->Value(), 1000);
    edit->setValue(0);
    EXPECT_EQ(values, QList<double>{1000});
    edit->setValue(9000);
    EXPECT_EQ(edit->Value(), 5000);
    EXPECT_EQ(edit->Text(), "5000.00");
    // SetValue shows a value without an event.
    edit->setValueQuietly(3000);
    EXPECT_EQ(edit->Value(), 3000);
    EXPECT_EQ(edit->Text(), "3000.00");
    EXPECT_EQ(values, (QList<double>{1000, 5000}));
    // A limit change re-applies the value.
    edit->setMinValue(3500);
    EXPECT_EQ(edit->Value(), 3500);
    EXPECT_EQ(values, (QList<double>{1000, 5000, 3500}));
}

TEST_F(SpinEditTest, HeldSpinButtonStepsAtPressThenPerTick) {
    CountChanges();
    TSpinButton *up = Button("fUpButton");
    ASSERT_NE(up, nullptr);
    QTimer *timer = RepeatTimer();
    ASSERT_NE(timer, nullptr);

    Press(up);
    EXPECT_EQ(edit->Value(), 1);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 500);
    Tick();
    EXPECT_EQ(edit->Value(), 2);
    EXPECT_EQ(timer->interval(), 150);
    Tick();
    EXPECT_EQ(edit->Value(), 3);
    // Pointer off the held button: no steps, but the spin goes on.
    MoveOff(up);
    Tick();
    Tick();
    EXPECT_EQ(edit->Value(), 3);
    MoveOn(up);
    Tick();
    EXPECT_EQ(edit->Value(), 4);
    Release(up, up->rect().center());
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(values, (QList<double>{1, 2, 3, 4}));

    TSpinButton *down = Button("fDownButton");
    Press(down);
    Tick();
    Release(down, QPoint(-20, -20)); // released off the button still ends the spin
    EXPECT_EQ(edit->Value(), 2);
    EXPECT_FALSE(timer->isActive());
}

// Real timers, waited for by what they do, so a loaded machine only makes it slower.
TEST_F(SpinEditTest, HeldSpinButtonRealTimerDelays) {
    QList<qint64> at;
    QElapsedTimer clock;
    edit->OnChange = [&](TPlusSpinEdit *) { at << clock.elapsed(); };
    TSpinButton *up = Button("fUpButton");
    clock.start();
    Press(up);
    EXPECT_EQ(at.size(), 1); // the first step comes with the press itself
    ASSERT_TRUE(QTest::qWaitFor([&] { return at.size() >= 4; }, 10000)); // 0, 500, 650, 800 ms
    Release(up, up->rect().center());
    EXPECT_FALSE(RepeatTimer()->isActive());
    const int steps = at.size();
    EXPECT_GE(at[1] - at[0], 450); // coarse timers may fire up to 5 % early
    for (int i = 2; i < steps; ++i)
        EXPECT_GE(at[i] - at[i - 1], 135) << i;
    EXPECT_EQ(edit->Value(), steps);
    QTest::qWait(400);
    EXPECT_EQ(at.size(), steps); // nothing after the release

    // Held with the pointer moved off at once: the spin goes on, but only the first step.
    at.clear();
    QSignalSpy ticks(RepeatTimer(), &QTimer::timeout);
    Press(up);
    MoveOff(up);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks.size() >= 3; }, 10000));
    Release(up, QPoint(-20, -20));
    EXPECT_EQ(at.size(), 1);
}

TEST_F(SpinEditTest, TrackSpinOffGivesOneChangeAtKeyRelease) {
    edit->setTrackSpin(false);
    CountChanges();
    auto send = [this](QEvent::Type type, bool autoRepeat) {
        QKeyEvent e(type, Qt::Key_Up, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(edit, &e);
    };
    send(QEvent::KeyPress, false);
    for (int i = 1; i < 10; ++i) { // auto-repeat as X11 sends it: release/press pairs
        send(QEvent::KeyRelease, true);
        send(QEvent::KeyPress, true);
    }
    EXPECT_EQ(edit->Value(), 10);
    EXPECT_TRUE(values.isEmpty());
    send(QEvent::KeyRelease, false);
    EXPECT_EQ(values, QList<double>{10});

    // At the limit: no change, no event.
    edit->setMaxValue(10);
    edit->setMinValue(-10);
    values.clear();
    for (int i = 0; i < 3; ++i)
        send(QEvent::KeyPress, i > 0);
    send(QEvent::KeyRelease, false);
    EXPECT_TRUE(values.isEmpty());
}

TEST_F(SpinEditTest, TrackSpinOffGivesOneChangeAtButtonRelease) {
    edit->setTrackSpin(false);
    CountChanges();
    TSpinButton *up = Button("fUpButton");
    Press(up);
    for (int i = 1; i < 10; ++i)
        Tick();
    EXPECT_TRUE(values.isEmpty());
    Release(up, up->rect().center());
    EXPECT_EQ(values, QList<double>{10});
}

TEST_F(SpinEditTest, TypingOnALeadingPlaceholder) {
    edit->setDecimals(0);
    edit->setThousandSeparator(QLatin1Char(','));
    edit->setValue(5);
    CountChanges();
    for (int i = 0; i < 3; ++i)
        Key(Qt::Key_Left);
    EXPECT_EQ(edit->Text(), "_,__5");
    EXPECT_EQ(edit->Increment(), 1000);
    Type('2');
    EXPECT_EQ(edit->Value(), 2005);
    EXPECT_EQ(edit->Text(), "2,005");
    EXPECT_EQ(edit->Increment(), 100); // focus on the hundreds place
    Type('7');
    EXPECT_EQ(edit->Value(), 2705);
    EXPECT_EQ(values, (QList<double>{2005, 2705}));
}

TEST_F(SpinEditTest, TwelveDecimalsWithAFloorIncrement) {
    edit->setDecimals(12);
    edit->setIncrement(1e-8);
    EXPECT_EQ(edit->Increment(), 1e-8);
    for (int i = 0; i < 6; ++i) // four places down to the 12th, then no further
        Key(Qt::Key_Right);
    EXPECT_EQ(edit->Increment(), 1e-8); // the step never gets below the given increment
    Type('7');
    EXPECT_EQ(edit->Text(), "0.000000000007");
    Key(Qt::Key_Up);
    EXPECT_DOUBLE_EQ(edit->Value(), 1.0007e-8);
    for (int i = 0; i < 5; ++i)
        Key(Qt::Key_Left); // 12th -> 7th decimal
    EXPECT_DOUBLE_EQ(edit->Increment(), 1e-7);
    Type('3');
    EXPECT_EQ(edit->Text(), "0.000000310007");
}

TEST_F(SpinEditTest, GroupingOfNegativeValues) {
    edit->setDecimals(0);
    edit->setThousandSeparator(QLatin1Char(','));
    edit->setValue(-1234);
    EXPECT_EQ(edit->Text(), "-1,234");
    edit->setValue(-123);
    EXPECT_EQ(edit->Text(), "-123");
    // Separators that could read as part of a number become blanks.
    edit->setThousandSeparator(QLatin1Char('.'));
    EXPECT_EQ(edit->ThousandSeparator(), QLatin1Char('.'));
    edit->setValue(-1234);
    EXPECT_EQ(edit->Text(), "-1 234");
    edit->setThousandSeparator(QLatin1Char('7'));
    EXPECT_EQ(edit->Text(), "-1 234");
    edit->setThousandSeparator(QChar());
    EXPECT_EQ(edit->Text(), "-1234");
}

TEST_F(SpinEditTest, CtrlZeroAndDoubleClickZeroTheDigitsRightOfTheFocus) {
    edit->setDecimals(0);
    edit->setValue(4567);
    edit->setIncrement(10);
    Key(Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(edit->Value(), 4560);
    EXPECT_EQ(edit->Text(), "4560");

    edit->setValue(4567);
    edit->setIncrement(1);
    CountChanges();
    QTest::mouseDClick(edit, Qt::LeftButton, Qt::NoModifier, QPoint(XOfCharFromRight(2), 12));
    EXPECT_EQ(edit->Value(), 4560);
    EXPECT_EQ(edit->Increment(), 10);
    EXPECT_EQ(values, QList<double>{4560});

    // Public RightZero with decimals.
    edit->setDecimals(4);
    edit->setValue(1.2345);
    edit->setIncrement(0.01);
    edit->RightZero();
    EXPECT_EQ(edit->Value(), 1.23);
    EXPECT_EQ(edit->Text(), "1.2300");
}

TEST_F(SpinEditTest, ClickPlacesTheFocusDigit) {
    edit->setDecimals(3);
    edit->setThousandSeparator(QLatin1Char(','));
    edit->setValue(1234.567);
    ASSERT_EQ(edit->Text(), "1,234.567");
    QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier, QPoint(XOfCharFromRight(9), 12));
    EXPECT_EQ(edit->Increment(), 1000);
    QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier, QPoint(XOfCharFromRight(2), 12));
    EXPECT_DOUBLE_EQ(edit->Increment(), 0.01);
    QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier, QPoint(XOfCharFromRight(5), 12));
    EXPECT_EQ(edit->Increment(), 1);
    Type('9');
    EXPECT_DOUBLE_EQ(edit->Value(), 1239.567);
}

TEST_F(SpinEditTest, KeysThatAreNoDigitOfTheBaseChangeNothing) {
    edit->setValue(12.5);
    CountChanges();
    for (char c : {'A', 'z', '-', '.', '+', ' '})
        Type(c);
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Return);
    EXPECT_EQ(edit->Text(), "12.50");
    edit->setEditorEnabled(false);
    Type('5');
    EXPECT_EQ(edit->Text(), "12.50");
    Key(Qt::Key_Up); // stepping still works
    EXPECT_EQ(edit->Value(), 13.5);
    EXPECT_EQ(values, QList<double>{13.5});
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(SpinEditTest, TypingOverTheMinusSign) {
    edit->setDecimals(0);
    edit->setValue(-5);
    Key(Qt::Key_Left);
    EXPECT_EQ(edit->Increment(), 10);
    Type('3');
    EXPECT_EQ(edit->Value(), 35);
    EXPECT_EQ(edit->Text(), "35");
}

TEST_F(SpinEditTest, DecimalsLeadingDigitsAndBaseAreClamped) {
    edit->setDecimals(25);
    EXPECT_EQ(edit->Decimals(), 18);
    EXPECT_EQ(edit->Text(), "0.000000000000000000");
    edit->setDecimals(-3);
    EXPECT_EQ(edit->Decimals(), 0);
    EXPECT_EQ(edit->Text(), "0");
    edit->setLeadingDigits(40);
    EXPECT_EQ(edit->LeadingDigits(), 18);
    edit->setBase(1);
    EXPECT_EQ(edit->Base(), 2);
    edit->setBase(40);
    EXPECT_EQ(edit->Base(), 20);
    edit->setBase(16);
    edit->setDecimals(0);
    edit->setIncrement(1);
    edit->setValue(0);
    Type('C'); // a digit of base 16
    EXPECT_EQ(edit->Value(), 12);
}

TEST_F(SpinEditTest, BadValuesAreIgnoredOrShownSafely) {
    edit->setDecimals(18);
    edit->setThousandSeparator(QLatin1Char(','));
    EXPECT_EQ(edit->Text(), "0.000,000,000,000,000,000");
    edit->setValue(1.5);
    CountChanges();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (double bad : {nan, inf, -inf}) {
        edit->setValue(bad);
        edit->setValueQuietly(bad);
        edit->setMinValue(bad);
        edit->setMaxValue(bad);
        edit->setIncrement(bad);
    }
    EXPECT_EQ(edit->Value(), 1.5);
    EXPECT_EQ(edit->MinValue(), 0);
    EXPECT_EQ(edit->MaxValue(), 0);
    EXPECT_EQ(edit->Increment(), 1);
    EXPECT_TRUE(values.isEmpty());

    edit->setValue(1e300);
    EXPECT_EQ(edit->Text(), "1.00000000000000E+300");
    Key(Qt::Key_Up);
    Key(Qt::Key_Left);
    EXPECT_FALSE(edit->grab().isNull());
    edit->setValue(-1e300);
    EXPECT_EQ(edit->Value(), -1e300);
    EXPECT_EQ(edit->IntValue(), std::numeric_limits<qint32>::min());
    EXPECT_FALSE(edit->grab().isNull());
}

TEST_F(SpinEditTest, NotAValidNumberLeavesEverythingAsItWas) {
    // The text is always decimal; typed text is read in the base, so a 2 left in a
    // base-2 control cannot be read.
    edit->setDecimals(0);
    edit->setValue(25);
    edit->setBase(2);
    const QString text = edit->Text();
    const double increment = edit->Increment();
    CountChanges();
    Type('1');
    EXPECT_EQ(errors, QStringList{"Not a valid number"});
    EXPECT_EQ(edit->Value(), 25);
    EXPECT_EQ(edit->Text(), text);
    EXPECT_EQ(edit->Text(), "25");
    EXPECT_EQ(edit->Increment(), increment);
    EXPECT_TRUE(values.isEmpty());
    // A digit that makes it readable is taken.
    edit->setValue(11);
    Type('0');
    EXPECT_EQ(edit->Value(), 2); // "10" in base 2
    EXPECT_EQ(errors.size(), 1);

    // Exponent form: no digit place to type over.
    edit->setBase(10);
    edit->setValue(1e300);
    Type('5');
    EXPECT_EQ(edit->Value(), 1e300);
    EXPECT_EQ(errors.size(), 1);
}

TEST_F(SpinEditTest, FocusOutsideTheTextIsBounded) {
    edit->setDecimals(9);
    edit->setIncrement(2.5e-10); // one place right of the last decimal
    EXPECT_EQ(edit->Increment(), 2.5e-10);
    CountChanges();
    Type('5'); // nothing to replace
    EXPECT_EQ(edit->Text(), "0.000000000");
    QImage img = edit->grab().toImage();
    EXPECT_EQ(CountPixels(img, qRgb(0, 0, 255)), 0); // no focus mark
    Key(Qt::Key_Up);
    EXPECT_EQ(edit->Value(), 2.5e-10);
    Key(Qt::Key_Left); // back into the text
    Type('4');
    EXPECT_EQ(edit->Text(), "0.000000004");
    EXPECT_TRUE(errors.isEmpty());

    // A zero increment: steps add nothing, moving the focus divides by nothing.
    edit->setIncrement(0);
    values.clear();
    Key(Qt::Key_Up);
    Key(Qt::Key_Left);
    Key(Qt::Key_Right);
    EXPECT_EQ(edit->Value(), 4e-9);
    EXPECT_TRUE(values.isEmpty());
}

TEST_F(SpinEditTest, IncrementEventsAndIntValue) {
    int raised = 0;
    edit->OnSetIncrement = [&](TPlusSpinEdit *) { ++raised; };
    edit->setIncrement(0.01);
    EXPECT_EQ(raised, 1);
    Key(Qt::Key_Left);
    EXPECT_EQ(raised, 2);
    EXPECT_DOUBLE_EQ(edit->Increment(), 0.1);
    edit->setIncrement(0.1); // same step: no event
    EXPECT_EQ(raised, 2);
    edit->setIntValue(7);
    EXPECT_EQ(edit->Value(), 7);
    edit->setValue(2.5);
    EXPECT_EQ(edit->IntValue(), 2); // ties to even
    edit->setValue(3.5);
    EXPECT_EQ(edit->IntValue(), 4);
}

TEST_F(SpinEditTest, FocusStaysWithinTheLimits) {
    edit->setDecimals(0);
    edit->setMaxValue(999);
    edit->setMinValue(0);
    for (int i = 0; i < 10; ++i)
        Key(Qt::Key_Left);
    EXPECT_EQ(edit->Increment(), 100); // highest place of 999
}

TEST_F(SpinEditTest, DisabledControlIgnoresInputButStaysFocusable) {
    edit->setValue(5);
    edit->setInputEnabled(false);
    CountChanges();
    EXPECT_FALSE(edit->InputEnabled());
    EXPECT_TRUE(edit->isEnabled());
    Key(Qt::Key_Up);
    Key(Qt::Key_Left);
    Type('9');
    Key(Qt::Key_0, Qt::ControlModifier);
    TSpinButton *up = Button("fUpButton");
    Press(up);
    Release(up, up->rect().center());
    QTest::mouseDClick(edit, Qt::LeftButton, Qt::NoModifier, QPoint(XOfCharFromRight(4), 12));
    EXPECT_EQ(edit->Value(), 5);
    EXPECT_EQ(edit->Increment(), 1);
    EXPECT_TRUE(values.isEmpty());
    EXPECT_FALSE(RepeatTimer()->isActive());
    edit->setValue(6); // code still writes it
    EXPECT_EQ(values, QList<double>{6});
    // Grey text; the focus digit still on its blue box while the control has the focus.
    EXPECT_TRUE(edit->hasFocus());
    ExpectFocusBoxOnlyWhileFocused(qRgb(128, 128, 128));
    edit->setInputEnabled(true);
    Key(Qt::Key_Up);
    EXPECT_EQ(edit->Value(), 7);
}

TEST_F(SpinEditTest, DisabledControlTakesNoFocusFromAClickButFromTab) {
    auto *other = new TPlusSpinEdit(&window);
    other->move(10, 50);
    other->show();
    other->setFocus();
    QApplication::processEvents();
    edit->setInputEnabled(false);
    QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier, QPoint(XOfCharFromRight(2), 10));
    TSpinButton *up = Button("fUpButton");
    QTest::mousePress(up, Qt::LeftButton, Qt::NoModifier, up->rect().center());
    QTest::mouseRelease(up, Qt::LeftButton, Qt::NoModifier, up->rect().center());
    EXPECT_TRUE(other->hasFocus());
    QTest::keyClick(other, Qt::Key_Tab);
    EXPECT_TRUE(edit->hasFocus());
    other->setFocus();
    edit->setInputEnabled(true);
    QTest::mouseClick(edit, Qt::LeftButton, Qt::NoModifier, QPoint(XOfCharFromRight(2), 10));
    EXPECT_TRUE(edit->hasFocus());
}

TEST_F(SpinEditTest, FocusDigitOnBlueWhenFocusedUnderlinedWhenNot) {
    edit->setValue(8);
    ExpectFocusBoxOnlyWhileFocused(qRgb(255, 255, 255));
}

TEST_F(SpinEditTest, ArrowKeysAreNotTakenByWindowShortcuts) {
    int shortcutFired = 0;
    auto *s = new QShortcut(QKeySequence(Qt::Key_Up), &window);
    QObject::connect(s, &QShortcut::activated, [&] { ++shortcutFired; });
    auto *s0 = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_0), &window);
    QObject::connect(s0, &QShortcut::activated, [&] { ++shortcutFired; });
    auto *s5 = new QShortcut(QKeySequence(Qt::Key_5), &window);
    QObject::connect(s5, &QShortcut::activated, [&] { ++shortcutFired; });
    edit->setDecimals(0);
    edit->setValue(47);
    Key(Qt::Key_Up);
    EXPECT_EQ(edit->Value(), 48);
    Key(Qt::Key_Left);
    Key(Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(edit->Value(), 40);
    Type('5');
    EXPECT_EQ(edit->Value(), 50);
    EXPECT_EQ(shortcutFired, 0);
    // A disabled control leaves the keys to the window.
    edit->setInputEnabled(false);
    Key(Qt::Key_Up);
    EXPECT_EQ(shortcutFired, 1);
    EXPECT_EQ(edit->Value(), 50);
}

TEST_F(SpinEditTest, FocusLossEndsASpinAndReportsTheHeldBackChange) {
    edit->setTrackSpin(false);
    CountChanges();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QApplication::sendEvent(edit, &press);
    EXPECT_TRUE(values.isEmpty());
    edit->clearFocus(); // the key release will go elsewhere
    EXPECT_EQ(values, QList<double>{1});
}

TEST_F(SpinEditTest, CloneInPropertyOrderRaisesNoEvents) {
    edit->setDecimals(11);
    edit->setIncrement(5e-9);
    edit->setMaxValue(10);
    edit->setMinValue(0);
    edit->setValue(1.5e-6);
    edit->setThousandSeparator(QLatin1Char(','));

    TPlusSpinEdit clone(&window);
    int changes = 0;
    clone.setAutoSize(edit->AutoSize());
    clone.setBorderStyle(edit->BorderStyle());
    clone.setDecimals(edit->Decimals());
    clone.setIncrement(edit->Increment());
    clone.setMaxValue(edit->MaxValue());
    clone.setMinValue(edit->MinValue());
    clone.setValue(edit->Value());
    clone.setThousandSeparator(edit->ThousandSeparator());
    clone.OnChange = [&](TPlusSpinEdit *) { ++changes; };
    EXPECT_EQ(clone.Text(), edit->Text());
    EXPECT_EQ(clone.Text(), "0.000,001,500,00");
    EXPECT_EQ(clone.Increment(), 5e-9);
    EXPECT_EQ(clone.size(), edit->size());
    EXPECT_EQ(changes, 0);
    // The widest limit fits beside the buttons.
    const int textRight = clone.findChild<TSpinButton *>("fUpButton")->x();
    EXPECT_GT(textRight - clone.fontMetrics().horizontalAdvance("10.000,000,000,00"), 0);
}
