#pragma once

#include <QtGlobal>

// What the start-up search shows while it runs, and the user's way to stop it. The search
// blocks the program for seconds (every port at every rate); an implementation may let
// the user interface catch up in Trying, which runs between two identifications.
class TSearchProgress {
public:
    virtual ~TSearchProgress() = default;
    // The search is about to try `attempts` pairs of port and rate (ports x rates).
    virtual void Begin(int attempts) = 0;
    // Before the identifications at one rate on an open port; `done` pairs lie behind
    // (those of ports that did not open included). False: the user cancelled, and the
    // search ends as if no instrument had answered.
    virtual bool Trying(qint32 port, qint32 baud, int done) = 0;
    // The search has ended, found, failed or cancelled.
    virtual void End() = 0;
};
