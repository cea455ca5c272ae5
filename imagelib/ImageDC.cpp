#include "imagelib/ImageDC.h"

#include "classlib/DibInfo.h"
#include "data/FileLog.h"

HDC CreateImageDC(const TRgbaImage& image)
{
    if (image.Width <= 0 || image.Height <= 0)
        return nullptr;
    const BITMAPINFO info = TopDownDib32Info(image.Width, image.Height);

    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) {
        ZELT_LOG("ImageDC", "CreateCompatibleDC failed (%lu)", GetLastError());
        return nullptr;
    }
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) {
        ZELT_LOG("ImageDC", "CreateDIBSection %dx%d failed (%lu)", image.Width, image.Height, GetLastError());
        if (bitmap)
            DeleteObject(bitmap);
        DeleteDC(dc);
        return nullptr;
    }
    const uint8_t* src = image.Pixels.data();
    uint8_t* dst = static_cast<uint8_t*>(bits);
    const std::size_t count = static_cast<std::size_t>(image.Width) * image.Height;
    for (std::size_t i = 0; i < count; ++i, src += 4, dst += 4) {
        dst[0] = src[2];
        dst[1] = src[1];
        dst[2] = src[0];
        dst[3] = src[3];
    }
    GdiFlush();
    // The DC's original bitmap is the shared stock one, so it need not be kept for DeleteImageDC.
    SelectObject(dc, bitmap);
    return dc;
}

BOOL DeleteImageDC(HDC dc)
{
    if (!dc || GetObjectType(dc) != OBJ_MEMDC)
        return FALSE;
    // A fresh memory DC holds the stock one-pixel bitmap every memory DC starts with.
    HDC probe = CreateCompatibleDC(nullptr);
    HGDIOBJ original = probe ? GetCurrentObject(probe, OBJ_BITMAP) : nullptr;
    HGDIOBJ ours = original ? SelectObject(dc, original) : nullptr;
    if (probe)
        DeleteDC(probe);
    BOOL ok = DeleteDC(dc);
    if (ours && ours != original)
        ok = DeleteObject(ours) && ok;
    return ok;
}
