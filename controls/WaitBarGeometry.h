// Where a wait bar puts its blocks, in the bar's own pixels with (0, 0) at its top-left
// corner. The bar keeps a 2-pixel frame on every side; its blocks are squares as high as
// the inside, 2 pixels apart. The band is `bandLength` blocks whose head is at block
// `position`, its tail trailing to the left. Painting and stepping both use these; the
// tests check them without a window.
#pragma once

struct DWaitBarBlocks {
    int blockSize = 0;   // side of one block in pixels
    int blockCount = 0;  // whole blocks that fit across the bar
};

// Block geometry for a bar of the given size: the side is the height less the frame
// (4 pixels), the count the width divided by the side. A bar too low for a block of at
// least one pixel has no blocks, so nothing is drawn and nothing divides by zero.
DWaitBarBlocks waitBarBlocks(int width, int height);

// The head's position after one step: it runs on past the right end until the whole band
// has left the bar, then starts again at block 0.
int waitBarNextPosition(int position, int bandLength, int blockCount);

// Left edge of band block `index` (0 is the head) when the head is at `position`.
int waitBarBlockX(int position, int index, int blockSize);
