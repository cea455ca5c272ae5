#include "tests/imagelib/TestPictures.h"

#include <cstdio>
#include <cstring>

#include <tiffio.h>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb_image_write.h>

namespace {

void Put8(TBytes& out, unsigned v)
{
    out.push_back(static_cast<uint8_t>(v));
}
void Put16BE(TBytes& out, unsigned v)
{
    Put8(out, v >> 8);
    Put8(out, v);
}
void Put32BE(TBytes& out, uint32_t v)
{
    Put16BE(out, v >> 16);
    Put16BE(out, v & 0xFFFF);
}
void Put16LE(TBytes& out, unsigned v)
{
    Put8(out, v);
    Put8(out, v >> 8);
}

void AppendToBytes(void* context, void* data, int size)
{
    TBytes* out = static_cast<TBytes*>(context);
    const uint8_t* p = static_cast<const uint8_t*>(data);
    out->insert(out->end(), p, p + size);
}

uint8_t Channel(const TRgbaImage& image, int x, int y, int c)
{
    return image.Pixels[(static_cast<std::size_t>(y) * image.Width + x) * 4 + c];
}

// PackBits: n in 0..127 copies n + 1 bytes, n in -127..-1 repeats the next byte 1 - n times.
TBytes PackBits(const TBytes& row)
{
    TBytes out;
    std::size_t i = 0;
    while (i < row.size()) {
        std::size_t run = 1;
        while (i + run < row.size() && run < 128 && row[i + run] == row[i])
            ++run;
        if (run >= 3) {
            Put8(out, static_cast<uint8_t>(1 - static_cast<int>(run)));
            Put8(out, row[i]);
            i += run;
            continue;
        }
        std::size_t literal = 0;
        while (i + literal < row.size() && literal < 128 &&
               !(i + literal + 2 < row.size() && row[i + literal] == row[i + literal + 1] &&
                 row[i + literal] == row[i + literal + 2]))
            ++literal;
        Put8(out, static_cast<unsigned>(literal - 1));
        out.insert(out.end(), row.begin() + i, row.begin() + i + literal);
        i += literal;
    }
    return out;
}

// PCX run-length: a byte with both top bits set, or a run, becomes 0xC0 | count followed by the value.
void PutPcxRow(TBytes& out, const TBytes& row, bool rle)
{
    if (!rle) {
        out.insert(out.end(), row.begin(), row.end());
        return;
    }
    std::size_t i = 0;
    while (i < row.size()) {
        std::size_t run = 1;
        while (i + run < row.size() && run < 63 && row[i + run] == row[i])
            ++run;
        if (run > 1 || (row[i] & 0xC0) == 0xC0)
            Put8(out, 0xC0 | static_cast<unsigned>(run));
        Put8(out, row[i]);
        i += run;
    }
}

TBytes PcxHeader(int width, int height, int bitsPerPixel, int planes, int bytesPerLine, bool rle)
{
    TBytes out;
    Put8(out, 0x0A);
    Put8(out, 5);
    Put8(out, rle ? 1 : 0);
    Put8(out, bitsPerPixel);
    Put16LE(out, 0);
    Put16LE(out, 0);
    Put16LE(out, width - 1);
    Put16LE(out, height - 1);
    Put16LE(out, 72);
    Put16LE(out, 72);
    out.resize(65, 0);  // 16-colour palette and reserved byte
    Put8(out, planes);
    Put16LE(out, bytesPerLine);
    Put16LE(out, 1);
    out.resize(128, 0);
    return out;
}

// A growing file in memory for libtiff to write into.
struct TMemoryFile {
    TBytes Data;
    uint64_t Pos = 0;
};

tmsize_t MemRead(thandle_t h, void* buf, tmsize_t n)
{
    TMemoryFile* f = static_cast<TMemoryFile*>(h);
    if (f->Pos >= f->Data.size())
        return 0;
    const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(n), f->Data.size() - f->Pos);
    std::memcpy(buf, f->Data.data() + f->Pos, count);
    f->Pos += count;
    return static_cast<tmsize_t>(count);
}
tmsize_t MemWrite(thandle_t h, void* buf, tmsize_t n)
{
    TMemoryFile* f = static_cast<TMemoryFile*>(h);
    if (f->Data.size() < f->Pos + n)
        f->Data.resize(static_cast<std::size_t>(f->Pos + n));
    std::memcpy(f->Data.data() + f->Pos, buf, static_cast<std::size_t>(n));
    f->Pos += n;
    return n;
}
toff_t MemSeek(thandle_t h, toff_t off, int whence)
{
    TMemoryFile* f = static_cast<TMemoryFile*>(h);
    if (whence == SEEK_SET)
        f->Pos = off;
    else if (whence == SEEK_CUR)
        f->Pos += off;
    else
        f->Pos = f->Data.size() + off;
    return f->Pos;
}
int MemClose(thandle_t)
{
    return 0;
}
toff_t MemSize(thandle_t h)
{
    return static_cast<TMemoryFile*>(h)->Data.size();
}
int MemMap(thandle_t, void**, toff_t*)
{
    return 0;
}
void MemUnmap(thandle_t, void*, toff_t) {}

} // namespace

TRgbaImage MakePattern(int width, int height, bool withAlpha)
{
    TRgbaImage image;
    image.Allocate(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // The left third repeats one colour per row, so that run-length encoders make runs.
            const int u = x < width / 3 ? 0 : x;
            image.SetPixel(x, y, static_cast<uint8_t>(u * 37 + y * 11), static_cast<uint8_t>(u * 5 + y * 59 + 13),
                           static_cast<uint8_t>((u ^ y) * 23 + 7),
                           withAlpha ? static_cast<uint8_t>(x * 19 + y * 7 + 1) : 255);
        }
    }
    return image;
}

TRgbaImage MakeGreyPattern(int width, int height)
{
    TRgbaImage image = MakePattern(width, height, false);
    for (std::size_t i = 0; i < image.Pixels.size(); i += 4)
        image.Pixels[i + 1] = image.Pixels[i + 2] = image.Pixels[i];
    return image;
}

TBytes EncodePng(const TRgbaImage& image)
{
    TBytes out;
    stbi_write_png_to_func(AppendToBytes, &out, image.Width, image.Height, 4, image.Pixels.data(), image.Width * 4);
    return out;
}

TBytes EncodeTga(const TRgbaImage& image, bool rle)
{
    TBytes out;
    stbi_write_tga_with_rle = rle ? 1 : 0;
    stbi_write_tga_to_func(AppendToBytes, &out, image.Width, image.Height, 4, image.Pixels.data());
    return out;
}

TBytes EncodePnm(const TRgbaImage& image, bool colour)
{
    char head[64];
    std::snprintf(head, sizeof head, "%s\n%d %d\n255\n", colour ? "P6" : "P5", image.Width, image.Height);
    TBytes out(head, head + std::strlen(head));
    for (int y = 0; y < image.Height; ++y)
        for (int x = 0; x < image.Width; ++x)
            for (int c = 0; c < (colour ? 3 : 1); ++c)
                Put8(out, Channel(image, x, y, c));
    return out;
}

TBytes EncodePsd(const TRgbaImage& image, bool withAlpha, bool rle)
{
    const int channels = withAlpha ? 4 : 3;
    TBytes out;
    out.insert(out.end(), {'8', 'B', 'P', 'S'});
    Put16BE(out, 1);
    out.resize(out.size() + 6, 0);
    Put16BE(out, channels);
    Put32BE(out, image.Height);
    Put32BE(out, image.Width);
    Put16BE(out, 8);
    Put16BE(out, 3);  // RGB
    Put32BE(out, 0);  // colour mode data
    Put32BE(out, 0);  // image resources
    Put32BE(out, 0);  // layers and masks
    Put16BE(out, rle ? 1 : 0);
    std::vector<TBytes> rows;
    for (int c = 0; c < channels; ++c) {
        for (int y = 0; y < image.Height; ++y) {
            TBytes row;
            for (int x = 0; x < image.Width; ++x)
                row.push_back(Channel(image, x, y, c));
            rows.push_back(rle ? PackBits(row) : row);
        }
    }
    if (rle)
        for (const TBytes& row : rows)
            Put16BE(out, static_cast<unsigned>(row.size()));
    for (const TBytes& row : rows)
        out.insert(out.end(), row.begin(), row.end());
    return out;
}

TBytes EncodeTiff(const TRgbaImage& image, bool withAlpha, int compression)
{
    TMemoryFile file;
    TIFF* tif = TIFFClientOpen("memory", "w", &file, MemRead, MemWrite, MemSeek, MemClose, MemSize, MemMap, MemUnmap);
    if (!tif)
        return TBytes();
    const int channels = withAlpha ? 4 : 3;
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(image.Width));
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(image.Height));
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, channels);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, compression);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 2);
    if (withAlpha) {
        const uint16_t extra[1] = {EXTRASAMPLE_ASSOCALPHA};
        TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, extra);
    }
    TBytes row(static_cast<std::size_t>(image.Width) * channels);
    bool ok = true;
    for (int y = 0; y < image.Height && ok; ++y) {
        for (int x = 0; x < image.Width; ++x)
            for (int c = 0; c < channels; ++c)
                row[x * channels + c] = Channel(image, x, y, c);
        ok = TIFFWriteScanline(tif, row.data(), y, 0) == 1;
    }
    TIFFClose(tif);
    return ok ? file.Data : TBytes();
}

TBytes WithEmptyPcxRuns(TBytes pcx, std::size_t runs)
{
    TBytes chain(runs * 2, 0xC0);
    pcx.insert(pcx.begin() + 128, chain.begin(), chain.end());
    return pcx;
}

TBytes EncodePcxTrueColour(const TRgbaImage& image, bool withAlpha, bool rle)
{
    const int planes = withAlpha ? 4 : 3;
    const int bytesPerLine = (image.Width + 1) & ~1;
    TBytes out = PcxHeader(image.Width, image.Height, 8, planes, bytesPerLine, rle);
    for (int y = 0; y < image.Height; ++y) {
        // Whole scan lines go through one encoder call, so runs may continue from one plane into the next.
        TBytes line;
        for (int c = 0; c < planes; ++c) {
            for (int x = 0; x < bytesPerLine; ++x)
                line.push_back(x < image.Width ? Channel(image, x, y, c) : 0);
        }
        PutPcxRow(out, line, rle);
    }
    return out;
}

TBytes EncodePcxIndexed(const std::vector<uint8_t>& indices, int width, int height, int bitsPerPixel, int planes,
                        const std::vector<uint8_t>& rgb)
{
    const int bitsPerPlaneLine = width * (planes == 1 ? bitsPerPixel : 1);
    const int bytesPerLine = (((bitsPerPlaneLine + 7) / 8) + 1) & ~1;
    TBytes out = PcxHeader(width, height, bitsPerPixel, planes, bytesPerLine, true);
    if (bitsPerPixel * planes <= 4)
        std::memcpy(out.data() + 16, rgb.data(), std::min<std::size_t>(rgb.size(), 48));
    for (int y = 0; y < height; ++y) {
        TBytes line(static_cast<std::size_t>(bytesPerLine) * planes, 0);
        for (int x = 0; x < width; ++x) {
            const unsigned index = indices[static_cast<std::size_t>(y) * width + x];
            if (planes == 1) {
                const int bit = x * bitsPerPixel;
                line[bit / 8] |= static_cast<uint8_t>(index << (8 - bitsPerPixel - bit % 8));
            } else {
                for (int p = 0; p < planes; ++p)
                    line[p * bytesPerLine + x / 8] |= static_cast<uint8_t>(((index >> p) & 1) << (7 - x % 8));
            }
        }
        PutPcxRow(out, line, true);
    }
    if (bitsPerPixel == 8) {
        Put8(out, 0x0C);
        TBytes palette(rgb);
        palette.resize(768, 0);
        out.insert(out.end(), palette.begin(), palette.end());
    }
    return out;
}

TBytes EncodeSgi(const TRgbaImage& image, int channels, int bytesPerChannel, bool rle)
{
    TBytes out;
    Put16BE(out, 474);
    Put8(out, rle ? 1 : 0);
    Put8(out, bytesPerChannel);
    Put16BE(out, channels == 1 ? 2 : 3);
    Put16BE(out, image.Width);
    Put16BE(out, image.Height);
    Put16BE(out, channels);
    Put32BE(out, 0);
    Put32BE(out, bytesPerChannel == 1 ? 255 : 65535);
    out.resize(512, 0);

    // Values of one row (counted from the bottom) of one channel.
    auto rowValues = [&](int row, int c) {
        std::vector<unsigned> values;
        const int y = image.Height - 1 - row;
        for (int x = 0; x < image.Width; ++x)
            values.push_back(Channel(image, x, y, c) * (bytesPerChannel == 2 ? 257u : 1u));
        return values;
    };
    auto put = [&](TBytes& to, unsigned v) {
        if (bytesPerChannel == 2)
            Put16BE(to, v);
        else
            Put8(to, v);
    };

    if (!rle) {
        for (int c = 0; c < channels; ++c)
            for (int row = 0; row < image.Height; ++row)
                for (unsigned v : rowValues(row, c))
                    put(out, v);
        return out;
    }
    const std::size_t entries = static_cast<std::size_t>(image.Height) * channels;
    const std::size_t tableAt = out.size();
    out.resize(out.size() + entries * 8, 0);
    for (int c = 0; c < channels; ++c) {
        for (int row = 0; row < image.Height; ++row) {
            const std::vector<unsigned> values = rowValues(row, c);
            TBytes packed;
            std::size_t i = 0;
            while (i < values.size()) {
                std::size_t run = 1;
                while (i + run < values.size() && run < 127 && values[i + run] == values[i])
                    ++run;
                if (run >= 2) {
                    put(packed, static_cast<unsigned>(run));
                    put(packed, values[i]);
                } else {
                    std::size_t literal = 1;
                    while (i + literal < values.size() && literal < 127 &&
                           !(i + literal + 1 < values.size() && values[i + literal] == values[i + literal + 1]))
                        ++literal;
                    put(packed, 0x80 | static_cast<unsigned>(literal));
                    for (std::size_t k = 0; k < literal; ++k)
                        put(packed, values[i + k]);
                    run = literal;
                }
                i += run;
            }
            put(packed, 0);
            const std::size_t entry = static_cast<std::size_t>(c) * image.Height + row;
            TBytes start, length;
            Put32BE(start, static_cast<uint32_t>(out.size()));
            Put32BE(length, static_cast<uint32_t>(packed.size()));
            std::memcpy(out.data() + tableAt + entry * 4, start.data(), 4);
            std::memcpy(out.data() + tableAt + entries * 4 + entry * 4, length.data(), 4);
            out.insert(out.end(), packed.begin(), packed.end());
        }
    }
    return out;
}

TRgbaImage ExpandIndices(const std::vector<uint8_t>& indices, int width, int height, const std::vector<uint8_t>& rgb)
{
    TRgbaImage image;
    image.Allocate(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::size_t i = indices[static_cast<std::size_t>(y) * width + x] * 3u;
            image.SetPixel(x, y, rgb[i], rgb[i + 1], rgb[i + 2], 255);
        }
    return image;
}
