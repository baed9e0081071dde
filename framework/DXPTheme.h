// DXPTheme: the classic theme, with the parts that have a visual-styles counterpart (button,
// field, check box, radio button, progress, scroll-bar parts, tab pane and header item)
// drawn by the system's visual-styles service while it is present and active. Whether to use
// it is decided afresh by every call, so switching the system's look takes effect at the next
// repaint; with the service missing or switched off, or a theme class that cannot be opened,
// each call draws the classic way. Colours 0-4 are the system's button and highlight colours
// read once at construction; high contrast follows the system (DTheme::followSystem) from
// construction on. Owns the loaded library; theme handles live for one call.
#pragma once

#include "framework/DTheme.h"

#include <windows.h>

class DXPTheme : public DTheme {
public:
    // `libraryName` is the visual-styles library to load: the system's "uxtheme" normally;
    // a missing name gives a theme that always draws the classic way.
    explicit DXPTheme(const char* libraryName = "uxtheme");
    ~DXPTheme() override;

    // True when the library and its six functions were found.
    bool isAvailable() const { return available != 0; }
    // True when visual styles can be used for the next call: the library is there and the
    // system says the program is drawn with visual styles.
    bool isThemed() const;

    void drawButton(DCanvas* canvas, bool enabled, bool isDefault, int width, int height,
                    int state) override;
    void drawField(DCanvas* canvas, bool enabled, int width, int height, int unused,
                   bool flat) override;
    void drawCheckBox(DCanvas* canvas, bool enabled, int width, int height, int state,
                      bool checked) override;
    void drawRadioButton(DCanvas* canvas, bool enabled, int width, int height, int state,
                         bool checked) override;
    void drawProgressChunk(DCanvas* canvas, int unused, int width, int height,
                           bool gradient) override;
    void drawProgressFrame(DCanvas* canvas, int unused, int width, int height) override;
    void drawScrollArrow(DCanvas* canvas, bool enabled, int width, int height, int state,
                         int direction) override;
    void drawScrollThumb(DCanvas* canvas, bool enabled, int width, int height, int state,
                         bool horizontal) override;
    void drawScrollTrack(DCanvas* canvas, bool enabled, int width, int height,
                         bool horizontal) override;
    void drawPane(DCanvas* canvas, int width, int height) override;
    void drawPaneTop(DCanvas* canvas, int width, int height) override;
    void drawTab(DCanvas* canvas, int width, int height, bool enabled, bool selected,
                 int state) override;
    void drawHeaderItem(DCanvas* canvas, int unused, int width, int height,
                        int unused2) override;

    // Visual-styles part and state numbers, worked out without drawing.
    static int buttonState(bool enabled, bool isDefault, int state);
    static int checkState(bool enabled, int state, bool checked);  // check box and radio
    static int scrollArrowState(bool enabled, int state, int direction);

protected:
    // The system's answer to "IsAppThemed" (asked only when the library is available).
    virtual bool appThemed() const;

private:
    typedef BOOL(WINAPI* IsAppThemedFn)();
    typedef HANDLE(WINAPI* OpenThemeDataFn)(HWND, LPCWSTR);
    typedef HRESULT(WINAPI* CloseThemeDataFn)(HANDLE);
    typedef HRESULT(WINAPI* DrawThemeBackgroundFn)(HANDLE, HDC, int, int, const RECT*,
                                                   const RECT*);
    typedef BOOL(WINAPI* IsThemeBackgroundPartiallyTransparentFn)(HANDLE, int, int);
    typedef HRESULT(WINAPI* GetThemeBackgroundContentRectFn)(HANDLE, HDC, int, int,
                                                             const RECT*, RECT*);

    struct PartState {
        int part;
        int state;
    };

    // Draws `parts` (in order) of theme class `className` over (0, 0, width, height) of the
    // canvas, painting the background first when the part is partially transparent in any
    // of `testStates`. False when visual styles cannot be used: the caller draws classic.
    bool drawThemed(DCanvas* canvas, const wchar_t* className, const PartState* parts,
                    int partCount, const int* testStates, int testCount, int width, int height,
                    int insetLeft = 0, int insetTop = 0);

    RECT rect = {0, 0, 0, 0};    // target of the current call, device coordinates
    HANDLE themeHandle = nullptr;  // opened and closed within one call
    unsigned char available = 0;
    HMODULE library = nullptr;     // owned (FreeLibrary)
    IsAppThemedFn isAppThemed = nullptr;
    OpenThemeDataFn openThemeData = nullptr;
    CloseThemeDataFn closeThemeData = nullptr;
    DrawThemeBackgroundFn drawThemeBackground = nullptr;
    IsThemeBackgroundPartiallyTransparentFn isPartiallyTransparent = nullptr;
    GetThemeBackgroundContentRectFn getBackgroundContentRect = nullptr;
};
