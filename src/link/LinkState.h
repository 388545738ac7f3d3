#pragma once

// Flags of the instrument link that several parts of the program read and write.
// One instance per program, owned by the main window's state and handed by reference.
struct TLinkState {
    // While true, SendCommand sends nothing (a read-back fills the controls).
    // Raise it with TCommandsDisabledScope so that nested read-backs restore it correctly.
    bool CommandsDisabled = false;
    // The program runs without an instrument; set by the connection step, never cleared.
    bool DemoMode = false;
    // The port itself is gone: it could not be opened or refused a line, or its device
    // vanished while a reply was awaited. A running sequence (read-back, replay, queue
    // pass) ends at its next step; the status poll alone tries the port again and clears
    // this once it opens.
    bool PortGone = false;
};
