// Writes the seed corpus of image_fuzz: one small picture per format and layout the decoders read.
#include <cstdio>
#include <string>

#include <tiffio.h>

#include "tests/imagelib/TestPictures.h"

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const TRgbaImage c = MakePattern(9, 5, false);
    const TRgbaImage a = MakePattern(9, 5, true);
    std::vector<uint8_t> indices;
    for (int i = 0; i < 9 * 5; ++i)
        indices.push_back(static_cast<uint8_t>(i % 16));
    std::vector<uint8_t> rgb;
    for (int i = 0; i < 16 * 3; ++i)
        rgb.push_back(static_cast<uint8_t>(i * 5));
    const std::vector<TBytes> seeds = {
        EncodePng(a),
        EncodeTga(a, false),
        EncodeTga(a, true),
        EncodePnm(c, true),
        EncodePnm(c, false),
        EncodePsd(c, false, false),
        EncodePsd(a, true, true),
        EncodeTiff(c, false, COMPRESSION_NONE),
        EncodeTiff(a, true, COMPRESSION_LZW),
        EncodeTiff(c, false, COMPRESSION_PACKBITS),
        EncodePcxTrueColour(c, false, true),
        EncodePcxTrueColour(a, true, false),
        EncodePcxIndexed(indices, 9, 5, 8, 1, rgb),
        EncodePcxIndexed(indices, 9, 5, 4, 1, rgb),
        EncodePcxIndexed(indices, 9, 5, 1, 4, rgb),
        WithEmptyPcxRuns(EncodePcxTrueColour(c, false, true), 4096),
        EncodeSgi(c, 1, 1, false),
        EncodeSgi(c, 3, 1, true),
        EncodeSgi(a, 4, 2, true),
    };
    int n = 0;
    for (const TBytes& bytes : seeds) {
        const std::string path = std::string(argv[1]) + "/seed" + std::to_string(n++);
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size())
            return 1;
        std::fclose(f);
    }
    return 0;
}
