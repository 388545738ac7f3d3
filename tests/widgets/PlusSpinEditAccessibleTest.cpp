// TPlusSpinEdit as assistive technology sees it: role, name, value, text and actions.
#include "PlusSpinEdit.h"

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

class SpinEditAccessibleTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto *layout = new QVBoxLayout(&box);
        edit = new TPlusSpinEdit;
        layout->addWidget(edit);
        edit->setToolTip("Sets channel delay");
        edit->setMaxValue(10);
        edit->setMinValue(-10);
        edit->setValue(1.5);
        edit->OnChange = [this](TPlusSpinEdit *sender) { changes << sender->Value(); };
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
        QApplication::setActiveWindow(&box);
        edit->setFocus();
        iface = QAccessible::queryAccessibleInterface(edit);
        ASSERT_NE(iface, nullptr);
    }
    QAccessibleValueInterface *Value() const { return iface->valueInterface(); }
    QAccessibleTextInterface *Text() const { return iface->textInterface(); }
    QAccessibleActionInterface *Actions() const { return iface->actionInterface(); }

    QGroupBox box{"Delay"};
    TPlusSpinEdit *edit = nullptr;
    QAccessibleInterface *iface = nullptr;
    QList<double> changes;
};

} // namespace

TEST_F(SpinEditAccessibleTest, SpinBoxNamedByItsGroupWithValueTextAndFocusDigit) {
    EXPECT_EQ(iface->role(), QAccessible::SpinBox);
    EXPECT_EQ(iface->text(QAccessible::Name), "Delay");
    EXPECT_EQ(iface->text(QAccessible::Description), "Sets channel delay");
    EXPECT_EQ(iface->text(QAccessible::Value), "1.50");
    EXPECT_EQ(iface->childCount(), 0);
    EXPECT_TRUE(iface->state().focused);
    ASSERT_TRUE(Value() && Text() && Actions());
    EXPECT_EQ(Value()->currentValue().toDouble(), 1.5);
    EXPECT_EQ(Value()->minimumValue().toDouble(), -10);
    EXPECT_EQ(Value()->maximumValue().toDouble(), 10);

    // The step and the caret follow the focus digit as Right moves it.
    struct TStep {
        double step;
        int caret;
    };
    for (const TStep &expected : {TStep{1.0, 0}, TStep{0.1, 2}, TStep{0.01, 3}}) {
        EXPECT_DOUBLE_EQ(Value()->minimumStepSize().toDouble(), expected.step);
        EXPECT_EQ(Text()->cursorPosition(), expected.caret);
        EXPECT_EQ(Text()->text(expected.caret, expected.caret + 1),
                  iface->text(QAccessible::Value).mid(expected.caret, 1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    }
    // Characters lie left to right where they are drawn.
    EXPECT_EQ(Text()->characterCount(), 4);
    for (int i = 0; i < 4; ++i) {
        const QRect r = Text()->characterRect(i);
        ASSERT_TRUE(r.isValid()) << i;
        EXPECT_EQ(Text()->offsetAtPoint(r.center()), i);
        if (i > 0) {
            EXPECT_GE(r.left(), Text()->characterRect(i - 1).right());
        }
    }
    EXPECT_TRUE(changes.isEmpty());
}

// Increase and decrease step like the spin buttons, raising OnChange; a value set from
// outside is clamped; nothing happens while the control's Enabled is off.
TEST_F(SpinEditAccessibleTest, ActionsAndValueChangeItAsTheUserWould) {
    EXPECT_EQ(Actions()->actionNames().mid(0, 2),
              QStringList({QAccessibleActionInterface::increaseAction(),
                           QAccessibleActionInterface::decreaseAction()}));
    Actions()->doAction(QAccessibleActionInterface::increaseAction());
    Actions()->doAction(QAccessibleActionInterface::decreaseAction());
    Actions()->doAction(QAccessibleActionInterface::decreaseAction());
    Value()->setCurrentValue(25.0);
    EXPECT_EQ(changes, QList<double>({2.5, 1.5, 0.5, 10}));
    EXPECT_EQ(iface->text(QAccessible::Value), "10.00");

    edit->setInputEnabled(false);
    EXPECT_TRUE(iface->state().disabled);
    Actions()->doAction(QAccessibleActionInterface::decreaseAction());
    Value()->setCurrentValue(3.0);
    EXPECT_EQ(changes.size(), 4);

    // Equal limits mean none.
    edit->setInputEnabled(true);
    edit->setMinValue(0);
    edit->setMaxValue(0);
    EXPECT_FALSE(Value()->minimumValue().isValid());
    EXPECT_FALSE(Value()->maximumValue().isValid());
}
