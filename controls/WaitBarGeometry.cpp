#include "controls/WaitBarGeometry.h"

DWaitBarBlocks waitBarBlocks(int width, int height)
{
    DWaitBarBlocks blocks;
    blocks.blockSize = height - 4;
    if (blocks.blockSize < 1 || width <= 0) {
        blocks.blockCount = 0;
        return blocks;
    }
    blocks.blockCount = width / blocks.blockSize;
    return blocks;
}

int waitBarNextPosition(int position, int bandLength, int blockCount)
{
    // Worked out in 64 bits: a position or band length near the integer limits must not
    // overflow into a wrong comparison.
    long long tail = static_cast<long long>(position) - bandLength;
    if (tail < blockCount && position < 0x7FFFFFFF)
        return position + 1;
    return 0;
}

int waitBarBlockX(int position, int index, int blockSize)
{
    return 2 + (position - index) * (blockSize + 2);
}
