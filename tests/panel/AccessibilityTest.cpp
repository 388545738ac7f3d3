// What a screen reader (or any AT-SPI client) learns of the main window's controls, asked
// in process through QAccessible::queryAccessibleInterface.
#include "PanelFixture.h"

#include "CheckListBox.h"
#include "PageControl.h"
#include "PlusSpinEdit.h"
#include "ServiceForm.h"
#include "ServiceWindow.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

QAccessibleInterface *Accessible(QObject *object) {
    return QAccessible::queryAccessibleInterface(object);
}

// The names of the objects that label this one ("labelled by" on AT-SPI).
QStringList LabelledBy(QAccessibleInterface *iface) {
    QStringList out;
    for (const auto &relation : iface->relations(QAccessible::Label))
        out << relation.first->text(QAccessible::Name);
    return out;
}

struct TExpectation {
    const char *object;
    QAccessible::Role role;
    const char *name;       // a drop-down: its current item (as on Linux), else its label
    const char *labelledBy; // "" = no label
    const char *value;      // nullptr = not checked
};

// A control by object name, or a tab button as "<page control>:<caption>".
QWidget *TabOrNamed(const TMainForm &form, const QString &key) {
    const QStringList parts = key.split(':');
    if (parts.size() == 1)
        return form.findChild<QWidget *>(key);
    const auto *pages = form.findChild<TPageControl *>(parts[0]);
    for (int i = 0; pages && i < pages->count(); ++i)
        if (pages->tabText(i) == parts[1])
            return pages->tabButton(i);
    return nullptr;
}

} // namespace

TEST_F(PanelTest, EveryKindOfControlIsNamedByTheCaptionTheUserSees) {
    Form->CreateChannelTabs(12);
    Form->Service().Form->BuildCalibrationPages(36);
    using R = QAccessible::Role;
    const TExpectation table[] = {
        {"PeriodAdj", R::SpinBox, "Period", "Period", "0.001,000,000"},
        {"SysBurstAdj", R::SpinBox, "Burst Count", "Burst Count", "1"},
        {"SysDutyOnAdj", R::SpinBox, "On Counts", "On Counts", nullptr},
        {"TrigGateThresholdAdj2", R::SpinBox, "Trig/Gate 2 Threshold (V)",
         "Trig/Gate 2 Threshold (V)", "2.50"},
        {"ChDelayAdj2", R::SpinBox, "Delay", "Delay", nullptr},
        {"ChAmplitudeAdj12", R::SpinBox, "Amplitude (V)", "Amplitude (V)", "5.00"},
        {"SystemModeSel", R::ComboBox, "Continuous", "Pulse Mode", "Continuous"},
        {"GateLogicSel1", R::ComboBox, "Low", "Gate 1 Logic", nullptr},
        {"TrigDebounceSel2", R::ComboBox, "Disabled", "Debounce", nullptr},
        {"CounterSourceSel", R::ComboBox, "T0", "Shot Counter", nullptr},
        {"ChModeSel2", R::ComboBox, "Normal", "Channel Mode", nullptr},
        {"ChGateLogicSel12", R::ComboBox, "Gate Logic", "Gate Logic", ""}, // no item chosen
        {"SendEdit", R::ComboBox, "Command Terminal", "Command Terminal", ""},
        {"AutoStartEnbl", R::CheckBox, "Auto Start", "System", nullptr},
        {"ShotCountEnbl", R::CheckBox, "Enable", "Shot Counter", nullptr},
        {"ChEnablebox2", R::CheckBox, "Enabled", "", nullptr},
        {"ChMuxSelect2", R::List, "Multiplexer", "", nullptr},
        {"PulseModeGrp", R::Grouping, "Pulse Mode", "System", nullptr},
        {"OnCountGrp", R::Grouping, "On Counts", "Duty Cycle", nullptr},
        {"ExtThresholdGrp1", R::Grouping, "Threshold (V)", "External Trigger/Gate", nullptr},
        {"ChWidthGrp2", R::Grouping, "Width", "", nullptr},
        {"RunStopbtn", R::Button, "Run", "", nullptr},
        {"PulseAnimate", R::Animation, "Pulse output running", "", nullptr},
        {"VKBlueBanner", R::Graphic, "Orvane Selkrin", "", nullptr},
        {"HTXBanner", R::Graphic, "Halvorn Trevaxis", "", nullptr},
        {"ChPageControl:Ch 12", R::PageTab, "Ch 12", "", nullptr},
        {"SystemPageControl:Additional Options", R::PageTab, "Additional Options", "", nullptr},
        // the service window
        {"Trig1AmpGainAdj", R::SpinBox, "Trig 1 Calibration Amp Gain", "Amp Gain", "1000"},
        {"ChDelayCalAdj36", R::SpinBox, "Delay Cal", "Delay Cal", "25"},
        {"SerialNumEdit", R::EditableText, "Serial Number", "Serial Number", nullptr},
        {"CompanySelItemB", R::RadioButton, "VK 6180", "Company", nullptr},
        {"ChPageCalibration:Ch 36", R::PageTab, "Ch 36", "", nullptr},
    };
    for (const TExpectation &e : table) {
        QWidget *w = TabOrNamed(*Form, e.object);
        ASSERT_NE(w, nullptr) << e.object;
        QAccessibleInterface *iface = Accessible(w);
        ASSERT_NE(iface, nullptr) << e.object;
        EXPECT_EQ(iface->role(), e.role) << e.object;
        EXPECT_EQ(iface->text(QAccessible::Name).toStdString(), e.name) << e.object;
        EXPECT_EQ(LabelledBy(iface).join('|').toStdString(), e.labelledBy) << e.object;
        if (e.value) {
            EXPECT_EQ(iface->text(QAccessible::Value).toStdString(), e.value) << e.object;
        }
    }
}

// A sweep over the whole window with every channel page: no numeric entry, check box,
// check list or titled group without a name, no drop-down without a label.
TEST_F(PanelTest, NoControlOfTheWindowIsLeftWithoutACaption) {
    Form->CreateChannelTabs(36);
    Form->Service().Form->BuildCalibrationPages(36);
    int checked = 0;
    for (QWidget *w : Form->findChildren<QWidget *>()) {
        QAccessibleInterface *iface = Accessible(w);
        if (qobject_cast<QComboBox *>(w)) {
            EXPECT_FALSE(LabelledBy(iface).join("").isEmpty()) << qPrintable(w->objectName());
            ++checked;
        } else if (qobject_cast<TPlusSpinEdit *>(w) || qobject_cast<QCheckBox *>(w) ||
                   qobject_cast<TCheckListBox *>(w) ||
                   (qobject_cast<QGroupBox *>(w) &&
                    !static_cast<QGroupBox *>(w)->title().isEmpty())) {
            EXPECT_FALSE(iface->text(QAccessible::Name).isEmpty()) << qPrintable(w->objectName());
            ++checked;
        }
        if (auto *group = qobject_cast<QGroupBox *>(w); group && !group->title().isEmpty()) {
            EXPECT_EQ(iface->text(QAccessible::Name), group->title());
        }
    }
    EXPECT_GT(checked, 36 * 30);
}

// The state a user hears: a check mark, the Run/Stop caption and the pulse picture that
// appears while the output runs, a numeric entry switched off by the enabling rules.
TEST_F(PanelTest, StatesFollowWhatTheWindowShows) {
    Form->show();
    EXPECT_TRUE(Accessible(Form->ChEnablebox[1])->state().checked);
    Form->ChEnablebox[1]->setChecked(false);
    EXPECT_FALSE(Accessible(Form->ChEnablebox[1])->state().checked);

    EXPECT_TRUE(Accessible(Form->PulseAnimate)->state().invisible);
    Form->ShowRunState(true);
    EXPECT_EQ(Accessible(Form->RunStopbtn)->text(QAccessible::Name), "Stop");
    EXPECT_EQ(Accessible(Form->RunStopbtn)->text(QAccessible::Description),
              "Starts(arms) or stops(disarms) the system");
    EXPECT_FALSE(Accessible(Form->PulseAnimate)->state().invisible);

    // The page tab of the page shown is the selected one; pressing another shows its page.
    QAccessibleInterface *tab3 = Accessible(Form->SystemPageControl->tabButton(2));
    EXPECT_FALSE(tab3->state().selected);
    tab3->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(Form->SystemPageControl->currentIndex(), 2);
    EXPECT_TRUE(tab3->state().selected);

    Form->SysBurstAdj->setInputEnabled(false);
    EXPECT_TRUE(Accessible(Form->SysBurstAdj)->state().disabled);
    Form->SysBurstAdj->setInputEnabled(true);
    EXPECT_FALSE(Accessible(Form->SysBurstAdj)->state().disabled);
}
