// DStaticText: a label. Its caption is word-wrapped to the view's width and aligned by
// `format` (see StaticTextGeometry.h: 0x11 top-left, 0x44 centred both ways, 0x20 left at
// the bottom). It never takes the focus or input. Drawn in the view's own pixels with a
// font of its own, which callers may change through getFont (the About box makes its
// title large and bold) and which it owns.
#pragma once

#include "framework/DView.h"

class DFont;

class DStaticText : public DView {
public:
    DStaticText() = default;
    ~DStaticText() override;

    bool create(int x, int y, int width, int height, const DString& caption = DString());
    DFont* getFont() const { return font; }
    // 0 stands for the default top-left format 0x11.
    void setFormat(int flags);
    int getFormat() const { return format; }
    // Measured in the text's font on its canvas; 0 before it is in a window. The width of
    // its widest line as broken only where the text breaks its lines itself, and the height
    // the text takes word-wrapped to `width`.
    int fittingWidth();
    int fittingHeight(int wrapWidth);

    void onDestroy() override;
    void paint() override;

    // A label names the control after it and leads its access key there.
    bool labelsNext() const override { return true; }
    DAccessibleInfo accessibleInfo() const override;

private:
    DFont* font = nullptr;  // owned
    int format = 0x11;
};
