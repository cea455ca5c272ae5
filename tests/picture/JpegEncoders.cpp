#include "tests/picture/JpegEncoders.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace {

// A JPEG at quality 95 compressed in memory; fillRow writes the samples of row y.
std::vector<uint8_t> CompressJpeg(int width, int height, int components, J_COLOR_SPACE space,
                                  const std::function<void(int y, JSAMPLE* row)>& fillRow, bool progressive = false)
{
    jpeg_compress_struct info = {};
    jpeg_error_mgr error = {};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = width;
    info.image_height = height;
    info.input_components = components;
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    if (progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(width) * components);
    while (info.next_scanline < info.image_height) {
        fillRow(static_cast<int>(info.next_scanline), row.data());
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<uint8_t> out(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    free(buffer);
    return out;
}

}  // namespace

std::vector<uint8_t> EncodeJpeg(int width, int height, const std::function<uint32_t(int, int)>& color)
{
    return CompressJpeg(width, height, 3, JCS_RGB, [&](int y, JSAMPLE* row) {
        for (int x = 0; x < width; ++x) {
            const uint32_t c = color(x, y);
            row[x * 3] = (c >> 16) & 0xFF;
            row[x * 3 + 1] = (c >> 8) & 0xFF;
            row[x * 3 + 2] = c & 0xFF;
        }
    });
}

std::vector<uint8_t> EncodeFlatJpeg(int width, int height, const std::vector<uint8_t>& samples)
{
    const int channels = static_cast<int>(samples.size());
    return CompressJpeg(width, height, channels, channels == 1 ? JCS_GRAYSCALE : JCS_CMYK, [&](int, JSAMPLE* row) {
        for (int x = 0; x < width; ++x)
            std::copy(samples.begin(), samples.end(), row + x * channels);
    });
}

std::vector<uint8_t> EncodeRepeatedScanJpeg(int width, int height, int repeats)
{
    const std::vector<uint8_t> jpeg = CompressJpeg(width, height, 3, JCS_RGB, [&](int, JSAMPLE* row) {
        std::fill(row, row + width * 3, 0x80);
    }, true);
    // Where each scan's entropy-coded data ends: segments are walked from the start, and a scan's data runs
    // to the next marker that is neither a stuffed byte nor a restart. A scan with the tables written before
    // it is one piece.
    std::vector<size_t> ends;
    size_t at = 2;
    while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF && jpeg[at + 1] != 0xD9) {
        const bool scan = jpeg[at + 1] == 0xDA;
        at += 2 + (jpeg[at + 2] << 8 | jpeg[at + 3]);
        if (!scan)
            continue;
        while (at + 1 < jpeg.size() && !(jpeg[at] == 0xFF && jpeg[at + 1] != 0 && (jpeg[at + 1] & 0xF8) != 0xD0))
            ++at;
        ends.push_back(at);
    }
    if (ends.size() < 2)
        return jpeg;
    // The second scan (luma's first AC coefficients): tiny for a flat picture, and read again each time.
    const auto first = jpeg.begin() + static_cast<long>(ends[0]), second = jpeg.begin() + static_cast<long>(ends[1]);
    std::vector<uint8_t> out(jpeg.begin(), second);
    for (int i = 0; i < repeats; ++i)
        out.insert(out.end(), first, second);
    out.insert(out.end(), second, jpeg.end());
    return out;
}
