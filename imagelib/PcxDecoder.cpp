#include "imagelib/PcxDecoder.h"

#include "data/FileLog.h"
#include "imagelib/ByteSpan.h"

namespace {

const std::size_t kHeaderSize = 128;
const std::size_t kTailPaletteSize = 769;  // 0x0C and 256 RGB triples at the end of the file

// Supplies the decoded bytes of the picture data, runs continuing across scan lines.
class TPcxByteSource {
public:
    TPcxByteSource(const uint8_t* begin, const uint8_t* end, bool rle) : Pos(begin), End(end), Rle(rle) {}

    bool Next(uint8_t& b)
    {
        // Runs of length 0 give nothing: a file may chain any number of them.
        while (RunLeft == 0) {
            if (Pos == End)
                return false;
            const uint8_t c = *Pos++;
            if (!Rle || (c & 0xC0) != 0xC0) {
                b = c;
                return true;
            }
            if (Pos == End)
                return false;
            RunLeft = c & 0x3F;
            RunValue = *Pos++;
        }
        --RunLeft;
        b = RunValue;
        return true;
    }

private:
    const uint8_t* Pos;
    const uint8_t* End;
    bool Rle;
    unsigned RunLeft = 0;
    uint8_t RunValue = 0;
};

struct TPcxHeader {
    uint32_t Version = 0, Encoding = 0, BitsPerPixel = 0, Planes = 0, BytesPerLine = 0;
    long long Width = 0, Height = 0;
};

bool ReadHeader(const TByteSpan& span, TPcxHeader& h)
{
    uint32_t xmin, ymin, xmax, ymax;
    if (!span.U8(1, h.Version) || !span.U8(2, h.Encoding) || !span.U8(3, h.BitsPerPixel) || !span.U16LE(4, xmin) ||
        !span.U16LE(6, ymin) || !span.U16LE(8, xmax) || !span.U16LE(10, ymax) || !span.U8(65, h.Planes) ||
        !span.U16LE(66, h.BytesPerLine) || span.Length() < kHeaderSize)
        return false;
    h.Width = static_cast<long long>(xmax) - xmin + 1;
    h.Height = static_cast<long long>(ymax) - ymin + 1;
    return true;
}

// Index (palette) layouts: 1, 4 or 8 bits in one plane, or 1 bit in 2 to 4 planes.
bool IsIndexed(const TPcxHeader& h)
{
    if (h.Planes == 1)
        return h.BitsPerPixel == 1 || h.BitsPerPixel == 4 || h.BitsPerPixel == 8;
    return h.BitsPerPixel == 1 && h.Planes >= 2 && h.Planes <= 4;
}

bool IsTrueColour(const TPcxHeader& h)
{
    return h.BitsPerPixel == 8 && (h.Planes == 3 || h.Planes == 4);
}

// Palette index of pixel x in one decoded scan line.
unsigned IndexAt(const TPcxHeader& h, const std::vector<uint8_t>& line, int x)
{
    if (h.Planes == 1) {
        const unsigned bits = h.BitsPerPixel;
        const std::size_t bit = static_cast<std::size_t>(x) * bits;
        const unsigned shift = 8 - bits - (bit % 8);
        return (line[bit / 8] >> shift) & ((1u << bits) - 1);
    }
    unsigned index = 0;
    for (unsigned p = 0; p < h.Planes; ++p) {
        const uint8_t byte = line[p * h.BytesPerLine + x / 8];
        index |= ((byte >> (7 - x % 8)) & 1u) << p;
    }
    return index;
}

} // namespace

bool LooksLikePcx(const uint8_t* data, std::size_t size)
{
    if (size < kHeaderSize || data[0] != 0x0A)
        return false;
    const uint8_t version = data[1], encoding = data[2], bits = data[3];
    return (version == 0 || (version >= 2 && version <= 5)) && encoding <= 1 &&
           (bits == 1 || bits == 2 || bits == 4 || bits == 8);
}

bool DecodePcx(const uint8_t* data, std::size_t size, TRgbaImage& out)
{
    const TByteSpan span(data, size);
    TPcxHeader h;
    if (!LooksLikePcx(data, size) || !ReadHeader(span, h)) {
        ZELT_LOG("PcxDecoder", "Not a PCX picture");
        return false;
    }
    if (!IsIndexed(h) && !IsTrueColour(h)) {
        ZELT_LOG("PcxDecoder", "PCX layout of %u bits in %u planes is not supported", h.BitsPerPixel, h.Planes);
        return false;
    }
    if (h.Width <= 0 || h.Height <= 0 || h.BytesPerLine == 0 ||
        static_cast<long long>(h.BytesPerLine) * 8 < h.Width * h.BitsPerPixel) {
        ZELT_LOG("PcxDecoder", "PCX header is damaged");
        return false;
    }
    if (!out.Allocate(h.Width, h.Height))
        return false;

    // Palette: 16 colours in the header, or 256 at the end of the file for 8-bit pictures.
    uint8_t palette[256][3] = {};
    const uint8_t* dataEnd = data + size;
    if (h.Planes == 1 && h.BitsPerPixel == 1) {
        palette[1][0] = palette[1][1] = palette[1][2] = 255;
    } else if (h.Planes == 1 && h.BitsPerPixel == 8) {
        if (size >= kHeaderSize + kTailPaletteSize && data[size - kTailPaletteSize] == 0x0C) {
            const uint8_t* p = data + size - kTailPaletteSize + 1;
            for (int i = 0; i < 256; ++i)
                for (int c = 0; c < 3; ++c)
                    palette[i][c] = p[i * 3 + c];
            dataEnd = data + size - kTailPaletteSize;
        } else if (h.Version >= 5) {
            // Version 5 files always end in their 256-colour palette: without it the file is cut short.
            ZELT_LOG("PcxDecoder", "PCX 256-colour palette is missing");
            out.Clear();
            return false;
        } else {
            for (int i = 0; i < 256; ++i)
                palette[i][0] = palette[i][1] = palette[i][2] = static_cast<uint8_t>(i);
        }
    } else {
        for (int i = 0; i < 16; ++i)
            for (int c = 0; c < 3; ++c)
                palette[i][c] = data[16 + i * 3 + c];
    }

    TPcxByteSource source(data + kHeaderSize, dataEnd, h.Encoding == 1);
    std::vector<uint8_t> line(static_cast<std::size_t>(h.BytesPerLine) * h.Planes);
    for (int y = 0; y < out.Height; ++y) {
        for (uint8_t& b : line) {
            if (!source.Next(b)) {
                ZELT_LOG("PcxDecoder", "PCX picture data ends at line %d of %d", y, out.Height);
                out.Clear();
                return false;
            }
        }
        for (int x = 0; x < out.Width; ++x) {
            if (IsTrueColour(h)) {
                const std::size_t bpl = h.BytesPerLine;
                out.SetPixel(x, y, line[x], line[bpl + x], line[2 * bpl + x], h.Planes == 4 ? line[3 * bpl + x] : 255);
            } else {
                const uint8_t* c = palette[IndexAt(h, line, x)];
                out.SetPixel(x, y, c[0], c[1], c[2], 255);
            }
        }
    }
    return true;
}
