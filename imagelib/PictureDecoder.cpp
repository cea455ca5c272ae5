#include "imagelib/PictureDecoder.h"

#include <cstring>
#include <string>

#include "data/FileLog.h"
#include "imagelib/PcxDecoder.h"
#include "imagelib/SgiDecoder.h"
#include "imagelib/StbDecoder.h"
#include "imagelib/TiffDecoder.h"

bool IsTargaName(const char* fileName)
{
    if (!fileName)
        return false;
    std::string lower(fileName);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    for (const char* text : {".tga", ".vst", ".icb", ".vda", ".win"})
        if (lower.find(text) != std::string::npos)
            return true;
    return false;
}

bool DecodePicture(const uint8_t* data, std::size_t size, bool allowTarga, TRgbaImage& out)
{
    out.Clear();
    if (!data || size == 0) {
        ZELT_LOG("PictureDecoder", "No picture data");
        return false;
    }
    if (LooksLikePng(data, size) || LooksLikePsd(data, size) || LooksLikePnm(data, size))
        return DecodeWithStb(data, size, out);
    if (LooksLikeTiff(data, size))
        return DecodeTiff(data, size, out);
    if (LooksLikeSgi(data, size))
        return DecodeSgi(data, size, out);
    if (LooksLikePcx(data, size))
        return DecodePcx(data, size, out);
    if (allowTarga)
        return DecodeWithStb(data, size, out);
    ZELT_LOG("PictureDecoder", "Picture format not recognised (%lu bytes)", static_cast<unsigned long>(size));
    return false;
}
