// Decodes a 6000x4000 JPEG made at start through CComPicture::LoadFromFile and through libjpeg alone, in the
// same run, and prints the best of several timings of each and their ratio.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "picture/ComPicture.h"

namespace {

const int kWidth = 6000;
const int kHeight = 4000;
const int kRounds = 3;

// A photo-like picture: smooth gradients with fine texture, so the decoder does realistic work.
bool WriteTestJpeg(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    jpeg_compress_struct info = {};
    jpeg_error_mgr error = {};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = kWidth;
    info.image_height = kHeight;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(kWidth * 3);
    unsigned seed = 12345;
    while (info.next_scanline < info.image_height) {
        const int y = static_cast<int>(info.next_scanline);
        for (int x = 0; x < kWidth; ++x) {
            seed = seed * 1103515245u + 12345u;
            const int noise = static_cast<int>((seed >> 16) & 31) - 16;
            auto clamp = [](int v) { return static_cast<JSAMPLE>(v < 0 ? 0 : v > 255 ? 255 : v); };
            row[x * 3] = clamp(x * 255 / kWidth + noise);
            row[x * 3 + 1] = clamp(y * 255 / kHeight + noise);
            row[x * 3 + 2] = clamp(((x ^ y) & 255) / 2 + 64 + noise);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(file) == 0;
}

double Seconds()
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// libjpeg alone: the file through its stdio source into one buffer of RGB rows.
bool DecodeBare(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    jpeg_decompress_struct info = {};
    jpeg_error_mgr error = {};
    info.err = jpeg_std_error(&error);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    const size_t stride = static_cast<size_t>(info.output_width) * info.output_components;
    std::vector<JSAMPLE> pixels(stride * info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[1] = {pixels.data() + stride * info.output_scanline};
        jpeg_read_scanlines(&info, rows, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    return true;
}

}  // namespace

int main()
{
    char folder[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "zelt_bench_picture_load.jpg";
    std::printf("writing a %dx%d JPEG to %s\n", kWidth, kHeight, path.c_str());
    if (!WriteTestJpeg(path)) {
        std::printf("cannot write the test picture\n");
        return 1;
    }

    double bestBare = 1e9;
    double bestPicture = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        double start = Seconds();
        if (!DecodeBare(path)) {
            std::printf("bare decode failed\n");
            return 1;
        }
        const double bare = Seconds() - start;

        start = Seconds();
        CComPicture picture;
        if (!picture.LoadFromFile(path) || picture.Bitmap()->Width() != kWidth) {
            std::printf("CComPicture::LoadFromFile failed\n");
            return 1;
        }
        const double loaded = Seconds() - start;
        picture.Free();

        std::printf("round %d: libjpeg alone %.3f s, CComPicture::LoadFromFile %.3f s\n", round + 1, bare, loaded);
        bestBare = bare < bestBare ? bare : bestBare;
        bestPicture = loaded < bestPicture ? loaded : bestPicture;
    }
    DeleteFileA(path.c_str());
    std::printf("best: libjpeg alone %.3f s, CComPicture::LoadFromFile %.3f s, ratio %.2f\n", bestBare, bestPicture,
                bestPicture / bestBare);
    return 0;
}
