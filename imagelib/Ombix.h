// The picture-decoding library's exports, shared by the library and by its one caller.
// Each decode returns a memory device context holding a 32-bpp bitmap of width x height pixels,
// or 0; the caller copies from it and releases it with eFreeImage.
#pragma once

#include <windows.h>

#define OMBIX_CALL __stdcall

extern "C" {
typedef HDC(OMBIX_CALL* TLoadImageFromFile)(const char* fileName, int* width, int* height);
typedef HDC(OMBIX_CALL* TLoadImageFromStream)(const char* tempPath, int size, int* width, int* height, int format);
typedef BOOL(OMBIX_CALL* TFreeImage)(HDC dc);
typedef HDC(OMBIX_CALL* TGetImageDC)(void);
}

// Names under which the library exports them (undecorated, from its .def file).
#define OMBIX_LOAD_FROM_FILE "eLoadImageFilefromFile"
#define OMBIX_LOAD_FROM_STREAM "eLoadImageFilefromStream"
#define OMBIX_FREE_IMAGE "eFreeImage"
#define OMBIX_GET_IMAGE_DC "eGetImageDC"
