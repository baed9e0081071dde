#include "controls/DInputLine.h"

#include "controls/AccessibleRules.h"
#include "controls/DMenu.h"
#include "framework/DTheme.h"
#include "framework/SystemUtils.h"
#include "graphics/DCanvas.h"
#include "foundation/DPellaroDictionary.h"
#include "framework/KeyCodes.h"

namespace {

const DColor white(0xFFFFFF);

}  // namespace

DInputLine::~DInputLine()
{
    onDestroy();
}

void DInputLine::onCreate()
{
    editor = DInputLineRules();
    focusable = true;
    cursor = cursorIBeam;
    palette.background = white;
    applyTheme();
    delete contextMenu;
    contextMenu = new DMenu;
    contextMenu->create();
    contextMenu->addItem(translate(DString("Cut")), inputCommandCut);
    contextMenu->addItem(translate(DString("Copy")), inputCommandCopy);
    contextMenu->addItem(translate(DString("Paste")), inputCommandPaste);
    contextMenu->addSeparator();
    contextMenu->addItem(translate(DString("Delete")), inputCommandDelete);
}

void DInputLine::onDestroy()
{
    delete contextMenu;
    contextMenu = nullptr;
}

void DInputLine::applyTheme()
{
    DView::applyTheme();
    // A field is drawn in the light colour (white) where other controls take the face.
    if (theme)
        palette.background = theme->color(2);
}

void DInputLine::themeChanged(DTheme* newTheme)
{
    if (contextMenu)
        contextMenu->setTheme(newTheme);
}

void DInputLine::changed()
{
    // The field scrolls with the caret as soon as the text or the caret moves rather than
    // when it is next painted, so a click always maps to the characters the field shows.
    editor.scrollToCaret(width, measure());
    redraw();
}

void DInputLine::setValue(const DString& value)
{
    DString before = editor.getValue();
    editor.setValue(value);
    changed();
    reportChange(before);
}

void DInputLine::reportChange(const DString& before)
{
    if (editor.getValue() != before)
        announce(accessEventValueChange);
}

DAccessibleInfo DInputLine::accessibleInfo() const
{
    return accessibleField(accessibleLabel(), editor.getValue(), editor.isPasswordMode(),
                           controlFacts());
}

void DInputLine::setPasswordMode(bool flag)
{
    editor.setPasswordMode(flag);
    changed();
}

void DInputLine::setMaxLength(int limit)
{
    editor.setMaxLength(limit);
    changed();
}

DTextMeasure DInputLine::measure()
{
    DCanvas* surface = canvas;
    return [surface](const char* text, int length) {
        if (!surface || length <= 0)
            return 0;
        return surface->textExtent(DString(text, length)).width();
    };
}

void* DInputLine::clipboardOwner()
{
    DView* top = root();
    return top->getHandle() ? top->getHandle() : handle;
}

void DInputLine::cut()
{
    DString before = editor.getValue();
    DString taken;
    if (editor.cut(taken))
        setClipboardText(taken, static_cast<HWND>(clipboardOwner()));
    changed();
    reportChange(before);
}

void DInputLine::copy()
{
    DString taken;
    if (editor.copy(taken))
        setClipboardText(taken, static_cast<HWND>(clipboardOwner()));
    changed();
}

void DInputLine::paste()
{
    DString before = editor.getValue();
    if (!editor.isPasswordMode())
        editor.paste(clipboardText());
    changed();
    reportChange(before);
}

void DInputLine::deleteSelection()
{
    DString before = editor.getValue();
    editor.deleteSelection();
    changed();
    reportChange(before);
}

void DInputLine::command(int id)
{
    switch (id) {
    case inputCommandCut: cut(); break;
    case inputCommandCopy: copy(); break;
    case inputCommandPaste: paste(); break;
    case inputCommandDelete: deleteSelection(); break;
    default: DView::command(id); break;
    }
}

bool DInputLine::keyDown(int key, int mods)
{
    if ((key == keyContextMenu && mods == 0) || (key == keyF10 && mods == modShift)) {
        openContextMenuAtCaret();
        return true;
    }
    DString before = editor.getValue();
    DInputKeyResult result = editor.keyDown(key, mods);
    if (result.command != inputCommandNone)
        command(result.command);
    else if (result.redraw)
        changed();
    reportChange(before);
    return true;
}

bool DInputLine::charInput(int character)
{
    if (editor.typeCharacter(character)) {
        changed();
        announce(accessEventValueChange);
    }
    return true;
}

bool DInputLine::leftButtonDown(int x, int, int)
{
    editor.pressAt(x, measure());
    changed();
    return true;
}

bool DInputLine::mouseMove(int x, int, int)
{
    if (editor.dragTo(x, measure()))
        changed();
    return true;
}

bool DInputLine::leftButtonUp(int, int, int)
{
    editor.release();
    changed();
    return true;
}

void DInputLine::mouseLeave()
{
    editor.release();
    changed();
}

void DInputLine::openContextMenuAtCaret()
{
    // The caret's place as the last paint left it, below the field's bottom edge.
    if (editor.isPasswordMode())
        return;
    const int caretX = editor.scrollToCaret(width, measure());
    openContextMenu(inputLineLayout::textLeft + caretX, height);
    if (contextMenu && contextMenu->isOpen())
        contextMenu->highlightFirst();
}

bool DInputLine::rightButtonUp(int x, int y, int)
{
    // A password never goes near the clipboard, so the field has no menu for it.
    if (!editor.isPasswordMode())
        openContextMenu(x, y);
    return true;
}

void DInputLine::openContextMenu(int x, int y)
{
    if (!contextMenu)
        return;
    const bool selected = editor.getSelectionEnd() != 0;
    contextMenu->setItemEnabled(inputCommandCut, selected);
    contextMenu->setItemEnabled(inputCommandCopy, selected);
    contextMenu->setItemEnabled(inputCommandDelete, selected);
    contextMenu->setItemEnabled(inputCommandPaste, clipboardHasText());
    // The click is in the field's pixels; the menu opens at the same point on the screen.
    int screenX = 0;
    int screenY = 0;
    screenPoint(x, y, screenX, screenY);
    contextMenu->popupForView(this, screenX, screenY);
}

void DInputLine::paint()
{
    if (!canvas)
        return;
    const bool active = isEnabled();
    canvas->lock();
    if (theme) {
        theme->setBackground(palette.background);
        theme->drawField(canvas, active, width, height, 0, false);
    }
    const DTextMeasure widths = measure();
    const int lineHeight = canvas->lineHeight();
    const int caretX = editor.scrollToCaret(width, widths);
    const int inset = inputLineLayout::frameInset;
    const int left = inputLineLayout::textLeft;
    canvas->setClipRect(inset, inset, width - 2 * inset, height - 2 * inset);
    const int top = inputLineLayout::textTop(height, lineHeight);
    const DString visibleText = editor.visibleText();
    DInkScope fieldInk(canvas, theme, inkOnField);
    const DColor ink = canvas->font()->getColor();
    DInputSelectionSpan span = editor.visibleSelection(widths);
    if (span.visible && theme) {
        const int spanHeight = canvas->textExtent(span.text).height();
        canvas->brush()->setColor(theme->color(4));
        canvas->pen()->setColor(theme->color(4));
        canvas->drawRect(left + span.x, top, span.width, spanHeight);
        canvas->drawText(left, top, visibleText);
        canvas->font()->setColor(theme->ink(inkSelected, theme->color(0)));
        canvas->drawText(left + span.x, top, span.text);
        canvas->font()->setColor(ink);
    } else {
        canvas->drawText(left, top, visibleText);
    }
    if (active && isFocused()) {
        canvas->pen()->setColor(ink);
        canvas->drawLine(caretX + left, inset, caretX + left, height - 2 * inset);
    }
    canvas->setClipRect(0, 0, 0, 0);
    canvas->unlock();
}
