#include "DialogPortPicker.h"
#include "PickPortDialog.h"
#include "PortFixture.h"
#include "PortPicker.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QTimer>

namespace {

// Records what Pick offered and answers from the test.
class TRecordingPicker : public TPortPicker {
public:
    bool Choose(const QStringList &items, int selected, QString &chosen) override {
        ++Calls;
        Items = items;
        Selected = selected;
        PortOpenDuringChoice = Port && Port->Opened();
        chosen = Answer;
        return Confirm;
    }
    int Calls = 0;
    QStringList Items;
    int Selected = -2;
    bool Confirm = true;
    QString Answer;
    const TVKComPort *Port = nullptr;
    bool PortOpenDuringChoice = true;
};

} // namespace

class TPick : public TPortFixture {
protected:
    void SetUp() override {
        TPortFixture::SetUp();
        Picker.Port = &Port;
        Port.setPicker(&Picker);
    }
    QString Item(const TPtyPeer &peer) const {
        return QStringLiteral("COM%1 (%2)").arg(peer.ComNumber()).arg(peer.SlavePath());
    }
    TRecordingPicker Picker;
};

TEST_F(TPick, OffersThePortsThatOpenAndPreselectsTheCurrentOne) {
    TPtyPeer third(3, Peer.PortsDir());
    TPtyPeer fifteen(15, Peer.PortsDir());
    // COM4 names a plain file: it is listed but cannot be opened, and no box is shown.
    const QString plain = QDir(Peer.PortsDir()).filePath("plain");
    {
        QFile f(plain);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QFile::link(plain, QDir(Peer.PortsDir()).filePath("COM4")));
    EXPECT_EQ(Port.GetValidSerialPorts(), (QList<qint32>{1, 3, 4, 15}));

    Port.setPort(3);
    Picker.Answer = Item(fifteen);
    EXPECT_TRUE(Port.Pick());
    EXPECT_EQ(Picker.Items, (QStringList{Item(Peer), Item(third), Item(fifteen)}));
    EXPECT_EQ(Picker.Selected, 1);
    EXPECT_EQ(Port.Port(), 15);
    EXPECT_TRUE(Port.ShowErrors());
    EXPECT_FALSE(Port.Opened()); // the caller opens the chosen port itself
    EXPECT_FALSE(Picker.PortOpenDuringChoice);
    EXPECT_TRUE(Prompts.Shown.isEmpty());

    // Cancel keeps the number; a remembered port not in the list preselects nothing.
    Port.setPort(8);
    Picker.Confirm = false;
    EXPECT_FALSE(Port.Pick());
    EXPECT_EQ(Picker.Selected, -1);
    EXPECT_EQ(Port.Port(), 8);
}

TEST_F(TPick, APortHeldByAnotherOwnerIsListedButNotOffered) {
    TPtyPeer third(3, Peer.PortsDir());
    TVKComPort holder;
    holder.setPortsDirectory(Peer.PortsDir());
    holder.setShowErrors(false);
    holder.setPort(3);
    ASSERT_TRUE(holder.Open());
    EXPECT_EQ(Port.GetValidSerialPorts(), (QList<qint32>{1, 3}));
    Picker.Confirm = false;
    EXPECT_FALSE(Port.Pick());
    EXPECT_EQ(Picker.Items, QStringList{Item(Peer)});
    EXPECT_TRUE(holder.Opened());
    EXPECT_TRUE(Prompts.Shown.isEmpty());
}

TEST_F(TPick, AnOpenPortIsOpenAgainAfterwards) {
    ASSERT_TRUE(Port.Open());
    Picker.Confirm = false;
    EXPECT_FALSE(Port.Pick());
    EXPECT_TRUE(Port.Opened());
    ASSERT_TRUE(Port.Write("still\r\n"));
    ASSERT_TRUE(Peer.WaitForLines(1, 5000));
    EXPECT_EQ(Peer.Lines(), QList<QByteArray>{"still"});
}

TEST_F(TPick, ChosenNumberIsReadFromTheComPartOnly) {
    Picker.Answer = "COM123";
    EXPECT_TRUE(Port.Pick());
    EXPECT_EQ(Port.Port(), 123);
    Picker.Answer = "/dev/ttyS2"; // no COM number: nothing chosen
    EXPECT_FALSE(Port.Pick());
    EXPECT_EQ(Port.Port(), 123);
}

TEST(PickWithoutPorts, ReturnsFalseWithoutAChoice) {
    QTemporaryDir empty;
    TVKComPort port;
    port.setPortsDirectory(empty.path());
    TRecordingPicker picker;
    port.setPicker(&picker);
    EXPECT_FALSE(port.Pick());
    EXPECT_EQ(picker.Calls, 0);
}

namespace {

// Runs action on the port-choice dialog once it is shown modally.
void WhenDialogShown(std::function<void(TformPickPort *)> action) {
    QTimer::singleShot(0, [action] {
        auto *dialog = qobject_cast<TformPickPort *>(QApplication::activeModalWidget());
        if (!dialog) {
            WhenDialogShown(action);
            return;
        }
        action(dialog);
    });
}

} // namespace

TEST_F(TPick, DialogLayoutChoiceAndCancel) {
    TPtyPeer fifteen(15, Peer.PortsDir());
    TDialogPortPicker dialogPicker;
    Port.setPicker(&dialogPicker);
    Port.setPort(15);

    struct TSeen {
        QString Caption, Group;
        QSize Size;
        QRect GroupRect, OkRect, CancelRect;
        int ListX = 0, ListY = 0, ListWidth = 0;
        QStringList Items;
        QString Selected;
        bool OkDefault = false;
        int FontPixels = 0;
        bool FontBold = false;
        int GroupPixels = 0;
    } seen;
    WhenDialogShown([&](TformPickPort *d) {
        seen.Caption = d->windowTitle();
        seen.Size = d->size();
        seen.Group = d->GroupBox1->title();
        seen.GroupRect = d->GroupBox1->geometry();
        seen.OkRect = d->OKBtn->geometry();
        seen.CancelRect = d->CancelBtn->geometry();
        seen.ListX = d->listPorts->x();
        seen.ListY = d->listPorts->y();
        seen.ListWidth = d->listPorts->width();
        for (int i = 0; i < d->listPorts->count(); ++i)
            seen.Items << d->listPorts->itemText(i);
        seen.Selected = d->listPorts->currentText();
        seen.OkDefault = d->OKBtn->isDefault();
        seen.FontPixels = d->font().pixelSize();
        seen.FontBold = d->font().bold();
        seen.GroupPixels = d->GroupBox1->font().pixelSize();
        d->listPorts->setCurrentIndex(0);
        d->OKBtn->click();
    });
    EXPECT_TRUE(Port.Pick());
    EXPECT_EQ(Port.Port(), 1);
    EXPECT_EQ(dialogPicker.PickPortDlg(), nullptr); // released
    EXPECT_EQ(seen.Caption, QString("Select Serial Port"));
    EXPECT_EQ(seen.Size, QSize(240, 93));
    EXPECT_EQ(seen.Group, QString("Serial Port"));
    EXPECT_EQ(seen.GroupRect, QRect(8, 8, 130, 67));
    EXPECT_EQ(seen.OkRect, QRect(149, 14, 77, 27));
    EXPECT_EQ(seen.CancelRect, QRect(149, 46, 77, 27));
    EXPECT_EQ(seen.ListX, 11);
    EXPECT_EQ(seen.ListY, 25);
    EXPECT_EQ(seen.ListWidth, 108);
    EXPECT_EQ(seen.Items, (QStringList{Item(Peer), Item(fifteen)}));
    EXPECT_EQ(seen.Selected, Item(fifteen));
    EXPECT_TRUE(seen.OkDefault);
    EXPECT_EQ(seen.FontPixels, 11);
    EXPECT_TRUE(seen.FontBold);
    EXPECT_EQ(seen.GroupPixels, 13);

    // Cancel, and OK with nothing selected, choose nothing.
    WhenDialogShown([](TformPickPort *d) { d->CancelBtn->click(); });
    EXPECT_FALSE(Port.Pick());
    EXPECT_EQ(Port.Port(), 1);
    Port.setPort(40);
    WhenDialogShown([](TformPickPort *d) {
        EXPECT_EQ(d->listPorts->currentIndex(), -1);
        d->OKBtn->click();
    });
    EXPECT_FALSE(Port.Pick());
    EXPECT_EQ(Port.Port(), 40);
}
