// Where the window procedure reads the clock and the modifier keys. By default these are
// the system's tick count and key state (GetTickCount, GetKeyState); a test installs its
// own functions so that double-click timing and modifier combinations can be driven
// without waiting and without a real keyboard.
#pragma once

using DTickSource = unsigned (*)();
using DKeyStateSource = bool (*)(int virtualKey);  // true while the key is held

// Null puts the system's source back.
void setTickSource(DTickSource source);
void setKeyStateSource(DKeyStateSource source);

unsigned currentTick();
bool isKeyHeld(int virtualKey);
// Modifier flags of a key message (AltGr counts as neither Ctrl nor Alt) and of a mouse
// message (each key by itself).
int currentKeyModifiers();
int currentMouseModifiers();
