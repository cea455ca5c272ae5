// Fuzzes the picture decoders through their common entry, which reaches every format reader by content
// (TGA, having no signature, is what the rest falls through to).
#include <cstdlib>

#include "imagelib/PictureDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    TRgbaImage out;
    if (DecodePicture(data, size, true, out)) {
        if (!PictureSizeAllowed(out.Width, out.Height) ||
            out.Pixels.size() != static_cast<std::size_t>(out.Width) * out.Height * 4)
            std::abort();
    } else if (!out.Pixels.empty()) {
        std::abort();
    }
    return 0;
}
