// DGroup: a group box, an etched frame with its caption set into the top edge at (11, 0).
// Other views are placed inside it as its children; it takes no input itself. Drawn in
// the view's own pixels with a font of its own, which it owns.
#pragma once

#include "framework/DView.h"

class DFont;

class DGroup : public DView {
public:
    DGroup() = default;
    ~DGroup() override;

    bool create(int x, int y, int width, int height, const DString& caption = DString());
    DFont* getFont() const { return font; }
    // The narrowest width that shows the caption with some of the frame's top edge after
    // it, measured in the group's font; 0 without a caption or before it is in a window.
    int fittingWidth();

    void onDestroy() override;
    void paint() override;

    // A group with a caption names the controls in it that have none; its access key
    // leads to the first control inside.
    DAccessibleInfo accessibleInfo() const override;

private:
    DFont* font = nullptr;  // owned
};
