// The accessible tree of a window as Microsoft Active Accessibility serves it: every window
// answers WM_GETOBJECT for its client area with an IAccessible whose children are the views
// of its interior in Tab order, and every view answers it for its own native window with an
// IAccessible of its own; rows, column titles and menu items are simple children (child ids
// from 1) of the view or window that holds them. What each node says comes from its
// DAccessibleSource (Accessible.h); this file only serves it.
//
// An object served keeps no view or window alive: it names one, and every call first checks
// that the view or window still lives on the same native window, answering
// RPC_E_DISCONNECTED once it has gone. Places are screen pixels.
#pragma once

#include <windows.h>

#include <oleacc.h>

class DView;
class DWindow;

// The interface identifier of IAccessible. The import library names a thunk of oleacc.dll
// under IID_IAccessible, not the identifier's bytes, so the program spells it out.
extern const IID accessibleInterfaceId;

// Answers WM_GETOBJECT sent to `window` (a DViewBase answers for the view it shows); true
// when `result` holds the answer, false to leave the message to default processing.
bool answerAccessibleObjectRequest(DWindow* window, WPARAM wParam, LPARAM lParam,
                                   LRESULT& result);

// A new reference to the IAccessible of a view or of a window's client area (the caller
// releases it); null when none can be made. For tests and for the objects themselves.
IAccessible* accessibleObjectOf(DView* view);
IAccessible* accessibleObjectOf(DWindow* window);
