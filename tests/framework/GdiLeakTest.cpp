// Every canvas and theme operation, run many times on memory and window canvases, must give
// back every pen, brush, font, bitmap, region and device context it makes.
#include "framework/DXPTheme.h"
#include "framework/ThemeOperations.h"
#include "graphics/BitmapPixels.h"
#include "graphics/BuiltInImages.h"
#include "graphics/TestWindow.h"
#include "graphics/TextWrap.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

// GDI objects the process holds, as the system counts them (0 where it does not, as
// under Wine).
int reportedGdiObjects()
{
    return int(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
}

// How many more GDI objects the process could make now: pens are made until the handle
// table or the process quota runs out, then all are deleted again. A leak of one object
// per operation shrinks this by the number of operations.
int freeGdiCapacity()
{
    std::vector<HGDIOBJ> pens;
    pens.reserve(70000);
    while (pens.size() < 70000) {
        HGDIOBJ pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
        if (!pen) break;
        pens.push_back(pen);
    }
    for (HGDIOBJ pen : pens) DeleteObject(pen);
    return int(pens.size());
}

void drawEveryCanvasOperation(DCanvas* canvas, DBitmap* bitmap, DIcon* icon)
{
    canvas->setClipRect(2, 2, 100, 50);
    canvas->drawLine(0, 0, 10, 10);
    canvas->drawRect(1, 1, 10, 10);
    canvas->drawFrame(1, 1, 10, 10);
    canvas->drawText(3, 3, "Pellaro");
    canvas->textExtent("Check Now!");
    std::unique_ptr<DStringList> lines(canvas->wrapText(40, "Cannot connect to server!"));
    canvas->drawTextBox(0, 20, 60, "All mails are new on server ", DAlignRight);
    canvas->drawTextBox(0, 20, 60, "Open web site", DAlignCenter);
    canvas->textBoxHeight(60, "Login failed!\n");
    canvas->setPixel(5, 5);
    canvas->setPixel(6, 6, DColor(1, 2, 3));
    canvas->getPixel(5, 5);
    canvas->drawBitmap(20, 20, bitmap);
    canvas->drawIcon(30, 30, 16, 16, icon);
    canvas->drawFocusRect(2, 2, 30, 20);
    const DColor a(255, 0, 0), b(0, 0, 255);
    canvas->drawGradient(0, 0, 20, 6, a, a, b, b);
    canvas->drawGradient(0, 0, 20, 6, a, b, a, b);
    canvas->drawGradient(0, 0, 5, 4, a, b, b, a);
    canvas->lock();
    canvas->lock();
    canvas->drawRect(0, 0, 3, 3);
    canvas->setClipRect(0, 0, 0, 0);
    canvas->unlock();
    canvas->unlock();
    canvas->unlock();  // one too many: ignored
}

void exerciseEverything(DTheme& classic, DXPTheme& visual, HWND window, int rounds)
{
    DBitmap target(allOperationsWidth, allOperationsHeight);
    DBitmap small(8, 8);
    DCanvas windowCanvas(window);
    for (int i = 0; i < rounds; ++i) {
        drawEveryCanvasOperation(target.canvas(), &small, idleIcon);
        drawEveryCanvasOperation(&windowCanvas, &small, idleIcon);
        drawAllOperations(classic, target.canvas());
        drawAllOperations(visual, target.canvas());
        drawAllOperations(visual, &windowCanvas);
        // Objects made and destroyed whole: bitmaps, icons, fonts, canvases.
        DIcon icon(4, 4);
        DFont font;
        font.setFace("Arial");
        font.assign(*target.canvas()->font());
        DCanvas extra(window);
        extra.drawRect(0, 0, 2, 2);
    }
}

}  // namespace

TEST(GdiObjects, NoOperationLeaks)
{
    TestWindow window(allOperationsWidth, allOperationsHeight);
    ASSERT_NE(window.get(), nullptr);
    buildBuiltInImages();
    DTheme classic;
    DXPTheme visual;
    DXPTheme missing("pellaro-no-such-uxtheme");
    // Warm up: the system may make caches of its own the first time text is drawn.
    exerciseEverything(classic, visual, window.get(), 2);

    const int reportedBefore = reportedGdiObjects();
    const int capacityBefore = freeGdiCapacity();
    ASSERT_GT(capacityBefore, 1000);
    const int rounds = 8;
    exerciseEverything(classic, missing, window.get(), rounds);
    exerciseEverything(classic, visual, window.get(), rounds);
    const int reportedAfter = reportedGdiObjects();
    const int capacityAfter = freeGdiCapacity();

    if (reportedBefore > 0) {
        EXPECT_LE(reportedAfter, reportedBefore);
    }
    // Every round makes thousands of objects; a leak on any path loses at least one a round,
    // 2 x rounds in all.
    EXPECT_GE(capacityAfter, capacityBefore - rounds / 2)
        << "before " << capacityBefore << ", after " << capacityAfter;
    std::printf("free GDI capacity before %d, after %d; system count before %d, after %d\n",
                capacityBefore, capacityAfter, reportedBefore, reportedAfter);
    destroyBuiltInImages();
}

TEST(GdiObjects, CapacityProbeSeesALeak)
{
    // The measure itself must notice objects that are kept.
    const int before = freeGdiCapacity();
    std::vector<HGDIOBJ> kept;
    for (int i = 0; i < 100; ++i) kept.push_back(CreateSolidBrush(RGB(i, 0, 0)));
    const int during = freeGdiCapacity();
    for (HGDIOBJ brush : kept) DeleteObject(brush);
    EXPECT_LE(during, before - 100);
    EXPECT_GE(freeGdiCapacity(), before - 5);
}
