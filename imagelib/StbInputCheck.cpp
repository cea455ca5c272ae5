#include "imagelib/StbInputCheck.h"

#include <cctype>

#include "imagelib/ByteSpan.h"

namespace {

// Reads one whitespace- or comment-separated decimal number of a PNM header.
bool PnmNumber(const uint8_t* data, std::size_t size, std::size_t& pos, uint64_t& value)
{
    while (pos < size) {
        if (data[pos] == '#') {
            while (pos < size && data[pos] != '\n' && data[pos] != '\r')
                ++pos;
        } else if (std::isspace(data[pos])) {
            ++pos;
        } else {
            break;
        }
    }
    if (pos >= size || !std::isdigit(data[pos]))
        return false;
    value = 0;
    while (pos < size && std::isdigit(data[pos])) {
        value = value * 10 + (data[pos++] - '0');
        if (value > 0xFFFF)  // stb_image's own reading of the number would overflow
            return false;
    }
    return true;
}

} // namespace

bool PngChunksComplete(const uint8_t* data, std::size_t size)
{
    const TByteSpan span(data, size);
    std::size_t pos = 8;
    for (;;) {
        uint32_t length;
        if (!span.U32BE(pos, length) || !span.Has(pos + 4, 4))
            return false;
        const bool end = data[pos + 4] == 'I' && data[pos + 5] == 'E' && data[pos + 6] == 'N' && data[pos + 7] == 'D';
        // Length, type, data and CRC.
        if (!span.Has(pos + 8, length) || !span.Has(pos + 8 + length, 4))
            return end && span.Has(pos + 8, length);  // a file may stop right after IEND's data
        if (end)
            return true;
        pos += 12 + static_cast<std::size_t>(length);
    }
}

bool PnmDataComplete8Bit(const uint8_t* data, std::size_t size)
{
    if (size < 3)
        return false;
    std::size_t pos = 2;
    uint64_t width, height, maxValue;
    if (!PnmNumber(data, size, pos, width) || !PnmNumber(data, size, pos, height) ||
        !PnmNumber(data, size, pos, maxValue))
        return false;
    if (maxValue == 0 || maxValue > 255)
        return false;
    ++pos;  // the single whitespace character before the data
    const uint64_t channels = data[1] == '6' ? 3 : 1;
    const uint64_t needed = width * height * channels;
    return pos <= size && needed <= size - pos;
}

bool PsdDataComplete(const uint8_t* data, std::size_t size)
{
    const TByteSpan span(data, size);
    uint32_t channels, height, width, depth;
    if (!span.U16BE(12, channels) || !span.U32BE(14, height) || !span.U32BE(18, width) || !span.U16BE(22, depth))
        return false;
    // Colour mode data, image resources, layers and masks: each a 32-bit length and its bytes.
    uint64_t pos = 26;
    for (int section = 0; section < 3; ++section) {
        uint32_t length;
        if (pos > size || !span.U32BE(static_cast<std::size_t>(pos), length))
            return false;
        pos += 4 + static_cast<uint64_t>(length);
    }
    uint32_t compression;
    if (pos > size || !span.U16BE(static_cast<std::size_t>(pos), compression))
        return false;
    pos += 2;
    const uint64_t read = channels < 4 ? channels : 4;
    if (compression == 0)
        return pos + read * width * height * (depth / 8) <= size;
    // Run-length: a 16-bit byte count for every row of every channel, then the rows.
    const uint64_t rows = static_cast<uint64_t>(height) * channels;
    if (pos + rows * 2 > size)
        return false;
    uint64_t bytes = 0;
    for (uint64_t row = 0; row < read * height; ++row) {
        uint32_t count = 0;  // in range: the check above covers every row's count
        span.U16BE(static_cast<std::size_t>(pos + row * 2), count);
        bytes += count;
    }
    return pos + rows * 2 + bytes <= size;
}

bool TgaDataComplete(const uint8_t* data, std::size_t size)
{
    const TByteSpan span(data, size);
    uint32_t idLength, mapType, imageType, mapLength, mapBits, width, height, bits;
    if (!span.U8(0, idLength) || !span.U8(1, mapType) || !span.U8(2, imageType) || !span.U16LE(5, mapLength) ||
        !span.U8(7, mapBits) || !span.U16LE(12, width) || !span.U16LE(14, height) || !span.U8(16, bits))
        return false;
    uint64_t pos = 18 + static_cast<uint64_t>(idLength);
    if (mapType == 1)
        pos += static_cast<uint64_t>(mapLength) * ((mapBits + 7) / 8);
    const uint64_t pixelBytes = (bits + 7) / 8;
    const uint64_t pixels = static_cast<uint64_t>(width) * height;
    if (pixelBytes == 0 || pos > size)
        return false;
    if (imageType < 8)
        return pos + pixels * pixelBytes <= size;
    // Run-length packets: a count byte, then one pixel (a run) or count pixels (literal).
    for (uint64_t done = 0; done < pixels;) {
        if (pos >= size)
            return false;
        const uint8_t head = data[pos++];
        const uint64_t count = (head & 0x7F) + 1u;
        pos += (head & 0x80) ? pixelBytes : count * pixelBytes;
        done += count;
    }
    return pos <= size;
}
