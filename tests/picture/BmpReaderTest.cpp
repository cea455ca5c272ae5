#include <gtest/gtest.h>

#include <vector>

#include "picture/BmpReader.h"
#include "tests/picture/BmpWriter.h"

namespace {

class TVectorTarget : public TPixelTarget {
public:
    uint32_t* Allocate(int width, int height) override
    {
        Width = width;
        Height = height;
        // Filled with a colour no decoder writes, so unwritten pixels show.
        Pixels.assign(static_cast<size_t>(width) * height, 0xDEADBEEF);
        return Pixels.data();
    }
    uint32_t At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }

    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;
};

void ExpectPattern(const TVectorTarget& target, const TBmpLayout& layout)
{
    ASSERT_EQ(target.Width, layout.Width);
    ASSERT_EQ(target.Height, layout.Height);
    for (int y = 0; y < layout.Height; ++y) {
        for (int x = 0; x < layout.Width; ++x)
            ASSERT_EQ(target.At(x, y), TestColor(TestIndex(x, y, layout.BitCount))) << "at " << x << "," << y;
    }
}

std::vector<TBmpLayout> AllLayouts()
{
    std::vector<TBmpLayout> layouts;
    auto add = [&](int bpp, uint32_t compression, bool topDown, bool core, uint32_t r = 0, uint32_t g = 0,
                   uint32_t b = 0) {
        TBmpLayout l;
        l.Width = 13;  // odd, so every row needs padding
        l.Height = 7;
        l.BitCount = bpp;
        l.Compression = compression;
        l.TopDown = topDown;
        l.CoreHeader = core;
        l.Masks[0] = r;
        l.Masks[1] = g;
        l.Masks[2] = b;
        layouts.push_back(l);
    };
    for (int bpp : {1, 4, 8, 16, 24, 32}) {
        add(bpp, 0, false, false);
        add(bpp, 0, true, false);
    }
    add(24, 0, false, true);
    add(8, 0, false, true);
    add(8, 1, false, false);
    add(4, 2, false, false);
    add(16, 3, false, false, 0xF800, 0x07E0, 0x001F);
    add(32, 3, false, false, 0x000000FF, 0x0000FF00, 0x00FF0000);
    return layouts;
}

TEST(BmpReader, DecodesEveryLayoutToTheSamePixels)
{
    for (const TBmpLayout& layout : AllLayouts()) {
        SCOPED_TRACE(testing::Message() << layout.BitCount << " bpp, compression " << layout.Compression
                                        << (layout.TopDown ? ", top-down" : "") << (layout.CoreHeader ? ", core" : ""));
        const std::vector<uint8_t> file = MakeTestBmp(layout);
        TVectorTarget target;
        ASSERT_TRUE(DecodeBmp(file.data(), file.size(), target));
        ExpectPattern(target, layout);
    }
}

TEST(BmpReader, EveryTruncationFailsOrStaysInBounds)
{
    // Under the sanitizers any read past the given size shows. A cut that removes pixel bytes fails; only the
    // last row's padding (at most 3 bytes) or the RLE end-of-picture mark may be missing.
    for (const TBmpLayout& layout : AllLayouts()) {
        const std::vector<uint8_t> file = MakeTestBmp(layout);
        for (size_t cut = 0; cut < file.size(); ++cut) {
            SCOPED_TRACE(testing::Message() << layout.BitCount << " bpp, compression " << layout.Compression
                                            << ", cut at " << cut << " of " << file.size());
            std::vector<uint8_t> part(file.begin(), file.begin() + cut);
            TVectorTarget target;
            if (DecodeBmp(part.data(), part.size(), target)) {
                ASSERT_GE(cut + 3, file.size());
                ExpectPattern(target, layout);
            }
        }
    }
}

TEST(BmpReader, AFileEndingWithoutItsLastRowsPaddingDecodes)
{
    // Writers often stop after the last pixel; the row padding they leave out holds no pixel.
    for (const TBmpLayout& layout : AllLayouts()) {
        if (layout.Compression == 1 || layout.Compression == 2)
            continue;
        const int padding = (4 - (layout.Width * layout.BitCount + 7) / 8 % 4) % 4;
        if (padding == 0)
            continue;
        SCOPED_TRACE(testing::Message() << layout.BitCount << " bpp" << (layout.TopDown ? ", top-down" : ""));
        std::vector<uint8_t> file = MakeTestBmp(layout);
        file.resize(file.size() - padding);
        TVectorTarget target;
        ASSERT_TRUE(DecodeBmp(file.data(), file.size(), target));
        ExpectPattern(target, layout);
    }
}

TEST(BmpReader, RleDeltaAndEndOfPictureLeaveSkippedPixelsBlack)
{
    TBmpLayout layout;
    layout.Width = 6;
    layout.Height = 4;
    layout.BitCount = 8;
    layout.Compression = 1;
    std::vector<uint8_t> file = MakeTestBmp(layout);
    // Replace the pixel data: two pixels of colour 7 on the bottom row, move 2 right and 1 up, one
    // pixel of colour 2, then end of picture.
    const uint32_t offset = file[10] | (file[11] << 8);
    file.resize(offset);
    for (uint8_t b : {2, 7, 0, 2, 2, 1, 1, 2, 0, 1})
        file.push_back(b);

    TVectorTarget target;
    ASSERT_TRUE(DecodeBmp(file.data(), file.size(), target));
    EXPECT_EQ(target.At(0, 3), TestColor(7));
    EXPECT_EQ(target.At(1, 3), TestColor(7));
    EXPECT_EQ(target.At(2, 3), 0u);
    EXPECT_EQ(target.At(4, 2), TestColor(2));
    EXPECT_EQ(target.At(3, 2), 0u);
    EXPECT_EQ(target.At(5, 0), 0u);
}

TEST(BmpReader, RefusesDamagedHeaders)
{
    TBmpLayout layout;
    layout.Width = 4;
    layout.Height = 4;
    const std::vector<uint8_t> good = MakeTestBmp(layout);
    auto refused = [&](size_t at, std::vector<uint8_t> bytes) {
        std::vector<uint8_t> file = good;
        for (size_t i = 0; i < bytes.size(); ++i)
            file[at + i] = bytes[i];
        TVectorTarget target;
        return !DecodeBmp(file.data(), file.size(), target) && target.Pixels.empty();
    };
    EXPECT_TRUE(refused(0, {'X'}));                       // signature
    EXPECT_TRUE(refused(14, {0xFF, 0xFF, 0, 0}));         // header larger than the file
    EXPECT_TRUE(refused(14, {20, 0, 0, 0}));              // header size of no known layout
    EXPECT_TRUE(refused(18, {0, 0, 0, 0}));               // width 0
    EXPECT_TRUE(refused(18, {0xFF, 0xFF, 0xFF, 0x7F}));   // absurd width
    EXPECT_TRUE(refused(22, {0, 0, 0, 0x80}));            // the most negative height
    EXPECT_TRUE(refused(22, {0x00, 0x40, 0, 0}));         // 4 x 16384 fits, but the pixels are missing
    EXPECT_TRUE(refused(28, {7, 0}));                     // 7 bits per pixel
    EXPECT_TRUE(refused(30, {1, 0, 0, 0}));               // RLE8 on a 24-bit picture
    EXPECT_TRUE(refused(30, {4, 0, 0, 0}));               // embedded JPEG
}

TEST(BmpReader, NullOrEmptyDataFails)
{
    TVectorTarget target;
    EXPECT_FALSE(DecodeBmp(nullptr, 0, target));
    const uint8_t one = 'B';
    EXPECT_FALSE(DecodeBmp(&one, 1, target));
}

}  // namespace
