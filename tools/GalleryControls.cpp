#include "GalleryControls.h"

#include "controls/DButton.h"
#include "controls/DCBDropMenu.h"
#include "controls/DCheckBox.h"
#include "controls/DComboBox.h"
#include "controls/DGroup.h"
#include "controls/DInputLine.h"
#include "controls/DListView.h"
#include "controls/DMenu.h"
#include "controls/DScrollBar.h"
#include "controls/DStaticText.h"
#include "controls/DToolTip.h"
#include "controls/DWaitBar.h"
#include "controls/MenuGeometry.h"
#include "framework/DApplication.h"
#include "graphics/DCanvas.h"

#include <windows.h>

#include <cstdio>

namespace {

const int rowHeights[galleryControlRowCount] = {28, 24, 26, 26, 120, 64, 24, 70, 160};
const int rowGap = 8;
// Where the row windows and pop-ups are put on the screen while they paint.
const int screenX = 10;
const int screenY = 10;

// A frameless window holding one row of controls; closing it ends nothing else.
class RowWindow : public DWindow {
public:
    bool make(int height)
    {
        return create(nullptr, screenX, screenY, galleryControlPanelWidth, height, DString(""),
                      windowFrameless);
    }
};

// A push button that can be shown held down.
class HeldButton : public DButton {
public:
    void hold() { setState(DStatePressed); }
};

// Lets every queued message be handled, with the windows repainted, a few times over: a
// paint may queue further work (a redraw of a child, a deferred release).
void settle()
{
    for (int pass = 0; pass < 4; ++pass) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

void repaint(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    settle();
}

// Copies the client area of `window` (its child windows included) to (x, y) of `target`:
// its device pixels to the device pixels where those units fall. `width` gets its width in
// units.
bool copyWindow(HWND window, DCanvas* target, int x, int y, int* width = nullptr)
{
    if (!window)
        return false;
    repaint(window);
    RECT r;
    if (!GetClientRect(window, &r))
        return false;
    HDC source = GetDC(window);
    if (!source)
        return false;
    const DScale& scale = target->getScale();
    const RECT place = target->deviceRect(x, y, 0, 0);
    // The bitmap is in the canvas's device context only while the canvas is held open.
    target->lock();
    const BOOL ok =
        BitBlt(target->dc(), place.left, place.top, r.right, r.bottom, source, 0, 0, SRCCOPY);
    target->unlock();
    ReleaseDC(window, source);
    if (width)
        *width = scale.toUnits(r.right);
    if (!ok)
        return false;
    // A copy that left the area one flat colour copied nothing the controls drew.
    const DColor first = target->getPixel(x, y);
    for (int py = y; py < y + scale.toUnits(r.bottom); py += 2)
        for (int px = x; px < x + scale.toUnits(r.right); px += 2)
            if (target->getPixel(px, py) != first)
                return true;
    std::fprintf(stderr, "gallery: a window copied as one flat colour\n");
    return false;
}

// A mouse message's position for the point (x, y) of a window's client area, in units.
LPARAM at(const DWindow& window, int x, int y)
{
    return MAKELPARAM(window.getScale().toDevice(x), window.getScale().toDevice(y));
}

void leftDrag(DWindow& window, int x1, int x2, int y)
{
    HWND h = window.getHandle();
    SendMessageA(h, WM_MOUSEMOVE, 0, at(window, x1, y));
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, at(window, x1, y));
    SendMessageA(h, WM_MOUSEMOVE, MK_LBUTTON, at(window, x2, y));
    SendMessageA(h, WM_LBUTTONUP, 0, at(window, x2, y));
}

// Each row builds its controls into the window; the focused one, if any, is returned.
DView* buttonRow(RowWindow& w)
{
    const char* captions[5] = {"Normal", "Default", "Pressed", "Focused", "Disabled"};
    DView* focused = nullptr;
    for (int i = 0; i < 5; ++i) {
        HeldButton* b = new HeldButton;
        b->create(2 + i * 86, 2, 80, 24, DString(captions[i]));
        w.addView(b);
        if (i == 1) b->setDefault(true);
        if (i == 2) b->hold();
        if (i == 3) focused = b;
        if (i == 4) b->setEnabled(false);
    }
    return focused;
}

DView* checkRow(RowWindow& w)
{
    const char* captions[4] = {"Off", "On", "Focused", "Disabled"};
    DView* focused = nullptr;
    for (int i = 0; i < 4; ++i) {
        DCheckBox* c = new DCheckBox;
        c->create(2 + i * 108, 2, 100, 20, DString(captions[i]));
        c->setChecked(i > 0);
        w.addView(c);
        if (i == 2) focused = c;
        if (i == 3) c->setEnabled(false);
    }
    return focused;
}

DView* fieldRow(RowWindow& w)
{
    const char* values[4] = {"Normal", "A selection", "secret", "Disabled"};
    DInputLine* fields[4];
    for (int i = 0; i < 4; ++i) {
        fields[i] = new DInputLine;
        fields[i]->init(2 + i * 108, 2, 102, 21);
        w.addView(fields[i]);
        fields[i]->setValue(DString(values[i]));
    }
    fields[2]->setPasswordMode(true);
    fields[3]->setEnabled(false);
    // A drag over the second field selects part of its text (and focuses it).
    settle();
    leftDrag(w, 108 + 12, 108 + 70, 12);
    return fields[1];
}

DView* comboRow(RowWindow& w, DComboBox** dropped)
{
    const char* captions[3] = {"5 minutes", "Focused", "Disabled"};
    DComboBox* boxes[3];
    for (int i = 0; i < 3; ++i) {
        boxes[i] = new DComboBox;
        boxes[i]->init(2 + i * 145, 2, 139, 21);
        w.addView(boxes[i]);
        for (const char* t : {"1 minute", "2 minutes", "5 minutes", "10 minutes", "15 minutes",
                              "30 minutes", "1 hour", "2 hours"})
            boxes[i]->addItem(DString(t));
        boxes[i]->setSelected(2);
        if (i > 0) boxes[i]->setText(DString(captions[i]));
    }
    boxes[2]->setEnabled(false);
    *dropped = boxes[0];
    return boxes[1];
}

DListView* list(RowWindow& w, int x, int rows)
{
    DListView* l = new DListView;
    l->create(x, 2, 212, 116);
    w.addView(l);
    l->addColumn(DString("Mailbox"), 120);
    l->addColumn(DString("Status"), 110);
    for (int r = 0; r < rows; ++r) {
        char name[48];
        std::snprintf(name, sizeof name, "user%02d@pop.example.com", r + 1);
        int row = l->addRow(DString(name));
        l->setCell(row, 1, DString(r % 3 == 0 ? "2 new mails" : "Idle"));
    }
    return l;
}

DView* listRow(RowWindow& w)
{
    DListView* focused = list(w, 2, 14);
    focused->setSelected(9);
    DListView* quiet = list(w, 222, 3);
    quiet->setSelected(1);
    quiet->setEnabled(false);
    return focused;
}

DView* barRow(RowWindow& w)
{
    // Horizontal: with something to scroll, nothing to scroll, disabled; vertical: the same.
    for (int i = 0; i < 3; ++i) {
        DScrollBar* h = new DScrollBar;
        h->create(2, 2 + i * 22, 200, 17);
        w.addView(h);
        DScrollBar* v = new DScrollBar;
        v->create(220 + i * 30, 2, 17, 60);
        w.addView(v);
        for (DScrollBar* b : {h, v}) {
            b->setTotal(i == 1 ? 5 : 100);
            b->setPageSize(i == 1 ? 10 : 20);
            b->setPosition(i == 1 ? 0 : 40);
            if (i == 2) b->setEnabled(false);
        }
    }
    return nullptr;
}

DView* waitRow(RowWindow& w)
{
    // The band entering, in the middle, and leaving at the right.
    const int steps[3] = {2, 6, 10};
    for (int i = 0; i < 3; ++i) {
        DWaitBar* bar = new DWaitBar;
        bar->create(2 + i * 145, 2, 139, 20);
        w.addView(bar);
        bar->setRunning(true);
        for (int s = 0; s < steps[i]; ++s)
            bar->step();
    }
    return nullptr;
}

DView* textRow(RowWindow& w)
{
    DGroup* group = new DGroup;
    group->create(2, 2, 430, 66, DString("Group with static texts"));
    w.addView(group);
    const char* captions[5] = {"Left, top", "Centred", "Right", "Middle", "Bottom right"};
    const int formats[5] = {0x11, 0x14, 0x12, 0x44, 0x22};
    for (int i = 0; i < 5; ++i) {
        DStaticText* t = new DStaticText;
        if (i < 3)
            t->create(8 + i * 138, 16, 134, 18, DString(captions[i]));
        else
            t->create(8 + (i - 3) * 207, 34, 203, 22, DString(captions[i]));
        t->setFormat(formats[i]);
        group->addChild(t);
    }
    return nullptr;
}

// The last row: an open menu with its submenu, the combo's open list and a tool tip, each
// a window of its own copied beside the others.
bool popupRow(RowWindow& w, DComboBox* combo, DCanvas* target, int x, int y)
{
    bool ok = true;
    DMenu menu, language;
    ok &= language.create() && menu.create();
    language.addItem(DString("English"), 10);
    language.addItem(DString("Magyar"), 11);
    language.setItemChecked(10, true);
    menu.addItem(DString("Check Now!"), 1);
    menu.addItem(DString("Play a sound"), 2);
    menu.addItem(DString("Disabled item"), 3);
    menu.addSeparator();
    menu.addSubmenu(DString("Language"), &language);
    menu.addSeparator();
    menu.addItem(DString("Exit"), 4);
    menu.setItemChecked(2, true);
    menu.setItemEnabled(3, false);
    menu.popupForWindow(&w, screenX, screenY + 200);
    settle();
    // Language is hot and open; Magyar is hot in the submenu.
    DMenuBox band = menuHighlightBox(menu.getLayout(), 4);
    SendMessageA(menu.getHandle(), WM_MOUSEMOVE, 0,
                 at(menu, band.x + 10, band.y + band.height / 2));
    SendMessageA(menu.getHandle(), WM_KEYDOWN, VK_RETURN, 1);
    settle();
    band = menuHighlightBox(language.getLayout(), 1);
    SendMessageA(language.getHandle(), WM_MOUSEMOVE, 0,
                 at(language, band.x + 10, band.y + band.height / 2));
    int width = 0;
    ok &= copyWindow(menu.getHandle(), target, x, y, &width);
    int px = x + width + 2;
    if (language.isOpen()) {
        ok &= copyWindow(language.getHandle(), target, px, y + menuHighlightBox(menu.getLayout(), 4).y, &width);
        px += width + 12;
    } else {
        std::fprintf(stderr, "gallery: the submenu did not open\n");
        ok = false;
    }
    menu.close();
    settle();

    combo->dropDown();
    settle();
    DCBDropMenu* drop = combo->getDropMenu();
    if (drop && drop->isOpen()) {
        SendMessageA(drop->getHandle(), WM_MOUSEMOVE, 0,
                     at(*drop, 20, 2 + drop->lineHeight() * 3 + 3));
        ok &= copyWindow(drop->getHandle(), target, px, y, &width);
        drop->close();
    } else {
        std::fprintf(stderr, "gallery: the drop-down list did not open\n");
        ok = false;
    }
    settle();

    DToolTip tip;
    ok &= tip.create(DString("A tool tip with two lines:\nit shows after two seconds."));
    tip.moveTo(screenX + 300, screenY + 300);
    tip.showNow(true);
    ok &= copyWindow(tip.getHandle(), target, px, y + 110);
    tip.close();
    settle();
    return ok;
}

}  // namespace

const GalleryControlRow galleryControlRows[galleryControlRowCount] = {
    {"Push buttons", 0},   {"Check boxes", 36}, {"Input lines", 68},
    {"Combo boxes", 102},  {"List views", 136}, {"Scroll bars", 264},
    {"Wait bars", 336},    {"Static, group", 368}, {"Menu, list, tip", 446},
};

bool drawControlPanel(DApplication& application, DCanvas* target, int x, int y, DTheme* theme)
{
    application.setTheme(theme);
    bool ok = true;
    DComboBox* dropped = nullptr;
    // The combo row's window stays up for the pop-up row, which opens its list.
    RowWindow* comboWindow = nullptr;
    for (int row = 0; row < galleryControlRowCount; ++row) {
        const int top = galleryControlRows[row].top, height = rowHeights[row];
        if (row == galleryControlRowCount - 1) {
            ok &= dropped && comboWindow && popupRow(*comboWindow, dropped, target, x, y + top);
            break;
        }
        RowWindow* w = new RowWindow;
        if (!w->make(height)) {
            delete w;
            ok = false;
            continue;
        }
        w->show(true);
        DView* focused = nullptr;
        switch (row) {
        case 0: focused = buttonRow(*w); break;
        case 1: focused = checkRow(*w); break;
        case 2: focused = fieldRow(*w); break;
        case 3: focused = comboRow(*w, &dropped); break;
        case 4: focused = listRow(*w); break;
        case 5: focused = barRow(*w); break;
        case 6: focused = waitRow(*w); break;
        case 7: focused = textRow(*w); break;
        default: break;
        }
        if (focused)
            w->setFocus(focused);
        ok &= copyWindow(w->getHandle(), target, x, y + top);
        if (row == 3) {
            comboWindow = w;
            w->moveTo(screenX, screenY + 500);
            continue;
        }
        w->close();
        delete w;
    }
    if (comboWindow) {
        comboWindow->close();
        delete comboWindow;
    }
    settle();
    application.setTheme(nullptr);
    return ok;
}
