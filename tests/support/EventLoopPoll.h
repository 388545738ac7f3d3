#pragma once

#include <functional>

// Runs `step` from the event loop (also from a modal box's or dialog's own loop) every
// `intervalMs` until it returns true. The pending timer holds the poll and the poll holds
// only a weak reference to itself, so nothing is left behind once it is done.
void PollFromEventLoop(std::function<bool()> step, int intervalMs = 10);
