// CComPicture: the system's picture, a bitmap with a CDC on its canvas. Filled by decoding a file or a memory
// stream, or created blank in a colour; drawn by block transfer, stretched, or drawn with a colour key.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "classlib/Bitmap.h"
#include "classlib/Streams.h"
#include "picture/DC.h"

class CComPicture {
public:
    CComPicture();
    virtual ~CComPicture();
    CComPicture(const CComPicture&) = delete;
    CComPicture& operator=(const CComPicture&) = delete;

    // Both null for an empty picture, both set otherwise.
    TBitmap* Bitmap() const { return Bitmap_.get(); }
    CDC* DC() const { return DC_.get(); }
    bool IsEmpty() const { return !Bitmap_; }

    void Free();

    // Format code from the file name (see ComPicture.cpp for the table); -1 when no group matches.
    static int GetImageType(const std::string& fileName);

    // 1 when the picture now holds the decoded picture, 0 on failure. A failed decode of a .bmp/.dib,
    // .jpg/.jpeg or .gif leaves the picture empty; any other failure leaves it as it was.
    int LoadFromFile(const std::string& fileName);
    // The same for the bytes of a memory stream; the file name only selects the format.
    int LoadFromStream(TMemoryStream& stream, const std::string& fileName);
    // Windows bitmap file; 1 when written, 0 otherwise (also for an empty picture).
    int SaveToFile(const std::string& path);
    // A new blank picture in the colour; 0 (picture unchanged) when width or height is 0 or less.
    int Create(int width, int height, TColor color);
    // Whole picture from its (0, 0) to (x, y) of the destination; nothing for an empty picture.
    void Draw(int x, int y, CDC* dest, DWORD rop);
    void DrawToPicture(int x, int y, CComPicture* dest, DWORD rop);
    // Fills with the colour as given: system-colour constants are translated here.
    void FillRect(const RECT& rect, TColor color);
    // (0, 0, width, height); an empty rectangle for an empty picture.
    RECT GetRect() const;
    // Pixels of the key colour (pixel (1, 1), or (0, 0) on a picture 1 pixel wide or high) show the
    // destination; every other pixel shows the picture. Returns 1.
    int TransparentDraw(CDC* dest, int x, int y);
    // Stretches to width x height (halftone) and draws that colour-keyed at (x, y).
    int StretchTransparentDraw(CDC* dest, int x, int y, int width, int height);

private:
    // Decodes .bmp/.dib, .jpg/.jpeg and .gif; the picture stays empty on failure.
    int DecodeOwn(int code, TMemoryStream& bytes, const std::string& fileName);
    // Every other format, through the decoding library in the temporary folder (stream null: from the file).
    int LoadThroughLibrary(const std::string& fileName, TMemoryStream* stream, int code);
    // Replaces the contents by the bitmap and a CDC on its canvas.
    void Adopt(std::unique_ptr<TBitmap> bitmap);

    std::unique_ptr<TBitmap> Bitmap_;
    std::unique_ptr<CDC> DC_;
};
