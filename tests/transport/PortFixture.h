#pragma once

#include "PtyPeer.h"
#include "ScriptedPrompts.h"
#include "VKComPort.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <memory>

// A port on COM1 of a private port map, with a scripted instrument on the other side.
class TPortFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Peer.IsValid()) << Peer.ErrorText().toStdString();
        Port.setPortsDirectory(Peer.PortsDir());
        Port.setPrompts(&Prompts);
        Port.setEndOfResponse("#13");
        Port.setResponseTime(5000);
    }

    // Writes a line and waits until the peer has it, so a reply scripted for it is due.
    void SendLine(const QByteArray &line) {
        const int before = Peer.Lines().size();
        ASSERT_TRUE(Port.Write(line + "\r\n"));
        ASSERT_TRUE(Peer.WaitForLines(before + 1, 5000));
    }

    TPtyPeer Peer{1};
    TScriptedPrompts Prompts;
    TVKComPort Port;
};
