// The decoders on pictures of every format made at test time: pixels, damaged and truncated files, limits.
#include <gtest/gtest.h>

#include <tiffio.h>

#include "imagelib/PcxDecoder.h"
#include "imagelib/PictureDecoder.h"
#include "imagelib/SgiDecoder.h"
#include "tests/imagelib/TestPictures.h"

namespace {

struct TSample {
    std::string Name;
    TBytes Bytes;
    TRgbaImage Expected;
    bool Targa;
};

// Opaque version of a picture (formats without alpha decode to alpha 255).
TRgbaImage Opaque(TRgbaImage image)
{
    for (std::size_t i = 3; i < image.Pixels.size(); i += 4)
        image.Pixels[i] = 255;
    return image;
}

std::vector<uint8_t> IndexPattern(int width, int height, int colours)
{
    std::vector<uint8_t> indices;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            indices.push_back(static_cast<uint8_t>((x * 7 + y * 3 + (x < 4 ? 0 : x * y)) % colours));
    return indices;
}

std::vector<uint8_t> Palette(int colours)
{
    std::vector<uint8_t> rgb;
    for (int i = 0; i < colours; ++i) {
        rgb.push_back(static_cast<uint8_t>(i * 53 + 1));
        rgb.push_back(static_cast<uint8_t>(i * 17 + 90));
        rgb.push_back(static_cast<uint8_t>(255 - i * 29));
    }
    return rgb;
}

std::vector<TSample> AllSamples()
{
    const int w = 13, h = 7;
    const TRgbaImage colour = MakePattern(w, h, false);
    const TRgbaImage alpha = MakePattern(w, h, true);
    const TRgbaImage grey = MakeGreyPattern(w, h);
    std::vector<TSample> s;
    s.push_back({"png", EncodePng(alpha), alpha, false});
    s.push_back({"tga raw", EncodeTga(alpha, false), alpha, true});
    s.push_back({"tga rle", EncodeTga(alpha, true), alpha, true});
    s.push_back({"ppm", EncodePnm(colour, true), colour, false});
    s.push_back({"pgm", EncodePnm(grey, false), grey, false});
    s.push_back({"psd raw", EncodePsd(colour, false, false), colour, false});
    s.push_back({"psd rle", EncodePsd(colour, false, true), colour, false});
    s.push_back({"psd rle 4 channels", EncodePsd(colour, true, true), colour, false});
    s.push_back({"tiff raw", EncodeTiff(colour, false, COMPRESSION_NONE), colour, false});
    s.push_back({"tiff lzw alpha", EncodeTiff(alpha, true, COMPRESSION_LZW), alpha, false});
    s.push_back({"tiff packbits", EncodeTiff(colour, false, COMPRESSION_PACKBITS), colour, false});
    s.push_back({"pcx 24 rle", EncodePcxTrueColour(colour, false, true), colour, false});
    s.push_back({"pcx 24 raw", EncodePcxTrueColour(colour, false, false), colour, false});
    s.push_back({"pcx 32 rle", EncodePcxTrueColour(alpha, true, true), alpha, false});
    for (const auto& layout : {std::make_pair(8, 1), std::make_pair(4, 1), std::make_pair(1, 4), std::make_pair(1, 3),
                               std::make_pair(1, 1)}) {
        const int colours = 1 << (layout.first * layout.second);
        const std::vector<uint8_t> indices = IndexPattern(w, h, colours);
        // One bit in one plane is black and white whatever the header says.
        const std::vector<uint8_t> rgb = colours == 2 ? std::vector<uint8_t>{0, 0, 0, 255, 255, 255} : Palette(colours);
        s.push_back({"pcx " + std::to_string(layout.first) + "x" + std::to_string(layout.second),
                     EncodePcxIndexed(indices, w, h, layout.first, layout.second, rgb), ExpandIndices(indices, w, h, rgb),
                     false});
    }
    s.push_back({"sgi grey", EncodeSgi(colour, 1, 1, false), Opaque(grey), false});
    s.push_back({"sgi grey rle", EncodeSgi(colour, 1, 1, true), Opaque(grey), false});
    s.push_back({"sgi rgb", EncodeSgi(colour, 3, 1, false), colour, false});
    s.push_back({"sgi rgb rle", EncodeSgi(colour, 3, 1, true), colour, false});
    s.push_back({"sgi rgba rle", EncodeSgi(alpha, 4, 1, true), alpha, false});
    s.push_back({"sgi rgba 16-bit", EncodeSgi(alpha, 4, 2, false), alpha, false});
    s.push_back({"sgi rgb 16-bit rle", EncodeSgi(colour, 3, 2, true), colour, false});
    return s;
}

bool Decode(const TBytes& bytes, bool targa, TRgbaImage& out)
{
    return DecodePicture(bytes.data(), bytes.size(), targa, out);
}

void ExpectSamePixels(const TRgbaImage& expected, const TRgbaImage& actual, const std::string& name)
{
    ASSERT_EQ(expected.Width, actual.Width) << name;
    ASSERT_EQ(expected.Height, actual.Height) << name;
    for (int y = 0; y < expected.Height; ++y)
        for (int x = 0; x < expected.Width; ++x)
            for (int c = 0; c < 4; ++c) {
                const std::size_t i = (static_cast<std::size_t>(y) * expected.Width + x) * 4 + c;
                ASSERT_EQ(expected.Pixels[i], actual.Pixels[i]) << name << " at " << x << "," << y << " channel " << c;
            }
}

TEST(PictureDecoder, DecodesEveryFormatToTheSamePixels)
{
    for (const TSample& s : AllSamples()) {
        ASSERT_FALSE(s.Bytes.empty()) << s.Name;
        TRgbaImage out;
        ASSERT_TRUE(Decode(s.Bytes, s.Targa, out)) << s.Name;
        ExpectSamePixels(s.Expected, out, s.Name);
    }
}

TEST(PictureDecoder, TruncatedFilesFail)
{
    for (const TSample& s : AllSamples()) {
        for (std::size_t keep : {std::size_t(0), std::size_t(1), std::size_t(8), s.Bytes.size() / 2,
                                 s.Bytes.size() * 3 / 4}) {
            TBytes cut(s.Bytes.begin(), s.Bytes.begin() + keep);
            TRgbaImage out;
            EXPECT_FALSE(Decode(cut, s.Targa, out)) << s.Name << " cut to " << keep;
            EXPECT_TRUE(out.Pixels.empty()) << s.Name;
        }
    }
}

// Damaged bytes anywhere must never crash or overrun (the sanitizers watch); a picture that still decodes
// has a sane size.
TEST(PictureDecoder, DamagedBytesNeverCrash)
{
    for (const TSample& s : AllSamples()) {
        const std::size_t step = s.Bytes.size() / 97 + 1;
        for (std::size_t i = 0; i < s.Bytes.size(); i += step) {
            for (uint8_t value : {uint8_t(0x00), uint8_t(0xFF), uint8_t(0x80), uint8_t(s.Bytes[i] + 1)}) {
                TBytes damaged = s.Bytes;
                damaged[i] = value;
                TRgbaImage out;
                if (Decode(damaged, s.Targa, out)) {
                    EXPECT_TRUE(PictureSizeAllowed(out.Width, out.Height)) << s.Name;
                    EXPECT_EQ(out.Pixels.size(), static_cast<std::size_t>(out.Width) * out.Height * 4) << s.Name;
                }
            }
        }
    }
}

TEST(PictureDecoder, DamagedHeadersFail)
{
    const TRgbaImage colour = MakePattern(5, 4, false);
    struct TDamage {
        const char* Name;
        TBytes Bytes;
        std::size_t Offset;
        uint8_t Value;
        bool Targa;
    };
    const std::vector<TDamage> cases = {
        {"png width 0", EncodePng(colour), 16 + 3, 0, false},  // IHDR width, low byte (the others are 0)
        {"png chunk longer than the file", EncodePng(colour), 33, 0x7F, false},  // first IDAT's length
        {"tga image type", EncodeTga(colour, false), 2, 77, true},
        {"psd cmyk", EncodePsd(colour, false, false), 25, 4, false},
        {"psd compression", EncodePsd(colour, false, false), 37, 9, false},
        {"pcx 2 bits", EncodePcxTrueColour(colour, false, true), 3, 2, false},
        {"pcx xmax below xmin", EncodePcxTrueColour(colour, false, true), 4, 200, false},
        {"pcx short lines", EncodePcxTrueColour(colour, false, true), 66, 2, false},
        {"pcx 5 planes", EncodePcxTrueColour(colour, false, true), 65, 5, false},
        {"sgi dimension", EncodeSgi(colour, 3, 1, false), 5, 9, false},
        {"sgi no channels", EncodeSgi(colour, 3, 1, false), 11, 0, false},
        {"sgi colour map", EncodeSgi(colour, 3, 1, false), 107, 3, false},
        {"sgi rle start", EncodeSgi(colour, 3, 1, true), 512, 0x7F, false},
        {"tiff directory offset", EncodeTiff(colour, false, COMPRESSION_NONE), 7, 0x7F, false},
    };
    for (const TDamage& d : cases) {
        ASSERT_LT(d.Offset, d.Bytes.size()) << d.Name;
        TBytes damaged = d.Bytes;
        damaged[d.Offset] = d.Value;
        TRgbaImage out;
        EXPECT_FALSE(Decode(damaged, d.Targa, out)) << d.Name;
    }
}

TEST(PictureDecoder, PcxRunsOfLengthZeroTakeNoStack)
{
    // A 128 MiB file would chain 64 million of them; a million overflow a call per run already.
    const TRgbaImage colour = MakePattern(5, 4, false);
    TRgbaImage out;
    ASSERT_TRUE(Decode(WithEmptyPcxRuns(EncodePcxTrueColour(colour, false, true), 1 << 20), false, out));
    ExpectSamePixels(colour, out, "pcx after empty runs");
}

TEST(PictureDecoder, PnmHeadersOutsideEightBitsAreRefused)
{
    auto pnm = [](const std::string& head, std::size_t dataBytes) {
        TBytes bytes(head.begin(), head.end());
        bytes.resize(bytes.size() + dataBytes, 0x41);
        return bytes;
    };
    TRgbaImage out;
    EXPECT_TRUE(Decode(pnm("P5\n3 2\n255\n", 6), false, out));
    EXPECT_TRUE(Decode(pnm("P6 # comment\n3 2 15\n", 18), false, out));
    EXPECT_FALSE(Decode(pnm("P5\n3 2\n65535\n", 12), false, out));  // 16-bit samples
    EXPECT_FALSE(Decode(pnm("P6\n3 2\n256\n", 36), false, out));
    EXPECT_FALSE(Decode(pnm("P5\n3 2\n0\n", 6), false, out));
    EXPECT_FALSE(Decode(pnm("P5\n4294967299 1\n255\n", 6), false, out));  // would overflow a 32-bit count
    EXPECT_FALSE(Decode(pnm("P5\n3 2\n255", 0), false, out));
    // One byte short of the pixels.
    EXPECT_FALSE(Decode(pnm("P5\n3 2\n255\n", 5), false, out));
    EXPECT_FALSE(Decode(pnm("P6\n3 2\n255\n", 17), false, out));
}

TEST(PictureDecoder, TargaOnlyWhenTheNameSaysSo)
{
    const TRgbaImage colour = MakePattern(6, 5, false);
    TRgbaImage out;
    EXPECT_FALSE(Decode(EncodeTga(colour, true), false, out));
    EXPECT_TRUE(Decode(EncodeTga(colour, true), true, out));
    // Content with a signature decodes whatever the name.
    EXPECT_TRUE(Decode(EncodePng(colour), true, out));
    EXPECT_TRUE(Decode(EncodeSgi(colour, 3, 1, false), false, out));
    EXPECT_FALSE(Decode(TBytes{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'E', 'B', 'P'}, false, out));

    EXPECT_TRUE(IsTargaName("C:\\Pics\\X.TGA"));
    EXPECT_TRUE(IsTargaName("a.vda"));
    EXPECT_TRUE(IsTargaName("map.win.png"));  // a text anywhere in the name, like the format table
    EXPECT_FALSE(IsTargaName("photo.png"));
    EXPECT_FALSE(IsTargaName("tga"));
    EXPECT_FALSE(IsTargaName(nullptr));
}

TEST(PictureLimits, SidesAndPixelBytes)
{
    EXPECT_TRUE(PictureSizeAllowed(1, 1));
    EXPECT_TRUE(PictureSizeAllowed(16384, 1024));  // exactly 64 MiB
    EXPECT_TRUE(PictureSizeAllowed(4096, 4096));
    EXPECT_FALSE(PictureSizeAllowed(4097, 4096));
    EXPECT_FALSE(PictureSizeAllowed(16385, 1));
    EXPECT_FALSE(PictureSizeAllowed(1, 16385));
    EXPECT_FALSE(PictureSizeAllowed(0, 10));
    EXPECT_FALSE(PictureSizeAllowed(10, -1));
    EXPECT_FALSE(PictureSizeAllowed(1LL << 40, 1LL << 40));
}

TEST(PictureLimits, OversizedPicturesOfEachFormatAreRefused)
{
    // A picture one pixel wider than allowed, built directly since Allocate refuses it.
    TRgbaImage wide;
    wide.Width = 16385;
    wide.Height = 1;
    wide.Pixels.assign(16385 * 4, 0);
    TRgbaImage out;
    EXPECT_FALSE(Decode(EncodePng(wide), false, out));
    EXPECT_FALSE(Decode(EncodeTga(wide, true), true, out));
    EXPECT_FALSE(Decode(EncodePnm(wide, true), false, out));
    EXPECT_FALSE(Decode(EncodePsd(wide, false, true), false, out));
    EXPECT_FALSE(Decode(EncodeTiff(wide, false, COMPRESSION_PACKBITS), false, out));
    EXPECT_FALSE(Decode(EncodePcxTrueColour(wide, false, true), false, out));
    EXPECT_FALSE(Decode(EncodeSgi(wide, 1, 1, true), false, out));
    EXPECT_TRUE(out.Pixels.empty());

    // Sides within the limit but too many pixels: refused from the header, before any pixel data.
    TRgbaImage row;
    ASSERT_TRUE(row.Allocate(4097, 1));
    TBytes sgi = EncodeSgi(row, 1, 1, false);
    sgi[8] = 4096 >> 8;  // the header now claims 4097 x 4096; one row of data follows
    sgi[9] = 0;
    EXPECT_FALSE(DecodeSgi(sgi.data(), sgi.size(), out));
}

TEST(PictureLimits, LargestAllowedPictureDecodes)
{
    TRgbaImage big;
    ASSERT_TRUE(big.Allocate(4096, 4096));
    const TBytes sgi = EncodeSgi(big, 1, 1, true);
    TRgbaImage out;
    ASSERT_TRUE(Decode(sgi, false, out));
    EXPECT_EQ(4096, out.Width);
    EXPECT_EQ(4096, out.Height);
}

} // namespace
