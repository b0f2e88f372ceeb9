#include "platform/widgets/keyboard/KeyboardLocks.h"

#include <QGuiApplication>

#if QT_CONFIG(xcb)
#include <X11/XKBlib.h>
#include <X11/keysym.h>
#endif

std::optional<TKeyboardLocks> ReadKeyboardLocks()
{
#if QT_CONFIG(xcb)
    const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* tela = x11 ? x11->display() : nullptr;
    if (!tela)
        return std::nullopt;
    XkbStateRec estado{};
    if (XkbGetState(tela, XkbUseCoreKbd, &estado) != Success)
        return std::nullopt;
    // Num Lock is whichever modifier the keymap binds it to; Caps Lock is always the Lock one.
    const unsigned num = XkbKeysymToModifiers(tela, XK_Num_Lock);
    TKeyboardLocks travas;
    travas.CapsLock = (estado.locked_mods & LockMask) != 0;
    travas.NumLock = num != 0 && (estado.locked_mods & num) != 0;
    return travas;
#else
    return std::nullopt;
#endif
}
