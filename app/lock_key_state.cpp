#include "app/lock_key_state.h"

#include <QGuiApplication>

#ifdef VARNEL_HAVE_XKB
// Xlib last, and alone with its macros (None, Bool, KeyPress) in this file: they collide with Qt's names.
#include <X11/XKBlib.h>

namespace {

std::optional<bool> namedIndicator(Display* display, const char* name)
{
    // The atom exists only where the keyboard map names such an indicator.
    const Atom atom = XInternAtom(display, name, True);
    Bool on = False;
    if (atom == 0 || !XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr))
        return std::nullopt;
    return on != False;
}

} // namespace
#endif

LockKeyState readLockKeys()
{
    LockKeyState state;
#ifdef VARNEL_HAVE_XKB
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return state;
    state.caps = namedIndicator(display, "Caps Lock");
    state.num = namedIndicator(display, "Num Lock");
    state.scroll = namedIndicator(display, "Scroll Lock");
#endif
    return state;
}
