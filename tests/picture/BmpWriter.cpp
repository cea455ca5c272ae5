#include "tests/picture/BmpWriter.h"

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void Set32(std::vector<uint8_t>& out, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out[at + i] = (v >> (8 * i)) & 0xFF;
}

// A 0x00RRGGBB colour packed through the masks.
uint32_t Pack(uint32_t color, const uint32_t masks[3])
{
    uint32_t v = 0;
    const uint32_t channels[3] = {(color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF};
    for (int c = 0; c < 3; ++c) {
        uint32_t mask = masks[c];
        int shift = 0;
        while (!((mask >> shift) & 1))
            ++shift;
        const uint32_t max = mask >> shift;
        v |= ((channels[c] * max + 127) / 255) << shift;
    }
    return v;
}

void PlainRow(std::vector<uint8_t>& out, const TBmpLayout& l, int y, const uint32_t masks[3])
{
    const size_t start = out.size();
    if (l.BitCount <= 8) {
        uint32_t acc = 0;
        int bits = 0;
        for (int x = 0; x < l.Width; ++x) {
            acc = (acc << l.BitCount) | TestIndex(x, y, l.BitCount);
            bits += l.BitCount;
            if (bits == 8) {
                out.push_back(acc);
                acc = 0;
                bits = 0;
            }
        }
        if (bits)
            out.push_back(acc << (8 - bits));
    } else {
        for (int x = 0; x < l.Width; ++x) {
            const uint32_t color = TestColor(TestIndex(x, y, l.BitCount));
            if (l.BitCount == 24) {
                out.push_back(color & 0xFF);
                out.push_back((color >> 8) & 0xFF);
                out.push_back((color >> 16) & 0xFF);
            } else if (l.BitCount == 16) {
                Put16(out, Pack(color, masks));
            } else {
                Put32(out, Pack(color, masks));
            }
        }
    }
    while ((out.size() - start) % 4)
        out.push_back(0);
}

// Even rows as absolute runs, odd rows as encoded runs (RLE4: one pixel pair per run).
void RleRow(std::vector<uint8_t>& out, const TBmpLayout& l, int y)
{
    const bool four = l.Compression == 2;
    if (y % 2 == 0 && l.Width >= 3 && l.Width <= 255) {
        out.push_back(0);
        out.push_back(l.Width);
        const size_t start = out.size();
        for (int x = 0; x < l.Width; x += four ? 2 : 1) {
            if (four)
                out.push_back((TestIndex(x, y, 4) << 4) | (x + 1 < l.Width ? TestIndex(x + 1, y, 4) : 0));
            else
                out.push_back(TestIndex(x, y, 8));
        }
        if ((out.size() - start) % 2)
            out.push_back(0);
    } else if (four) {
        for (int x = 0; x < l.Width; x += 2) {
            const bool pair = x + 1 < l.Width;
            out.push_back(pair ? 2 : 1);
            out.push_back((TestIndex(x, y, 4) << 4) | (pair ? TestIndex(x + 1, y, 4) : 0));
        }
    } else {
        for (int x = 0; x < l.Width;) {
            int run = 1;
            while (x + run < l.Width && run < 255 && TestIndex(x + run, y, 8) == TestIndex(x, y, 8))
                ++run;
            out.push_back(run);
            out.push_back(TestIndex(x, y, 8));
            x += run;
        }
    }
    out.push_back(0);
    out.push_back(0);
}

}  // namespace

uint32_t TestColor(int index)
{
    return ((index & 4) ? 0xFF0000 : 0) | ((index & 2) ? 0x00FF00 : 0) | ((index & 1) ? 0x0000FF : 0);
}

int TestIndex(int x, int y, int bitCount)
{
    return (x * 3 + y * 5) % (bitCount == 1 ? 2 : 8);
}

std::vector<uint8_t> MakeTestBmp(const TBmpLayout& l)
{
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, 0);  // file size, set at the end
    Put32(out, 0);
    Put32(out, 0);  // pixel offset, set below
    if (l.CoreHeader) {
        Put32(out, 12);
        Put16(out, l.Width);
        Put16(out, l.Height);
        Put16(out, 1);
        Put16(out, l.BitCount);
    } else {
        Put32(out, 40);
        Put32(out, l.Width);
        Put32(out, l.TopDown ? -l.Height : l.Height);
        Put16(out, 1);
        Put16(out, l.BitCount);
        Put32(out, l.Compression);
        for (int i = 0; i < 5; ++i)
            Put32(out, 0);
    }
    uint32_t masks[3] = {l.Masks[0], l.Masks[1], l.Masks[2]};
    if (l.Compression == 3) {
        for (uint32_t m : masks)
            Put32(out, m);
    } else if (l.BitCount == 16) {
        masks[0] = 0x7C00;
        masks[1] = 0x03E0;
        masks[2] = 0x001F;
    } else if (l.BitCount == 32) {
        masks[0] = 0xFF0000;
        masks[1] = 0x00FF00;
        masks[2] = 0x0000FF;
    }
    if (l.BitCount <= 8) {
        const int colors = 1 << l.BitCount;
        for (int i = 0; i < colors; ++i) {
            const uint32_t c = i < 8 ? TestColor(i) : 0;
            out.push_back(c & 0xFF);
            out.push_back((c >> 8) & 0xFF);
            out.push_back((c >> 16) & 0xFF);
            if (!l.CoreHeader)
                out.push_back(0);
        }
    }
    Set32(out, 10, static_cast<uint32_t>(out.size()));
    for (int row = 0; row < l.Height; ++row) {
        const int y = l.TopDown ? row : l.Height - 1 - row;
        if (l.Compression == 1 || l.Compression == 2)
            RleRow(out, l, y);
        else
            PlainRow(out, l, y, masks);
    }
    if (l.Compression == 1 || l.Compression == 2) {
        out.push_back(0);
        out.push_back(1);
    }
    Set32(out, 2, static_cast<uint32_t>(out.size()));
    return out;
}
