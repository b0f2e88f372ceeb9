#pragma once
#include <optional>

// The lock keys of the keyboard as the window system keeps them.
struct TKeyboardLocks {
    bool CapsLock = false;
    bool NumLock = false;
};

// Read from the window system when it offers a reading (an X11 display with its keyboard
// extension); none where it does not (the offscreen platform, other window systems).
std::optional<TKeyboardLocks> ReadKeyboardLocks();
