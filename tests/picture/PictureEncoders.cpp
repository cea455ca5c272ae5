#include "tests/picture/PictureEncoders.h"

#include <algorithm>
#include <cstdio>

#include <gif_lib.h>

namespace {

int WriteToVector(GifFileType* gif, const GifByteType* data, int length)
{
    auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}

}  // namespace

std::vector<uint8_t> EncodeGif(const TGifLayout& layout)
{
    std::vector<uint8_t> out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, WriteToVector, &error);
    GifColorType colors[16];
    for (int i = 0; i < 16; ++i) {
        const uint32_t c = layout.Palette[i];
        colors[i].Red = (c >> 16) & 0xFF;
        colors[i].Green = (c >> 8) & 0xFF;
        colors[i].Blue = c & 0xFF;
    }
    ColorMapObject* map = GifMakeMapObject(16, colors);
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, layout.ScreenWidth, layout.ScreenHeight, 4, 0, map);
    if (layout.TransparentIndex >= 0) {
        GraphicsControlBlock gcb = {};
        gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
        gcb.TransparentColor = layout.TransparentIndex;
        GifByteType ext[4];
        const size_t length = EGifGCBToExtension(&gcb, ext);
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), ext);
    }
    EGifPutImageDesc(gif, layout.Left, layout.Top, layout.FrameWidth, layout.FrameHeight, layout.Interlace, nullptr);
    std::vector<GifPixelType> line(layout.FrameWidth);
    // An interlaced frame is written in pass order.
    static const int kStart[] = {0, 4, 2, 1};
    static const int kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < (layout.Interlace ? 4 : 1); ++pass) {
        for (int y = layout.Interlace ? kStart[pass] : 0; y < layout.FrameHeight; y += layout.Interlace ? kStep[pass] : 1) {
            for (int x = 0; x < layout.FrameWidth; ++x)
                line[x] = layout.Indices[static_cast<size_t>(y) * layout.FrameWidth + x];
            EGifPutLine(gif, line.data(), layout.FrameWidth);
        }
    }
    EGifPutImageDesc(gif, 0, 0, layout.ScreenWidth, layout.ScreenHeight, false, nullptr);
    std::vector<GifPixelType> second(layout.ScreenWidth, 1);
    for (int y = 0; y < layout.ScreenHeight; ++y)
        EGifPutLine(gif, second.data(), layout.ScreenWidth);
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return out;
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}
