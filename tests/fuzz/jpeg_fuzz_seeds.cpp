// Writes the seed corpus of jpeg_fuzz: a baseline colour, a grayscale, a CMYK and a progressive file whose
// scan repeats past the reader's bound.
#include <cstdio>
#include <string>

#include "tests/picture/JpegEncoders.h"

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const std::vector<std::vector<uint8_t>> seeds = {
        EncodeJpeg(9, 5, [](int x, int y) { return static_cast<uint32_t>(x * 0x1C0000 + y * 0x3300 + 0x80); }),
        EncodeFlatJpeg(8, 8, {0x80}),
        EncodeFlatJpeg(8, 8, {255, 0, 0, 255}),
        EncodeRepeatedScanJpeg(64, 64, 600),
    };
    int n = 0;
    for (const std::vector<uint8_t>& bytes : seeds) {
        const std::string path = std::string(argv[1]) + "/seed" + std::to_string(n++) + ".jpg";
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size())
            return 1;
        std::fclose(f);
    }
    return 0;
}
