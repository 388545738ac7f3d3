#pragma once

#include <QPoint>
#include <QString>
#include <vector>

struct _XDisplay;

// Keyboard and pointer input synthesized on the X server through the XTest extension,
// as a user's hands produce it: the server delivers it to whatever window and widget it
// lands on. Keys and buttons still held are released when the object goes.
// Key symbols are X keysyms (XK_Return, XK_KP_Enter, ... from <X11/keysym.h>).
class TXTestInput {
public:
    using TKeySym = unsigned long;
    static constexpr unsigned LeftButton = 1;
    static constexpr unsigned WheelUp = 4;
    static constexpr unsigned WheelDown = 5;

    TXTestInput();
    ~TXTestInput();
    TXTestInput(const TXTestInput &) = delete;
    TXTestInput &operator=(const TXTestInput &) = delete;

    // A display with the XTest extension.
    bool Usable() const;

    void KeyDown(TKeySym symbol);
    void KeyUp(TKeySym symbol);
    // Presses and releases a key, with the modifiers held around it.
    void Key(TKeySym symbol, const std::vector<TKeySym> &modifiers = {});
    // Types Latin-1 text, with Shift where the layout needs it.
    void Type(const QString &text);

    void MoveTo(QPoint screen);
    void ButtonDown(unsigned button = LeftButton);
    void ButtonUp(unsigned button = LeftButton);
    void Click(QPoint screen, unsigned button = LeftButton);

private:
    unsigned char KeyCode(TKeySym symbol) const;
    void Sync();

    _XDisplay *FDisplay;
    std::vector<unsigned char> FKeysHeld;
    std::vector<unsigned> FButtonsHeld;
};
