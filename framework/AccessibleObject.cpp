#include "framework/AccessibleObject.h"

#include "framework/DView.h"
#include "framework/DViewBase.h"
#include "framework/DWinInterior.h"
#include "framework/DWindow.h"
#include "system/DrawingLock.h"

#include <vector>

const IID accessibleInterfaceId = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

namespace {

HRESULT textResult(const DString& text, BSTR* out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (text.length() == 0)
        return S_FALSE;
    // The program's texts are in the ANSI code page; screen readers get UTF-16.
    int count = MultiByteToWideChar(CP_ACP, 0, text.text(), text.length(), nullptr, 0);
    *out = SysAllocStringLen(nullptr, static_cast<UINT>(count));
    if (!*out)
        return E_OUTOFMEMORY;
    MultiByteToWideChar(CP_ACP, 0, text.text(), text.length(), *out, count);
    return S_OK;
}

void setI4(VARIANT* v, LONG value)
{
    VariantInit(v);
    v->vt = VT_I4;
    v->lVal = value;
}

void setDispatch(VARIANT* v, IAccessible* object)
{
    VariantInit(v);
    if (!object)
        return;
    v->vt = VT_DISPATCH;
    v->pdispVal = object;  // the reference passes to the caller
}

// One node reached through a child id: the object's own source, one of its parts, or one
// of its child views.
struct Target {
    DAccessibleSource* source = nullptr;
    int part = -1;           // -1: the source itself
    DView* view = nullptr;   // the view the source is; none for a window
    bool childView = false;  // the node is a child view with an object of its own
};

class AccessibleObject final : public IAccessible, public IOleWindow {
public:
    AccessibleObject(DView* v, DWindow* w, HWND h) : view(v), window(w), handle(h) {}
    AccessibleObject(const AccessibleObject&) = delete;
    AccessibleObject& operator=(const AccessibleObject&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == accessibleInterfaceId)
            *out = static_cast<IAccessible*>(this);
        else if (riid == IID_IOleWindow)
            *out = static_cast<IOleWindow*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        LONG left = InterlockedDecrement(&refs);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch: the object is reached through its interface only.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*,
                                     EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    // IOleWindow: the native window the node belongs to.
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) override
    {
        if (!out)
            return E_POINTER;
        *out = handle;
        return handle ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** out) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* out) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT id, IDispatch** out) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT id, BSTR* out) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT id, BSTR* out) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT id, BSTR* out) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT id, VARIANT* out) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT id, VARIANT* out) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* out) override
    {
        if (out)
            *out = nullptr;
        return alive() ? S_FALSE : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override
    {
        if (file)
            *file = nullptr;
        if (topic)
            *topic = 0;
        return alive() ? S_FALSE : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT id, BSTR* out) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT id, BSTR* out) override;
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT id) override;
    HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* width, LONG* height,
                                          VARIANT id) override;
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* out) override;
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* out) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT id) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~AccessibleObject() = default;

    bool alive() const;
    DAccessibleSource* own() const { return view ? static_cast<DAccessibleSource*>(view) : window; }
    std::vector<DView*> childViews() const;
    int partCount() const { return own()->accessiblePartCount(); }
    LONG childCount() const { return partCount() + static_cast<LONG>(childViews().size()); }
    // The node a child id names; E_INVALIDARG for an id outside the object.
    HRESULT resolve(const VARIANT& id, Target& target) const;
    // Runs `work` under the drawing lock while the object's view or window lives
    // (RPC_E_DISCONNECTED once it has gone); withNode also hands it the node `id` names.
    template <typename Work> HRESULT withObject(Work&& work) const
    {
        DDrawingLockHolder hold;
        return alive() ? work() : RPC_E_DISCONNECTED;
    }
    template <typename Work> HRESULT withNode(const VARIANT& id, Work&& work) const
    {
        return withObject([&]() -> HRESULT {
            Target target;
            HRESULT found = resolve(id, target);
            return FAILED(found) ? found : work(target);
        });
    }
    // The node's description with its place in screen pixels.
    DAccessibleInfo describe(const Target& target) const;
    void screenOrigin(const Target& target, int& x, int& y) const;
    bool windowActive() const;
    // A new object of the view's parent node: the nearest ancestor with a role, or the
    // window's client area; none for a window.
    AccessibleObject* parentObject() const;
    // The child id of a child view, 0 when it is not one of this object's children.
    LONG childIdOf(const DView* child) const;
    // A node given back to a client: a simple child as its id, a child view as its object.
    void giveChild(LONG id, VARIANT* out) const;
    HRESULT textOf(VARIANT id, BSTR* out, DString DAccessibleInfo::*field);
    // The bodies of get_accFocus, accNavigate and accHitTest, run by them under the lock.
    HRESULT focusOf(VARIANT* out) const;
    HRESULT navigate(LONG direction, LONG from, VARIANT* out);
    HRESULT hitTest(LONG x, LONG y, VARIANT* out) const;

    LONG refs = 1;
    DView* view;      // not owned: the view this object is, or none
    DWindow* window;  // not owned: the window whose client area this object is, or none
    HWND handle;      // the native window the view or window had when the object was made
};

bool AccessibleObject::alive() const
{
    if (view)
        return DView::isLive(view) && view->getHandle() == handle;
    return window && DWindow::isLive(window) && handle && window->getHandle() == handle;
}

std::vector<DView*> AccessibleObject::childViews() const
{
    std::vector<DView*> out;
    if (view)
        view->accessibleChildren(out);
    else if (window->getInterior())
        window->getInterior()->accessibleChildren(out);
    return out;
}

HRESULT AccessibleObject::resolve(const VARIANT& id, Target& target) const
{
    if (id.vt != VT_I4)
        return E_INVALIDARG;
    LONG n = id.lVal;
    target = Target();
    if (n == CHILDID_SELF) {
        target.source = own();
        target.view = view;
        return S_OK;
    }
    int parts = partCount();
    if (n >= 1 && n <= parts) {
        target.source = own();
        target.view = view;
        target.part = n - 1;
        return S_OK;
    }
    std::vector<DView*> children = childViews();
    if (n > parts && n <= parts + static_cast<LONG>(children.size())) {
        target.view = children[static_cast<size_t>(n - parts - 1)];
        target.source = target.view;
        target.childView = true;
        return S_OK;
    }
    return E_INVALIDARG;
}

bool AccessibleObject::windowActive() const
{
    HWND top = view ? static_cast<HWND>(view->root()->getHandle()) : handle;
    return top && GetActiveWindow() == top;
}

void AccessibleObject::screenOrigin(const Target& target, int& x, int& y) const
{
    // The origin of the client area the target lies in, in device pixels of the screen.
    POINT p{0, 0};
    ClientToScreen(target.view ? static_cast<HWND>(target.view->root()->getHandle()) : handle, &p);
    x = p.x;
    y = p.y;
}

DAccessibleInfo AccessibleObject::describe(const Target& target) const
{
    // Views and their parts give places in units, from the view's corner; a screen reader
    // gets device pixels of the screen, as the system's own controls give them.
    DAccessibleInfo info = target.part < 0 ? target.source->accessibleInfo()
                                           : target.source->accessiblePart(target.part);
    DScale scale;
    int ax = 0;
    int ay = 0;
    if (target.view) {
        scale = target.view->displayScale();
        target.view->absolutePosition(ax, ay);
    } else if (window && DWindow::isLive(window)) {
        scale = window->getScale();
    }
    if (target.part < 0 && target.view) {
        info.x = 0;
        info.y = 0;
        info.width = target.view->getWidth();
        info.height = target.view->getHeight();
        if (info.accessKey == 0)
            info.accessKey = target.view->reachingAccessKey();
        if (!windowActive())
            info.state &= ~static_cast<unsigned>(accessFocused);
    }
    int left = scale.toDevice(ax + info.x);
    int top = scale.toDevice(ay + info.y);
    info.width = scale.toDevice(ax + info.x + info.width) - left;
    info.height = scale.toDevice(ay + info.y + info.height) - top;
    if (target.part < 0 && !target.view) {
        // A window: its whole client area, exactly as the system has it.
        RECT client{};
        GetClientRect(handle, &client);
        left = 0;
        top = 0;
        info.width = client.right;
        info.height = client.bottom;
    }
    int ox = 0;
    int oy = 0;
    screenOrigin(target, ox, oy);
    info.x = left + ox;
    info.y = top + oy;
    return info;
}

AccessibleObject* AccessibleObject::parentObject() const
{
    if (!view)
        return nullptr;
    if (DView* up = view->accessibleParent())
        return new AccessibleObject(up, nullptr, static_cast<HWND>(up->getHandle()));
    DWinInterior* interior = dynamic_cast<DWinInterior*>(view->root());
    DWindow* owner = interior ? interior->getOwnerWindow() : nullptr;
    if (!owner || !DWindow::isLive(owner) || !owner->getHandle())
        return nullptr;
    return new AccessibleObject(nullptr, owner, owner->getHandle());
}

LONG AccessibleObject::childIdOf(const DView* child) const
{
    std::vector<DView*> children = childViews();
    for (size_t i = 0; i < children.size(); i++)
        if (children[i] == child)
            return partCount() + static_cast<LONG>(i) + 1;
    return 0;
}

void AccessibleObject::giveChild(LONG id, VARIANT* out) const
{
    int parts = partCount();
    if (id > parts) {
        std::vector<DView*> children = childViews();
        size_t index = static_cast<size_t>(id - parts - 1);
        if (index < children.size()) {
            setDispatch(out, accessibleObjectOf(children[index]));
            return;
        }
    }
    setI4(out, id);
}

HRESULT AccessibleObject::get_accParent(IDispatch** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    return withObject([&]() -> HRESULT {
        if (view) {
            AccessibleObject* up = parentObject();
            *out = static_cast<IAccessible*>(up);
            return up ? S_OK : S_FALSE;
        }
        // Above a window's client area stands the system's object of the window itself.
        HRESULT result = AccessibleObjectFromWindow(handle, static_cast<DWORD>(OBJID_WINDOW),
                                                    IID_IDispatch, reinterpret_cast<void**>(out));
        return SUCCEEDED(result) && *out ? S_OK : S_FALSE;
    });
}

HRESULT AccessibleObject::get_accChildCount(LONG* out)
{
    if (!out)
        return E_POINTER;
    return withObject([&]() -> HRESULT {
        *out = childCount();
        return S_OK;
    });
}

HRESULT AccessibleObject::get_accChild(VARIANT id, IDispatch** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    return withNode(id, [&](const Target& target) -> HRESULT {
        if (!target.childView)
            return S_FALSE;
        *out = accessibleObjectOf(target.view);
        return *out ? S_OK : E_FAIL;
    });
}

HRESULT AccessibleObject::textOf(VARIANT id, BSTR* out, DString DAccessibleInfo::*field)
{
    if (out)
        *out = nullptr;
    return withNode(id, [&](const Target& target) {
        return textResult(describe(target).*field, out);
    });
}

HRESULT AccessibleObject::get_accName(VARIANT id, BSTR* out)
{
    return textOf(id, out, &DAccessibleInfo::name);
}

HRESULT AccessibleObject::get_accValue(VARIANT id, BSTR* out)
{
    return textOf(id, out, &DAccessibleInfo::value);
}

HRESULT AccessibleObject::get_accDescription(VARIANT id, BSTR* out)
{
    return textOf(id, out, &DAccessibleInfo::description);
}

HRESULT AccessibleObject::get_accDefaultAction(VARIANT id, BSTR* out)
{
    return textOf(id, out, &DAccessibleInfo::defaultAction);
}

HRESULT AccessibleObject::get_accKeyboardShortcut(VARIANT id, BSTR* out)
{
    if (out)
        *out = nullptr;
    return withNode(id, [&](const Target& target) {
        return textResult(accessKeyText(describe(target).accessKey), out);
    });
}

HRESULT AccessibleObject::get_accRole(VARIANT id, VARIANT* out)
{
    if (!out)
        return E_POINTER;
    VariantInit(out);
    return withNode(id, [&](const Target& target) {
        setI4(out, describe(target).role);
        return S_OK;
    });
}

HRESULT AccessibleObject::get_accState(VARIANT id, VARIANT* out)
{
    if (!out)
        return E_POINTER;
    VariantInit(out);
    return withNode(id, [&](const Target& target) {
        setI4(out, static_cast<LONG>(describe(target).state));
        return S_OK;
    });
}

HRESULT AccessibleObject::get_accFocus(VARIANT* out)
{
    if (!out)
        return E_POINTER;
    VariantInit(out);
    return withObject([&]() { return focusOf(out); });
}

HRESULT AccessibleObject::focusOf(VARIANT* out) const
{
    int part = own()->focusedAccessiblePart();
    if (!view && part >= 0) {
        setI4(out, part + 1);  // a menu's hot item, a drop-down list's hot row
        return S_OK;
    }
    if (!windowActive())
        return S_FALSE;
    if (view && view->getParent() && view->isFocused()) {
        setI4(out, part >= 0 ? part + 1 : CHILDID_SELF);
        return S_OK;
    }
    DView* top = view ? view : window->getInterior();
    DView* focused = top ? DView::focusedIn(top) : nullptr;
    if (!focused) {
        if (!view)
            setI4(out, CHILDID_SELF);
        return view ? S_FALSE : S_OK;
    }
    // A focused view further down is given as its own object.
    while (focused && focused->accessibleInfo().role == accessNoRole)
        focused = focused->accessibleParent();
    if (!focused || focused == view)
        return S_FALSE;
    setDispatch(out, accessibleObjectOf(focused));
    return S_OK;
}

HRESULT AccessibleObject::get_accSelection(VARIANT* out)
{
    if (!out)
        return E_POINTER;
    VariantInit(out);
    return withObject([&]() -> HRESULT {
        for (int i = 0; i < partCount(); i++) {
            if (own()->accessiblePart(i).has(accessSelected)) {
                setI4(out, i + 1);
                return S_OK;
            }
        }
        return S_FALSE;
    });
}

HRESULT AccessibleObject::accSelect(LONG flags, VARIANT id)
{
    return withNode(id, [&](const Target& target) {
        bool done = false;
        if (target.part >= 0 && (flags & (SELFLAG_TAKESELECTION | SELFLAG_TAKEFOCUS)))
            done = target.source->selectAccessiblePart(target.part);
        DView* v = target.view;
        if ((flags & SELFLAG_TAKEFOCUS) && v && v->isFocusable() && v->getParent() &&
            v->isEnabled() && v->isVisible()) {
            v->getParent()->setFocus(v);
            done = true;
        }
        return done ? S_OK : S_FALSE;
    });
}

HRESULT AccessibleObject::accLocation(LONG* x, LONG* y, LONG* width, LONG* height, VARIANT id)
{
    if (!x || !y || !width || !height)
        return E_POINTER;
    *x = *y = *width = *height = 0;
    return withNode(id, [&](const Target& target) {
        DAccessibleInfo info = describe(target);
        *x = info.x;
        *y = info.y;
        *width = info.width;
        *height = info.height;
        return S_OK;
    });
}

HRESULT AccessibleObject::accNavigate(LONG direction, VARIANT start, VARIANT* out)
{
    if (!out)
        return E_POINTER;
    VariantInit(out);
    return withNode(start, [&](const Target&) { return navigate(direction, start.lVal, out); });
}

HRESULT AccessibleObject::navigate(LONG direction, LONG from, VARIANT* out)
{
    LONG count = childCount();
    switch (direction) {
    case NAVDIR_FIRSTCHILD:
    case NAVDIR_LASTCHILD:
        if (from != CHILDID_SELF)
            return E_INVALIDARG;
        if (count == 0)
            return S_FALSE;
        giveChild(direction == NAVDIR_FIRSTCHILD ? 1 : count, out);
        return S_OK;
    case NAVDIR_NEXT:
    case NAVDIR_DOWN:
    case NAVDIR_RIGHT:
    case NAVDIR_PREVIOUS:
    case NAVDIR_UP:
    case NAVDIR_LEFT: {
        bool forward = direction == NAVDIR_NEXT || direction == NAVDIR_DOWN ||
                       direction == NAVDIR_RIGHT;
        if (from == CHILDID_SELF) {
            // Among the siblings: the parent object knows them.
            AccessibleObject* up = view ? parentObject() : nullptr;
            if (!up)
                return S_FALSE;
            VARIANT self;
            setI4(&self, up->childIdOf(view));
            HRESULT result = self.lVal ? up->accNavigate(direction, self, out) : S_FALSE;
            up->Release();
            return result;
        }
        LONG next = forward ? from + 1 : from - 1;
        if (next < 1 || next > count)
            return S_FALSE;
        giveChild(next, out);
        return S_OK;
    }
    default:
        return E_INVALIDARG;
    }
}

HRESULT AccessibleObject::accHitTest(LONG x, LONG y, VARIANT* out)
{
    if (!out)
        return E_POINTER;
    VariantInit(out);
    return withObject([&]() { return hitTest(x, y, out); });
}

HRESULT AccessibleObject::hitTest(LONG x, LONG y, VARIANT* out) const
{
    auto inside = [x, y](const DAccessibleInfo& info) {
        return x >= info.x && y >= info.y && x < info.x + info.width && y < info.y + info.height;
    };
    Target self;
    self.source = own();
    self.view = view;
    if (!inside(describe(self)))
        return S_FALSE;
    std::vector<DView*> children = childViews();
    for (size_t i = children.size(); i-- > 0;) {
        Target child;
        child.source = children[i];
        child.view = children[i];
        if (children[i]->isVisible() && inside(describe(child))) {
            setDispatch(out, accessibleObjectOf(children[i]));
            return S_OK;
        }
    }
    for (int i = 0; i < partCount(); i++) {
        Target part = self;
        part.part = i;
        DAccessibleInfo info = describe(part);
        if (info.role != accessNoRole && !info.has(accessInvisible) && inside(info)) {
            setI4(out, i + 1);
            return S_OK;
        }
    }
    setI4(out, CHILDID_SELF);
    return S_OK;
}

HRESULT AccessibleObject::accDoDefaultAction(VARIANT id)
{
    return withNode(id, [&](const Target& target) {
        return target.source->doAccessibleAction(target.part) ? S_OK : DISP_E_MEMBERNOTFOUND;
    });
}

// COM serves the objects on the user-interface thread, which must be in an apartment: the
// first request sets one up for the rest of the process.
void enterApartmentOnce()
{
    static bool entered = false;
    if (entered)
        return;
    entered = true;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
}

}  // namespace

IAccessible* accessibleObjectOf(DView* view)
{
    if (!view || !DView::isLive(view))
        return nullptr;
    return new AccessibleObject(view, nullptr, static_cast<HWND>(view->getHandle()));
}

IAccessible* accessibleObjectOf(DWindow* window)
{
    if (!window || !DWindow::isLive(window) || !window->getHandle())
        return nullptr;
    return new AccessibleObject(nullptr, window, window->getHandle());
}

bool answerAccessibleObjectRequest(DWindow* window, WPARAM wParam, LPARAM lParam,
                                   LRESULT& result)
{
    if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT))
        return false;
    IAccessible* object = nullptr;
    if (DViewBase* base = dynamic_cast<DViewBase*>(window)) {
        DView* host = base->getHostView();
        if (!host)
            return false;
        object = accessibleObjectOf(host);
    } else {
        object = accessibleObjectOf(window);
    }
    if (!object)
        return false;
    enterApartmentOnce();
    result = LresultFromObject(accessibleInterfaceId, wParam, object);
    object->Release();
    return true;
}
