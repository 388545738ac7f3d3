#pragma once

#include "LinkState.h"

// Raises CommandsDisabled for the lifetime of the scope and restores the value it had
// before, so that two nested activities (start-up read-back, service read-back) do not
// clear each other's flag.
class TCommandsDisabledScope {
public:
    explicit TCommandsDisabledScope(TLinkState &state)
        : FState(state), FPrevious(state.CommandsDisabled) {
        FState.CommandsDisabled = true;
    }
    ~TCommandsDisabledScope() { FState.CommandsDisabled = FPrevious; }
    TCommandsDisabledScope(const TCommandsDisabledScope &) = delete;
    TCommandsDisabledScope &operator=(const TCommandsDisabledScope &) = delete;

private:
    TLinkState &FState;
    bool FPrevious;
};
