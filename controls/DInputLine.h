// DInputLine: the single-line text field. It keeps its own caret, a selection made with
// Shift and the arrow, Home and End keys or by dragging, a horizontal scroll that keeps the
// caret in view, a length limit (4000 characters) and a password mode that shows one "*"
// per character and keeps the text off the clipboard. Cut, Copy, Paste and Delete work on
// the system clipboard from Ctrl+X/C/V, the Delete key and a right-click menu.
//
// Coordinates are the field's own pixels; the text starts 2 pixels from its left edge and
// is drawn in the canvas's font. The editing rules live in DInputLineRules, which the
// painting and the input handling share. Shift+F10 and the menu key open the context menu
// at the caret. Construction: construct, init(x, y, width,
// height), then setValue; add it to a parent with addChild.
//
// Owns its context menu.
#pragma once

#include "controls/InputLineRules.h"
#include "framework/DView.h"

class DMenu;

class DInputLine : public DView {
public:
    DInputLine() = default;
    ~DInputLine() override;

    // Keeps at most the first maxLength characters; the caret and the selection stay
    // unless the new text no longer reaches them. Redraws.
    void setValue(const DString& value);
    DString getValue() const { return editor.getValue(); }
    void setPasswordMode(bool flag);
    bool isPasswordMode() const { return editor.isPasswordMode(); }
    // 4000 unless changed; a shorter limit cuts the text.
    void setMaxLength(int limit);
    int getMaxLength() const { return editor.getMaxLength(); }
    // The editing state: caret, selection, scroll offset.
    const DInputLineRules& getEditor() const { return editor; }
    DMenu* getContextMenu() const { return contextMenu; }

    // The clipboard and editing commands; cut, copy and paste do nothing in password mode.
    // Each redraws the field.
    void cut();
    void copy();
    void paste();
    void deleteSelection();

    void applyTheme() override;
    void onCreate() override;
    void onDestroy() override;
    void paint() override;
    void mouseLeave() override;
    bool keyDown(int key, int mods) override;
    bool charInput(int character) override;
    bool mouseMove(int x, int y, int mods) override;
    bool leftButtonUp(int x, int y, int mods) override;
    bool leftButtonDown(int x, int y, int mods) override;
    bool rightButtonUp(int x, int y, int mods) override;
    // 1 Cut, 2 Copy, 3 Paste, 4 Delete; any other id goes to the parent.
    void command(int id) override;
    void themeChanged(DTheme* newTheme) override;

    // A text field named by its label; a password field is protected and keeps its text.
    DAccessibleInfo accessibleInfo() const override;

private:
    // After a change of the text, the caret or the selection: scrolls the caret into view
    // and asks for a repaint.
    void changed();
    // Tells screen readers that the text changed, when it differs from `before`.
    void reportChange(const DString& before);
    // Opens the context menu at the caret, below the field: Shift+F10 and the menu key.
    void openContextMenuAtCaret();
    // Pixel widths of display text in the canvas's font; 0 without a canvas.
    DTextMeasure measure();
    // The native window that owns what the field puts on the clipboard.
    void* clipboardOwner();
    void openContextMenu(int x, int y);

    DInputLineRules editor;
    DMenu* contextMenu = nullptr;  // owned
};
