#include "framework/DisplayDpi.h"

namespace {

const int baseDotsPerInch = 96;
const int effectiveMonitorDpi = 0;  // MDT_EFFECTIVE_DPI

typedef UINT(WINAPI* DpiForWindowFn)(HWND);
typedef UINT(WINAPI* DpiForSystemFn)();
typedef int(WINAPI* MetricForDpiFn)(int, UINT);
typedef HRESULT(WINAPI* DpiForMonitorFn)(HMONITOR, int, UINT*, UINT*);

template <typename Fn>
Fn lookUp(const char* library, const char* name)
{
    HMODULE module = GetModuleHandleA(library);
    if (!module)
        module = LoadLibraryA(library);  // shcore is not loaded by default; kept to the end
    FARPROC proc = module ? GetProcAddress(module, name) : nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(proc));
}

// Looked up once: the functions newer systems have, none on older ones.
struct DpiFunctions {
    DpiForWindowFn forWindow = lookUp<DpiForWindowFn>("user32.dll", "GetDpiForWindow");
    DpiForSystemFn forSystem = lookUp<DpiForSystemFn>("user32.dll", "GetDpiForSystem");
    MetricForDpiFn metric = lookUp<MetricForDpiFn>("user32.dll", "GetSystemMetricsForDpi");
    DpiForMonitorFn forMonitor = lookUp<DpiForMonitorFn>("shcore.dll", "GetDpiForMonitor");
};

const DpiFunctions& functions()
{
    static const DpiFunctions* table = new DpiFunctions;  // kept to the end of the process
    return *table;
}

int usable(UINT dpi)
{
    return dpi > 0 ? static_cast<int>(dpi) : baseDotsPerInch;
}

}  // namespace

int systemDpi()
{
    if (functions().forSystem)
        return usable(functions().forSystem());
    int dpi = baseDotsPerInch;
    HDC screen = GetDC(nullptr);
    if (screen) {
        dpi = GetDeviceCaps(screen, LOGPIXELSX);
        ReleaseDC(nullptr, screen);
    }
    return usable(static_cast<UINT>(dpi > 0 ? dpi : 0));
}

int windowDpi(HWND window)
{
    if (window && functions().forWindow)
        return usable(functions().forWindow(window));
    if (window && functions().forMonitor) {
        UINT x = 0;
        UINT y = 0;
        HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
        if (monitor && functions().forMonitor(monitor, effectiveMonitorDpi, &x, &y) == S_OK)
            return usable(x);
    }
    return systemDpi();
}

int systemMetricForDpi(int index, int dpi)
{
    if (functions().metric)
        return functions().metric(index, static_cast<UINT>(dpi));
    return MulDiv(GetSystemMetrics(index), dpi, systemDpi());
}
