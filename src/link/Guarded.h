#pragma once

#include <exception>
#include <stdexcept>

// Runs a handler's body; an exception goes to `report` and never leaves the handler (it
// must not unwind through a waiting read or a modal box).
template <class TReport, class TBody> void RunGuarded(TReport &&report, TBody &&body) noexcept {
    try {
        body();
    } catch (const std::exception &e) {
        report(e);
    } catch (...) {
        report(std::runtime_error("Unknown error"));
    }
}
