#include "PortFixture.h"

#include <QPointer>
#include <QTimer>

using TComPortTimeout = TPortFixture;

TEST_F(TComPortTimeout, WithoutShowErrorsTheReadEndsQuietlyWithWhatArrived) {
    Port.setShowErrors(false);
    Port.setResponseTime(200);
    for (const bool allowEvents : {false, true}) {
        Port.setAllowEvents(allowEvents);
        Peer.QueueSilence();
        SendLine("A");
        EXPECT_EQ(Port.Read(), QByteArray());
        EXPECT_TRUE(Port.TimedOut());
        Peer.QueueReply("PART"); // no terminator
        SendLine("B");
        ASSERT_TRUE(Peer.WaitUntilIdle(5000));
        EXPECT_EQ(Port.Read(), QByteArray("PART"));
        EXPECT_TRUE(Port.TimedOut());
        // The next complete reply clears the flag.
        Peer.QueueReply("OK\r");
        SendLine("C");
        EXPECT_EQ(Port.Read(), QByteArray("OK\r"));
        EXPECT_FALSE(Port.TimedOut());
    }
    EXPECT_TRUE(Prompts.Shown.isEmpty());
}

TEST_F(TComPortTimeout, RetryKeepsThePartialTextAndWaitsAgain) {
    Port.setResponseTime(150);
    Peer.QueueReply("PA");
    SendLine("Q");
    ASSERT_TRUE(Peer.WaitUntilIdle(5000));
    // Retry: the rest of the reply arrives while the box is up; Abort is never needed.
    Prompts.QueueButton(TPrompts::mbRetry, [this] { Peer.SendNow("RT\r"); });
    EXPECT_EQ(Port.Read(), QByteArray("PART\r"));
    EXPECT_FALSE(Port.TimedOut());
    ASSERT_EQ(Prompts.Shown.size(), 1);
    EXPECT_EQ(Prompts.Shown[0].text, QString("Timeout waiting for response."));
    EXPECT_EQ(Prompts.Shown[0].buttons, TPrompts::mbAbort | TPrompts::mbRetry);
    EXPECT_EQ(Prompts.Shown[0].icon, TPrompts::iconWarning);

    // Retry with nothing new, then Abort: the partial text and TimedOut remain.
    Prompts.Shown.clear();
    Peer.QueueReply("XY");
    SendLine("Q");
    ASSERT_TRUE(Peer.WaitUntilIdle(5000));
    Prompts.QueueButton(TPrompts::mbRetry);
    Prompts.QueueButton(TPrompts::mbAbort);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(Port.Read(), QByteArray("XY"));
    EXPECT_GE(clock.elapsed(), 2 * 150) << "the retry waits a full ResponseTime again";
    EXPECT_TRUE(Port.TimedOut());
    EXPECT_EQ(Prompts.Texts(),
              (QStringList{"Timeout waiting for response.", "Timeout waiting for response."}));
}

TEST_F(TComPortTimeout, OnTimeoutFiresOnlyWithAllowEventsAndBeforeTheBox) {
    Port.setResponseTime(100);
    QStringList order;
    TVKComPort *sender = nullptr;
    Port.OnTimeout = [&](TVKComPort *s) {
        sender = s;
        order << "event";
    };
    Prompts.QueueButton(TPrompts::mbAbort, [&] { order << "box"; });
    Port.setAllowEvents(false);
    EXPECT_EQ(Port.Read(), QByteArray());
    EXPECT_EQ(order, QStringList{"box"});

    order.clear();
    Prompts.QueueButton(TPrompts::mbAbort, [&] { order << "box"; });
    Port.setAllowEvents(true);
    EXPECT_EQ(Port.Read(), QByteArray());
    EXPECT_EQ(order, (QStringList{"event", "box"}));
    EXPECT_EQ(sender, &Port);
    EXPECT_TRUE(Port.TimedOut());
}

TEST_F(TComPortTimeout, AHandlerClosingThePortEndsTheReadWithoutABox) {
    Port.setResponseTime(100);
    Port.setAllowEvents(true);
    int fired = 0;
    Port.OnTimeout = [&](TVKComPort *s) {
        ++fired;
        s->Close();
    };
    Peer.QueueReply("HALF");
    SendLine("Q");
    ASSERT_TRUE(Peer.WaitUntilIdle(5000));
    EXPECT_EQ(Port.Read(), QByteArray("HALF"));
    EXPECT_EQ(fired, 1);
    EXPECT_TRUE(Port.TimedOut());
    EXPECT_FALSE(Port.InUse());
    EXPECT_TRUE(Prompts.Shown.isEmpty());

    // A timer closing the port during the wait ends the read at once.
    ASSERT_TRUE(Port.Open());
    Port.setResponseTime(60000);
    QTimer::singleShot(50, &Port, [this] { Port.Close(); });
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(Port.Read(), QByteArray());
    EXPECT_LT(clock.elapsed(), 30000);
    EXPECT_TRUE(Port.TimedOut());
    EXPECT_EQ(fired, 1);
}

TEST_F(TComPortTimeout, DeleteLaterFromTheHandlerWaitsForTheReadToReturn) {
    QPointer<TVKComPort> port = new TVKComPort;
    port->setPortsDirectory(Peer.PortsDir());
    port->setPrompts(&Prompts);
    port->setEndOfResponse("#13");
    port->setResponseTime(100);
    port->setAllowEvents(true);
    port->OnTimeout = [](TVKComPort *s) {
        s->deleteLater();
        QCoreApplication::processEvents();
    };
    Prompts.QueueButton(TPrompts::mbAbort, [] { QCoreApplication::processEvents(); });
    EXPECT_EQ(port->Read(), QByteArray());
    ASSERT_FALSE(port.isNull());
    EXPECT_TRUE(port->TimedOut());
    EXPECT_FALSE(port->InUse());
    EXPECT_EQ(Prompts.Texts(), QStringList{"Timeout waiting for response."});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(port.isNull());
}

TEST_F(TComPortTimeout, DeleteLaterFromATimerDuringTheWaitKeepsThePortUntilTheReply) {
    QPointer<TVKComPort> port = new TVKComPort;
    port->setPortsDirectory(Peer.PortsDir());
    port->setPrompts(&Prompts);
    port->setEndOfResponse("#13");
    port->setAllowEvents(true);
    ASSERT_TRUE(port->Open());
    QTimer::singleShot(20, port.data(), [&] {
        port->deleteLater();
        Peer.SendLater("LATE\r", 50);
    });
    EXPECT_EQ(port->Read(), QByteArray("LATE\r"));
    ASSERT_FALSE(port.isNull());
    EXPECT_FALSE(port->TimedOut());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(port.isNull());
}

TEST_F(TComPortTimeout, NestedReadWhileInUseIsRefused) {
    Port.setAllowEvents(true);
    ASSERT_TRUE(Port.Open());
    struct TInner {
        bool Ran = false;
        bool InUse = false;
        QByteArray Got = "unset";
        qint64 RawGot = -1;
    } inner;
    Prompts.QueueOK(2); // one for Read, one for ReadRaw
    // A timer firing inside the outer wait tries to read, then lets the reply come.
    QTimer::singleShot(30, &Port, [&] {
        inner.Ran = true;
        inner.InUse = Port.InUse();
        inner.Got = Port.Read();
        char buffer[4];
        inner.RawGot = Port.ReadRaw(buffer, sizeof buffer);
        Port.setShowErrors(false);
        Port.Read(); // silent without ShowErrors
        Port.setShowErrors(true);
        Peer.SendNow("OUTER\r");
    });
    EXPECT_EQ(Port.Read(), QByteArray("OUTER\r"));
    EXPECT_TRUE(inner.Ran);
    EXPECT_TRUE(inner.InUse);
    EXPECT_EQ(inner.Got, QByteArray());
    EXPECT_EQ(inner.RawGot, 0);
    EXPECT_FALSE(Port.TimedOut());
    EXPECT_FALSE(Port.InUse());
    EXPECT_EQ(Prompts.Texts(), (QStringList{"Port is in use -- operation aborted",
                                            "Port is in use -- operation aborted"}));
    EXPECT_EQ(Prompts.Shown[0].buttons, TPrompts::mbOK);
}
