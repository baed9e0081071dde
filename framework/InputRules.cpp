#include "framework/InputRules.h"

int keyModifiers(bool shift, bool ctrl, bool alt)
{
    int mods = shift ? modShift : 0;
    if (ctrl && alt)
        return mods;  // AltGr
    if (ctrl)
        mods |= modCtrl;
    if (alt)
        mods |= modAlt;
    return mods;
}

int mouseModifiers(bool shift, bool ctrl, bool alt)
{
    return (shift ? modShift : 0) | (ctrl ? modCtrl : 0) | (alt ? modAlt : 0);
}

bool isModifierKey(int virtualKey)
{
    return virtualKey == 0x10 || virtualKey == 0x11 || virtualKey == 0x12;
}

int normalizedKey(int virtualKey)
{
    if (virtualKey >= 0x60 && virtualKey <= 0x69)
        return virtualKey - 0x30;
    return virtualKey;
}

bool keyTypesNoCharacter(int key, int mods)
{
    if (mods & modCtrl)
        return true;
    switch (key) {
    case 8: case 9: case 13: case 27: case 45: case 46:
        return true;
    default:
        break;
    }
    return (key >= 33 && key <= 40) || (key >= 112 && key <= 123);
}

bool translatesFromKeyValue(int key)
{
    return (key >= 0x30 && key <= 0x39) || key == 0x6E || key == 0x6F;
}

bool DClickTracker::release(unsigned now)
{
    if (!pending) {
        pending = true;
        last = now;
        return false;
    }
    // Unsigned subtraction keeps the rule right across the tick counter's wrap-around.
    bool quick = now - last < doubleClickTime;
    last = now;
    pending = false;
    return quick;
}
