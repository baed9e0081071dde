// Test helper: a plain native top-level window of a simple class, for window canvases.
#pragma once

#include <windows.h>

class TestWindow {
public:
    TestWindow(int width, int height)
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "PellaroCanvasTest";
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        RegisterClassA(&wc);  // a second registration fails harmlessly
        handle = CreateWindowExA(0, "PellaroCanvasTest", "canvas", WS_POPUP | WS_VISIBLE, 0, 0,
                                 width, height, nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~TestWindow()
    {
        if (handle) DestroyWindow(handle);
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND get() const { return handle; }

private:
    HWND handle = nullptr;
};
