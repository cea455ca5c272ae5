#include "picture/JpegReader.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>
#include <jerror.h>

#include "data/FileLog.h"

namespace {

// A progressive file may repeat a scan without end, and libjpeg reads each repeat over the whole picture again
// (a file of about a megabyte held the user-interface thread for a minute). Real files have a dozen or two.
const int kMaxScans = 500;

// libjpeg reports fatal errors through error_exit, which must not return: jump back to the decode.
struct TJpegError {
    jpeg_error_mgr Manager;
    jpeg_progress_mgr Progress;
    std::jmp_buf Return;
    bool Truncated;
};

void OnJpegError(j_common_ptr info)
{
    TJpegError* error = reinterpret_cast<TJpegError*>(info->err);
    std::longjmp(error->Return, 1);
}

// Called while libjpeg reads the scans: a file past the bound is refused as damaged.
void OnJpegProgress(j_common_ptr info)
{
    const int scans = reinterpret_cast<j_decompress_ptr>(info)->input_scan_number;
    if (scans <= kMaxScans)
        return;
    ZELT_LOG("JpegReader", "JPEG with more than %d scans refused", kMaxScans);
    std::longjmp(reinterpret_cast<TJpegError*>(info->err)->Return, 1);
}

// Warnings: libjpeg pads a file that ends early and goes on; such a picture is refused like a damaged one.
// Other warnings (stray bytes between markers) leave a viewable picture.
void OnJpegEmit(j_common_ptr info, int level)
{
    if (level >= 0)
        return;
    TJpegError* error = reinterpret_cast<TJpegError*>(info->err);
    if (error->Manager.msg_code == JWRN_JPEG_EOF)
        error->Truncated = true;
    if (error->Manager.num_warnings++ == 0)
        error->Manager.output_message(info);
}

void OnJpegMessage(j_common_ptr info)
{
    char text[JMSG_LENGTH_MAX] = {};
    info->err->format_message(info, text);
    ZELT_LOG("JpegReader", "%s", text);
}

// Adobe CMYK is stored inverted: 255 means no ink.
uint32_t CmykToPixel(const JSAMPLE* p, bool inverted)
{
    unsigned c = p[0], m = p[1], y = p[2], k = p[3];
    if (!inverted) {
        c = 255 - c;
        m = 255 - m;
        y = 255 - y;
        k = 255 - k;
    }
    const unsigned r = c * k / 255, g = m * k / 255, b = y * k / 255;
    return (r << 16) | (g << 8) | b;
}

// Everything that runs between setjmp and the end lives in this function and owns nothing with a destructor,
// so the jump out of libjpeg skips no C++ clean-up.
bool Decode(jpeg_decompress_struct& info, TJpegError& error, const uint8_t* data, size_t size, TPixelTarget& target,
            JSAMPLE* volatile& cmykRow)
{
    if (setjmp(error.Return))
        return false;
    jpeg_create_decompress(&info);
    error.Progress.progress_monitor = OnJpegProgress;
    info.progress = &error.Progress;
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK)
        return false;
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
    if (!PictureSizeAllowed(info.image_width, info.image_height)) {
        ZELT_LOG("JpegReader", "picture size %ux%u refused", info.image_width, info.image_height);
        return false;
    }
    jpeg_start_decompress(&info);
    const int width = static_cast<int>(info.output_width);
    const int height = static_cast<int>(info.output_height);
    uint32_t* pixels = target.Allocate(width, height);
    if (!pixels)
        return false;
    if (cmyk) {
        cmykRow = static_cast<JSAMPLE*>(std::malloc(static_cast<size_t>(width) * 4));
        if (!cmykRow)
            return false;
    }
    while (info.output_scanline < info.output_height) {
        uint32_t* row = pixels + static_cast<size_t>(info.output_scanline) * width;
        JSAMPROW rows[1] = {cmyk ? cmykRow : reinterpret_cast<JSAMPROW>(row)};
        if (jpeg_read_scanlines(&info, rows, 1) != 1)
            return false;
        if (cmyk) {
            for (int x = 0; x < width; ++x)
                row[x] = CmykToPixel(cmykRow + x * 4, info.saw_Adobe_marker);
        }
    }
    jpeg_finish_decompress(&info);
    if (error.Truncated) {
        ZELT_LOG("JpegReader", "JPEG data ends early");
        return false;
    }
    return true;
}

}  // namespace

bool DecodeJpeg(const uint8_t* data, size_t size, TPixelTarget& target)
{
    if (!data || size == 0) {
        ZELT_LOG("JpegReader", "empty JPEG data");
        return false;
    }
    jpeg_decompress_struct info = {};
    TJpegError error = {};
    info.err = jpeg_std_error(&error.Manager);
    error.Manager.error_exit = OnJpegError;
    error.Manager.output_message = OnJpegMessage;
    error.Manager.emit_message = OnJpegEmit;
    JSAMPLE* volatile cmykRow = nullptr;
    const bool ok = Decode(info, error, data, size, target, cmykRow);
    jpeg_destroy_decompress(&info);
    std::free(cmykRow);
    return ok;
}
