#include "imagelib/SgiDecoder.h"

#include "data/FileLog.h"
#include "imagelib/ByteSpan.h"

namespace {

const std::size_t kHeaderSize = 512;
const uint32_t kMagic = 474;

struct TSgiHeader {
    uint32_t Storage = 0, BytesPerChannel = 0, Dimension = 0, XSize = 0, YSize = 0, ZSize = 0, ColourMap = 0;
};

bool ReadHeader(const TByteSpan& span, TSgiHeader& h)
{
    if (span.Length() < kHeaderSize || !span.U8(2, h.Storage) || !span.U8(3, h.BytesPerChannel) ||
        !span.U16BE(4, h.Dimension) || !span.U16BE(6, h.XSize) || !span.U16BE(8, h.YSize) || !span.U16BE(10, h.ZSize) ||
        !span.U32BE(104, h.ColourMap))
        return false;
    if (h.Dimension == 1)
        h.YSize = 1;
    if (h.Dimension <= 2)
        h.ZSize = 1;
    return true;
}

// One row of one channel, as 8-bit values (the high byte of 16-bit ones).
class TSgiRowReader {
public:
    TSgiRowReader(const TByteSpan& span, const TSgiHeader& h) : Span(span), H(h) {}

    bool Read(uint32_t row, uint32_t channel, std::vector<uint8_t>& values) const
    {
        return H.Storage == 0 ? ReadVerbatim(row, channel, values) : ReadRle(row, channel, values);
    }

private:
    bool ReadVerbatim(uint32_t row, uint32_t channel, std::vector<uint8_t>& values) const
    {
        const std::size_t bpc = H.BytesPerChannel;
        const std::size_t offset = kHeaderSize + (static_cast<std::size_t>(channel) * H.YSize + row) * H.XSize * bpc;
        if (!Span.Has(offset, H.XSize * bpc))
            return false;
        const uint8_t* p = Span.Begin() + offset;
        for (uint32_t x = 0; x < H.XSize; ++x)
            values[x] = p[x * bpc];
        return true;
    }

    bool ReadRle(uint32_t row, uint32_t channel, std::vector<uint8_t>& values) const
    {
        // Offset and length tables, one entry per row and channel; computed wide since the channel count
        // comes from the file.
        const uint64_t entry = static_cast<uint64_t>(channel) * H.YSize + row;
        const uint64_t startAt = kHeaderSize + entry * 4;
        const uint64_t lengthAt = startAt + static_cast<uint64_t>(H.YSize) * H.ZSize * 4;
        uint32_t start, length;
        if (lengthAt + 4 > Span.Length() || !Span.U32BE(static_cast<std::size_t>(startAt), start) ||
            !Span.U32BE(static_cast<std::size_t>(lengthAt), length) || !Span.Has(start, length))
            return false;
        const std::size_t bpc = H.BytesPerChannel;
        const uint8_t* p = Span.Begin() + start;
        const uint8_t* end = p + length;
        uint32_t x = 0;
        while (end - p >= static_cast<std::ptrdiff_t>(bpc)) {
            const uint8_t control = p[bpc - 1];
            p += bpc;
            const uint32_t count = control & 0x7F;
            if (count == 0)
                break;
            if (count > H.XSize - x)
                return false;
            if (control & 0x80) {
                if (end - p < static_cast<std::ptrdiff_t>(count * bpc))
                    return false;
                for (uint32_t i = 0; i < count; ++i, p += bpc)
                    values[x++] = *p;
            } else {
                if (end - p < static_cast<std::ptrdiff_t>(bpc))
                    return false;
                for (uint32_t i = 0; i < count; ++i)
                    values[x++] = *p;
                p += bpc;
            }
        }
        return x == H.XSize;
    }

    const TByteSpan& Span;
    const TSgiHeader& H;
};

} // namespace

bool LooksLikeSgi(const uint8_t* data, std::size_t size)
{
    return size >= kHeaderSize && ((uint32_t(data[0]) << 8) | data[1]) == kMagic && data[2] <= 1 &&
           (data[3] == 1 || data[3] == 2);
}

bool DecodeSgi(const uint8_t* data, std::size_t size, TRgbaImage& out)
{
    const TByteSpan span(data, size);
    TSgiHeader h;
    if (!LooksLikeSgi(data, size) || !ReadHeader(span, h)) {
        ZELT_LOG("SgiDecoder", "Not an SGI picture");
        return false;
    }
    if (h.Dimension < 1 || h.Dimension > 3 || h.ZSize == 0 || h.ColourMap != 0) {
        ZELT_LOG("SgiDecoder", "SGI picture of dimension %u, %u channels, colour map %u is not supported", h.Dimension,
                 h.ZSize, h.ColourMap);
        return false;
    }
    if (!out.Allocate(h.XSize, h.YSize))
        return false;

    // 1 channel grey, 2 grey and alpha, 3 RGB, 4 or more RGBA (further channels ignored).
    const uint32_t channels = h.ZSize < 4 ? h.ZSize : 4;
    const TSgiRowReader reader(span, h);
    std::vector<uint8_t> values(h.XSize);
    for (uint32_t row = 0; row < h.YSize; ++row) {
        uint8_t* dest = out.Row(static_cast<int>(h.YSize - 1 - row));  // rows are stored bottom first
        for (uint32_t c = 0; c < channels; ++c) {
            if (!reader.Read(row, c, values)) {
                ZELT_LOG("SgiDecoder", "SGI data of row %u, channel %u is damaged or missing", row, c);
                out.Clear();
                return false;
            }
            for (uint32_t x = 0; x < h.XSize; ++x) {
                uint8_t* p = dest + x * 4;
                if (channels <= 2) {
                    if (c == 0)
                        p[0] = p[1] = p[2] = values[x];
                    else
                        p[3] = values[x];
                } else {
                    p[c] = values[x];
                }
            }
        }
    }
    return true;
}
