#pragma once

#include <optional>

// The state of the caps-lock, num-lock and scroll-lock keys, each where the window system tells it.
struct LockKeyState {
    std::optional<bool> caps, num, scroll;
};

// The state as the X server's keyboard indicators show it; nothing known on other platforms.
LockKeyState readLockKeys();
