// The demonstration program: one window with every control of the widget library, for
// looking at and trying by hand. Not part of the product.
//   demo.exe            draws with the visual styles where the system has them
//   demo.exe classic    draws with the classic theme
#include "DemoWindow.h"

#include "framework/DApplication.h"
#include "framework/DXPTheme.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    DApplication application;
    bool classic = commandLine && lstrcmpiA(commandLine, "classic") == 0;
    DXPTheme theme(classic ? nullptr : "uxtheme");
    application.setTheme(&theme);
    DemoWindow* window = new DemoWindow;
    if (!window->make(true)) {
        delete window;
        return 1;
    }
    window->center();
    window->show(true);
    int code = application.run();
    delete window;
    application.setTheme(nullptr);
    return code;
}
