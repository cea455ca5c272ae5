#include "picture/ComPicture.h"

#include <cstring>
#include <exception>
#include <new>
#include <string>

#include "classlib/FileUtils.h"
#include "classlib/GdiObject.h"
#include "classlib/Library.h"
#include "picture/BmpReader.h"
#include "data/CharCodes.h"
#include "data/FileLog.h"
#include "data/TempDir.h"
#include "picture/GifReader.h"
#include "picture/JpegReader.h"
#include "imagelib/Ombix.h"

namespace {

// Format groups in the order they are tested; a name matches a group when it contains one of its texts.
struct TFormatGroup {
    int Code;
    const char* Texts[6];
};

const TFormatGroup kFormatGroups[] = {
    {1, {".bmp", ".dib"}},
    {2, {".jpg", ".jpeg"}},
    {3, {".bw", ".rgb", ".rgba", ".sgi"}},
    {4, {".cel", ".pic"}},
    {5, {".tif", ".tiff"}},
    {6, {".tga", ".vst", ".icb", ".vda", ".win"}},
    {7, {".pcx", ".pcc", ".scr"}},
    {8, {".pcd"}},
    {9, {".ppm", ".pgm", ".pbm"}},
    {10, {".cut", ".pal"}},
    {11, {".gif"}},
    {12, {".rla", ".rpf"}},
    {13, {".psd", ".pdd"}},
    {14, {".psp"}},
    {15, {".png"}},
};

const int kCodeBitmap = 1;
const int kCodeJpeg = 2;
const int kCodeGif = 11;

// Longest file name the decoding library is given (its buffer holds 261 bytes with the terminator).
const size_t kLibraryNameMax = 260;

std::string LowerAsciiLetters(std::string text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// Decodes into a bitmap it sizes itself.
class TBitmapTarget : public TPixelTarget {
public:
    explicit TBitmapTarget(TBitmap& bitmap) : Bitmap_(bitmap) {}
    uint32_t* Allocate(int width, int height) override
    {
        if (!PictureSizeAllowed(width, height) || !Bitmap_.SetSize(width, height))
            return nullptr;
        return Bitmap_.ScanLine(0);
    }

private:
    TBitmap& Bitmap_;
};

bool DecodeByCode(int code, const uint8_t* data, size_t size, TPixelTarget& target)
{
    switch (code) {
    case kCodeBitmap:
        return DecodeBmp(data, size, target);
    case kCodeJpeg:
        return DecodeJpeg(data, size, target);
    default:
        return DecodeGif(data, size, target);
    }
}

bool UsesOwnDecoder(int code)
{
    return code == kCodeBitmap || code == kCodeJpeg || code == kCodeGif;
}

std::unique_ptr<TBitmap> MakeBlankBitmap(int width, int height, TColor color)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->Canvas()->SetBrushColor(MaskColor(color));
    if (!bitmap->SetWidth(width) || !bitmap->SetHeight(height))
        return nullptr;
    return bitmap;
}

}  // namespace

CComPicture::CComPicture() = default;

CComPicture::~CComPicture()
{
    Free();
}

void CComPicture::Free()
{
    Bitmap_.reset();
    DC_.reset();
}

int CComPicture::GetImageType(const std::string& fileName)
{
    const std::string name = LowerAsciiLetters(fileName);
    for (const TFormatGroup& group : kFormatGroups) {
        for (const char* text : group.Texts) {
            if (text && name.find(text) != std::string::npos)
                return group.Code;
        }
    }
    return -1;
}

int CComPicture::LoadFromFile(const std::string& fileName)
{
    const int code = GetImageType(fileName);
    if (!UsesOwnDecoder(code))
        return LoadThroughLibrary(fileName, nullptr, code);
    Free();
    try {
        TMemoryStream bytes;
        if (!bytes.LoadFromFile(fileName)) {
            ZELT_LOG("ComPicture", "cannot read picture file %s", fileName.c_str());
            return 0;
        }
        return DecodeOwn(code, bytes, fileName);
    } catch (const std::bad_alloc&) {
        ZELT_LOG("ComPicture", "out of memory loading %s", fileName.c_str());
        return 0;
    } catch (const std::exception& e) {
        // A 32-bit process cannot hold a file of 2 GB or more: the read gives a length error.
        ZELT_LOG("ComPicture", "cannot load picture file %s: %s", fileName.c_str(), e.what());
        return 0;
    }
}

int CComPicture::LoadFromStream(TMemoryStream& stream, const std::string& fileName)
{
    const int code = GetImageType(fileName);
    if (!UsesOwnDecoder(code))
        return LoadThroughLibrary(fileName, &stream, code);
    Free();
    stream.SetPosition(0);
    try {
        return DecodeOwn(code, stream, fileName);
    } catch (const std::bad_alloc&) {
        ZELT_LOG("ComPicture", "out of memory loading %s", fileName.c_str());
        return 0;
    }
}

int CComPicture::DecodeOwn(int code, TMemoryStream& bytes, const std::string& fileName)
{
    auto bitmap = std::make_unique<TBitmap>();
    TBitmapTarget target(*bitmap);
    if (!DecodeByCode(code, reinterpret_cast<const uint8_t*>(bytes.Memory()), static_cast<size_t>(bytes.Size()),
                      target)) {
        ZELT_LOG("ComPicture", "cannot decode picture %s", fileName.c_str());
        return 0;
    }
    Adopt(std::move(bitmap));
    return 1;
}

int CComPicture::LoadThroughLibrary(const std::string& fileName, TMemoryStream* stream, int code)
{
    if (!stream && fileName.size() > kLibraryNameMax) {
        ZELT_LOG("ComPicture", "picture file name longer than %d characters", static_cast<int>(kLibraryNameMax));
        return 0;
    }
    // The library is loaded by its full path in the temporary folder only: without that folder a bare name
    // would be taken from the root of the current drive, where anyone may have put a DLL of that name.
    const std::string libraryPath = TempFilePath("Ombix.dll");
    if (libraryPath.empty()) {
        ZELT_LOG("ComPicture", "no temporary folder: the picture library is not loaded for %s", fileName.c_str());
        return 0;
    }
    TLibrary library(libraryPath);
    if (!library) {
        ZELT_LOG("ComPicture", "cannot load the picture library %s", libraryPath.c_str());
        return 0;
    }
    auto loadFile = library.Find<TLoadImageFromFile>(OMBIX_LOAD_FROM_FILE);
    auto loadStream = library.Find<TLoadImageFromStream>(OMBIX_LOAD_FROM_STREAM);
    auto freeImage = library.Find<TFreeImage>(OMBIX_FREE_IMAGE);
    if (!loadFile || !loadStream || !freeImage) {
        ZELT_LOG("ComPicture", "the picture library lacks an export");
        return 0;
    }

    int width = 0;
    int height = 0;
    HDC image = nullptr;
    if (stream) {
        const int64_t size = stream->Size();
        // A name of this process's own: a preview and a full-screen run may decode at the same moment.
        const std::string tempPath = TempFilePath("imgtemp" + std::to_string(GetCurrentProcessId()));
        stream->SetPosition(0);
        if (size > INT32_MAX || !stream->SaveToFile(tempPath)) {
            ZELT_LOG("ComPicture", "cannot write %s", tempPath.c_str());
            return 0;
        }
        image = loadStream(tempPath.c_str(), static_cast<int>(size), &width, &height, code);
        // The copy was only the library's input; nothing reads it after the decode.
        DeleteFileIfExists(tempPath);
    } else {
        char name[kLibraryNameMax + 1] = {};
        std::memcpy(name, fileName.data(), fileName.size());
        image = loadFile(name, &width, &height);
    }
    if (!image) {
        ZELT_LOG("ComPicture", "the picture library cannot decode %s", fileName.c_str());
        return 0;
    }

    std::unique_ptr<TBitmap> bitmap;
    if (width > 0 && height > 0)
        bitmap = MakeBlankBitmap(width, height, clBlack);
    if (bitmap && !::BitBlt(bitmap->Canvas()->Handle(), 0, 0, width, height, image, 0, 0, SRCCOPY))
        bitmap.reset();
    freeImage(image);
    if (!bitmap) {
        ZELT_LOG("ComPicture", "the picture library gave an unusable picture %dx%d for %s", width, height,
                 fileName.c_str());
        return 0;
    }
    Adopt(std::move(bitmap));
    return 1;
}

void CComPicture::Adopt(std::unique_ptr<TBitmap> bitmap)
{
    Free();
    Bitmap_ = std::move(bitmap);
    DC_ = std::make_unique<CDC>(Bitmap_->Canvas());
}

int CComPicture::SaveToFile(const std::string& path)
{
    if (!Bitmap_ || !Bitmap_->SaveToFile(path)) {
        ZELT_LOG("ComPicture", "cannot save picture to %s", path.c_str());
        return 0;
    }
    return 1;
}

int CComPicture::Create(int width, int height, TColor color)
{
    if (width <= 0 || height <= 0)
        return 0;
    std::unique_ptr<TBitmap> bitmap = MakeBlankBitmap(width, height, color);
    if (!bitmap) {
        ZELT_LOG("ComPicture", "cannot create a picture of %dx%d", width, height);
        return 0;
    }
    Adopt(std::move(bitmap));
    return 1;
}

void CComPicture::Draw(int x, int y, CDC* dest, DWORD rop)
{
    if (Bitmap_ && dest)
        dest->BitBlt(x, y, Bitmap_->Width(), Bitmap_->Height(), DC_.get(), 0, 0, rop);
}

void CComPicture::DrawToPicture(int x, int y, CComPicture* dest, DWORD rop)
{
    if (dest)
        Draw(x, y, dest->DC(), rop);
}

void CComPicture::FillRect(const RECT& rect, TColor color)
{
    if (!Bitmap_)
        return;
    TCanvas* canvas = Bitmap_->Canvas();
    canvas->SetBrushColor(color);
    canvas->FillRect(rect);
}

RECT CComPicture::GetRect() const
{
    RECT rect = {0, 0, 0, 0};
    if (Bitmap_) {
        rect.right = Bitmap_->Width();
        rect.bottom = Bitmap_->Height();
    }
    return rect;
}

int CComPicture::TransparentDraw(CDC* dest, int x, int y)
{
    if (!Bitmap_ || !dest)
        return 1;
    const int w = Bitmap_->Width();
    const int h = Bitmap_->Height();

    CComPicture picture;
    CComPicture background;
    if (!picture.Create(w, h, clBlack) || !background.Create(w, h, clBlack)) {
        ZELT_LOG("ComPicture", "cannot make the temporaries of a %dx%d colour-keyed draw", w, h);
        return 1;
    }
    picture.DC()->BitBlt(0, 0, w, h, DC_.get(), 0, 0, SRCCOPY);
    background.DC()->BitBlt(0, 0, w, h, dest, x, y, SRCCOPY);

    // The key pixel is (1, 1); a picture 1 pixel wide or high has none there and keys on (0, 0).
    const int keyX = w > 1 && h > 1 ? 1 : 0;
    const int keyY = keyX;
    const COLORREF key = DC_->GetPixel(keyX, keyY);

    // Mask: 1 where the picture has the key colour.
    TMemoryDC maskDC;
    TGdiObject<HBITMAP> mask(CreateBitmap(w, h, 1, 1, nullptr));
    if (!maskDC || !mask) {
        ZELT_LOG("ComPicture", "cannot make the mask of a %dx%d colour-keyed draw", w, h);
        return 1;
    }
    TSelection maskSelection(maskDC.Get(), mask.Get());
    const COLORREF previousBk = picture.DC()->SetBkColor(key);
    ::BitBlt(maskDC.Get(), 0, 0, w, h, picture.DC()->Handle(), 0, 0, SRCCOPY);
    picture.DC()->SetBkColor(previousBk);

    ::BitBlt(background.DC()->Handle(), 0, 0, w, h, maskDC.Get(), 0, 0, SRCAND);
    ::BitBlt(maskDC.Get(), 0, 0, w, h, nullptr, 0, 0, DSTINVERT);
    ::BitBlt(picture.DC()->Handle(), 0, 0, w, h, maskDC.Get(), 0, 0, SRCAND);
    picture.DC()->BitBlt(0, 0, w, h, background.DC(), 0, 0, SRCINVERT);
    dest->BitBlt(x, y, w, h, picture.DC(), 0, 0, SRCCOPY);
    return 1;
}

int CComPicture::StretchTransparentDraw(CDC* dest, int x, int y, int width, int height)
{
    if (width <= 0 || height <= 0 || !Bitmap_ || !dest)
        return 1;
    CComPicture stretched;
    if (!stretched.Create(width, height, clBlack))
        return 1;
    const int previousMode = stretched.DC()->SetStretchBltMode(HALFTONE);
    stretched.DC()->StretchBlt(0, 0, width, height, DC_.get(), 0, 0, Bitmap_->Width(), Bitmap_->Height(), SRCCOPY);
    stretched.DC()->SetStretchBltMode(previousMode);
    return stretched.TransparentDraw(dest, x, y);
}
