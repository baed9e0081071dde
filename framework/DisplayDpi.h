// The dots per inch the system gives the program's windows, and the system's own measures
// (frames, captions, icon sizes) at a given dpi. A window's dpi is asked of the window
// itself where the system knows it (Windows 10 from version 1607), of its monitor on
// Windows 8.1, and of the display as a whole before that. Thin Win32 calls: the answers
// feed the display scale (graphics/DisplayScale.h), which does all arithmetic. Every
// function answers something usable, at worst 96 dpi.
#pragma once

#include <windows.h>

// The dpi of the display `window` is on.
int windowDpi(HWND window);
// The dpi the system as a whole uses: that of the primary display when the user logged on.
int systemDpi();
// GetSystemMetrics(`index`) as it is at `dpi`: asked for that dpi where the system can tell,
// otherwise the system-wide value scaled from the system's dpi.
int systemMetricForDpi(int index, int dpi);
