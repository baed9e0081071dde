#include "framework/InputSources.h"

#include "framework/InputRules.h"

#include <windows.h>

#include <atomic>

namespace {

std::atomic<DTickSource> tickSource{nullptr};
std::atomic<DKeyStateSource> keyStateSource{nullptr};
std::atomic<DCuesSource> cuesSource{nullptr};

}  // namespace

void setTickSource(DTickSource source)
{
    tickSource.store(source);
}

void setKeyStateSource(DKeyStateSource source)
{
    keyStateSource.store(source);
}

void setKeyboardCuesSource(DCuesSource source)
{
    cuesSource.store(source);
}

bool systemShowsKeyboardCues()
{
    DCuesSource source = cuesSource.load();
    if (source)
        return source();
    BOOL always = FALSE;
    SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &always, 0);
    return always != FALSE;
}

unsigned currentTick()
{
    DTickSource source = tickSource.load();
    return source ? source() : static_cast<unsigned>(GetTickCount());
}

bool isKeyHeld(int virtualKey)
{
    DKeyStateSource source = keyStateSource.load();
    if (source)
        return source(virtualKey);
    return (GetKeyState(virtualKey) & 0x8000) != 0;
}

int currentKeyModifiers()
{
    return keyModifiers(isKeyHeld(VK_SHIFT), isKeyHeld(VK_CONTROL), isKeyHeld(VK_MENU));
}

int currentMouseModifiers()
{
    return mouseModifiers(isKeyHeld(VK_SHIFT), isKeyHeld(VK_CONTROL), isKeyHeld(VK_MENU));
}
