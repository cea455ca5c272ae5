// The class library's bitmap: a 32-bit top-down DIB section selected in a memory device context, with a
// canvas on that device context. Pixels are 0x00RRGGBB words (blue in the lowest byte).
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "classlib/Canvas.h"
#include "classlib/GdiObject.h"

class TStream;

class TBitmap {
public:
    TBitmap();
    ~TBitmap();
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const { return Width_; }
    int Height() const { return Height_; }
    bool Empty() const { return !Image_; }
    // The canvas exists for the bitmap's whole life, also while the bitmap is empty.
    TCanvas* Canvas() { return &Canvas_; }
    HBITMAP Handle() const { return Image_.Get(); }

    // Resizing keeps the overlapping part of the picture and fills new area with the canvas brush colour.
    // A width or height of 0 leaves the bitmap empty. False (size unchanged) when the DIB cannot be made.
    bool SetWidth(int width);
    bool SetHeight(int height);
    bool SetSize(int width, int height);

    // Row y (0 at the top) of the pixels; null while empty or out of range.
    uint32_t* ScanLine(int y);

    // Writes a Windows bitmap file (see SaveBitmapFile). False when empty or not written.
    bool SaveToFile(const std::string& path) const;
    // The same bytes written to out.
    bool SaveToStream(TStream& out) const;

private:
    TMemoryDC DC_;
    TCanvas Canvas_;
    TGdiObject<HBITMAP> Image_;
    HGDIOBJ OriginalBitmap_ = nullptr;
    uint32_t* Bits_ = nullptr;
    int Width_ = 0;
    int Height_ = 0;
};

// Writes the bytes of a Windows bitmap file of 32 bits per pixel and bottom-up rows to out; row(y) as below.
bool WriteBitmapFile(TStream& out, int width, int height, const std::function<const uint32_t*(int)>& row);

// Writes a Windows bitmap file of 32 bits per pixel and bottom-up rows. row(y) gives the width pixels of row y
// (0 at the top), asked for from the bottom row up, or null to give up. False, and no file left, when the file
// could not be written whole.
bool SaveBitmapFile(const std::string& path, int width, int height, const std::function<const uint32_t*(int)>& row);
