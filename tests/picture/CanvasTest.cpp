#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "classlib/Bitmap.h"
#include "picture/DC.h"

namespace {

class CanvasTest : public testing::Test {
protected:
    void SetUp() override
    {
        Bitmap.Canvas()->SetBrushColor(0xFFFFFF);
        ASSERT_TRUE(Bitmap.SetSize(20, 10));
    }
    // Number of pixels of a colour (COLORREF) in row y.
    int CountInRow(int y, COLORREF color)
    {
        int n = 0;
        for (int x = 0; x < Bitmap.Width(); ++x)
            n += Dc.GetPixel(x, y) == color;
        return n;
    }

    TBitmap Bitmap;
    CDC Dc{Bitmap.Canvas()};
};

TEST_F(CanvasTest, PenStyleOutOfRangeKeepsTheStyleButSetsWidthAndColour)
{
    EXPECT_TRUE(Dc.SetPen(2, 1, 0x0000FF));  // dotted red
    Dc.MoveTo(0, 1);
    Dc.LineTo(20, 1);
    const int dotted = CountInRow(1, 0x0000FF);
    EXPECT_GT(dotted, 0);
    EXPECT_LT(dotted, 20);

    EXPECT_TRUE(Dc.SetPen(7, 1, 0x00FF00));  // style kept: still dotted, now green
    EXPECT_EQ(Bitmap.Canvas()->Pen().Style, psDot);
    Dc.MoveTo(0, 3);
    Dc.LineTo(20, 3);
    EXPECT_EQ(CountInRow(3, 0x00FF00), dotted);

    EXPECT_TRUE(Dc.SetPen(0, 3, 0xFF0000));  // solid, 3 wide
    Dc.MoveTo(0, 7);
    Dc.LineTo(20, 7);
    EXPECT_EQ(CountInRow(7, 0xFF0000), 20);
    EXPECT_GE(CountInRow(6, 0xFF0000), 18);
    EXPECT_TRUE(Dc.SetPen(-1, 1, 0));
    EXPECT_EQ(Bitmap.Canvas()->Pen().Style, psSolid);
    EXPECT_TRUE(Dc.SetPen(5, 1, 0));  // clear
    Dc.MoveTo(0, 9);
    Dc.LineTo(20, 9);
    EXPECT_EQ(CountInRow(9, 0xFFFFFF), 20);
}

TEST_F(CanvasTest, PenAndBrushDropTheSystemColourByte)
{
    // 0xFF000005 would be the window colour if translated; pens and brushes draw it as 0x000005.
    Dc.SetPen(0, 1, 0xFF000005);
    Dc.MoveTo(0, 0);
    Dc.LineTo(20, 0);
    EXPECT_EQ(Dc.GetPixel(5, 0), 0x000005u);
    Dc.SetBrushColor(0xFF00000F);
    Dc.FillRect(RECT{0, 2, 4, 4});
    EXPECT_EQ(Dc.GetPixel(1, 3), 0x00000Fu);
    EXPECT_EQ(Dc.GetPixel(5, 3), 0xFFFFFFu);
}

TEST_F(CanvasTest, EllipseOutlinesWithThePenAndFillsWithTheBrush)
{
    Dc.SetPen(0, 1, 0x0000FF);
    Dc.SetBrushColor(0x00FF00);
    Dc.Ellipse(RECT{0, 0, 10, 10});
    EXPECT_EQ(Dc.GetPixel(5, 5), 0x00FF00u);
    EXPECT_EQ(Dc.GetPixel(5, 0), 0x0000FFu);
    EXPECT_EQ(Dc.GetPixel(0, 0), 0xFFFFFFu);
    EXPECT_EQ(Dc.GetPixel(15, 5), 0xFFFFFFu);
}

TEST_F(CanvasTest, TextOperations)
{
    const SIZE extent = Dc.TextExtent("Hello");
    EXPECT_GT(extent.cx, 0);
    EXPECT_GT(extent.cy, 0);
    RECT rect = {0, 0, 200, 50};
    const RECT before = rect;
    const int height = Dc.DrawText("Hello", rect, DT_CALCRECT | DT_LEFT);
    EXPECT_GT(height, 0);
    EXPECT_TRUE(EqualRect(&rect, &before));

    EXPECT_EQ(Dc.SetTextColor(0x0000FF), 0u);  // a new device context writes black
    EXPECT_EQ(Dc.SetTextColor(0x00FF00), 0x0000FFu);
    EXPECT_EQ(Dc.SetBkColor(0x123456), 0xFFFFFFu);
    EXPECT_EQ(Dc.SetBkColor(0), 0x123456u);
    EXPECT_EQ(Dc.SetBkMode(TRANSPARENT), OPAQUE);
    EXPECT_EQ(Dc.SetBkMode(OPAQUE), TRANSPARENT);

    TFont font = Bitmap.Canvas()->Font();
    font.Color = 0x000000;
    font.Height = -9;
    Bitmap.Canvas()->SetFont(font);
    Bitmap.Canvas()->SetBrushStyle(bsClear);
    Dc.TextOut(0, 0, "WWWW");
    int black = 0;
    for (int y = 0; y < 10; ++y)
        black += CountInRow(y, 0x000000);
    EXPECT_GT(black, 0);
}

TEST_F(CanvasTest, BlockTransfersAndStretching)
{
    TBitmap other;
    other.Canvas()->SetBrushColor(0x0000FF);
    ASSERT_TRUE(other.SetSize(2, 2));
    CDC source(other.Canvas());
    EXPECT_TRUE(Dc.BitBlt(3, 3, 2, 2, &source, 0, 0, SRCCOPY));
    EXPECT_EQ(Dc.GetPixel(4, 4), 0x0000FFu);
    EXPECT_EQ(Dc.GetPixel(5, 5), 0xFFFFFFu);
    EXPECT_TRUE(Dc.BitBlt(0, 0, 20, 10, nullptr, 0, 0, DSTINVERT));
    EXPECT_EQ(Dc.GetPixel(4, 4), 0xFFFF00u);
    EXPECT_EQ(Dc.GetPixel(0, 0), 0u);
    EXPECT_TRUE(Dc.BitBltFromHandle(10, 0, 2, 2, other.Canvas()->Handle(), 0, 0, SRCCOPY));
    EXPECT_EQ(Dc.GetPixel(11, 1), 0x0000FFu);

    const int previous = Dc.SetStretchBltMode(HALFTONE);
    EXPECT_EQ(Dc.SetStretchBltMode(previous), HALFTONE);
    EXPECT_TRUE(Dc.StretchBlt(0, 0, 20, 10, &source, 0, 0, 2, 2, SRCCOPY));
    EXPECT_EQ(Dc.GetPixel(19, 9), 0x0000FFu);
    EXPECT_FALSE(Dc.StretchBlt(0, 0, 20, 10, nullptr, 0, 0, 2, 2, SRCCOPY));
}

TEST(CanvasLifetime, DestroyingTheWrapperLeavesTheCanvasUsable)
{
    TBitmap bitmap;
    ASSERT_TRUE(bitmap.SetSize(4, 4));
    {
        auto dc = std::make_unique<CDC>(bitmap.Canvas());
        dc->SetBrushColor(0x00FF00);
        dc->FillRect(RECT{0, 0, 4, 4});
    }
    bitmap.Canvas()->SetBrushColor(0x0000FF);
    bitmap.Canvas()->FillRect(RECT{0, 0, 1, 1});
    EXPECT_EQ(GetPixel(bitmap.Canvas()->Handle(), 0, 0), 0x0000FFu);
    EXPECT_EQ(GetPixel(bitmap.Canvas()->Handle(), 3, 3), 0x00FF00u);
}

TEST(BitmapSize, ResizingKeepsThePictureAndFillsNewAreaWithTheBrush)
{
    TBitmap bitmap;
    EXPECT_TRUE(bitmap.Empty());
    bitmap.Canvas()->SetBrushColor(0x0000FF);
    ASSERT_TRUE(bitmap.SetWidth(3));
    EXPECT_TRUE(bitmap.Empty());  // no height yet
    ASSERT_TRUE(bitmap.SetHeight(2));
    ASSERT_FALSE(bitmap.Empty());
    EXPECT_EQ(bitmap.ScanLine(1)[2] & 0xFFFFFF, 0xFF0000u);

    bitmap.Canvas()->SetBrushColor(0x00FF00);
    ASSERT_TRUE(bitmap.SetSize(5, 4));
    EXPECT_EQ(bitmap.ScanLine(1)[2] & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(bitmap.ScanLine(3)[4] & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(bitmap.ScanLine(0)[3] & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(bitmap.ScanLine(4), nullptr);
    EXPECT_EQ(bitmap.ScanLine(-1), nullptr);

    // The brush's system colour is translated by the bitmap itself.
    bitmap.Canvas()->SetBrushColor(0xFF000000 | COLOR_HIGHLIGHT);
    ASSERT_TRUE(bitmap.SetSize(6, 4));
    EXPECT_EQ(GetPixel(bitmap.Canvas()->Handle(), 5, 0), GetSysColor(COLOR_HIGHLIGHT));

    EXPECT_FALSE(bitmap.SetSize(-1, 4));
    EXPECT_EQ(bitmap.Width(), 6);
    ASSERT_TRUE(bitmap.SetSize(0, 0));
    EXPECT_TRUE(bitmap.Empty());
}

}  // namespace
