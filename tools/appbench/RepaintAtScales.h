// appbench's figures for drawing at a display scale: the time to repaint the main window at
// the display's own scale and again at twice its dpi (200 % on a 96-dpi display), the window
// moved there as Windows moves it to a monitor of that dpi (WM_DPICHANGED) and back after.
#pragma once

class DMainWindow;

// Shows the window, prints both figures and their ratio (wall and CPU time per repaint over
// `redraws` repaints each) and hides it again.
void printRepaintAtScales(DMainWindow* window, int redraws);
