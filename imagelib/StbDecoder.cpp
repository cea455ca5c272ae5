#include "imagelib/StbDecoder.h"

#include <climits>
#include <cstdlib>
#include <cstring>

#include "data/FileLog.h"
#include "imagelib/StbInputCheck.h"

// The only translation unit that holds stb_image's code: just the formats this library hands to it.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_NO_STDIO
#define STBI_NO_HDR
#define STBI_NO_LINEAR
#define STBI_ONLY_PNG
#define STBI_ONLY_TGA
#define STBI_ONLY_PSD
#define STBI_ONLY_PNM
#define STBI_MAX_DIMENSIONS 16384
#include <stb_image.h>

static_assert(STBI_MAX_DIMENSIONS == kMaxPictureSide, "stb_image's limit follows the library's");

namespace {

// Frees stb_image's pixel block on every path.
struct TStbPixels {
    stbi_uc* Data = nullptr;
    ~TStbPixels() { stbi_image_free(Data); }
};

} // namespace

bool LooksLikePng(const uint8_t* data, std::size_t size)
{
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    return size >= 8 && std::memcmp(data, kSignature, 8) == 0;
}

bool LooksLikePsd(const uint8_t* data, std::size_t size)
{
    return size >= 4 && std::memcmp(data, "8BPS", 4) == 0;
}

bool LooksLikePnm(const uint8_t* data, std::size_t size)
{
    return size >= 3 && data[0] == 'P' && (data[1] == '5' || data[1] == '6');
}

bool DecodeWithStb(const uint8_t* data, std::size_t size, TRgbaImage& out)
{
    if (size == 0 || size > static_cast<std::size_t>(INT_MAX)) {
        ZELT_LOG("StbDecoder", "Picture of %lu bytes refused", static_cast<unsigned long>(size));
        return false;
    }
    const bool complete = LooksLikePng(data, size)   ? PngChunksComplete(data, size)
                          : LooksLikePsd(data, size) ? PsdDataComplete(data, size)
                          : LooksLikePnm(data, size) ? PnmDataComplete8Bit(data, size)
                                                     : TgaDataComplete(data, size);
    if (!complete) {
        ZELT_LOG("StbDecoder", "Picture data is damaged or cut short");
        return false;
    }
    const int length = static_cast<int>(size);
    int width = 0, height = 0, channels = 0;
    // The size first, so that an oversized picture is refused before its pixels are allocated.
    if (!stbi_info_from_memory(data, length, &width, &height, &channels)) {
        ZELT_LOG("StbDecoder", "Picture not recognised: %s", stbi_failure_reason());
        return false;
    }
    if (!PictureSizeAllowed(width, height)) {
        ZELT_LOG("StbDecoder", "Picture size %dx%d refused", width, height);
        return false;
    }
    TStbPixels pixels;
    pixels.Data = stbi_load_from_memory(data, length, &width, &height, &channels, 4);
    if (!pixels.Data) {
        ZELT_LOG("StbDecoder", "Picture could not be decoded: %s", stbi_failure_reason());
        return false;
    }
    if (!out.Allocate(width, height))
        return false;
    std::memcpy(out.Pixels.data(), pixels.Data, out.Pixels.size());
    return true;
}
