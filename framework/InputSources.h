// Where the window procedure reads the clock, the modifier keys and whether the system
// always underlines access keys. By default these are the system's tick count, key state
// and keyboard-cues setting (GetTickCount, GetKeyState, SPI_GETKEYBOARDCUES); a test
// installs its own functions so that double-click timing, modifier combinations and the
// underlines can be driven without waiting, without a real keyboard and whatever the
// system is set to.
#pragma once

using DTickSource = unsigned (*)();
using DKeyStateSource = bool (*)(int virtualKey);  // true while the key is held
using DCuesSource = bool (*)();  // true when access keys are always underlined

// Null puts the system's source back.
void setTickSource(DTickSource source);
void setKeyStateSource(DKeyStateSource source);
void setKeyboardCuesSource(DCuesSource source);

unsigned currentTick();
bool isKeyHeld(int virtualKey);
bool systemShowsKeyboardCues();
// Modifier flags of a key message (AltGr counts as neither Ctrl nor Alt) and of a mouse
// message (each key by itself).
int currentKeyModifiers();
int currentMouseModifiers();
