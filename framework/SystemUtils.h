// System utilities: the few operating-system services Pellaro needs outside window handling
// proper - file removal, opening a document or web address with its associated application,
// clipboard text, the mouse cursor shape and position, mouse capture, the screen size and
// point conversion between a window's client area and the screen (the known folders live in
// system/KnownFolders.h). Coordinates are pixels; points in screen coordinates
// unless a window is named. Texts go in and out as DString in the ANSI code page. Nothing
// here shows a message: a failure gives the empty text, false or no effect.
#pragma once

#include <windows.h>

#include "foundation/DString.h"
// The folder functions, for code that found them here before they had a home of their own.
#include "system/KnownFolders.h"

// Removes a file; the outcome is not reported.
void deleteFile(const DString& path);
// Opens a document or web address with its associated application ("open" action).
void shellOpen(const DString& target);

// Puts the text on the clipboard as CF_TEXT. `owner` becomes the clipboard's owner: some
// systems refuse the data of an ownerless clipboard, so callers that have a window pass it.
// Nothing happens when the clipboard cannot be opened.
void setClipboardText(const DString& text, HWND owner = nullptr);
// The CF_TEXT text of the clipboard; empty when it cannot be opened or holds no text.
DString clipboardText();
bool clipboardHasText();

// The five cursor shapes of setCursor, by type: 0 arrow, 1 hourglass, 2 text I-beam,
// 3 cross hair, 4 pointing hand; any other type is the arrow.
enum DCursorType { cursorArrow = 0, cursorWait = 1, cursorIBeam = 2, cursorCross = 3, cursorHand = 4 };
// Loads the five shared system cursors once (the application object does this at start-up;
// setCursor also loads them on first use). System cursors are never destroyed.
void loadSystemCursors();
// The loaded cursor for a type (the arrow for unknown types).
HCURSOR systemCursor(int type);
// Shows the cursor of `type`. The window is not used; it names whose cursor is meant.
void setCursor(HWND window, int type);
// The cursor position in screen coordinates.
void cursorPosition(int& x, int& y);
void setCapture(HWND window);
void releaseCapture();

int screenWidth();
int screenHeight();
// Convert a point, in place, between a window's client coordinates and the screen's.
void clientToScreen(HWND window, int& x, int& y);
void screenToClient(HWND window, int& x, int& y);

// Posts the quit message that ends the innermost message loop with `exitCode`.
void postQuit(int exitCode);
