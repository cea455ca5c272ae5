#include "imagelib/RgbaImage.h"

#include "data/FileLog.h"

bool PictureSizeAllowed(long long width, long long height)
{
    if (width <= 0 || height <= 0 || width > kMaxPictureSide || height > kMaxPictureSide)
        return false;
    return static_cast<unsigned long long>(width) * static_cast<unsigned long long>(height) * 4u <= kMaxPictureBytes;
}

bool TRgbaImage::Allocate(long long width, long long height)
{
    Clear();
    if (!PictureSizeAllowed(width, height)) {
        ZELT_LOG("RgbaImage", "Picture size %lldx%lld refused", width, height);
        return false;
    }
    Pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4u, 0);
    for (std::size_t i = 3; i < Pixels.size(); i += 4)
        Pixels[i] = 255;
    Width = static_cast<int>(width);
    Height = static_cast<int>(height);
    return true;
}
