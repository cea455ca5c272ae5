#include "picture/BmpReader.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "data/FileLog.h"
#include "data/LittleEndian.h"

namespace {

const uint32_t kRgb = 0;
const uint32_t kRle8 = 1;
const uint32_t kRle4 = 2;
const uint32_t kBitFields = 3;
const uint32_t kAlphaBitFields = 6;

const size_t kFileHeaderSize = 14;
const uint32_t kCoreHeaderSize = 12;
const uint32_t kInfoHeaderSize = 40;

// One colour channel described by a bit mask: where it starts and how many bits it has.
struct TChannel {
    uint32_t Mask = 0;
    int Shift = 0;
    int Bits = 0;

    explicit TChannel(uint32_t mask) : Mask(mask)
    {
        if (!mask)
            return;
        while (!((mask >> Shift) & 1))
            ++Shift;
        while (Shift + Bits < 32 && ((mask >> (Shift + Bits)) & 1))
            ++Bits;
    }

    // The channel's value scaled to 0..255.
    uint32_t Extract(uint32_t value) const
    {
        if (!Bits)
            return 0;
        const uint32_t v = (value & Mask) >> Shift;
        const uint32_t max = Bits >= 32 ? 0xFFFFFFFFu : ((1u << Bits) - 1);
        return static_cast<uint32_t>((static_cast<uint64_t>(v) * 255 + max / 2) / max);
    }
};

struct THeader {
    int Width = 0;
    int Height = 0;  // always positive; TopDown tells the row order
    bool TopDown = false;
    int BitCount = 0;
    uint32_t Compression = kRgb;
    uint32_t Masks[3] = {0, 0, 0};
    std::vector<uint32_t> Palette;  // always 256 entries for palette formats, black past the stored ones
    size_t PixelOffset = 0;
};

// Reads the headers, masks and palette; false when they are damaged or describe something unsupported.
bool ReadHeader(const uint8_t* data, size_t size, THeader& h)
{
    if (size < kFileHeaderSize + 4 || data[0] != 'B' || data[1] != 'M') {
        ZELT_LOG("BmpReader", "not a bitmap file");
        return false;
    }
    const uint32_t headerSize = ReadLe32(data + kFileHeaderSize);
    if (headerSize < kCoreHeaderSize || headerSize > size - kFileHeaderSize ||
        (headerSize != kCoreHeaderSize && headerSize < kInfoHeaderSize)) {
        ZELT_LOG("BmpReader", "bitmap header of %u bytes does not fit", headerSize);
        return false;
    }
    const uint8_t* p = data + kFileHeaderSize;
    int64_t width = 0;
    int64_t height = 0;
    int paletteEntrySize = 4;
    uint32_t colorsUsed = 0;
    if (headerSize == kCoreHeaderSize) {
        width = ReadLe16(p + 4);
        height = ReadLe16(p + 6);
        h.BitCount = ReadLe16(p + 10);
        paletteEntrySize = 3;
    } else {
        width = static_cast<int32_t>(ReadLe32(p + 4));
        height = static_cast<int32_t>(ReadLe32(p + 8));
        h.BitCount = ReadLe16(p + 14);
        h.Compression = ReadLe32(p + 16);
        colorsUsed = ReadLe32(p + 32);
    }
    h.TopDown = height < 0;
    if (height < 0)
        height = -height;
    if (!PictureSizeAllowed(width, height)) {
        ZELT_LOG("BmpReader", "bitmap size %lldx%lld refused", static_cast<long long>(width),
                 static_cast<long long>(height));
        return false;
    }
    h.Width = static_cast<int>(width);
    h.Height = static_cast<int>(height);

    const int bpp = h.BitCount;
    const bool formatOk =
        (h.Compression == kRgb && (bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32)) ||
        (h.Compression == kRle8 && bpp == 8) || (h.Compression == kRle4 && bpp == 4) ||
        ((h.Compression == kBitFields || h.Compression == kAlphaBitFields) && (bpp == 16 || bpp == 32));
    if (!formatOk) {
        ZELT_LOG("BmpReader", "unsupported bitmap: %d bits per pixel, compression %u", bpp, h.Compression);
        return false;
    }

    size_t pos = kFileHeaderSize + headerSize;
    if (h.Compression == kBitFields || h.Compression == kAlphaBitFields) {
        // The masks sit inside longer headers, or follow a 40-byte header.
        const size_t maskPos = kFileHeaderSize + kInfoHeaderSize;
        if (maskPos + 12 > size) {
            ZELT_LOG("BmpReader", "bitmap colour masks missing");
            return false;
        }
        for (int i = 0; i < 3; ++i)
            h.Masks[i] = ReadLe32(data + maskPos + 4 * i);
        if (headerSize == kInfoHeaderSize)
            pos += h.Compression == kAlphaBitFields ? 16 : 12;
    } else if (bpp == 16) {
        h.Masks[0] = 0x7C00;
        h.Masks[1] = 0x03E0;
        h.Masks[2] = 0x001F;
    } else if (bpp == 32) {
        h.Masks[0] = 0xFF0000;
        h.Masks[1] = 0x00FF00;
        h.Masks[2] = 0x0000FF;
    }

    if (bpp <= 8) {
        const uint32_t maxColors = 1u << bpp;
        const uint32_t count = (colorsUsed == 0 || colorsUsed > maxColors) ? maxColors : colorsUsed;
        h.Palette.assign(256, 0);
        for (uint32_t i = 0; i < count; ++i) {
            if (pos + paletteEntrySize > size) {
                ZELT_LOG("BmpReader", "bitmap palette truncated");
                return false;
            }
            h.Palette[i] = data[pos] | (data[pos + 1] << 8) | (static_cast<uint32_t>(data[pos + 2]) << 16);
            pos += paletteEntrySize;
        }
    }

    const uint32_t offBits = ReadLe32(data + 10);
    h.PixelOffset = (offBits >= pos && offBits < size) ? offBits : pos;
    if (h.PixelOffset >= size) {
        ZELT_LOG("BmpReader", "bitmap without pixel data");
        return false;
    }
    return true;
}

// Row y of the picture as stored (row 0 is the first row in the file).
uint32_t* TargetRow(uint32_t* pixels, const THeader& h, int storedRow)
{
    const int y = h.TopDown ? storedRow : h.Height - 1 - storedRow;
    return pixels + static_cast<size_t>(y) * h.Width;
}

size_t RowStride(const THeader& h)
{
    return ((static_cast<size_t>(h.Width) * h.BitCount + 31) / 32) * 4;
}

// Checked before any memory is taken: a short file must not cost a picture-sized allocation.
bool UncompressedDataComplete(size_t size, const THeader& h)
{
    // The last row need not carry its padding.
    const size_t lastRow = (static_cast<size_t>(h.Width) * h.BitCount + 7) / 8;
    if (size - h.PixelOffset < RowStride(h) * (h.Height - 1) + lastRow) {
        ZELT_LOG("BmpReader", "bitmap pixel data truncated");
        return false;
    }
    return true;
}

void DecodeUncompressed(const uint8_t* data, const THeader& h, uint32_t* pixels)
{
    const size_t stride = RowStride(h);
    const TChannel red(h.Masks[0]), green(h.Masks[1]), blue(h.Masks[2]);
    for (int row = 0; row < h.Height; ++row) {
        const uint8_t* src = data + h.PixelOffset + stride * row;
        uint32_t* dst = TargetRow(pixels, h, row);
        switch (h.BitCount) {
        case 1:
            for (int x = 0; x < h.Width; ++x)
                dst[x] = h.Palette[(src[x >> 3] >> (7 - (x & 7))) & 1];
            break;
        case 4:
            for (int x = 0; x < h.Width; ++x)
                dst[x] = h.Palette[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F];
            break;
        case 8:
            for (int x = 0; x < h.Width; ++x)
                dst[x] = h.Palette[src[x]];
            break;
        case 24:
            for (int x = 0; x < h.Width; ++x, src += 3)
                dst[x] = src[0] | (src[1] << 8) | (static_cast<uint32_t>(src[2]) << 16);
            break;
        default:  // 16 and 32 bits through the channel masks
            for (int x = 0; x < h.Width; ++x) {
                const uint32_t v = h.BitCount == 16 ? ReadLe16(src + 2 * x) : ReadLe32(src + 4 * x);
                dst[x] = (red.Extract(v) << 16) | (green.Extract(v) << 8) | blue.Extract(v);
            }
            break;
        }
    }
}

// RLE8 and RLE4: runs, absolute runs, end of line, delta and end of picture. Skipped pixels stay black.
bool DecodeRle(const uint8_t* data, size_t size, const THeader& h, uint32_t* pixels)
{
    std::memset(pixels, 0, static_cast<size_t>(h.Width) * h.Height * 4);
    const bool four = h.Compression == kRle4;
    size_t pos = h.PixelOffset;
    int x = 0;
    int row = 0;
    // x never passes the width, so hostile runs cannot overflow it.
    auto put = [&](uint32_t index) {
        if (x < h.Width) {
            TargetRow(pixels, h, row)[x] = h.Palette[index];
            ++x;
        }
    };
    while (row < h.Height) {
        if (pos + 2 > size) {
            ZELT_LOG("BmpReader", "RLE bitmap data truncated");
            return false;
        }
        const uint8_t count = data[pos];
        const uint8_t value = data[pos + 1];
        pos += 2;
        if (count > 0) {
            for (int i = 0; i < count && x < h.Width; ++i)
                put(four ? ((i & 1) ? (value & 0x0F) : (value >> 4)) : value);
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            ++row;
        } else if (value == 1) {  // end of picture
            return true;
        } else if (value == 2) {  // delta
            if (pos + 2 > size) {
                ZELT_LOG("BmpReader", "RLE bitmap data truncated");
                return false;
            }
            x = std::min(x + data[pos], h.Width);
            row += data[pos + 1];
            pos += 2;
        } else {  // absolute run of `value` pixels, padded to a 16-bit boundary
            const size_t bytes = four ? (value + 1) / 2 : value;
            if (pos + bytes > size) {
                ZELT_LOG("BmpReader", "RLE bitmap data truncated");
                return false;
            }
            for (int i = 0; i < value; ++i)
                put(four ? ((i & 1) ? (data[pos + i / 2] & 0x0F) : (data[pos + i / 2] >> 4)) : data[pos + i]);
            pos += (bytes + 1) & ~static_cast<size_t>(1);
        }
    }
    return true;
}

}  // namespace

bool DecodeBmp(const uint8_t* data, size_t size, TPixelTarget& target)
{
    if (!data)
        return false;
    THeader h;
    if (!ReadHeader(data, size, h))
        return false;
    const bool rle = h.Compression == kRle8 || h.Compression == kRle4;
    if (!rle && !UncompressedDataComplete(size, h))
        return false;
    uint32_t* pixels = target.Allocate(h.Width, h.Height);
    if (!pixels) {
        ZELT_LOG("BmpReader", "no memory for a %dx%d bitmap", h.Width, h.Height);
        return false;
    }
    if (rle)
        return DecodeRle(data, size, h, pixels);
    DecodeUncompressed(data, h, pixels);
    return true;
}
