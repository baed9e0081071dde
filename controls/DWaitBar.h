// DWaitBar: an activity bar. While running, a band of `bandLength` square blocks runs from
// left to right inside a sunken frame, one block per step (the owner steps it from a timer),
// the head in the selection colour and the tail fading toward the face colour. The block
// geometry (WaitBarGeometry.h) is worked out from the bar's size before each paint. Drawn
// in the view's own pixels; owns nothing.
#pragma once

#include "framework/DView.h"

class DWaitBar : public DView {
public:
    DWaitBar() = default;

    bool create(int x, int y, int width, int height);
    void setBandLength(int blocks);
    // Starting or stopping puts the head back at block 0.
    void setRunning(bool flag);
    void step();

    int getBandLength() const { return bandLength; }
    bool isRunning() const { return running != 0; }
    int getPosition() const { return position; }
    int getBlockCount() const { return blockCount; }
    int getBlockSize() const { return blockSize; }

    // The bar is drawn in the theme's selection colour.
    void applyTheme() override;
    void paint() override;
    // A progress bar named after its group, animated while it runs.
    DAccessibleInfo accessibleInfo() const override;

private:
    void updateGeometry();

    int bandLength = 6;
    unsigned char running = 0;
    int position = 0;
    int blockCount = 0;
    int blockSize = 0;
};
