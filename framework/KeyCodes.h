// Key values as they reach the views: Windows virtual-key codes, written here once so that
// portable rules (which never include <windows.h>) and the controls name the same keys.
// Letters and digits are their upper-case characters ('A', '0'); the keypad's digits
// arrive as the digit keys.
#pragma once

enum DKeyCode : int {
    keyBackspace = 0x08,
    keyTab = 0x09,
    keyEnter = 0x0D,
    keyShift = 0x10,
    keyControl = 0x11,
    keyAlt = 0x12,
    keyEscape = 0x1B,
    keySpace = 0x20,
    keyPageUp = 0x21,
    keyPageDown = 0x22,
    keyEnd = 0x23,
    keyHome = 0x24,
    keyLeft = 0x25,
    keyUp = 0x26,
    keyRight = 0x27,
    keyDown = 0x28,
    keyInsert = 0x2D,
    keyDelete = 0x2E,
    keyF1 = 0x70,
    keyF4 = 0x73,
    keyF10 = 0x79,
    keyF12 = 0x7B,
    keyContextMenu = 0x5D,
};
