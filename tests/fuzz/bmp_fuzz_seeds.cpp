// Writes the seed corpus of bmp_fuzz: one file per bitmap layout the reader accepts.
#include <cstdio>
#include <string>

#include "tests/picture/BmpWriter.h"

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const struct {
        int BitCount;
        uint32_t Compression;
        bool TopDown;
        bool Core;
    } layouts[] = {{1, 0, false, false},  {4, 0, true, false}, {8, 0, false, false}, {16, 0, false, false},
                   {24, 0, false, false}, {32, 0, true, false}, {24, 0, false, true}, {8, 1, false, false},
                   {4, 2, false, false},  {16, 3, false, false}};
    int n = 0;
    for (const auto& l : layouts) {
        TBmpLayout layout;
        layout.Width = 7;
        layout.Height = 5;
        layout.BitCount = l.BitCount;
        layout.Compression = l.Compression;
        layout.TopDown = l.TopDown;
        layout.CoreHeader = l.Core;
        if (l.Compression == 3) {
            layout.Masks[0] = 0xF800;
            layout.Masks[1] = 0x07E0;
            layout.Masks[2] = 0x001F;
        }
        const std::vector<uint8_t> bytes = MakeTestBmp(layout);
        const std::string path = std::string(argv[1]) + "/seed" + std::to_string(n++) + ".bmp";
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size())
            return 1;
        std::fclose(f);
    }
    return 0;
}
