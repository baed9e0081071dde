// Input rules of the window procedure that need no platform calls: how the modifier keys
// become the flag mask that travels with every key and mouse event, which key values reach
// the views, which key presses produce typed characters, and the double-click rule.
// Key values are Windows virtual-key codes; times are millisecond tick counts that wrap
// around after 2^32 ms.
#pragma once

// Modifier flags carried by key and mouse events.
enum : int {
    modShift = 0x1,
    modCtrl = 0x10,
    modAlt = 0x100,
};

// The flag mask for a key message: Ctrl and Alt held together (AltGr) count as neither,
// so characters typed with AltGr still arrive.
int keyModifiers(bool shift, bool ctrl, bool alt);
// The flag mask for a mouse message: each key counts by itself.
int mouseModifiers(bool shift, bool ctrl, bool alt);

// Which keys the system sends as system keys reach the views: any key with Alt alone, and
// Shift+F10, which opens a field's menu. Other combinations (F10 alone too) are dropped.
bool systemKeyReachesViews(int key, int mods);

// Shift, Ctrl and Alt themselves never reach the views.
bool isModifierKey(int virtualKey);
// The numeric keypad's digits (0x60-0x69) become the digit keys 0x30-0x39; every other
// key stays as it is.
int normalizedKey(int virtualKey);
// A key press that never types a character: anything with Ctrl held, and backspace, tab,
// enter, escape, the page and arrow keys, insert, delete and F1-F12.
bool keyTypesNoCharacter(int key, int mods);
// Digits, the keypad's decimal point and divide key are translated from the key value
// itself; every other key from its scan code.
bool translatesFromKeyValue(int key);

// Detects double clicks from left-button releases. Two releases less than `interval`
// milliseconds apart, with no mouse move or leave between them, make one double click.
class DClickTracker {
public:
    static const unsigned doubleClickTime = 1000;

    // A left-button release at tick `now`; true when it completes a double click.
    bool release(unsigned now);
    // A mouse move or the mouse leaving: the next release starts afresh.
    void reset() { pending = false; }
    bool isPending() const { return pending; }
    unsigned lastTime() const { return last; }

private:
    unsigned last = 0;     // tick of the last release that counted
    bool pending = false;  // a first click has been seen
};
