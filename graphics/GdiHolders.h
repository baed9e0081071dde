// Small owners of GDI handles: each deletes what it holds when reset or destroyed, so no
// path through a drawing operation (a failed creation included) can leave an object behind.
#pragma once

#include <windows.h>

// Owns a pen, brush, font, bitmap or region (DeleteObject).
class DGdiObjectHolder {
public:
    DGdiObjectHolder() = default;
    explicit DGdiObjectHolder(HGDIOBJ object) : held(object) {}
    ~DGdiObjectHolder() { reset(); }
    DGdiObjectHolder(const DGdiObjectHolder&) = delete;
    DGdiObjectHolder& operator=(const DGdiObjectHolder&) = delete;

    HGDIOBJ get() const { return held; }
    void reset(HGDIOBJ object = nullptr)
    {
        if (held) DeleteObject(held);
        held = object;
    }

private:
    HGDIOBJ held = nullptr;
};

// Owns a device context made with CreateCompatibleDC or CreateDC (DeleteDC).
class DDcHolder {
public:
    DDcHolder() = default;
    explicit DDcHolder(HDC dc) : held(dc) {}
    ~DDcHolder() { reset(); }
    DDcHolder(const DDcHolder&) = delete;
    DDcHolder& operator=(const DDcHolder&) = delete;

    HDC get() const { return held; }
    void reset(HDC dc = nullptr)
    {
        if (held) DeleteDC(held);
        held = dc;
    }

private:
    HDC held = nullptr;
};
