#include "StartupKeys.h"

#include <QGuiApplication>

#ifdef PULSEPANEL_HAVE_X11
#include <X11/Xlib.h>
#include <X11/keysym.h>
#endif

namespace {

#ifdef PULSEPANEL_HAVE_X11
// Reads the X server's key map on each question, so a key pressed while the window is
// being built still counts. Only the left shift key's code is asked for.
class TX11StartupKeys : public TStartupKeys {
public:
    explicit TX11StartupKeys(Display *display) : FDisplay(display) {}
    ~TX11StartupKeys() override { XCloseDisplay(FDisplay); }
    bool SpacePressed() override { return Pressed(XK_space); }
    bool LeftShiftPressed() override { return Pressed(XK_Shift_L); }

private:
    bool Pressed(KeySym symbol) {
        const KeyCode code = XKeysymToKeycode(FDisplay, symbol);
        if (code == 0)
            return false;
        char keys[32] = {};
        XQueryKeymap(FDisplay, keys);
        return (keys[code / 8] & (1 << (code % 8))) != 0;
    }
    Display *FDisplay;
};
#endif

} // namespace

std::shared_ptr<TStartupKeys> TStartupKeys::Platform() {
#ifdef PULSEPANEL_HAVE_X11
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        if (Display *display = XOpenDisplay(nullptr))
            return std::make_shared<TX11StartupKeys>(display);
    }
#endif
    return std::make_shared<TNoStartupKeys>();
}
