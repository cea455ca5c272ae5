#include "picture/GifReader.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include <gif_lib.h>

#include "data/FileLog.h"

namespace {

struct TMemoryInput {
    const uint8_t* Data;
    size_t Size;
    size_t Pos;
};

int ReadFromMemory(GifFileType* gif, GifByteType* buffer, int length)
{
    TMemoryInput* input = static_cast<TMemoryInput*>(gif->UserData);
    const size_t count = std::min(static_cast<size_t>(length > 0 ? length : 0), input->Size - input->Pos);
    std::memcpy(buffer, input->Data + input->Pos, count);
    input->Pos += count;
    return static_cast<int>(count);
}

struct TGifCloser {
    void operator()(GifFileType* gif) const
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
using TGifFile = std::unique_ptr<GifFileType, TGifCloser>;

// A graphic control extension before the frame may name a transparent colour index.
bool SkipExtension(GifFileType* gif, int& transparentIndex)
{
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR)
        return false;
    if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4)
        transparentIndex = (block[1] & 1) ? block[4] : -1;
    while (block) {
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR)
            return false;
    }
    return true;
}

bool DecodeFrame(GifFileType* gif, int transparentIndex, TPixelTarget& target)
{
    if (DGifGetImageDesc(gif) == GIF_ERROR)
        return false;
    const GifImageDesc& frame = gif->Image;
    const ColorMapObject* colors = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
    if (!colors || frame.Width <= 0 || frame.Height <= 0 || !PictureSizeAllowed(frame.Width, frame.Height)) {
        ZELT_LOG("GifReader", "GIF frame without colours or with size %dx%d", frame.Width, frame.Height);
        return false;
    }
    // The picture is the logical screen; a file that gives none takes the frame's extent.
    int width = gif->SWidth;
    int height = gif->SHeight;
    if (width <= 0 || height <= 0) {
        width = frame.Left + frame.Width;
        height = frame.Top + frame.Height;
    }
    if (!PictureSizeAllowed(width, height)) {
        ZELT_LOG("GifReader", "GIF size %dx%d refused", width, height);
        return false;
    }
    uint32_t* pixels = target.Allocate(width, height);
    if (!pixels)
        return false;
    std::memset(pixels, 0, static_cast<size_t>(width) * height * 4);

    std::vector<GifPixelType> line(frame.Width);
    static const int kPassStart[] = {0, 4, 2, 1};
    static const int kPassStep[] = {8, 8, 4, 2};
    const int passes = frame.Interlace ? 4 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        const int start = frame.Interlace ? kPassStart[pass] : 0;
        const int step = frame.Interlace ? kPassStep[pass] : 1;
        for (int row = start; row < frame.Height; row += step) {
            if (DGifGetLine(gif, line.data(), frame.Width) == GIF_ERROR)
                return false;
            const int y = frame.Top + row;
            if (y < 0 || y >= height)
                continue;
            uint32_t* dst = pixels + static_cast<size_t>(y) * width;
            for (int i = 0; i < frame.Width; ++i) {
                const int x = frame.Left + i;
                const int index = line[i];
                if (x < 0 || x >= width || index == transparentIndex || index >= colors->ColorCount)
                    continue;
                const GifColorType& c = colors->Colors[index];
                dst[x] = (static_cast<uint32_t>(c.Red) << 16) | (c.Green << 8) | c.Blue;
            }
        }
    }
    return true;
}

}  // namespace

bool DecodeGif(const uint8_t* data, size_t size, TPixelTarget& target)
{
    if (!data)
        return false;
    TMemoryInput input = {data, size, 0};
    int error = 0;
    TGifFile gif(DGifOpen(&input, ReadFromMemory, &error));
    if (!gif) {
        ZELT_LOG("GifReader", "not a GIF file (error %d)", error);
        return false;
    }
    int transparentIndex = -1;
    for (;;) {
        GifRecordType record = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif.get(), &record) == GIF_ERROR)
            break;
        if (record == IMAGE_DESC_RECORD_TYPE) {
            if (DecodeFrame(gif.get(), transparentIndex, target))
                return true;
            break;
        }
        if (record == EXTENSION_RECORD_TYPE) {
            if (!SkipExtension(gif.get(), transparentIndex))
                break;
            continue;
        }
        break;  // the end of the file, or a record giflib does not know, before any frame
    }
    ZELT_LOG("GifReader", "GIF file damaged or without a frame (error %d)", gif->Error);
    return false;
}
