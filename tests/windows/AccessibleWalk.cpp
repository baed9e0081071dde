#include "AccessibleWalk.h"

#include <utility>

// IAccessible's identifier, spelt out: the import library's IID_IAccessible is a thunk.
const IID accessibleInterface = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

namespace {

std::string narrow(BSTR text)
{
    if (!text)
        return std::string();
    int length = static_cast<int>(SysStringLen(text));
    int bytes = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, &out[0], bytes, nullptr, nullptr);
    SysFreeString(text);
    return out;
}

VARIANT childVariant(LONG id)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

HWND windowOf(IAccessible* object)
{
    IOleWindow* ole = nullptr;
    HWND window = nullptr;
    if (SUCCEEDED(object->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&ole))) && ole) {
        ole->GetWindow(&window);
        ole->Release();
    }
    return window;
}

void walkInto(IAccessible* object, int depth, std::vector<AccessibleNode>& out)
{
    out.push_back(readNode(object, CHILDID_SELF, depth));
    LONG count = 0;
    if (FAILED(object->get_accChildCount(&count)))
        return;
    for (LONG id = 1; id <= count; id++) {
        IDispatch* child = nullptr;
        HRESULT found = object->get_accChild(childVariant(id), &child);
        IAccessible* childObject = nullptr;
        if (found == S_OK && child &&
            SUCCEEDED(child->QueryInterface(accessibleInterface, reinterpret_cast<void**>(&childObject)))) {
            walkInto(childObject, depth + 1, out);
            childObject->Release();
        } else {
            out.push_back(readNode(object, id, depth + 1));
        }
        if (child)
            child->Release();
    }
}

std::vector<AccessibleEvent>& recorded()
{
    static std::vector<AccessibleEvent> events;
    return events;
}

}  // namespace

IAccessible* clientObjectOf(HWND window)
{
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                          accessibleInterface, reinterpret_cast<void**>(&object))))
        return nullptr;
    return object;
}

AccessibleNode readNode(IAccessible* object, LONG id, int depth)
{
    AccessibleNode node;
    node.depth = depth;
    node.childId = id;
    VARIANT child = childVariant(id);
    VARIANT result;
    VariantInit(&result);
    if (SUCCEEDED(object->get_accRole(child, &result)) && result.vt == VT_I4)
        node.role = result.lVal;
    VariantClear(&result);
    if (SUCCEEDED(object->get_accState(child, &result)) && result.vt == VT_I4)
        node.state = result.lVal;
    VariantClear(&result);
    using Getter = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);
    const std::pair<Getter, std::string AccessibleNode::*> texts[] = {
        {&IAccessible::get_accName, &AccessibleNode::name},
        {&IAccessible::get_accValue, &AccessibleNode::value},
        {&IAccessible::get_accDescription, &AccessibleNode::description},
        {&IAccessible::get_accDefaultAction, &AccessibleNode::action},
        {&IAccessible::get_accKeyboardShortcut, &AccessibleNode::shortcut},
    };
    for (const auto& t : texts) {
        BSTR text = nullptr;
        if ((object->*t.first)(child, &text) == S_OK)
            node.*t.second = narrow(text);
    }
    LONG x = 0, y = 0, w = 0, h = 0;
    if (SUCCEEDED(object->accLocation(&x, &y, &w, &h, child)))
        node.place = RECT{x, y, x + w, y + h};
    node.window = windowOf(object);
    return node;
}

std::vector<AccessibleNode> walkAccessible(IAccessible* root)
{
    std::vector<AccessibleNode> nodes;
    if (root)
        walkInto(root, 0, nodes);
    return nodes;
}

const AccessibleNode* findNode(const std::vector<AccessibleNode>& nodes, LONG role,
                               const std::string& name)
{
    for (const AccessibleNode& node : nodes)
        if (node.role == role && node.name == name)
            return &node;
    return nullptr;
}

std::string allTexts(const std::vector<AccessibleNode>& nodes)
{
    std::string all;
    for (const AccessibleNode& node : nodes)
        all += node.name + "|" + node.value + "|" + node.description + "|" + node.action + "|" +
               node.shortcut + "\n";
    return all;
}

EventRecorder::EventRecorder(DWORD process)
{
    recorded().clear();
    hook = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, procedure,
                           process ? process : GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
}

EventRecorder::~EventRecorder()
{
    if (hook)
        UnhookWinEvent(hook);
}

void CALLBACK EventRecorder::procedure(HWINEVENTHOOK, DWORD event, HWND window, LONG object,
                                       LONG child, DWORD, DWORD)
{
    // The system's own events of every window come too; only the program's kinds are kept.
    switch (event) {
    case EVENT_SYSTEM_ALERT:
    case EVENT_SYSTEM_MENUPOPUPSTART:
    case EVENT_SYSTEM_MENUPOPUPEND:
    case EVENT_OBJECT_FOCUS:
    case EVENT_OBJECT_SELECTION:
    case EVENT_OBJECT_STATECHANGE:
    case EVENT_OBJECT_NAMECHANGE:
    case EVENT_OBJECT_VALUECHANGE:
        if (object == OBJID_CLIENT)
            recorded().push_back(AccessibleEvent{event, window, object, child});
        break;
    default:
        break;
    }
}

std::vector<AccessibleEvent> EventRecorder::events() const
{
    return recorded();
}

void EventRecorder::clear()
{
    recorded().clear();
}

std::vector<AccessibleEvent> EventRecorder::of(DWORD event) const
{
    std::vector<AccessibleEvent> out;
    for (const AccessibleEvent& e : recorded())
        if (e.event == event)
            out.push_back(e);
    return out;
}

bool EventRecorder::nodeOf(const AccessibleEvent& event, AccessibleNode& node)
{
    IAccessible* object = nullptr;
    VARIANT child;
    VariantInit(&child);
    if (FAILED(AccessibleObjectFromEvent(event.window, static_cast<DWORD>(event.object),
                                         static_cast<DWORD>(event.child), &object, &child)) ||
        !object)
        return false;
    node = readNode(object, child.vt == VT_I4 ? child.lVal : CHILDID_SELF, 0);
    object->Release();
    return true;
}
