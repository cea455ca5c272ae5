// Stand-ins for the picture-decoding library, one per build flag, each breaking the contract in one way:
//   OMBIX_STUB_GOOD       keeps it: a 2x3 picture for files, (format code) x 2 for streams, coloured from the
//                         file's first three bytes (0x123456 when unreadable); eFreeImage leaves a marker file
//   OMBIX_STUB_NO_FREE    has no eFreeImage export
//   OMBIX_STUB_ZERO_SIZE  answers a real device context with width 0
//   OMBIX_STUB_FAIL       answers 0
#include <windows.h>

#include <cstdio>
#include <string>

#include "imagelib/Ombix.h"

namespace {

COLORREF ColourOfFile(const char* path)
{
    unsigned char rgb[3] = {0x12, 0x34, 0x56};
    if (std::FILE* f = std::fopen(path, "rb")) {
        if (std::fread(rgb, 1, 3, f) != 3) {
            rgb[0] = 0x12;
            rgb[1] = 0x34;
            rgb[2] = 0x56;
        }
        std::fclose(f);
    }
    return RGB(rgb[0], rgb[1], rgb[2]);
}

HDC MakePicture(int width, int height, COLORREF colour)
{
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width > 0 ? width : 1;
    info.bmiHeader.biHeight = height > 0 ? height : 1;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    SelectObject(dc, bitmap);
    HBRUSH brush = CreateSolidBrush(colour);
    RECT all = {0, 0, info.bmiHeader.biWidth, info.bmiHeader.biHeight};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    return dc;
}

HDC Answer(int width, int height, COLORREF colour, int* outWidth, int* outHeight)
{
#if defined(OMBIX_STUB_FAIL)
    return nullptr;
#elif defined(OMBIX_STUB_ZERO_SIZE)
    width = 0;
#endif
    if (width <= 0 && height <= 0)
        return nullptr;
    *outWidth = width;
    *outHeight = height;
    return MakePicture(width, height, colour);
}

}  // namespace

extern "C" {

__declspec(dllexport) HDC OMBIX_CALL eLoadImageFilefromFile(const char* fileName, int* width, int* height)
{
    return Answer(2, 3, ColourOfFile(fileName), width, height);
}

__declspec(dllexport) HDC OMBIX_CALL eLoadImageFilefromStream(const char* tempPath, int size, int* width,
                                                               int* height, int format)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExA(tempPath, GetFileExInfoStandard, &data) || static_cast<int>(data.nFileSizeLow) != size)
        return nullptr;
    if (format <= 0)
        return nullptr;
    return Answer(format, 2, ColourOfFile(tempPath), width, height);
}

#if !defined(OMBIX_STUB_NO_FREE)
__declspec(dllexport) BOOL OMBIX_CALL eFreeImage(HDC dc)
{
    HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
    DeleteDC(dc);
    DeleteObject(bitmap);
    char folder[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, folder);
    if (std::FILE* f = std::fopen((std::string(folder) + "ombix_freed").c_str(), "wb"))
        std::fclose(f);
    return TRUE;
}
#endif
}
