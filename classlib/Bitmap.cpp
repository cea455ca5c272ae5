#include "classlib/Bitmap.h"

#include <cstring>
#include <functional>

#include "classlib/DibInfo.h"
#include "classlib/Streams.h"

namespace {

// The file format holds sizes in 32 bits.
bool FitsBitmapFile(int width, int height)
{
    return width > 0 && height > 0 && static_cast<uint64_t>(width) * 4 * static_cast<uint64_t>(height) <= 0x7FFFFFFF;
}

// A 32-bit top-down DIB section; bits receives its pixels.
HBITMAP CreateDib(int width, int height, uint32_t** bits)
{
    const BITMAPINFO info = TopDownDib32Info(width, height);
    void* pixels = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    *bits = dib ? static_cast<uint32_t*>(pixels) : nullptr;
    return dib;
}

}  // namespace

TBitmap::TBitmap() : Canvas_(DC_.Get()) {}

TBitmap::~TBitmap()
{
    if (OriginalBitmap_)
        SelectObject(DC_.Get(), OriginalBitmap_);
}

bool TBitmap::SetWidth(int width)
{
    return SetSize(width, Height_);
}

bool TBitmap::SetHeight(int height)
{
    return SetSize(Width_, height);
}

bool TBitmap::SetSize(int width, int height)
{
    if (width < 0 || height < 0 || !DC_)
        return false;
    if (width == Width_ && height == Height_)
        return true;

    TGdiObject<HBITMAP> image;
    uint32_t* bits = nullptr;
    if (width > 0 && height > 0) {
        image.Reset(CreateDib(width, height, &bits));
        if (!image)
            return false;
    }

    // Take the old picture out of the device context, then put the new one in.
    if (OriginalBitmap_)
        SelectObject(DC_.Get(), OriginalBitmap_);
    TGdiObject<HBITMAP> old(Image_.Release());
    uint32_t* oldBits = Bits_;
    const int oldWidth = Width_;
    const int oldHeight = Height_;

    Image_ = std::move(image);
    Bits_ = bits;
    Width_ = width;
    Height_ = height;
    if (!Image_)
        return true;

    HGDIOBJ previous = SelectObject(DC_.Get(), Image_.Get());
    if (!OriginalBitmap_)
        OriginalBitmap_ = previous;

    RECT all = {0, 0, width, height};
    Canvas_.FillRect(all);
    if (old) {
        GdiFlush();
        const int copyWidth = oldWidth < width ? oldWidth : width;
        const int copyHeight = oldHeight < height ? oldHeight : height;
        for (int y = 0; y < copyHeight; ++y)
            std::memcpy(Bits_ + static_cast<size_t>(y) * width, oldBits + static_cast<size_t>(y) * oldWidth,
                        static_cast<size_t>(copyWidth) * 4);
    }
    return true;
}

uint32_t* TBitmap::ScanLine(int y)
{
    if (!Bits_ || y < 0 || y >= Height_)
        return nullptr;
    GdiFlush();
    return Bits_ + static_cast<size_t>(y) * Width_;
}

bool TBitmap::SaveToFile(const std::string& path) const
{
    if (!Bits_)
        return false;
    GdiFlush();
    return SaveBitmapFile(path, Width_, Height_, [this](int y) { return Bits_ + static_cast<size_t>(y) * Width_; });
}

bool TBitmap::SaveToStream(TStream& out) const
{
    if (!Bits_)
        return false;
    GdiFlush();
    return WriteBitmapFile(out, Width_, Height_, [this](int y) { return Bits_ + static_cast<size_t>(y) * Width_; });
}

bool WriteBitmapFile(TStream& out, int width, int height, const std::function<const uint32_t*(int)>& row)
{
    if (!FitsBitmapFile(width, height))
        return false;
    const uint32_t rowBytes = static_cast<uint32_t>(width) * 4;
    const uint32_t imageBytes = rowBytes * static_cast<uint32_t>(height);

    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + imageBytes;
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    info.biSizeImage = imageBytes;

    bool whole = out.WriteExact(&file, sizeof(file)) && out.WriteExact(&info, sizeof(info));
    for (int y = height - 1; whole && y >= 0; --y) {
        const uint32_t* pixels = row(y);
        whole = pixels && out.WriteExact(pixels, rowBytes);
    }
    return whole;
}

bool SaveBitmapFile(const std::string& path, int width, int height, const std::function<const uint32_t*(int)>& row)
{
    if (!FitsBitmapFile(width, height))
        return false;
    bool whole = false;
    {
        TFileStream out(path, fmCreate);
        if (!out.IsOpen())
            return false;
        whole = WriteBitmapFile(out, width, height, row);
        whole = out.Close() && whole;
    }
    // A file written short would be read as a broken picture.
    if (!whole)
        DeleteFileA(path.c_str());
    return whole;
}
