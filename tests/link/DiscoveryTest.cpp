#include "Discovery.h"
#include "CommLog.h"
#include "Exchange.h"
#include "LinkDoubles.h"
#include "LinkState.h"
#include "PtyPeer.h"
#include "ScriptedPrompts.h"
#include "SearchProgress.h"
#include "VKComPort.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <gtest/gtest.h>
#include <list>
#include <memory>
#include <mutex>

namespace {

// What one port's instrument heard: each line with the baud rate it came at.
struct THeard {
    std::mutex Mutex;
    QStringList Lines;
    QStringList Take() {
        std::lock_guard<std::mutex> lock(Mutex);
        return Lines;
    }
};

class DiscoveryTest : public ::testing::Test {
protected:
    QTemporaryDir PortsDir;
    TScriptedPrompts Prompts;
    TRecordingLogMenu Menu;
    TRecordingTerminal Terminal;
    TRecordingApp App;
    TLinkState State;
    TCommLog Log{Prompts, Menu, QStringLiteral("u"), QDateTime::currentDateTime(),
                 QStringLiteral("/nonexistent")};
    TVKComPort Port;
    TExchange Exchange{Port, State, Log, Terminal, App, Prompts};
    Instrument::TIdentity Identity;
    TInstrumentFinder Finder{Port, Exchange, Terminal, Prompts, Identity};
    // The peers' responders use the records: records die after the peers.
    std::list<std::unique_ptr<THeard>> Heard;
    std::list<std::unique_ptr<TPtyPeer>> Peers;

    void SetUp() override {
        Port.setPortsDirectory(PortsDir.path());
        Port.setPrompts(&Prompts);
        Terminal.AppendLine(QStringLiteral("left over"), 0);
    }

    // An instrument on COM n that answers "*IDN?" with idn at the given rate (0: at every
    // rate; empty idn: never) and records what it hears.
    THeard &AddInstrument(qint32 com, const QByteArray &idn, qint32 onlyAtBaud) {
        auto peer = std::make_unique<TPtyPeer>(com, PortsDir.path());
        EXPECT_TRUE(peer->IsValid()) << peer->ErrorText().toStdString();
        auto heard = std::make_unique<THeard>();
        TPtyPeer *p = peer.get();
        THeard *h = heard.get();
        peer->SetResponder([p, h, idn, onlyAtBaud](const QByteArray &line) {
            const qint32 baud = p->SlaveBaud();
            {
                std::lock_guard<std::mutex> lock(h->Mutex);
                h->Lines << QString::fromLatin1(line) + u'@' + QString::number(baud);
            }
            if (line != "*IDN?" || idn.isEmpty() || (onlyAtBaud != 0 && baud != onlyAtBaud))
                return QByteArray();
            return idn + '\r';
        });
        Peers.push_back(std::move(peer));
        Heard.push_back(std::move(heard));
        return *Heard.back();
    }

    static QStringList Queries(std::initializer_list<qint32> rates) {
        QStringList out;
        for (qint32 rate : rates)
            out << QStringLiteral("*IDN?@%1").arg(rate) << QStringLiteral("*IDN?@%1").arg(rate);
        return out;
    }
};

const std::initializer_list<qint32> AllRates = {115200, 57600, 38400, 19200, 9600, 4800};

// Records what the search shows; the Trying call numbered CancelAt (from 0) is cancelled.
struct TRecordingProgress : TSearchProgress {
    QStringList Calls;
    int CancelAt = -1;
    int Tries = 0;
    void Begin(int attempts) override { Calls << QStringLiteral("begin %1").arg(attempts); }
    bool Trying(qint32 port, qint32 baud, int done) override {
        Calls << QStringLiteral("COM%1 %2 %3").arg(port).arg(baud).arg(done);
        return Tries++ != CancelAt;
    }
    void End() override { Calls << QStringLiteral("end"); }
};

} // namespace

TEST_F(DiscoveryTest, EveryRateOfEarlierPortsIsTriedBeforeTheInstrumentAt9600OnTheThird) {
    THeard &first = AddInstrument(1, QByteArray(), 0);
    THeard &second = AddInstrument(2, QByteArray(), 0);
    THeard &third = AddInstrument(3, "VK,6180-12,1234,1.00-1.25", 9600);

    EXPECT_TRUE(Finder.FindInstrument());

    EXPECT_EQ(first.Take(), Queries(AllRates));
    EXPECT_EQ(second.Take(), Queries(AllRates));
    EXPECT_EQ(third.Take(), Queries({115200, 57600, 38400, 19200, 9600}));
    EXPECT_TRUE(Port.Opened());
    EXPECT_EQ(Port.Port(), 3);
    EXPECT_EQ(Port.Baud(), 9600);
    EXPECT_EQ(Peers.back()->SlaveBaud(), 9600);
    EXPECT_EQ(Identity.Manufacturer, QStringLiteral("VK"));
    EXPECT_EQ(Identity.ModelNumber, QStringLiteral("6180-12"));
    EXPECT_EQ(Identity.SerialNumber, 1234);
    EXPECT_EQ(Terminal.Lines.size(), 0) << "the terminal is cleared on success";
    EXPECT_EQ(Terminal.ClearCount, 1);
    // Search settings of the port.
    EXPECT_EQ(Port.EndOfResponseRaw(), QByteArray("\r"));
    EXPECT_FALSE(Port.AllowEvents());
    EXPECT_FALSE(Port.ShowErrors());
    EXPECT_EQ(Port.ResponseTime(), 100u);
    EXPECT_TRUE(Prompts.Shown.isEmpty());
}

TEST_F(DiscoveryTest, RejectedModelIsPassedOverAndItsPortClosed) {
    THeard &first = AddInstrument(1, "VK,627-6,55,1.0-2.0", 0);
    THeard &second = AddInstrument(2, "HTX,631K-24,9,2.1-3.4", 0);

    EXPECT_TRUE(Finder.FindInstrument());

    EXPECT_EQ(first.Take(), Queries(AllRates));
    EXPECT_EQ(second.Take(), Queries({115200}));
    EXPECT_EQ(Port.Port(), 2);
    EXPECT_EQ(Port.Baud(), 115200);
    EXPECT_EQ(Identity.ModelNumber, QStringLiteral("631K-24"));
    EXPECT_EQ(Identity.Manufacturer, QStringLiteral("HTX"));
}

TEST_F(DiscoveryTest, NoAcceptedModelAnywhereClosesThePort) {
    THeard &only = AddInstrument(1, "VK,627-6,55,1.0-2.0", 0);
    EXPECT_FALSE(Finder.FindInstrument());
    EXPECT_EQ(only.Take(), Queries(AllRates));
    EXPECT_FALSE(Port.Opened());
    EXPECT_EQ(Terminal.ClearCount, 0);
    EXPECT_TRUE(Prompts.Shown.isEmpty());
}

TEST_F(DiscoveryTest, NoPortsGivesTheMessage) {
    Prompts.QueueOK();
    EXPECT_FALSE(Finder.FindInstrument());
    EXPECT_EQ(Prompts.Texts(), QStringList{QStringLiteral("No available ports.")});
    EXPECT_FALSE(Port.Opened());
}

TEST_F(DiscoveryTest, MoreThanAHundredPortsFailEvenWhenFoundAndLeaveThePortClosed) {
    THeard &first = AddInstrument(1, "VK,6180-36,77,3.2-1.0", 0);
    const QString slave = Peers.front()->SlavePath();
    for (int n = 2; n <= 101; ++n)
        ASSERT_TRUE(
            QFile::link(slave, QDir(PortsDir.path()).filePath(QStringLiteral("COM%1").arg(n))));
    ASSERT_EQ(Port.GetValidSerialPorts().size(), 101);

    EXPECT_FALSE(Finder.FindInstrument());

    EXPECT_EQ(first.Take(), Queries({115200}));
    EXPECT_EQ(Identity.ModelNumber, QStringLiteral("6180-36"));
    EXPECT_FALSE(Port.Opened());
}

TEST_F(DiscoveryTest, AHundredPortsAreStillSearched) {
    AddInstrument(1, "VK,6180-6,1,1.0-1.0", 0);
    const QString slave = Peers.front()->SlavePath();
    for (int n = 2; n <= 100; ++n)
        ASSERT_TRUE(
            QFile::link(slave, QDir(PortsDir.path()).filePath(QStringLiteral("COM%1").arg(n))));
    EXPECT_TRUE(Finder.FindInstrument());
    EXPECT_TRUE(Port.Opened());
}

TEST_F(DiscoveryTest, PortThatCannotBeOpenedIsSkipped) {
    QFile notATty(PortsDir.filePath(QStringLiteral("plain-file")));
    ASSERT_TRUE(notATty.open(QIODevice::WriteOnly));
    notATty.close();
    ASSERT_TRUE(QFile::link(notATty.fileName(), PortsDir.filePath(QStringLiteral("COM1"))));
    THeard &second = AddInstrument(2, "VK,4190-24,8,1.0-1.0", 0);
    ASSERT_EQ(Port.GetValidSerialPorts(), QList<qint32>({1, 2}));

    EXPECT_TRUE(Finder.FindInstrument());
    EXPECT_EQ(second.Take(), Queries({115200}));
    EXPECT_EQ(Port.Port(), 2);
}

// Only the second identification of each pair decides.
TEST_F(DiscoveryTest, AnswerToTheFirstQueryOfAPairAloneIsNotEnough) {
    auto peer = std::make_unique<TPtyPeer>(1, PortsDir.path());
    ASSERT_TRUE(peer->IsValid());
    auto count = std::make_shared<std::atomic<int>>(0);
    peer->SetResponder([count](const QByteArray &) {
        return (count->fetch_add(1) % 2 == 0) ? QByteArray("VK,6180-12,1,1.0-1.0\r") : QByteArray();
    });
    Peers.push_back(std::move(peer));

    EXPECT_FALSE(Finder.FindInstrument());
    EXPECT_EQ(count->load(), 12);
    EXPECT_EQ(Identity.ModelNumber, QString()) << "a lost reply clears the identification";
    EXPECT_FALSE(Port.Opened());
}

// The progress counts pairs of port and rate over all ports, those that did not open too.
TEST_F(DiscoveryTest, ProgressShowsEachPortAndRateTriedOutOfPortsTimesRates) {
    AddInstrument(1, QByteArray(), 0);
    QFile notATty(PortsDir.filePath(QStringLiteral("plain-file")));
    ASSERT_TRUE(notATty.open(QIODevice::WriteOnly));
    notATty.close();
    ASSERT_TRUE(QFile::link(notATty.fileName(), PortsDir.filePath(QStringLiteral("COM2"))));
    AddInstrument(3, "VK,6180-12,1234,1.00-1.25", 57600);
    TRecordingProgress progress;
    Finder.SetProgress(&progress);

    EXPECT_TRUE(Finder.FindInstrument());
    EXPECT_EQ(
        progress.Calls,
        QStringList({"begin 18", "COM1 115200 0", "COM1 57600 1", "COM1 38400 2", "COM1 19200 3",
                     "COM1 9600 4", "COM1 4800 5", "COM3 115200 12", "COM3 57600 13", "end"}));
}

// Cancel ends the search as if nothing had answered: no further query, the port let go.
TEST_F(DiscoveryTest, CancelledSearchSendsNothingMoreAndClosesThePort) {
    THeard &first = AddInstrument(1, QByteArray(), 0);
    THeard &second = AddInstrument(2, "VK,6180-12,1234,1.00-1.25", 0);
    TRecordingProgress progress;
    progress.CancelAt = 2;
    Finder.SetProgress(&progress);

    EXPECT_FALSE(Finder.FindInstrument());
    EXPECT_EQ(first.Take(), Queries({115200, 57600}));
    EXPECT_TRUE(second.Take().isEmpty());
    EXPECT_FALSE(Port.Opened());
    EXPECT_EQ(progress.Calls,
              QStringList({"begin 12", "COM1 115200 0", "COM1 57600 1", "COM1 38400 2", "end"}));
    EXPECT_TRUE(Prompts.Shown.isEmpty());
}
