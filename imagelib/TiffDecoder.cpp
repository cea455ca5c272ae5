#include "imagelib/TiffDecoder.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include <tiffio.h>

#include "data/FileLog.h"

namespace {

// libtiff may allocate no single block larger than this while decoding.
const tmsize_t kMaxTiffAllocation = 256 * 1024 * 1024;

// The bytes libtiff reads through its client procedures; nothing is ever written.
struct TMemorySource {
    const uint8_t* Data;
    uint64_t Size;
    uint64_t Pos;
};

tmsize_t ReadProc(thandle_t handle, void* buffer, tmsize_t count)
{
    TMemorySource* src = static_cast<TMemorySource*>(handle);
    if (count <= 0 || src->Pos >= src->Size)
        return 0;
    uint64_t n = src->Size - src->Pos;
    if (n > static_cast<uint64_t>(count))
        n = static_cast<uint64_t>(count);
    std::memcpy(buffer, src->Data + src->Pos, static_cast<std::size_t>(n));
    src->Pos += n;
    return static_cast<tmsize_t>(n);
}

tmsize_t WriteProc(thandle_t, void*, tmsize_t)
{
    return 0;
}

toff_t SeekProc(thandle_t handle, toff_t offset, int whence)
{
    TMemorySource* src = static_cast<TMemorySource*>(handle);
    uint64_t base = 0;
    if (whence == SEEK_CUR)
        base = src->Pos;
    else if (whence == SEEK_END)
        base = src->Size;
    else if (whence != SEEK_SET)
        return static_cast<toff_t>(-1);
    // Offsets are unsigned; libtiff passes negative moves as their two's complement.
    const uint64_t target = base + offset;
    if (whence != SEEK_SET && (offset >> 63) != 0 && target > base)
        return static_cast<toff_t>(-1);
    src->Pos = target;
    return target;
}

int CloseProc(thandle_t)
{
    return 0;
}

toff_t SizeProc(thandle_t handle)
{
    return static_cast<TMemorySource*>(handle)->Size;
}

int MapProc(thandle_t, void**, toff_t*)
{
    return 0;
}

void UnmapProc(thandle_t, void*, toff_t) {}

int ErrorHandler(TIFF*, void*, const char* module, const char* format, va_list args)
{
    char text[512];
    std::vsnprintf(text, sizeof text, format, args);
    ZELT_LOG("TiffDecoder", "libtiff %s: %s", module ? module : "", text);
    return 1;
}

int WarningHandler(TIFF*, void*, const char*, const char*, va_list)
{
    return 1;
}

// The libtiff handle of one decode, closed on every path.
class TTiffHandle {
public:
    explicit TTiffHandle(TMemorySource& src)
    {
        TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
        if (!options)
            return;
        TIFFOpenOptionsSetMaxSingleMemAlloc(options, kMaxTiffAllocation);
        TIFFOpenOptionsSetErrorHandlerExtR(options, ErrorHandler, nullptr);
        TIFFOpenOptionsSetWarningHandlerExtR(options, WarningHandler, nullptr);
        // "m": never map the file; reads go through ReadProc.
        Tif = TIFFClientOpenExt("memory", "rm", &src, ReadProc, WriteProc, SeekProc, CloseProc, SizeProc, MapProc,
                                UnmapProc, options);
        TIFFOpenOptionsFree(options);
    }
    ~TTiffHandle()
    {
        if (Tif)
            TIFFClose(Tif);
    }
    TTiffHandle(const TTiffHandle&) = delete;
    TTiffHandle& operator=(const TTiffHandle&) = delete;

    TIFF* Get() const { return Tif; }

private:
    TIFF* Tif = nullptr;
};

} // namespace

bool LooksLikeTiff(const uint8_t* data, std::size_t size)
{
    if (size < 8)
        return false;
    const bool little = data[0] == 'I' && data[1] == 'I' && (data[2] == 42 || data[2] == 43) && data[3] == 0;
    const bool big = data[0] == 'M' && data[1] == 'M' && data[2] == 0 && (data[3] == 42 || data[3] == 43);
    return little || big;
}

bool DecodeTiff(const uint8_t* data, std::size_t size, TRgbaImage& out)
{
    if (!LooksLikeTiff(data, size)) {
        ZELT_LOG("TiffDecoder", "Not a TIFF picture");
        return false;
    }
    TMemorySource src{data, size, 0};
    TTiffHandle tiff(src);
    TIFF* tif = tiff.Get();
    if (!tif) {
        ZELT_LOG("TiffDecoder", "TIFF picture could not be opened");
        return false;
    }
    uint32_t width = 0, height = 0;
    if (!TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width) || !TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height)) {
        ZELT_LOG("TiffDecoder", "TIFF picture has no size");
        return false;
    }
    char message[1024] = {};
    if (!TIFFRGBAImageOK(tif, message)) {
        ZELT_LOG("TiffDecoder", "TIFF picture is not supported: %s", message);
        return false;
    }
    if (!out.Allocate(width, height))
        return false;
    std::vector<uint32_t> raster(static_cast<std::size_t>(width) * height);
    if (!TIFFReadRGBAImageOriented(tif, width, height, raster.data(), ORIENTATION_TOPLEFT, 1)) {
        ZELT_LOG("TiffDecoder", "TIFF picture data is damaged or missing");
        out.Clear();
        return false;
    }
    uint8_t* p = out.Pixels.data();
    for (uint32_t v : raster) {
        *p++ = static_cast<uint8_t>(TIFFGetR(v));
        *p++ = static_cast<uint8_t>(TIFFGetG(v));
        *p++ = static_cast<uint8_t>(TIFFGetB(v));
        *p++ = static_cast<uint8_t>(TIFFGetA(v));
    }
    return true;
}
