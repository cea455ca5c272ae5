// The exports of Ombix.dll. Each call stands alone: read the bytes, decode, hand back a memory DC.
// No exception leaves an export.
#include "imagelib/Ombix.h"

#include <cstdint>
#include <vector>

#include "classlib/Streams.h"
#include "data/FileLog.h"
#include "imagelib/ImageDC.h"
#include "imagelib/PictureDecoder.h"

namespace {

// No picture file this library decodes needs more than this many bytes.
const int64_t kMaxFileBytes = 256 * 1024 * 1024;

// Reads at most maxBytes bytes of the file; false when it cannot be opened or read, or is empty.
bool ReadFileBytes(const char* path, int64_t maxBytes, std::vector<uint8_t>& bytes)
{
    TFileStream file(path, fmOpenRead);
    if (!file.IsOpen()) {
        ZELT_LOG("Ombix", "Cannot open %s", path);
        return false;
    }
    int64_t size = file.Size();
    if (size > maxBytes)
        size = maxBytes;
    if (size <= 0 || size > kMaxFileBytes) {
        ZELT_LOG("Ombix", "%s: %lld bytes refused", path, static_cast<long long>(size));
        return false;
    }
    bytes.resize(static_cast<std::size_t>(size));
    if (!file.ReadExact(bytes.data(), size)) {
        ZELT_LOG("Ombix", "Cannot read %s", path);
        return false;
    }
    return true;
}

HDC Load(const char* path, int64_t maxBytes, bool allowTarga, int* width, int* height)
{
    if (!path || !width || !height)
        return nullptr;
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(path, maxBytes, bytes))
        return nullptr;
    TRgbaImage image;
    if (!DecodePicture(bytes.data(), bytes.size(), allowTarga, image))
        return nullptr;
    bytes = std::vector<uint8_t>();  // the file's bytes go before the bitmap is made
    HDC dc = CreateImageDC(image);
    if (dc) {
        *width = image.Width;
        *height = image.Height;
    }
    return dc;
}

} // namespace

extern "C" {

HDC OMBIX_CALL eLoadImageFilefromFile(const char* fileName, int* width, int* height)
{
    try {
        return Load(fileName, kMaxFileBytes, IsTargaName(fileName), width, height);
    } catch (...) {
        return nullptr;
    }
}

HDC OMBIX_CALL eLoadImageFilefromStream(const char* tempPath, int size, int* width, int* height, int format)
{
    try {
        if (size <= 0)
            return nullptr;
        return Load(tempPath, size, format == kTargaFormatCode, width, height);
    } catch (...) {
        return nullptr;
    }
}

BOOL OMBIX_CALL eFreeImage(HDC dc)
{
    return DeleteImageDC(dc);
}

HDC OMBIX_CALL eGetImageDC(void)
{
    return nullptr;
}

} // extern "C"

// The program loads this library for every picture and frees it afterwards. Each load would have the C++
// runtime linked in here set up its thread bookkeeping again (a handle of the loading thread and an event)
// and no unload gives it back, so the library keeps itself loaded from its first load on.
BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        HMODULE self = nullptr;
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                           reinterpret_cast<LPCWSTR>(&DllMain), &self);
    }
    return TRUE;
}
