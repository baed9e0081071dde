// What a screen reader reads of a window: its accessible object fetched as a screen reader
// fetches it (WM_GETOBJECT through oleacc, in this process or across processes) and walked
// in pre-order, children in their order, every node with its role, name, value, states,
// default action, keyboard shortcut and place on the screen. Also a recorder of the
// accessibility events the program raises (SetWinEventHook). Win32 only; the thread must
// be in a COM apartment.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <string>
#include <vector>

struct AccessibleNode {
    int depth = 0;          // 0 for the object walked from
    LONG childId = 0;       // 0: an object of its own; else a simple child of its parent
    LONG role = 0;
    LONG state = 0;
    std::string name;
    std::string value;
    std::string description;
    std::string action;
    std::string shortcut;
    RECT place{};           // screen pixels
    HWND window = nullptr;  // the object's native window (IOleWindow); a simple child's parent's

    bool has(LONG flag) const { return (state & flag) != 0; }
};

extern const IID accessibleInterface;

// The object of a window's client area (OBJID_CLIENT), a new reference; null on failure.
IAccessible* clientObjectOf(HWND window);
// Reads one node: `id` CHILDID_SELF for the object itself, else one of its simple children.
AccessibleNode readNode(IAccessible* object, LONG id, int depth);
// The whole tree under `root`, in pre-order.
std::vector<AccessibleNode> walkAccessible(IAccessible* root);
// The first node with that role and name; null when there is none.
const AccessibleNode* findNode(const std::vector<AccessibleNode>& nodes, LONG role,
                               const std::string& name);
// Every text a node gives, joined, to look for what must never be told.
std::string allTexts(const std::vector<AccessibleNode>& nodes);

// One event as a hook receives it.
struct AccessibleEvent {
    DWORD event = 0;
    HWND window = nullptr;
    LONG object = 0;
    LONG child = 0;
};

// Records the events of one process (this one by default) while it lives; events arrive
// when the recording thread handles its messages.
class EventRecorder {
public:
    explicit EventRecorder(DWORD process = 0);
    ~EventRecorder();
    EventRecorder(const EventRecorder&) = delete;
    EventRecorder& operator=(const EventRecorder&) = delete;

    bool ok() const { return hook != nullptr; }
    std::vector<AccessibleEvent> events() const;
    void clear();
    // The events of one kind since the recorder started or was cleared.
    std::vector<AccessibleEvent> of(DWORD event) const;
    // The node an event names, read as a screen reader reads it (AccessibleObjectFromEvent).
    static bool nodeOf(const AccessibleEvent& event, AccessibleNode& node);

private:
    static void CALLBACK procedure(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                   LONG child, DWORD thread, DWORD time);
    HWINEVENTHOOK hook = nullptr;
};
