// The numeric entry under typed text and keys, in the configurations the forms use: any
// sequence of digits, letters, signs, arrows and Ctrl+0 leaves a finite value within the
// limits, never a crash, and reports an untypeable text only through OnError.
#include "PlusSpinEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

// Lives until the process ends: destroying it among the exit handlers, after the
// statics it relies on, would crash there.
QApplication *Application = nullptr;

void Check(bool condition) {
    if (!condition)
        std::abort();
}

void Press(TPlusSpinEdit &edit, int key, Qt::KeyboardModifiers modifiers, const QString &text) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(&edit, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(&edit, &release);
}

struct TLimits {
    double Min, Max;
};

struct TKey {
    int Key;
    Qt::KeyboardModifiers Modifiers;
    const char *Text;
};
// The keys the first choices of an input press: the arrows and Ctrl+0.
const TKey Keys[] = {{Qt::Key_Left, Qt::NoModifier, nullptr},
                     {Qt::Key_Right, Qt::NoModifier, nullptr},
                     {Qt::Key_Up, Qt::NoModifier, nullptr},
                     {Qt::Key_Down, Qt::NoModifier, nullptr},
                     {Qt::Key_0, Qt::ControlModifier, "0"}};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Application = new QApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const TLimits limits[] = {{0, 0},
                                     {1000, 5000},
                                     {-100, 200},
                                     {0, 50},
                                     {0, 4294967295.0},
                                     {1e-8, 1000},
                                     {-2147483648.0, 2147483647.0},
                                     {-10, 10}};
    FuzzedDataProvider input(data, size);
    TPlusSpinEdit edit;
    edit.resize(input.ConsumeIntegralInRange(40, 400), 24);
    edit.setDecimals(input.ConsumeIntegralInRange(-3, 25));
    edit.setIncrement(std::pow(10.0, input.ConsumeIntegralInRange(-14, 10)));
    const TLimits l = limits[input.ConsumeIntegralInRange<size_t>(0, std::size(limits) - 1)];
    edit.setMaxValue(l.Max);
    edit.setMinValue(l.Min);
    if (input.ConsumeBool())
        edit.setThousandSeparator(QLatin1Char(','));
    if (input.ConsumeIntegralInRange(0, 7) == 0)
        edit.setBase(input.ConsumeIntegralInRange(-1, 25));
    edit.setTrackSpin(input.ConsumeBool());
    edit.setValue(input.ConsumeFloatingPointInRange(-1e10, 1e10));
    int errors = 0;
    edit.OnError = [&](const QString &message) {
        Check(message == QStringLiteral("Not a valid number"));
        ++errors;
    };

    while (input.remaining_bytes() > 0) {
        const int choice = input.ConsumeIntegralInRange(0, 9);
        if (choice < int(std::size(Keys))) {
            const TKey &k = Keys[choice];
            Press(edit, k.Key, k.Modifiers, QString::fromLatin1(k.Text));
        } else if (choice == 5) {
            edit.setInputEnabled(input.ConsumeIntegralInRange(0, 5) != 0);
        } else if (choice == 6) {
            edit.setEditorEnabled(input.ConsumeIntegralInRange(0, 5) != 0);
        } else {
            // Any character a keyboard can give: digits, letters, "-", ".", control codes.
            const QChar c(input.ConsumeIntegralInRange<char16_t>(0, 0x17F));
            Press(edit, 0, Qt::NoModifier, QString(c));
        }
        const double v = edit.Value();
        Check(std::isfinite(v));
        if (edit.MinValue() != edit.MaxValue())
            Check(v >= edit.MinValue() && v <= edit.MaxValue());
        Check(!edit.Text().isEmpty());
    }
    (void)errors;
    return 0;
}
