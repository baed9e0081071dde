// Every line-and-rectangle drawing of the classic look, compared pixel for pixel with a
// plain model painter: GDI rules written out by hand (a line leaves its end point, a
// rectangle covers x .. x+w-1 with the pen on its border) and each part described as a
// list of lines, rectangles and frames. The theme gets ten different colours, so a part
// drawn in the face colour where it should use the background (equal by default) shows.
#include "framework/DTheme.h"
#include "graphics/BitmapPixels.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace {

const DColor green(0, 255, 0);  // untouched pixels
const DColor ink(5, 6, 7);      // the canvas font's colour
const DColor white(255, 255, 255);
const DColor black(0, 0, 0);

// A classic theme with ten colours that all differ.
class DistinctTheme : public DTheme {
public:
    DistinctTheme()
    {
        const DColor distinct[colorCount] = {
            DColor(200, 30, 40),  DColor(30, 200, 60),   DColor(250, 250, 210),
            DColor(90, 60, 120),  DColor(10, 20, 150),   DColor(180, 160, 20),
            DColor(240, 230, 255), DColor(70, 110, 70),  DColor(0, 90, 200),
            DColor(255, 200, 120)};
        for (int n = 0; n < colorCount; ++n) setColor(n, distinct[n]);
    }
};

// What the drawing should look like: a pixel grid with a canvas origin.
class Model {
public:
    Model(int width, int height, int ox, int oy)
        : w(width), h(height), originX(ox), originY(oy), pixels(size_t(width * height), green)
    {
    }

    void set(int x, int y, const DColor& c)
    {
        x += originX;
        y += originY;
        if (x >= 0 && y >= 0 && x < w && y < h) pixels[size_t(y * w + x)] = c;
    }
    // Horizontal or vertical, the second point left out.
    void line(const DColor& c, int x1, int y1, int x2, int y2)
    {
        const int dx = x2 > x1 ? 1 : x2 < x1 ? -1 : 0;
        const int dy = y2 > y1 ? 1 : y2 < y1 ? -1 : 0;
        for (int x = x1, y = y1; x != x2 || y != y2; x += dx, y += dy) set(x, y, c);
    }
    void rect(const DColor& pen, const DColor& brush, int x, int y, int rw, int rh)
    {
        for (int j = 0; j < rh; ++j)
            for (int i = 0; i < rw; ++i)
                set(x + i, y + j, (i == 0 || j == 0 || i == rw - 1 || j == rh - 1) ? pen : brush);
    }
    void rect(const DColor& c, int x, int y, int rw, int rh) { rect(c, c, x, y, rw, rh); }
    void frame(const DColor& pen, int x, int y, int rw, int rh)
    {
        for (int j = 0; j < rh; ++j)
            for (int i = 0; i < rw; ++i)
                if (i == 0 || j == 0 || i == rw - 1 || j == rh - 1) set(x + i, y + j, pen);
    }

    // Empty when equal, else the first few differing pixels.
    std::string compare(const BitmapPixels& p) const
    {
        std::ostringstream out;
        int shown = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const DColor want = pixels[size_t(y * w + x)];
                if (p.at(x, y) != want && shown++ < 6)
                    out << " (" << x << "," << y << ") is " << std::hex << p.at(x, y).value()
                        << " not " << want.value() << std::dec << ";";
            }
        return out.str();
    }

private:
    int w;
    int h;
    int originX;
    int originY;
    std::vector<DColor> pixels;
};

class ClassicLook : public ::testing::Test {
protected:
    DistinctTheme theme;
    DColor c(int n) const { return theme.color(n); }
    DColor light(const DColor& x) const { return x.blend(white, 100, 40); }
    DColor dark() const { return c(3).blend(black, 10, 4); }

    // Draws with the theme at origin (3, 2) of a green bitmap 6 x 5 pixels larger than the
    // part, describes the same with the model, and reports the differences.
    void check(const char* what, int w, int h, const std::function<void(DCanvas*)>& draw,
               const std::function<void(Model&)>& expect)
    {
        DBitmap bitmap(w + 6, h + 5);
        fillBitmap(bitmap, green);
        DCanvas* canvas = bitmap.canvas();
        canvas->font()->setColor(ink);
        canvas->setOrigin(3, 2);
        draw(canvas);
        Model model(w + 6, h + 5, 3, 2);
        expect(model);
        EXPECT_EQ(model.compare(BitmapPixels(bitmap)), "") << what << " " << w << " x " << h;
    }

    // The raised edge of a button, in the order the buttons draw it.
    void raised(Model& m, int w, int h, int in)
    {
        m.line(c(2), in, in, w - 1, in);
        m.line(c(2), in, in, in, h - 1);
        m.line(dark(), in, h - 1 - in, w - in, h - 1 - in);
        m.line(dark(), w - 1 - in, in, w - 1 - in, h - in);
        m.line(c(3), 1 + in, h - 2 - in, w - 1 - in, h - 2 - in);
        m.line(c(3), w - 2 - in, 1 + in, w - 2 - in, h - 1 - in);
    }
};

const int sizes[2][2] = {{36, 24}, {17, 13}};

}  // namespace

TEST_F(ClassicLook, BackgroundsButtonsAndFields)
{
    for (const auto& size : sizes) {
        const int w = size[0], h = size[1];
        for (int lit = 0; lit < 2; ++lit)
            check("background", w, h, [&](DCanvas* k) { theme.drawBackground(k, w, h, lit); },
                  [&](Model& m) { m.rect(lit ? light(c(0)) : c(0), 0, 0, w, h); });

        for (int enabled = 0; enabled < 2; ++enabled)
            for (int isDefault = 0; isDefault < 2; ++isDefault)
                for (int state = 0; state < 3; ++state) {
                    const bool pressed = state == DStatePressed;
                    check("button", w, h,
                          [&](DCanvas* k) { theme.drawButton(k, enabled, isDefault, w, h, state); },
                          [&](Model& m) {
                              const bool brighter = enabled && state != DStateNormal;
                              m.rect(c(0), brighter ? light(c(0)) : c(0), 0, 0, w, h);
                              if (!enabled || !isDefault) {
                                  if (enabled && pressed) {
                                      m.line(dark(), 0, 0, w - 1, 0);
                                      m.line(dark(), 0, 0, 0, h - 1);
                                      m.line(c(3), 1, 1, w - 2, 1);
                                      m.line(c(3), 1, 1, 1, h - 2);
                                      m.line(c(2), 0, h - 1, w, h - 1);
                                      m.line(c(2), w - 1, 0, w - 1, h);
                                  } else {
                                      raised(m, w, h, 0);
                                  }
                                  return;
                              }
                              m.frame(ink, 0, 0, w, h);
                              if (pressed)
                                  m.frame(c(3), 1, 1, w - 2, h - 2);
                              else
                                  raised(m, w, h, 1);
                          });
                }

        for (int enabled = 0; enabled < 2; ++enabled)
            for (int flat = 0; flat < 2; ++flat)
                check("field", w, h, [&](DCanvas* k) { theme.drawField(k, enabled, w, h, 0, flat); },
                      [&](Model& m) {
                          m.rect(enabled ? c(0) : c(1), 0, 0, w, h);
                          if (flat) return;
                          m.line(c(3), 0, 0, w - 1, 0);
                          m.line(c(3), 0, 0, 0, h - 1);
                          m.line(dark(), 1, 1, w - 2, 1);
                          m.line(dark(), 1, 1, 1, h - 2);
                          m.line(c(2), 0, h - 1, w, h - 1);
                          m.line(c(2), w - 1, 0, w - 1, h);
                          m.line(c(1), 0, h - 2, w - 1, h - 2);
                          m.line(c(1), w - 2, 0, w - 2, h - 1);
                      });
    }
}

TEST_F(ClassicLook, GroupFramesProgressAndWaitParts)
{
    const int w = 60, h = 40;
    for (int captionHeight : {3, 4, 5, 12, 13}) {
        check("group frame", w, h,
              [&](DCanvas* k) { theme.drawGroupFrame(k, 0, w, h, 21, captionHeight); },
              [&](Model& m) {
                  const int t = captionHeight >= 5 ? captionHeight / 2 : 4;
                  m.rect(c(0), 0, 0, w, h);
                  m.frame(c(2), 5, t + 1, w - 8, h - t - 4);
                  m.frame(c(3), 4, t, w - 8, h - t - 4);
                  m.rect(c(0), 10, 0, 21 + 2, captionHeight);
              });
    }
    for (const auto& size : sizes) {
        const int pw = size[0], ph = size[1];
        for (int gradient = 0; gradient < 2; ++gradient)
            check("progress chunk", pw, ph,
                  [&](DCanvas* k) { theme.drawProgressChunk(k, 0, pw, ph, gradient); },
                  [&](Model& m) {
                      if (!gradient) return m.rect(c(0), 0, 0, pw, ph);
                      for (int i = 0; i < pw; ++i) m.line(c(1).blend(c(0), pw, i), i, 0, i, ph);
                  });
        for (int step = 0; step <= 5; ++step)
            check("wait block", pw, ph, [&](DCanvas* k) { theme.drawWaitBlock(k, 0, pw, ph, 4, step); },
                  [&](Model& m) { m.rect(c(0).blend(c(1), 4, step), 0, 0, pw, ph); });
        auto frameModel = [&](Model& m) {
            m.rect(c(1), 0, 0, pw, ph);
            m.line(c(1), pw - 2, 1, pw - 2, ph - 2);
            m.line(c(3), 0, 0, pw - 1, 0);
            m.line(c(3), 0, 0, 0, ph - 1);
            m.line(c(2), 0, ph - 1, pw, ph - 1);
            m.line(c(2), pw - 1, 0, pw - 1, ph);
        };
        check("progress frame", pw, ph, [&](DCanvas* k) { theme.drawProgressFrame(k, 0, pw, ph); },
              frameModel);
        check("wait frame", pw, ph, [&](DCanvas* k) { theme.drawWaitFrame(k, 0, pw, ph); },
              frameModel);
    }
}

TEST_F(ClassicLook, ScrollBarParts)
{
    for (const auto& size : {std::pair<int, int>{16, 16}, {17, 30}, {30, 17}, {15, 14}}) {
        const int w = size.first, h = size.second;
        auto body = [&](Model& m, bool enabled, int state) {
            if (enabled && state == DStatePressed) {
                m.rect(c(3).blend(c(1), 10, 4), light(c(1)), 0, 0, w, h);
                return;
            }
            m.rect(c(1), (enabled && state == DStateHot) ? light(c(1)) : c(1), 0, 0, w, h);
            m.line(c(1), 0, 0, w - 1, 0);
            m.line(c(1), 0, 0, 0, h - 1);
            m.line(c(2), 1, 1, w - 2, 1);
            m.line(c(2), 1, 1, 1, h - 2);
            m.line(dark(), 0, h - 1, w, h - 1);
            m.line(dark(), w - 1, 0, w - 1, h);
            m.line(c(3), 1, h - 2, w - 1, h - 2);
            m.line(c(3), w - 2, 1, w - 2, h - 2);
        };
        for (int enabled = 0; enabled < 2; ++enabled)
            for (int state = 0; state < 3; ++state) {
                for (int horizontal = 0; horizontal < 2; ++horizontal)
                    check("scroll thumb", w, h,
                          [&](DCanvas* k) { theme.drawScrollThumb(k, enabled, w, h, state, horizontal); },
                          [&](Model& m) { body(m, enabled, state); });
                for (int direction = 0; direction < 4; ++direction)
                    check("scroll arrow", w, h,
                          [&](DCanvas* k) { theme.drawScrollArrow(k, enabled, w, h, state, direction); },
                          [&](Model& m) {
                              body(m, enabled, state);
                              const DColor glyph = enabled ? ink : c(3);
                              const int shift = (enabled && state == DStatePressed) ? 2 : 0;
                              if (direction <= 1) {  // up, down: a 7 x 4 box
                                  const int x0 = (w - 7) / 2 + shift, y0 = (h - 4) / 2;
                                  for (int r = 1; r <= 4; ++r) {  // r pixels wide halves
                                      const int row = direction == 0 ? y0 + r : y0 + 5 - r;
                                      m.line(glyph, x0 + 4 - r, row, x0 + 3 + r, row);
                                  }
                              } else {  // left, right: a 4 x 7 box
                                  const int x0 = (w - 4) / 2 + shift, y0 = (h - 7) / 2;
                                  const int firstColumn[2] = {3, 0};  // the 7-pixel column
                                  for (int r = 0; r < 4; ++r) {
                                      const int column = direction == 2 ? x0 + firstColumn[0] - r
                                                                        : x0 + firstColumn[1] + r;
                                      m.line(glyph, column, y0 + r, column, y0 + 7 - r);
                                  }
                              }
                          });
            }
        for (int enabled = 0; enabled < 2; ++enabled)
            check("scroll track", w, h, [&](DCanvas* k) { theme.drawScrollTrack(k, enabled, w, h, true); },
                  [&](Model& m) { m.rect(light(c(0)), 0, 0, w, h); });
    }
}

TEST_F(ClassicLook, MenusBarsPanesHeadersAndTips)
{
    for (const auto& size : {std::pair<int, int>{60, 30}, {41, 9}, {36, 20}}) {
        const int w = size.first, h = size.second;
        check("menu background", w, h, [&](DCanvas* k) { theme.drawMenuBackground(k, w, h); },
              [&](Model& m) {
                  m.rect(c(6), 0, 0, w, h);
                  m.rect(c(5), 3, 0, 20, h);
                  m.frame(c(6), 1, 1, w - 2, h - 2);
                  m.frame(c(6), 1, 1, w - 2, h - 3);
                  m.frame(c(6), 1, 2, w - 2, h - 4);
                  m.frame(c(7), 0, 0, w, h);
              });
        check("menu highlight", w, h, [&](DCanvas* k) { theme.drawMenuHighlight(k, 0, w, h); },
              [&](Model& m) { m.rect(c(8), c(8).blend(c(6), 20, 15), 0, 0, w, h); });
        check("menu highlight 2", w, h, [&](DCanvas* k) { theme.drawMenuHighlight2(k, 0, w, h); },
              [&](Model& m) { m.rect(c(8), c(8).blend(c(6), 20, 15), 0, 0, w, h); });
        check("menu separator", w, h, [&](DCanvas* k) { theme.drawMenuSeparator(k, w, h); },
              [&](Model& m) { m.line(c(7), 27, h / 2, w - 4, h / 2); });
        check("bar", w, h, [&](DCanvas* k) { theme.drawBar(k, w, h); }, [&](Model& m) {
            m.rect(c(0), 0, 0, w, h);
            m.line(c(3), 0, h - 1, w, h - 1);
        });
        check("selection", w, h, [&](DCanvas* k) { theme.drawSelection(k, w, h); },
              [&](Model& m) { m.rect(c(4), c(4).blend(c(2), 20, 15), 0, 0, w, h); });
        check("pane", w, h, [&](DCanvas* k) { theme.drawPane(k, w, h); }, [&](Model& m) {
            m.rect(c(0), 0, 0, w, h);
            m.line(c(3), w - 1, 0, w - 1, h);
            m.line(c(3), 0, h - 1, w, h - 1);
            m.line(c(2), 0, 0, 0, h - 1);
        });
        check("pane top", w, h, [&](DCanvas* k) { theme.drawPaneTop(k, w, h); },
              [&](Model& m) { m.line(c(2), 0, 0, w - 1, 0); });
        check("tool tip", w, h, [&](DCanvas* k) { theme.drawToolTip(k, w, h); },
              [&](Model& m) { m.rect(ink, c(9), 0, 0, w, h); });
        check("header item", w, h, [&](DCanvas* k) { theme.drawHeaderItem(k, 0, w, h, 0); },
              [&](Model& m) {
                  m.rect(c(0), 0, 0, w, h);
                  m.line(c(2), 0, 0, w, 0);
                  m.line(c(2), 0, 0, 0, h);
                  m.line(c(3), w - 1, 0, w - 1, h);
                  m.line(c(3), 0, h - 1, w, h - 1);
              });
        check("drop list", w, h, [&](DCanvas* k) { theme.drawDropList(k, w, h); }, [&](Model& m) {
            m.rect(c(3), c(0), 0, 0, w, h);
            m.frame(c(3), 0, 0, w, h);
        });
        check("unnamed slot", w, h, [&](DCanvas* k) { theme.drawNothing(k, w, h); }, [](Model&) {});
    }
    const char* const mark[7] = {"0000001", "0000011", "1000111", "1101110",
                                 "1111100", "0111000", "0010000"};
    check("menu check", 20, 20, [&](DCanvas* k) { theme.drawMenuCheck(k, 1, 2, 3); },
          [&](Model& m) {
              for (int y = 0; y < 7; ++y)
                  for (int x = 0; x < 7; ++x)
                      if (mark[y][x] == '1') m.set(6 + x, 6 + y, ink);
          });
}
