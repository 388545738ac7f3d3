#include "XTestInput.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

TXTestInput::TXTestInput() : FDisplay(XOpenDisplay(nullptr)) {}

TXTestInput::~TXTestInput() {
    if (!FDisplay)
        return;
    for (const unsigned char code : FKeysHeld)
        XTestFakeKeyEvent(FDisplay, code, False, CurrentTime);
    for (const unsigned button : FButtonsHeld)
        XTestFakeButtonEvent(FDisplay, button, False, CurrentTime);
    XSync(FDisplay, False);
    XCloseDisplay(FDisplay);
}

bool TXTestInput::Usable() const {
    int event = 0, error = 0, major = 0, minor = 0;
    return FDisplay && XTestQueryExtension(FDisplay, &event, &error, &major, &minor);
}

void TXTestInput::Sync() {
    XSync(FDisplay, False);
}

unsigned char TXTestInput::KeyCode(TKeySym symbol) const {
    const ::KeyCode code = XKeysymToKeycode(FDisplay, symbol);
    if (code == 0)
        throw std::runtime_error(std::string("no key code for ") + XKeysymToString(symbol));
    return code;
}

void TXTestInput::KeyDown(TKeySym symbol) {
    const unsigned char code = KeyCode(symbol);
    XTestFakeKeyEvent(FDisplay, code, True, CurrentTime);
    FKeysHeld.push_back(code);
    Sync();
}

void TXTestInput::KeyUp(TKeySym symbol) {
    const unsigned char code = KeyCode(symbol);
    XTestFakeKeyEvent(FDisplay, code, False, CurrentTime);
    FKeysHeld.erase(std::remove(FKeysHeld.begin(), FKeysHeld.end(), code), FKeysHeld.end());
    Sync();
}

void TXTestInput::Key(TKeySym symbol, const std::vector<TKeySym> &modifiers) {
    for (const TKeySym m : modifiers)
        KeyDown(m);
    KeyDown(symbol);
    KeyUp(symbol);
    for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m)
        KeyUp(*m);
}

void TXTestInput::Type(const QString &text) {
    for (const QChar c : text) {
        // Latin-1 key symbols are the characters' codes.
        const TKeySym symbol = c == QLatin1Char(' ') ? XK_space : TKeySym(c.unicode());
        const bool shifted = XkbKeycodeToKeysym(FDisplay, KeyCode(symbol), 0, 0) != symbol;
        Key(symbol, shifted ? std::vector<TKeySym>{XK_Shift_L} : std::vector<TKeySym>{});
    }
}

void TXTestInput::MoveTo(QPoint screen) {
    XTestFakeMotionEvent(FDisplay, -1, screen.x(), screen.y(), CurrentTime);
    Sync();
}

void TXTestInput::ButtonDown(unsigned button) {
    XTestFakeButtonEvent(FDisplay, button, True, CurrentTime);
    FButtonsHeld.push_back(button);
    Sync();
}

void TXTestInput::ButtonUp(unsigned button) {
    XTestFakeButtonEvent(FDisplay, button, False, CurrentTime);
    FButtonsHeld.erase(std::remove(FButtonsHeld.begin(), FButtonsHeld.end(), button),
                       FButtonsHeld.end());
    Sync();
}

void TXTestInput::Click(QPoint screen, unsigned button) {
    MoveTo(screen);
    ButtonDown(button);
    ButtonUp(button);
}
