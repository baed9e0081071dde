#include "framework/DXPTheme.h"

#include "system/DrawingLock.h"

namespace {

template <typename Fn>
bool lookUp(HMODULE library, const char* name, Fn* target)
{
    FARPROC proc = GetProcAddress(library, name);
    *target = reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(proc));
    return proc != nullptr;
}

// Visual-styles part numbers.
const int buttonPushPart = 1, buttonRadioPart = 2, buttonCheckPart = 3;
const int editTextPart = 1;
const int progressBarPart = 1, progressChunkPart = 3;
const int scrollArrowPart = 1, scrollThumbHorizontalPart = 2, scrollThumbVerticalPart = 3;
const int scrollTrackHorizontalPart = 5, scrollTrackVerticalPart = 7;
const int tabItemPart = 1, tabPanePart = 9, tabBodyPart = 10;
const int headerItemPart = 1;

}  // namespace

DXPTheme::DXPTheme(const char* libraryName)
{
    // The system's colours for the controls; menus keep the classic greys.
    DPalette system;
    system.background = system.face = DColor(uint32_t(GetSysColor(COLOR_BTNFACE)));
    system.light = DColor(uint32_t(GetSysColor(COLOR_BTNHIGHLIGHT)));
    system.shadow = DColor(uint32_t(GetSysColor(COLOR_BTNSHADOW)));
    system.selection = DColor(uint32_t(GetSysColor(COLOR_HIGHLIGHT)));
    setPalettes(system, DPalette::menu());
    followSystem();

    library = libraryName ? LoadLibraryA(libraryName) : nullptr;
    if (!library) return;
    bool all = lookUp(library, "IsAppThemed", &isAppThemed);
    all = lookUp(library, "OpenThemeData", &openThemeData) && all;
    all = lookUp(library, "CloseThemeData", &closeThemeData) && all;
    all = lookUp(library, "DrawThemeBackground", &drawThemeBackground) && all;
    all = lookUp(library, "IsThemeBackgroundPartiallyTransparent", &isPartiallyTransparent) &&
          all;
    all = lookUp(library, "GetThemeBackgroundContentRect", &getBackgroundContentRect) && all;
    available = all ? 1 : 0;
}

DXPTheme::~DXPTheme()
{
    if (library) FreeLibrary(library);
}

bool DXPTheme::appThemed() const
{
    return isAppThemed() != 0;
}

bool DXPTheme::isThemed() const
{
    return available && appThemed();
}

bool DXPTheme::drawThemed(DCanvas* canvas, const wchar_t* className, const PartState* parts,
                          int partCount, const int* testStates, int testCount, int width,
                          int height, int insetLeft, int insetTop)
{
    // The scratch fields (handle and rectangle) belong to the call that holds the
    // drawing lock, from the first question to the system until the handle is closed.
    DDrawingLockHolder hold;
    if (!isThemed()) return false;
    themeHandle = openThemeData(canvas->window(), className);
    if (!themeHandle) return false;
    canvas->lock();
    // The system draws in device pixels: the part's place on the display, at its scale.
    rect = canvas->deviceRect(insetLeft, insetTop, width - insetLeft, height - insetTop);
    for (int i = 0; i < testCount; ++i) {
        if (isPartiallyTransparent(themeHandle, parts[0].part, testStates[i])) {
            DTheme::drawBackground(canvas, width, height, false);
            break;
        }
    }
    for (int i = 0; i < partCount; ++i)
        drawThemeBackground(themeHandle, canvas->dc(), parts[i].part, parts[i].state, &rect,
                            nullptr);
    canvas->unlock();
    closeThemeData(themeHandle);
    themeHandle = nullptr;
    return true;
}

int DXPTheme::buttonState(bool enabled, bool isDefault, int state)
{
    if (!enabled) return 4;
    if (state == DStateHot) return 2;
    if (state == DStatePressed) return 3;
    return isDefault ? 5 : 1;
}

int DXPTheme::checkState(bool enabled, int state, bool checked)
{
    int base;
    if (!enabled)
        base = 4;
    else if (state == DStateHot)
        base = 2;
    else if (state == DStatePressed)
        base = 3;
    else
        base = 1;
    return checked ? base + 4 : base;
}

int DXPTheme::scrollArrowState(bool enabled, int state, int direction)
{
    int look = 0;
    if (!enabled)
        look = 3;
    else if (state == DStatePressed)
        look = 2;
    else if (state == DStateHot)
        look = 1;
    return 1 + 4 * direction + look;
}

void DXPTheme::drawButton(DCanvas* canvas, bool enabled, bool isDefault, int w, int h,
                          int state)
{
    const PartState part = {buttonPushPart, buttonState(enabled, isDefault, state)};
    const int tests[2] = {4, part.state};
    if (!drawThemed(canvas, L"Button", &part, 1, tests, 2, w, h))
        DTheme::drawButton(canvas, enabled, isDefault, w, h, state);
}

void DXPTheme::drawField(DCanvas* canvas, bool enabled, int w, int h, int unused, bool flat)
{
    const PartState part = {editTextPart, enabled ? 1 : 4};
    if (flat || !drawThemed(canvas, L"Edit", &part, 1, &part.state, 1, w, h))
        DTheme::drawField(canvas, enabled, w, h, unused, flat);
}

void DXPTheme::drawCheckBox(DCanvas* canvas, bool enabled, int w, int h, int state,
                            bool checked)
{
    const PartState part = {buttonCheckPart, checkState(enabled, state, checked)};
    if (!drawThemed(canvas, L"Button", &part, 1, &part.state, 1, w, h))
        DTheme::drawCheckBox(canvas, enabled, w, h, state, checked);
}

void DXPTheme::drawRadioButton(DCanvas* canvas, bool enabled, int w, int h, int state,
                               bool checked)
{
    const PartState part = {buttonRadioPart, checkState(enabled, state, checked)};
    if (!drawThemed(canvas, L"Button", &part, 1, &part.state, 1, w, h))
        DTheme::drawRadioButton(canvas, enabled, w, h, state, checked);
}

void DXPTheme::drawProgressChunk(DCanvas* canvas, int unused, int w, int h, bool gradient)
{
    // The chunk sits inside the frame's 2-pixel border at the left and top only.
    const PartState part = {progressChunkPart, 0};
    if (!drawThemed(canvas, L"Progress", &part, 1, nullptr, 0, w, h, 2, 2))
        DTheme::drawProgressChunk(canvas, unused, w, h, gradient);
}

void DXPTheme::drawProgressFrame(DCanvas* canvas, int unused, int w, int h)
{
    const PartState part = {progressBarPart, 0};
    if (!drawThemed(canvas, L"Progress", &part, 1, &part.state, 1, w, h))
        DTheme::drawProgressFrame(canvas, unused, w, h);
}

void DXPTheme::drawScrollArrow(DCanvas* canvas, bool enabled, int w, int h, int state,
                               int direction)
{
    const PartState part = {scrollArrowPart, scrollArrowState(enabled, state, direction)};
    int tests[4];
    for (int d = 0; d < 4; ++d) tests[d] = scrollArrowState(enabled, state, d);
    if (!drawThemed(canvas, L"Scrollbar", &part, 1, tests, 4, w, h))
        DTheme::drawScrollArrow(canvas, enabled, w, h, state, direction);
}

void DXPTheme::drawScrollThumb(DCanvas* canvas, bool enabled, int w, int h, int state,
                               bool horizontal)
{
    int look = 1;
    if (!enabled)
        look = 4;
    else if (state == DStateHot)
        look = 2;
    else if (state == DStatePressed)
        look = 3;
    const PartState part = {horizontal ? scrollThumbHorizontalPart : scrollThumbVerticalPart,
                            look};
    if (!drawThemed(canvas, L"Scrollbar", &part, 1, &part.state, 1, w, h))
        DTheme::drawScrollThumb(canvas, enabled, w, h, state, horizontal);
}

void DXPTheme::drawScrollTrack(DCanvas* canvas, bool enabled, int w, int h, bool horizontal)
{
    const PartState part = {horizontal ? scrollTrackHorizontalPart : scrollTrackVerticalPart,
                            enabled ? 1 : 4};
    if (!drawThemed(canvas, L"Scrollbar", &part, 1, &part.state, 1, w, h))
        DTheme::drawScrollTrack(canvas, enabled, w, h, horizontal);
}

void DXPTheme::drawPane(DCanvas* canvas, int w, int h)
{
    const PartState part = {tabPanePart, 0};
    if (!drawThemed(canvas, L"Tab", &part, 1, &part.state, 1, w, h))
        DTheme::drawPane(canvas, w, h);
}

void DXPTheme::drawPaneTop(DCanvas* canvas, int w, int h)
{
    const PartState part = {tabPanePart, 0};
    if (!drawThemed(canvas, L"Tab", &part, 1, &part.state, 1, w, h))
        DTheme::drawPaneTop(canvas, w, h);
}

void DXPTheme::drawTab(DCanvas* canvas, int w, int h, bool enabled, bool selected, int state)
{
    int look = 1;
    if (!enabled)
        look = 4;
    else if (selected)
        look = 3;
    else if (state == DStateHot)
        look = 2;
    const PartState parts[3] = {{tabItemPart, look}, {tabPanePart, 0}, {tabBodyPart, 0}};
    if (!drawThemed(canvas, L"Tab", parts, 3, &look, 1, w, h))
        DTheme::drawTab(canvas, w, h, enabled, selected, state);
}

void DXPTheme::drawHeaderItem(DCanvas* canvas, int unused, int w, int h, int unused2)
{
    const PartState part = {headerItemPart, 1};
    if (!drawThemed(canvas, L"Header", &part, 1, &part.state, 1, w, h))
        DTheme::drawHeaderItem(canvas, unused, w, h, unused2);
}
