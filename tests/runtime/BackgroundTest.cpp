#include "runtime/Background.h"

#include <gtest/gtest.h>

#include "classlib/FileUtils.h"
#include "picture/ComPicture.h"
#include "tests/data/FailingAllocations.h"
#include "tests/runtime/TestProject.h"

namespace {

const TColor kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kWhite = 0xFFFFFF, kMagenta = 0xFF00FF;

std::pair<int, int> Fit(int w, int h, int boxW, int boxH, bool scale = false)
{
    int outW = -1, outH = -1;
    (scale ? ScaleSize : FitSize)(&outW, &outH, w, h, boxW, boxH);
    return {outW, outH};
}

// A 64 x 32 picture of four quadrants: red, green / blue, white.
void Quadrants(CComPicture& picture)
{
    picture.Create(64, 32, kRed);
    picture.FillRect(RECT{32, 0, 64, 16}, kGreen);
    picture.FillRect(RECT{0, 16, 32, 32}, kBlue);
    picture.FillRect(RECT{32, 16, 64, 32}, kWhite);
}

// The bounding box of the pixels that are not black.
RECT InkBox(CComPicture& picture)
{
    RECT box = {INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = 0; y < picture.Bitmap()->Height(); ++y)
        for (int x = 0; x < picture.Bitmap()->Width(); ++x)
            if (PixelAt(picture, x, y) != 0) {
                box = RECT{std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                           std::max<LONG>(box.bottom, y + 1)};
            }
    return box;
}

// How many pixels of two pictures of one size differ.
int DifferentPixels(CComPicture& a, CComPicture& b)
{
    int differ = 0;
    for (int y = 0; y < a.Bitmap()->Height(); ++y)
        for (int x = 0; x < a.Bitmap()->Width(); ++x)
            differ += PixelAt(a, x, y) != PixelAt(b, x, y);
    return differ;
}

} // namespace

TEST(BackgroundSizes, FitAndScaleExamplesAndZeroSizes)
{
    EXPECT_EQ(Fit(800, 600, 400, 400), std::make_pair(400, 300));
    EXPECT_EQ(Fit(600, 800, 400, 400), std::make_pair(300, 400));
    EXPECT_EQ(Fit(2048, 1536, 1024, 768), std::make_pair(1024, 768));
    EXPECT_EQ(Fit(800, 400, 1024, 768, true), std::make_pair(533, 400));
    EXPECT_EQ(Fit(400, 800, 1024, 768, true), std::make_pair(400, 300));
    // Zero sizes: no fit at all, and a box without width counts as square.
    EXPECT_EQ(Fit(640, 0, 1024, 768), std::make_pair(640, 0));
    EXPECT_EQ(Fit(640, 480, 0, 768), std::make_pair(640, 480));
    EXPECT_EQ(Fit(400, 800, 0, 768, true), std::make_pair(400, 400));
}

// The stretch the picture player and the picture backgrounds use gives the platform's halftone pixels, also
// where the program draws it itself (large stretches), with the picture placed anywhere and part of a source.
TEST(BackgroundSizes, HalftoneStretchGivesThePlatformsPixels)
{
    const struct {
        SIZE Source, Target;
        RECT To;
        SIZE From;
    } cases[] = {
        {{512, 512}, {3840, 2160}, {840, 0, 3000, 2160}, {512, 512}},
        {{640, 480}, {1920, 1080}, {240, 0, 1680, 1080}, {640, 480}},
        {{4000, 3000}, {1920, 1080}, {0, 0, 1920, 1080}, {4000, 3000}},
        {{300, 700}, {1024, 1100}, {7, 3, 607, 1003}, {250, 601}},
        {{1919, 1079}, {1920, 1080}, {0, 0, 1920, 1080}, {1919, 1079}},
        {{1000, 1000}, {600, 600}, {1, 2, 514, 513}, {1000, 999}},
    };
    for (const auto& c : cases) {
        CComPicture source, own, platform;
        source.Create(c.Source.cx, c.Source.cy, 0);
        uint32_t seed = 12345;
        for (int y = 0; y < c.Source.cy; ++y)
            for (uint32_t* p = source.Bitmap()->ScanLine(y), *end = p + c.Source.cx; p < end; ++p)
                *p = (seed = seed * 1103515245u + 12345u) >> 8;
        own.Create(c.Target.cx, c.Target.cy, kMagenta);
        platform.Create(c.Target.cx, c.Target.cy, kMagenta);
        const int w = c.To.right - c.To.left, h = c.To.bottom - c.To.top;
        HalftoneStretch(&own, c.To.left, c.To.top, w, h, &source, c.From.cx, c.From.cy);
        platform.DC()->SetStretchBltMode(HALFTONE);
        platform.DC()->StretchBlt(c.To.left, c.To.top, w, h, source.DC(), 0, 0, c.From.cx, c.From.cy, SRCCOPY);
        EXPECT_EQ(DifferentPixels(own, platform), 0) << c.From.cx << " x " << c.From.cy << " to " << w << " x " << h;
    }
}

TEST(BackgroundTiles, MinimumWidthWholeWidthAndDegenerateCounts)
{
    CComPicture source;
    Quadrants(source);
    CBackground background;
    CComPicture target;
    target.Create(1024, 64, kMagenta);
    // 100 tiles across 1024 pixels would be 10 wide: 16 x 8 tiles instead.
    background.DrawImage(&target, 2, 100, &source, false);
    for (int x : {0, 16 * 30, 16 * 63})
        for (int y : {0, 8 * 3, 8 * 7}) {
            EXPECT_EQ(PixelAt(target, x + 3, y + 1), kRed) << x << "," << y;
            EXPECT_EQ(PixelAt(target, x + 12, y + 1), kGreen) << x << "," << y;
            EXPECT_EQ(PixelAt(target, x + 3, y + 6), kBlue) << x << "," << y;
            EXPECT_EQ(PixelAt(target, x + 12, y + 6), kWhite) << x << "," << y;
        }
    // Random tiles from a count of 1, and a stored count of 0: one tile the target's width (1024 x 512).
    for (int count : {1, 0}) {
        target.Create(1024, 64, kMagenta);
        background.DrawImage(&target, 2, count, &source, count == 1);
        EXPECT_EQ(PixelAt(target, 256, 60), kRed) << count;
        EXPECT_EQ(PixelAt(target, 768, 60), kGreen) << count;
    }
    // A width that is no multiple of the tile's: the last column, cut off, is painted too.
    target.Create(1000, 60, kMagenta);
    background.DrawImage(&target, 2, 100, &source, false);
    EXPECT_EQ(PixelAt(target, 999, 59), kRed);
    // A source 200 times as wide as high gives 16 x 1 tiles, still covering the whole target.
    CComPicture wide;
    wide.Create(2000, 10, kBlue);
    target.Create(1024, 64, kMagenta);
    background.DrawImage(&target, 2, 100, &wide, false);
    EXPECT_EQ(PixelAt(target, 1023, 63), kBlue);

    // Tiles 16 x 1 on 4K, and tiles of every pixel its own colour on a size no multiple of theirs: a bounded
    // number of copies, each pixel the tile's pixel at its place within the tile.
    for (SIZE tileSize : {SIZE{16, 1}, SIZE{23, 7}}) {
        CComPicture tile;
        tile.Create(tileSize.cx, tileSize.cy, 0);
        for (int y = 0; y < tileSize.cy; ++y)
            for (int x = 0; x < tileSize.cx; ++x)
                tile.Bitmap()->ScanLine(y)[x] = static_cast<uint32_t>(y * 256 + x + 1);
        target.Create(tileSize.cx == 16 ? 3840 : 1000, tileSize.cx == 16 ? 2160 : 61, kMagenta);
        EXPECT_LE(TileImage(&target, &tile), 24) << tileSize.cx;
        int differ = 0;
        for (int y = 0; y < target.Bitmap()->Height(); ++y) {
            const uint32_t* row = target.Bitmap()->ScanLine(y);
            for (int x = 0; x < target.Bitmap()->Width(); ++x)
                differ += (row[x] & 0xFFFFFF) != static_cast<uint32_t>(y % tileSize.cy * 256 + x % tileSize.cx + 1);
        }
        EXPECT_EQ(differ, 0) << tileSize.cx;
    }
}

TEST(BackgroundKinds, SolidPicturesBackImagesAndTheMediaLoadingRule)
{
    TSlideSpec picture = PictureSlide("red.bmp");
    TSlideSpec flash = PictureSlide("movie.swf");
    flash.Data.MediaType = 1;
    TTestProject project("background_kinds.db", {flash, picture},
                         {{"red.bmp", SolidBmp(20, 10, kRed)}, {"blue.bmp", SolidBmp(20, 10, kBlue)}},
                         {"Pics\\BLUE.BMP"});
    CComPicture target;
    target.Create(100, 80, kWhite);
    CBackground background;
    background.Target = &target;
    background.SetParams(&project.Slides, &project.Project);
    background.Media = &project.Media;
    MEDIA_SETTING_DATA& data = project.Slides.Data;

    // No kind enabled: the solid colour.
    data = MEDIA_SETTING_DATA{};
    data.SolidColor = 0x7F123456;
    background.DrawBackground();
    EXPECT_EQ(PixelAt(target, 99, 79), 0x123456u);

    // No source enabled: a project picture (the only picture slide), centred at its own size on black.
    data.BackPictureAllowed = 1;
    data.BackLayout = 1;
    background.DrawBackground();
    EXPECT_EQ(PixelAt(target, 40, 35), kRed);
    EXPECT_EQ(PixelAt(target, 59, 44), kRed);
    EXPECT_EQ(PixelAt(target, 39, 35), 0u);
    EXPECT_EQ(project.Slides.FileName, "movie.swf");  // the slide records stay where they were

    // A row of "backimage", stretched; a row out of range is black.
    data.BackFromTable = 1;
    data.BackLayout = 0;
    project.Slides.SelectedImageBackgroundString = "0;";
    background.DrawBackground();
    EXPECT_EQ(PixelAt(target, 0, 0), kBlue);
    EXPECT_EQ(PixelAt(target, 99, 79), kBlue);
    project.Slides.SelectedImageBackgroundString = "3;";
    background.DrawBackground();
    EXPECT_EQ(PixelAt(target, 50, 40), 0u);

    // Media not embedded, names taken beside the program: the file there, not the stored bytes.
    project.Project.ProjectData.EmbeddedMedia = 0;
    project.Project.ProjectData.RelativePaths = 1;
    project.Project.FilePath = "elsewhere\\zelt.scr";
    CreateDirectoryA("elsewhere", nullptr);
    CComPicture green;
    green.Create(8, 8, kGreen);
    green.SaveToFile("elsewhere\\blue.bmp");
    project.Slides.SelectedImageBackgroundString = "0;";
    background.DrawBackground();
    EXPECT_EQ(PixelAt(target, 50, 40), kGreen);
    // A file larger than a 32-bit process can hold is a picture that cannot be loaded: black.
    if (sizeof(void*) == 4) {
        const HANDLE huge = CreateFileA("elsewhere\\blue.bmp", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        LARGE_INTEGER size;
        size.QuadPart = 2500000000LL;
        ASSERT_TRUE(SetFilePointerEx(huge, size, nullptr, FILE_BEGIN) && SetEndOfFile(huge));
        CloseHandle(huge);
        background.DrawBackground();
        EXPECT_EQ(PixelAt(target, 50, 40), 0u);
    }
    DeleteFileIfExists("elsewhere\\blue.bmp");
    RemoveDirectoryA("elsewhere");

    // Embedded bytes that run out of memory wherever they are taken: not loaded either.
    project.Project.ProjectData.EmbeddedMedia = 1;
    for (long allowed = 0;; ++allowed) {
        CComPicture loaded;
        TFailingAllocation failing(allowed);
        const int result = LoadMediaPicture(&loaded, "red.bmp", &project.Media, &project.Project);
        if (!failing.Happened()) {
            EXPECT_EQ(result, 1);
            break;
        }
        EXPECT_EQ(result, 0) << "allocation " << allowed;
    }
}

TEST(Gradient, RowsColumnsAndRectangles)
{
    CBackground background;
    CComPicture target;
    target.Create(4, 256, kMagenta);
    background.DrawGradient(0x000000, 0xFFFFFF, 0, &target);
    EXPECT_EQ(PixelAt(target, 0, 0), 0u);
    for (int y = 1; y < 256; ++y)
        ASSERT_EQ(PixelAt(target, 3, y), 0x010101u * (y - 1)) << y;
    background.DrawGradient(0x000000, 0xFFFFFF, 1, &target);  // exchanged: white to black
    EXPECT_EQ(PixelAt(target, 0, 0), 0xFFFFFFu);
    for (int y = 1; y < 256; ++y)
        ASSERT_EQ(PixelAt(target, 3, y), 0x010101u * (256 - y)) << y;

    // Kind 4 on 5 columns: three rectangles, the outer one in the start colour (step 255 / 2.5 = 102).
    target.Create(5, 3, kMagenta);
    background.DrawGradient(0x000000, 0x0000FF, 4, &target);
    const TColor columns[] = {0, 102, 204, 102, 0};
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(PixelAt(target, x, 1), columns[x]) << x;

    // Kind 8 on 200 x 100: step 3 fills (3, 1, 197, 99) with count 100 - 3; 2.55 x 97 = 247.35.
    target.Create(200, 100, kMagenta);
    background.DrawGradient(0x000000, 0x0000FF, 8, &target);
    EXPECT_EQ(PixelAt(target, 3, 50), 247u);
    EXPECT_EQ(PixelAt(target, 50, 1), 247u);
    EXPECT_EQ(PixelAt(target, 196, 98), 247u);
    // Kind 12 draws nothing.
    background.DrawGradient(0x000000, 0x00FF00, 12, &target);
    EXPECT_EQ(PixelAt(target, 3, 50), 247u);
}

TEST(Gradient, ColumnsBandsAndFramesOfTheOtherKinds)
{
    CBackground background;
    CComPicture target;
    // Kinds 2 and 3 are kinds 0 and 1 on columns.
    target.Create(256, 2, kMagenta);
    for (int kind : {2, 3}) {
        background.DrawGradient(0x000000, 0xFFFFFF, kind, &target);
        for (int x = 0; x < 256; ++x) {
            const uint32_t level = kind == 2 ? x - 1 : 256 - x;
            ASSERT_EQ(PixelAt(target, x, 1), x == 0 ? 0xFFFFFFu * (kind - 2) : 0x010101u * level) << kind << ": " << x;
        }
    }
    // Kinds 5 and 7 count from the far end: the outer band's 3 x 102 = 306 keeps its low byte, 50.
    const TColor inward[] = {0, 102, 204, 102, 0}, outward[] = {50, 204, 102, 204, 50};
    for (int kind : {5, 6, 7}) {
        target.Create(kind == 5 ? 5 : 3, kind == 5 ? 3 : 5, kMagenta);
        background.DrawGradient(0x000000, 0x0000FF, kind, &target);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(kind == 5 ? PixelAt(target, i, 1) : PixelAt(target, 1, i), kind == 6 ? inward[i] : outward[i])
                << kind << ": " << i;
    }
    // Kind 9 counts from the start along the longer side: its step 3 (k = 3, 2.55 x 3 = 7.65) is (3, 1, 197, 99)
    // on 200 x 100 and (1, 3, 99, 197) on 100 x 200.
    for (bool wide : {true, false}) {
        target.Create(wide ? 200 : 100, wide ? 100 : 200, kMagenta);
        background.DrawGradient(0x000000, 0x0000FF, 9, &target);
        const auto at = [&](int x, int y) { return wide ? PixelAt(target, x, y) : PixelAt(target, y, x); };
        EXPECT_EQ(at(3, 1), 7u);
        EXPECT_EQ(at(196, 98), 7u);
        EXPECT_EQ(at(4, 2), 10u);
    }
}

// Kinds 4 to 9 paint each pixel once. The reference paints every step's rectangle through GDI over the one
// before, in the colour the step leaves at its corner (the colours themselves are checked above).
TEST(Gradient, FramesAreTheNestedRectanglesPixelForPixel)
{
    CBackground background;
    for (SIZE size : {SIZE{1, 1}, SIZE{2, 1}, SIZE{5, 3}, SIZE{6, 4}, SIZE{7, 7}, SIZE{16, 9}, SIZE{101, 57},
                      SIZE{200, 199}, SIZE{255, 128}, SIZE{640, 361}})
        for (bool turned : {false, true})
            for (int kind = 4; kind <= 9; ++kind) {
                const int w = turned ? size.cy : size.cx, h = turned ? size.cx : size.cy;
                CComPicture fast, gdi;
                fast.Create(w, h, kMagenta);
                gdi.Create(w, h, kMagenta);
                background.DrawGradient(0x0080FF, 0xFF8000, kind, &fast);
                const bool across = kind < 6 || (kind > 7 && h < w);
                const int n = across ? (w + 1) / 2 : kind < 8 ? (h + 1) / 2 : h / 2;
                const float r = static_cast<float>(kind < 8 ? 0 : across ? static_cast<double>(h) / w
                                                                          : static_cast<double>(w) / h);
                for (int i = 0; i < n; ++i) {
                    const int other = static_cast<int>(i * static_cast<double>(r));
                    const int x = across ? i : other, y = across ? other : i;
                    gdi.FillRect(RECT{x, y, w - x, h - y}, PixelAt(fast, x, y));
                }
                EXPECT_EQ(DifferentPixels(fast, gdi), 0) << "kind " << kind << " on " << w << " x " << h;
            }
}

// Kinds 10 and 11 paint their ellipses straight into the pixels. The reference is GDI's Ellipse with a solid
// brush and a solid 2-pixel pen of each step's colour, which kinds 8 and 9 leave at the step's corner.
TEST(Gradient, EllipsesAreGdisPixelForPixel)
{
    CBackground background, kept;
    CRingSpans rings;
    kept.Rings = &rings;
    for (SIZE size : {SIZE{1, 1}, SIZE{3, 2}, SIZE{5, 4}, SIZE{7, 7}, SIZE{16, 9}, SIZE{40, 30}, SIZE{64, 64},
                      SIZE{101, 57}, SIZE{160, 90}, SIZE{200, 199}, SIZE{255, 128}})
        for (bool turned : {false, true})
            for (int kind : {10, 11}) {
                const int w = turned ? size.cy : size.cx, h = turned ? size.cx : size.cy;
                CComPicture fast, gdi, corners;
                fast.Create(w, h, kMagenta);
                gdi.Create(w, h, kind == 10 ? kRed : 0);
                corners.Create(w, h, kMagenta);
                background.DrawGradient(0, kRed, kind, &fast);
                background.DrawGradient(0, kRed, kind - 2, &corners);
                const float r = static_cast<float>(h < w ? static_cast<double>(h) / w : static_cast<double>(w) / h);
                for (int i = 0; i < (h < w ? (w + 1) / 2 : h / 2); ++i) {
                    const int other = static_cast<int>(i * static_cast<double>(r));
                    const int x = h < w ? i : other, y = h < w ? other : i;
                    gdi.DC()->SetBrushColor(PixelAt(corners, x, y));
                    gdi.DC()->SetPen(psSolid, 2, PixelAt(corners, x, y));
                    gdi.DC()->Ellipse(RECT{x, y, w - x, h - y});
                }
                EXPECT_EQ(DifferentPixels(fast, gdi), 0) << "kind " << kind << " on " << w << " x " << h;
                // Kept ellipses: measured for a new size, taken again for the next kind of the same size.
                CComPicture again;
                again.Create(w, h, kMagenta);
                kept.DrawGradient(0, kRed, kind, &again);
                EXPECT_EQ(DifferentPixels(again, fast), 0) << "kept, kind " << kind << " on " << w << " x " << h;
            }
}

TEST(TextOverlay, TitleLandsInItsBoxForEveryPositionCode)
{
    TTestProject project("text_overlay.db", {PictureSlide("none.bmp")}, {});
    CMediaSetting& slide = project.Slides;
    slide.Title = "Title";
    slide.Data.TitleShown = 1;
    slide.Data.TitleFontSize = 20;
    slide.Data.TitleColor = 0x7FFFFFFF;  // drawn through the colour mask: white
    slide.Data.TitleX = 100;
    slide.Data.TitleY = 200;
    CComPicture target;
    CBackground background;
    background.Target = &target;
    background.SetParams(&slide, &project.Project);
    const int W = 640, H = 480;
    for (int code : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 12}) {
        target.Create(W, H, 0);
        slide.Data.TitlePosition = code;
        background.DrawTitle();
        const SIZE t = target.Bitmap()->Canvas()->TextExtent("Title");
        EXPECT_EQ(target.Bitmap()->Canvas()->Font().Height, -MulDiv(20, 96, 72));
        const int xs[] = {(W - t.cx) / 2, 0, W - t.cx - 20};
        const int ys[] = {0, H - t.cy, (H - t.cy) / 2};
        const POINT at = code == 9 ? POINT{100, 200} : code > 9 ? POINT{0, 0} : POINT{xs[code % 3], ys[code / 3]};
        const RECT ink = InkBox(target);
        EXPECT_TRUE(ink.left >= at.x && ink.top >= at.y && ink.right <= at.x + t.cx && ink.bottom <= at.y + t.cy &&
                    ink.right > ink.left)
            << "code " << code << ": ink " << ink.left << "," << ink.top << "-" << ink.right << "," << ink.bottom
            << " box " << at.x << "," << at.y << " " << t.cx << "x" << t.cy;
    }
    slide.Data.TitleShown = 0;
    target.Create(W, H, 0);
    background.DrawTitle();
    EXPECT_EQ(InkBox(target).right, INT_MIN);
}

TEST(TextOverlay, TextBlockStartsEightPixelsAboveItsPositionAndTakesItsStyles)
{
    TTestProject project("text_block.db", {PictureSlide("none.bmp")}, {});
    CMediaSetting& slide = project.Slides;
    slide.Data.DescShown = 1;
    slide.Data.DescFontSize = 16;
    slide.Data.DescColor = 0xFFFFFF;
    slide.Data.DescPosition = 1;
    slide.Desc = "one\r\ntwo\r\n";
    slide.DescFontStyle = "1;4;";
    CComPicture target;
    target.Create(300, 200, 0);
    CBackground background;
    background.Target = &target;
    background.SetParams(&slide, &project.Project);
    background.DrawTextBlock();
    TCanvas* canvas = target.Bitmap()->Canvas();
    EXPECT_EQ(canvas->Font().Style, fsBold | fsStrikeOut);
    const int lineHeight = canvas->TextExtent("two").cy;
    const RECT ink = InkBox(target);
    EXPECT_GE(ink.top, 0);
    EXPECT_GT(ink.bottom, lineHeight - 8);  // the second line is there ...
    EXPECT_LE(ink.bottom, 2 * lineHeight - 8);  // ... and no third one for the final line break
    // "11;" holds "1;": bold as well.
    slide.DescFontStyle = "11;";
    background.DrawTextBlock();
    EXPECT_EQ(canvas->Font().Style, fsBold);
}
