#pragma once

#include <QString>
#include <QtGlobal>

// The command terminal's output list as the link sees it. The main window implements it
// (plain text with a character colour, never HTML: replies may hold '<' or '&').
class TTerminalEcho {
public:
    using TRgb = quint32; // 0xRRGGBB, as QRgb without alpha

    static constexpr TRgb CommandColour = 0x000000; // black
    static constexpr TRgb ReplyColour = 0x008000;   // green

    virtual ~TTerminalEcho() = default;
    // Appends one line in the given colour (0xRRGGBB).
    virtual void AppendLine(const QString &text, TRgb colour) = 0;
    // Empties the list (after the instrument has been found).
    virtual void Clear() = 0;
};
