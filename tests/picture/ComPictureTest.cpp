#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "classlib/FileUtils.h"
#include "classlib/Streams.h"
#include "picture/ComPicture.h"
#include "tests/picture/BmpWriter.h"
#include "tests/picture/PictureEncoders.h"

namespace {

// Pixels as the bitmap stores them: 0x00RRGGBB.
uint32_t Pixel(CComPicture& picture, int x, int y)
{
    return picture.Bitmap()->ScanLine(y)[x] & 0xFFFFFF;
}

std::string TempName(const std::string& name)
{
    return "compicture_test_" + std::to_string(GetCurrentProcessId()) + "_" + name;
}

TMemoryStream StreamOf(const std::vector<uint8_t>& bytes)
{
    TMemoryStream stream;
    stream.Write(bytes.data(), static_cast<int64_t>(bytes.size()));
    return stream;
}

int ChannelDistance(uint32_t a, uint32_t b)
{
    int worst = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int d = std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
        worst = std::max(worst, d);
    }
    return worst;
}

TEST(ComPictureImageType, EveryTextOfTheTableGivesItsCode)
{
    const struct {
        int Code;
        std::vector<std::string> Texts;
    } table[] = {
        {1, {".bmp", ".dib"}},
        {2, {".jpg", ".jpeg"}},
        {3, {".bw", ".rgb", ".rgba", ".sgi"}},
        {4, {".cel", ".pic"}},
        {5, {".tif", ".tiff"}},
        {6, {".tga", ".vst", ".icb", ".vda", ".win"}},
        {7, {".pcx", ".pcc", ".scr"}},
        {8, {".pcd"}},
        {9, {".ppm", ".pgm", ".pbm"}},
        {10, {".cut", ".pal"}},
        {11, {".gif"}},
        {12, {".rla", ".rpf"}},
        {13, {".psd", ".pdd"}},
        {14, {".psp"}},
        {15, {".png"}},
    };
    for (const auto& row : table) {
        for (const std::string& text : row.Texts) {
            EXPECT_EQ(CComPicture::GetImageType("c:\\slides\\name" + text), row.Code) << text;
            std::string upper = text;
            for (char& c : upper)
                c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
            EXPECT_EQ(CComPicture::GetImageType("NAME" + upper), row.Code) << upper;
        }
    }
}

TEST(ComPictureImageType, SubstringsAnywhereAndGroupOrderDecide)
{
    EXPECT_EQ(CComPicture::GetImageType("a.jpg.bmp"), 1);  // ".bmp" is tested before ".jpg"
    EXPECT_EQ(CComPicture::GetImageType("photo.JPEG"), 2);
    EXPECT_EQ(CComPicture::GetImageType("x.tiff"), 5);
    EXPECT_EQ(CComPicture::GetImageType("x.rgba"), 3);
    EXPECT_EQ(CComPicture::GetImageType("x.scr"), 7);
    EXPECT_EQ(CComPicture::GetImageType("x.png.gif"), 11);  // ".gif" before ".png", wherever they stand
    EXPECT_EQ(CComPicture::GetImageType("x.gif.png"), 11);
    EXPECT_EQ(CComPicture::GetImageType("x.psd.tif"), 5);
    EXPECT_EQ(CComPicture::GetImageType("x.bwx"), 3);        // not a test of the ending
    EXPECT_EQ(CComPicture::GetImageType("c:\\my.pictures\\a.png"), 4);
    EXPECT_EQ(CComPicture::GetImageType("c:\\my.pictures\\a.jpg"), 2);
    EXPECT_EQ(CComPicture::GetImageType("x.webp"), -1);
    EXPECT_EQ(CComPicture::GetImageType(""), -1);
    EXPECT_EQ(CComPicture::GetImageType("bmp"), -1);
    // Only A to Z are lower-cased: "\xC4" stays as it is.
    EXPECT_EQ(CComPicture::GetImageType("x.\xC4png"), -1);
}

TEST(ComPictureCreate, SizeAndColour)
{
    CComPicture picture;
    EXPECT_EQ(picture.Create(0, 10, 0x0000FF), 0);
    EXPECT_TRUE(picture.IsEmpty());
    ASSERT_EQ(picture.Create(10, 10, 0x0000FF), 1);  // TColor red
    ASSERT_FALSE(picture.IsEmpty());
    ASSERT_NE(picture.DC(), nullptr);
    EXPECT_EQ(picture.Bitmap()->Width(), 10);
    EXPECT_EQ(picture.Bitmap()->Height(), 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(Pixel(picture, x, y), 0xFF0000u);
    // A failed create leaves the picture as it was.
    EXPECT_EQ(picture.Create(10, -1, 0), 0);
    EXPECT_EQ(picture.Create(-5, 0, 0), 0);
    EXPECT_EQ(picture.Bitmap()->Width(), 10);
    EXPECT_EQ(Pixel(picture, 3, 3), 0xFF0000u);
    // A system-colour constant is not translated: its low three bytes are the colour.
    ASSERT_EQ(picture.Create(2, 3, 0xFF000005), 1);
    EXPECT_EQ(Pixel(picture, 1, 2), 0x050000u);
    RECT r = picture.GetRect();
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, 2);
    EXPECT_EQ(r.bottom, 3);
    picture.Free();
    EXPECT_TRUE(picture.IsEmpty());
    EXPECT_EQ(picture.DC(), nullptr);
}

TEST(ComPictureDraw, CopiesTheWholePictureToThePlace)
{
    CComPicture source;
    CComPicture dest;
    ASSERT_EQ(source.Create(3, 2, 0x00FF00), 1);
    ASSERT_EQ(dest.Create(6, 5, 0x000000), 1);
    source.Draw(2, 1, dest.DC(), SRCCOPY);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 6; ++x) {
            const bool inside = x >= 2 && x < 5 && y >= 1 && y < 3;
            ASSERT_EQ(Pixel(dest, x, y), inside ? 0x00FF00u : 0u) << x << "," << y;
        }
    }
    CComPicture blue;
    ASSERT_EQ(blue.Create(1, 1, 0xFF0000), 1);
    blue.DrawToPicture(5, 4, &dest, SRCCOPY);
    EXPECT_EQ(Pixel(dest, 5, 4), 0x0000FFu);
    // Nothing happens for an empty picture.
    CComPicture empty;
    empty.Draw(0, 0, dest.DC(), SRCCOPY);
    empty.DrawToPicture(0, 0, &dest, SRCCOPY);
    EXPECT_EQ(Pixel(dest, 0, 0), 0u);
}

TEST(ComPictureFillRect, FillsWithTheColourTranslatingSystemColours)
{
    CComPicture picture;
    ASSERT_EQ(picture.Create(4, 4, 0), 1);
    picture.FillRect(RECT{1, 1, 3, 4}, 0x123456);
    EXPECT_EQ(Pixel(picture, 0, 0), 0u);
    EXPECT_EQ(Pixel(picture, 1, 1), 0x563412u);
    EXPECT_EQ(Pixel(picture, 2, 3), 0x563412u);
    EXPECT_EQ(Pixel(picture, 3, 3), 0u);
    picture.FillRect(RECT{0, 0, 1, 1}, 0xFF000000 | COLOR_WINDOWTEXT);
    EXPECT_EQ(picture.DC()->GetPixel(0, 0), GetSysColor(COLOR_WINDOWTEXT));
}

class TransparentDrawTest : public testing::Test {
protected:
    // A destination of vertical stripes, so the background shown through is recognisable.
    void SetUp() override
    {
        ASSERT_EQ(Dest.Create(8, 6, 0x000000), 1);
        for (int x = 0; x < 8; ++x)
            Dest.FillRect(RECT{x, 0, x + 1, 6}, static_cast<TColor>(0x101010 * x));
    }
    COLORREF Background(int x, int y) { return static_cast<COLORREF>(0x101010 * x); }

    CComPicture Dest;
};

TEST_F(TransparentDrawTest, KeyColourAtOneOneShowsTheDestination)
{
    CComPicture picture;
    ASSERT_EQ(picture.Create(3, 3, 0x0000FF), 1);  // red
    picture.FillRect(RECT{0, 0, 1, 1}, 0xFFFFFF);  // (0, 0) white
    picture.FillRect(RECT{1, 1, 2, 2}, 0xFFFFFF);  // key (1, 1) white
    picture.FillRect(RECT{2, 0, 3, 1}, 0xFEFFFF);  // near-white is not the key
    EXPECT_EQ(picture.TransparentDraw(Dest.DC(), 2, 1), 1);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 8; ++x) {
            const int px = x - 2, py = y - 1;
            COLORREF expected = Background(x, y);
            if (px >= 0 && px < 3 && py >= 0 && py < 3) {
                const bool white = (px == 0 && py == 0) || (px == 1 && py == 1);
                if (!white)
                    expected = (px == 2 && py == 0) ? 0xFEFFFF : 0x0000FF;
            }
            ASSERT_EQ(Dest.DC()->GetPixel(x, y), expected) << x << "," << y;
        }
    }
}

TEST_F(TransparentDrawTest, OnePixelWideOrHighPicturesKeyOnZeroZero)
{
    CComPicture column;
    ASSERT_EQ(column.Create(1, 4, 0x00FF00), 1);
    column.FillRect(RECT{0, 0, 1, 1}, 0x0000FF);
    column.FillRect(RECT{0, 2, 1, 3}, 0x0000FF);
    column.TransparentDraw(Dest.DC(), 5, 1);
    EXPECT_EQ(Dest.DC()->GetPixel(5, 1), Background(5, 1));
    EXPECT_EQ(Dest.DC()->GetPixel(5, 2), 0x00FF00u);
    EXPECT_EQ(Dest.DC()->GetPixel(5, 3), Background(5, 3));
    EXPECT_EQ(Dest.DC()->GetPixel(5, 4), 0x00FF00u);

    CComPicture dot;
    ASSERT_EQ(dot.Create(1, 1, 0xABCDEF), 1);
    dot.TransparentDraw(Dest.DC(), 0, 0);
    EXPECT_EQ(Dest.DC()->GetPixel(0, 0), Background(0, 0));
}

TEST_F(TransparentDrawTest, EmptyPictureDrawsNothing)
{
    CComPicture empty;
    EXPECT_EQ(empty.TransparentDraw(Dest.DC(), 0, 0), 1);
    EXPECT_EQ(empty.StretchTransparentDraw(Dest.DC(), 0, 0, 4, 4), 1);
    EXPECT_EQ(Dest.DC()->GetPixel(3, 3), Background(3, 3));
}

TEST_F(TransparentDrawTest, StretchedDrawKeysOnTheStretchedPicture)
{
    // A 6x6 picture: white 2-pixel frame keyed away, blue centre; stretched to 8x6 over the whole destination.
    // The stretched pixel (1, 1) comes from white only, so halftone blending keeps it pure white.
    CComPicture picture;
    ASSERT_EQ(picture.Create(6, 6, 0xFFFFFF), 1);
    picture.FillRect(RECT{2, 2, 4, 4}, 0xFF0000);
    const int modeBefore = Dest.DC()->SetStretchBltMode(COLORONCOLOR);
    EXPECT_EQ(picture.StretchTransparentDraw(Dest.DC(), 0, 0, 8, 6), 1);
    EXPECT_EQ(Dest.DC()->SetStretchBltMode(modeBefore), COLORONCOLOR);
    EXPECT_EQ(Dest.DC()->GetPixel(0, 0), Background(0, 0));
    EXPECT_EQ(Dest.DC()->GetPixel(7, 5), Background(7, 5));
    EXPECT_EQ(Dest.DC()->GetPixel(4, 3), 0xFF0000u);
    // Zero or negative sizes draw nothing.
    CComPicture red;
    ASSERT_EQ(red.Create(2, 2, 0x0000FF), 1);
    EXPECT_EQ(red.StretchTransparentDraw(Dest.DC(), 0, 0, 0, 5), 1);
    EXPECT_EQ(red.StretchTransparentDraw(Dest.DC(), 0, 0, 5, -1), 1);
    EXPECT_EQ(Dest.DC()->GetPixel(0, 0), Background(0, 0));
}

class ComPictureLoad : public testing::Test {
protected:
    void TearDown() override
    {
        for (const std::string& f : Files)
            DeleteFileA(f.c_str());
    }
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        const std::string path = TempName(name);
        EXPECT_TRUE(WriteBytes(path, bytes));
        Files.push_back(path);
        return path;
    }
    // Both roads: from a file and from a memory stream; each must give the same picture.
    void LoadBoth(const std::string& name, const std::vector<uint8_t>& bytes, CComPicture& fromFile,
                  CComPicture& fromStream)
    {
        ASSERT_EQ(fromFile.LoadFromFile(Write(name, bytes)), 1) << name;
        TMemoryStream stream = StreamOf(bytes);
        stream.SetPosition(stream.Size());  // the load rewinds the stream itself
        ASSERT_EQ(fromStream.LoadFromStream(stream, name), 1) << name;
        ASSERT_FALSE(fromFile.IsEmpty());
        ASSERT_NE(fromFile.DC(), nullptr);
    }
    std::vector<std::string> Files;
};

TEST_F(ComPictureLoad, BitmapsFromFileAndStream)
{
    for (uint32_t compression : {0u, 1u}) {
        TBmpLayout layout;
        layout.Width = 9;
        layout.Height = 5;
        layout.BitCount = compression == 1 ? 8 : 24;
        layout.Compression = compression;
        CComPicture fromFile, fromStream;
        LoadBoth(compression ? "rle.dib" : "plain.bmp", MakeTestBmp(layout), fromFile, fromStream);
        for (CComPicture* p : {&fromFile, &fromStream}) {
            ASSERT_EQ(p->Bitmap()->Width(), 9);
            ASSERT_EQ(p->Bitmap()->Height(), 5);
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 9; ++x)
                    ASSERT_EQ(Pixel(*p, x, y), TestColor(TestIndex(x, y, layout.BitCount)));
        }
    }
}

TEST_F(ComPictureLoad, JpegFromFileAndStreamWithinTolerance)
{
    // Smooth gradients survive JPEG compression at quality 95 closely.
    auto color = [](int x, int y) { return static_cast<uint32_t>((x * 4) << 16 | (y * 4) << 8 | 0x80); };
    CComPicture fromFile, fromStream;
    LoadBoth("gradient.jpeg", EncodeJpeg(48, 40, color), fromFile, fromStream);
    for (CComPicture* p : {&fromFile, &fromStream}) {
        ASSERT_EQ(p->Bitmap()->Width(), 48);
        ASSERT_EQ(p->Bitmap()->Height(), 40);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 48; ++x)
                ASSERT_LE(ChannelDistance(Pixel(*p, x, y), color(x, y)), 12) << x << "," << y;
    }
}

TEST_F(ComPictureLoad, GrayscaleAndCmykJpegsBecomeRgb)
{
    const struct {
        std::vector<uint8_t> Samples;
        uint32_t Expected;
    } cases[] = {
        {{0x80}, 0x808080},
        {{255, 0, 0, 255}, 0xFF0000},     // no cyan ink, full magenta and yellow ink, no black: red
        {{255, 255, 255, 128}, 0x808080}, // half black ink
    };
    for (const auto& c : cases) {
        CComPicture fromFile, fromStream;
        LoadBoth("flat.jpg", EncodeFlatJpeg(16, 8, c.Samples), fromFile, fromStream);
        EXPECT_LE(ChannelDistance(Pixel(fromFile, 5, 5), c.Expected), 4) << std::hex << c.Expected;
        EXPECT_LE(ChannelDistance(Pixel(fromStream, 15, 7), c.Expected), 4) << std::hex << c.Expected;
    }
}

TEST_F(ComPictureLoad, AJpegOfEndlessScansIsRefused)
{
    // Each repeat is read again over the whole picture; a few do no harm.
    CComPicture fromFile, fromStream;
    LoadBoth("scans.jpg", EncodeRepeatedScanJpeg(64, 64, 20), fromFile, fromStream);
    EXPECT_EQ(fromFile.Bitmap()->Width(), 64);
    CComPicture picture;
    TMemoryStream stream = StreamOf(EncodeRepeatedScanJpeg(256, 256, 2000));
    EXPECT_EQ(picture.LoadFromStream(stream, "scans.jpg"), 0);
    EXPECT_TRUE(picture.IsEmpty());
}

TEST_F(ComPictureLoad, GifFirstFrameWithTransparentAndUncoveredAreaBlack)
{
    for (bool interlace : {false, true}) {
        TGifLayout layout;
        layout.ScreenWidth = 12;
        layout.ScreenHeight = 11;
        layout.Left = 2;
        layout.Top = 1;
        layout.FrameWidth = 9;
        layout.FrameHeight = 9;
        layout.Interlace = interlace;
        layout.TransparentIndex = 3;
        for (int i = 0; i < 16; ++i)
            layout.Palette.push_back(0x111111u * static_cast<uint32_t>(i) ^ 0x00FF00u * (i & 1));
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 9; ++x)
                layout.Indices.push_back(static_cast<uint8_t>((x + 2 * y) % 16));
        CComPicture fromFile, fromStream;
        LoadBoth("anim.gif", EncodeGif(layout), fromFile, fromStream);
        for (CComPicture* p : {&fromFile, &fromStream}) {
            ASSERT_EQ(p->Bitmap()->Width(), 12);
            ASSERT_EQ(p->Bitmap()->Height(), 11);
            for (int y = 0; y < 11; ++y) {
                for (int x = 0; x < 12; ++x) {
                    const int fx = x - 2, fy = y - 1;
                    uint32_t expected = 0;
                    if (fx >= 0 && fx < 9 && fy >= 0 && fy < 9) {
                        const int index = (fx + 2 * fy) % 16;
                        expected = index == 3 ? 0 : layout.Palette[index];
                    }
                    ASSERT_EQ(Pixel(*p, x, y), expected) << x << "," << y << (interlace ? " interlaced" : "");
                }
            }
        }
    }
}

TEST_F(ComPictureLoad, SavedBitmapLoadsBack)
{
    CComPicture picture;
    ASSERT_EQ(picture.Create(5, 3, 0x336699), 1);
    picture.FillRect(RECT{4, 2, 5, 3}, 0x0000FF);
    const std::string path = TempName("saved.bmp");
    Files.push_back(path);
    ASSERT_EQ(picture.SaveToFile(path), 1);
    CComPicture loaded;
    ASSERT_EQ(loaded.LoadFromFile(path), 1);
    EXPECT_EQ(Pixel(loaded, 0, 0), 0x996633u);
    EXPECT_EQ(Pixel(loaded, 4, 2), 0xFF0000u);
    CComPicture empty;
    EXPECT_EQ(empty.SaveToFile(path), 0);
    // A file that cannot be written whole is not left behind.
    const uint32_t row[5] = {};
    EXPECT_FALSE(SaveBitmapFile(path, 5, 3, [&row](int y) { return y == 2 ? row : nullptr; }));
    EXPECT_FALSE(FileExists(path));
}

TEST_F(ComPictureLoad, DamagedFilesOfOwnFormatsGiveZeroAndAnEmptyPicture)
{
    TBmpLayout layout;
    layout.Width = 6;
    layout.Height = 6;
    TGifLayout gif;
    gif.ScreenWidth = gif.FrameWidth = 6;
    gif.ScreenHeight = gif.FrameHeight = 6;
    gif.Palette.assign(16, 0x808080);
    gif.Indices.assign(36, 1);
    const struct {
        std::string Name;
        std::vector<uint8_t> Bytes;
    } files[] = {
        {"cut.bmp", MakeTestBmp(layout)},
        {"cut.jpg", EncodeJpeg(16, 16, [](int x, int y) { return 0x808080u; })},
        {"cut.gif", EncodeGif(gif)},
    };
    for (const auto& file : files) {
        const size_t cuts[] = {0, 5, 20, file.Bytes.size() / 2};
        for (size_t cut : cuts) {
            std::vector<uint8_t> part(file.Bytes.begin(), file.Bytes.begin() + cut);
            CComPicture picture;
            ASSERT_EQ(picture.Create(2, 2, 0), 1);
            EXPECT_EQ(picture.LoadFromFile(Write(file.Name, part)), 0) << file.Name << " cut at " << cut;
            EXPECT_TRUE(picture.IsEmpty());
            EXPECT_EQ(picture.DC(), nullptr);
            ASSERT_EQ(picture.Create(2, 2, 0), 1);
            TMemoryStream stream = StreamOf(part);
            EXPECT_EQ(picture.LoadFromStream(stream, file.Name), 0) << file.Name << " cut at " << cut;
            EXPECT_TRUE(picture.IsEmpty());
        }
        // Right format name, other format's bytes.
        CComPicture picture;
        TMemoryStream stream = StreamOf(files[0].Bytes);
        if (file.Name != files[0].Name) {
            EXPECT_EQ(picture.LoadFromStream(stream, file.Name), 0) << file.Name;
        }
    }
    CComPicture picture;
    EXPECT_EQ(picture.LoadFromFile(TempName("missing.jpg")), 0);
    EXPECT_TRUE(picture.IsEmpty());
}

}  // namespace

namespace {

// Wine cannot count GDI objects, but its handle table is finite and shared by every kind of object. Filling
// it up to a few hundred free entries and counting those before and after makes any leak show exactly.
class THandleTableFiller {
public:
    THandleTableFiller(size_t leaveFree)
    {
        while (HPEN pen = CreatePen(PS_SOLID, 1, 0))
            Ballast_.push_back(pen);
        for (size_t i = 0; i < leaveFree && !Ballast_.empty(); ++i) {
            DeleteObject(Ballast_.back());
            Ballast_.pop_back();
        }
    }
    ~THandleTableFiller()
    {
        for (HPEN pen : Ballast_)
            DeleteObject(pen);
    }
    static size_t FreeEntries()
    {
        std::vector<HPEN> probe;
        while (HPEN pen = CreatePen(PS_SOLID, 1, 0))
            probe.push_back(pen);
        for (HPEN pen : probe)
            DeleteObject(pen);
        return probe.size();
    }

private:
    std::vector<HPEN> Ballast_;
};

TEST(ComPictureResources, EveryOperationReleasesItsGdiObjects)
{
    CComPicture dest;
    ASSERT_EQ(dest.Create(16, 16, 0x808080), 1);
    const std::string bmp = TempName("resources.bmp");
    ASSERT_EQ(dest.SaveToFile(bmp), 1);

    THandleTableFiller filler(400);
    const size_t before = THandleTableFiller::FreeEntries();
    ASSERT_GT(before, 100u);
    for (int i = 0; i < 200; ++i) {
        CComPicture picture;
        ASSERT_EQ(picture.Create(4, 3, static_cast<TColor>(i)), 1) << "round " << i;
        picture.FillRect(RECT{0, 0, 2, 2}, 0xFFFFFF);
        picture.DC()->SetPen(i % 7, 1, static_cast<TColor>(i));
        picture.DC()->LineTo(3, 2);
        picture.DC()->SetBrushColor(static_cast<TColor>(i * 3));
        picture.DC()->Ellipse(RECT{0, 0, 3, 3});
        TFont font = picture.Bitmap()->Canvas()->Font();
        font.Height = -(i % 20);
        picture.Bitmap()->Canvas()->SetFont(font);
        picture.DC()->TextOut(0, 0, "x");
        picture.TransparentDraw(dest.DC(), i % 12, 2);
        picture.StretchTransparentDraw(dest.DC(), 1, 1, 5, 5);
        ASSERT_EQ(picture.Create(6, 5, 0), 1);
        ASSERT_EQ(picture.LoadFromFile(bmp), 1);
        ASSERT_EQ(picture.LoadFromFile(TempName("missing.gif")), 0);
        ASSERT_TRUE(picture.Bitmap() == nullptr);
    }
    EXPECT_EQ(THandleTableFiller::FreeEntries(), before);
    DeleteFileA(bmp.c_str());
}

}  // namespace
