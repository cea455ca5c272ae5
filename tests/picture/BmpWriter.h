// Writes Windows bitmap files in the layouts the reader must accept, for tests.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

struct TBmpLayout {
    int Width = 0;
    int Height = 0;
    int BitCount = 24;
    uint32_t Compression = 0;  // 0 plain, 1 RLE8, 2 RLE4, 3 bit fields
    bool TopDown = false;
    bool CoreHeader = false;  // the 12-byte header with 3-byte palette entries
    uint32_t Masks[3] = {0, 0, 0};  // bit fields: red, green, blue
};

// The eight colours whose channels are 0 or 255 (exact in every layout, 5-bit channels included).
uint32_t TestColor(int index);
// Index of the test colour at (x, y); 1-bit pictures use only the first two colours.
int TestIndex(int x, int y, int bitCount);

// A bitmap file of the test pattern; palette layouts carry the eight test colours (two for 1 bit).
std::vector<uint8_t> MakeTestBmp(const TBmpLayout& layout);
