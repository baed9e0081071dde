// Pellaro.exe's entry point. The program takes no command line: everything it needs is in
// its settings file.
#include <windows.h>

#include "windows/Startup.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return runPellaro();
}
