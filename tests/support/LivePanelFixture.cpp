#include "LivePanelFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QSignalSpy>
#include <QTest>

bool IsStatusPollQuery(const QString &line) {
    return line == ":PULS0:STAT?" || line == ":COUN:PULS?";
}

QStringList WithoutStatusPoll(const QStringList &received) {
    QStringList out;
    for (const QString &line : received)
        if (!IsStatusPollQuery(line))
            out << line;
    return out;
}

bool TLivePanel::Start(const TSimLaunch &launch, const QStringList &preset) {
    if (!Panel.AddSim(launch).Running()) {
        ADD_FAILURE() << "pulsesim did not start";
        return false;
    }
    if (!Panel.Preset(0, preset)) {
        ADD_FAILURE() << "the instrument refused the preset";
        return false;
    }
    if (!Panel.StartAndLaunch()) {
        ADD_FAILURE() << "no instrument found";
        return false;
    }
    return true;
}

bool LivePanelTest::StartPanel(TSimLaunch launch) {
    const bool started = Live.Start(launch);
    Sim = &Panel.Sim(0);
    Form = Panel.Form.get();
    return started;
}

void LivePanelTest::TearDown() {
    if (Form) {
        Form->Session().TaskTimer.stop();
        Form->Session().StatusTimer.stop();
    }
}

QStringList LivePanelTest::WaitForSent(int mark, int count, int timeoutMs) {
    (void)QTest::qWaitFor([&] { return SentSince(mark).size() >= count; }, timeoutMs);
    WaitIdle(timeoutMs);
    QTest::qWait(60);
    return SentSince(mark);
}

bool LivePanelTest::WaitIdle(int timeoutMs) {
    return QTest::qWaitFor(
        [&] {
            const TAppState &s = Form->Session().State;
            return !s.TaskBusy && !s.CommandsPending && s.PendingCommands.isEmpty() &&
                   s.ReadBackActive == 0 && !Form->Session().ComPort.InUse();
        },
        timeoutMs);
}

void LivePanelTest::Choose(QComboBox *box, int index) {
    box->setCurrentIndex(index);
    emit box->activated(index);
}

bool LivePanelTest::ShowActive() {
    Form->show();
    QApplication::setActiveWindow(Form);
    return QTest::qWaitForWindowActive(Form);
}

QWidget *LivePanelTest::ClickForFocus(QWidget *target) {
    if (!Form->isVisible()) {
        EXPECT_TRUE(ShowActive());
    }
    QTest::mouseClick(target, Qt::LeftButton);
    return QApplication::focusWidget();
}

void LivePanelTest::Key(int key, Qt::KeyboardModifiers modifiers) {
    QWidget *focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr) << "no widget holds the focus";
    QTest::keyClick(focus, Qt::Key(key), modifiers);
}

void LivePanelTest::Type(const QString &text) {
    QWidget *focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr) << "no widget holds the focus";
    QTest::keyClicks(focus, text);
}
