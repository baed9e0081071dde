// What a screen reader learns of the program, without platform calls: the description of one
// node of a window's accessible tree (its role, name, value, states, default action, access
// key and place), and DAccessibleSource, the side of a view or a window that answers for it
// and for its parts (list rows, column titles, menu items).
//
// The numbers of the roles, states and events are those of Microsoft Active Accessibility,
// so the Win32 side hands them on unchanged. A node's place is given in the pixels of the
// view or window that describes it, (0, 0) at its top-left corner; the Win32 side turns it
// into screen pixels.
#pragma once

#include "foundation/DString.h"

// Roles (MSAA ROLE_SYSTEM_*). accessNoRole: the view does not appear in the tree; its
// children take its place.
enum DAccessibleRole : int {
    accessNoRole = 0,
    accessScrollBar = 0x03,
    accessAlert = 0x08,
    accessWindow = 0x09,
    accessClient = 0x0A,
    accessMenuPopup = 0x0B,
    accessMenuItem = 0x0C,
    accessToolTip = 0x0D,
    accessGrouping = 0x14,
    accessSeparator = 0x15,
    accessColumnHeader = 0x19,
    accessList = 0x21,
    accessListItem = 0x22,
    accessStaticText = 0x29,
    accessText = 0x2A,
    accessPushButton = 0x2B,
    accessCheckButton = 0x2C,
    accessComboBox = 0x2E,
    accessProgressBar = 0x30,
};

// States (MSAA STATE_SYSTEM_*), combined bit by bit.
enum DAccessibleState : unsigned {
    accessUnavailable = 0x1,
    accessSelected = 0x2,
    accessFocused = 0x4,
    accessPressed = 0x8,
    accessChecked = 0x10,
    accessReadOnly = 0x40,
    accessDefault = 0x100,
    accessExpanded = 0x200,
    accessCollapsed = 0x400,
    accessAnimated = 0x4000,
    accessInvisible = 0x8000,
    accessOffscreen = 0x10000,
    accessFocusable = 0x100000,
    accessSelectable = 0x200000,
    accessProtected = 0x20000000,
    accessHasPopup = 0x40000000,
};

// Events (MSAA EVENT_*) the program reports.
enum DAccessibleEvent : unsigned {
    accessEventAlert = 0x0002,
    accessEventMenuPopupStart = 0x0006,
    accessEventMenuPopupEnd = 0x0007,
    accessEventFocus = 0x8005,
    accessEventSelection = 0x8006,
    accessEventStateChange = 0x800A,
    accessEventNameChange = 0x800C,
    accessEventValueChange = 0x800E,
};

struct DAccessibleInfo {
    int role = accessNoRole;
    unsigned state = 0;
    DString name;
    DString value;
    DString description;
    DString defaultAction;  // empty: the node has none
    char accessKey = 0;     // an upper-case letter or a digit; 0 none
    // The place, in the describing view's or window's own pixels.
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool has(unsigned flag) const { return (state & flag) != 0; }
};

// What every control's description starts from.
struct DControlFacts {
    bool enabled = true;    // the view and its ancestors
    bool focusable = true;
    bool focused = false;
    bool visible = true;    // the view and its ancestors
};

// The text of an access key as screen readers read it: "Alt+S"; empty for none.
DString accessKeyText(char key);

// A view or a window as a node of the accessible tree, with its parts: simple children that
// are not views (rows, column titles, menu items), numbered from 0.
class DAccessibleSource {
public:
    virtual ~DAccessibleSource() = default;

    virtual DAccessibleInfo accessibleInfo() const = 0;
    virtual int accessiblePartCount() const { return 0; }
    // Part `index`, its place in the source's own pixels; a node with no role outside
    // 0 .. accessiblePartCount() - 1.
    virtual DAccessibleInfo accessiblePart(int) const { return DAccessibleInfo(); }
    // Runs the default action of the source (part -1) or of one of its parts; false when it
    // has none.
    virtual bool doAccessibleAction(int) { return false; }
    // Makes part `index` the selected one; false when it cannot be selected.
    virtual bool selectAccessiblePart(int) { return false; }
    // The part that has the focus inside the source, -1 none.
    virtual int focusedAccessiblePart() const { return -1; }
};
