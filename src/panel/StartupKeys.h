#pragma once

#include <memory>

// The two keys that change the start-up: space (choose the port by hand) and left shift
// (demo mode). A key counts as pressed when it is held now.
class TStartupKeys {
public:
    virtual ~TStartupKeys() = default;
    virtual bool SpacePressed() = 0;
    virtual bool LeftShiftPressed() = 0;

    // The platform's key source: the X server's key map when the program runs on X11,
    // otherwise a source that reports neither key as pressed.
    static std::shared_ptr<TStartupKeys> Platform();
};

// No key-state source: nothing is ever pressed.
class TNoStartupKeys : public TStartupKeys {
public:
    bool SpacePressed() override { return false; }
    bool LeftShiftPressed() override { return false; }
};
