// CDC: the drawing surface that pictures, forms and transition effects pass around. A thin wrapper over
// one canvas it does not own; every operation takes the device context from the canvas at the call.
#pragma once

#include <windows.h>

#include <string>

#include "classlib/Canvas.h"

class CDC {
public:
    explicit CDC(TCanvas* canvas) : Canvas(canvas) {}
    ~CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    TCanvas* GetCanvas() const { return Canvas; }
    HDC Handle() const { return Canvas->Handle(); }

    COLORREF SetTextColor(TColor color);
    COLORREF SetBkColor(TColor color);
    int SetBkMode(int mode);
    COLORREF GetPixel(int x, int y);
    SIZE TextExtent(const std::string& text);
    // DrawTextA up to the text's terminator; the rectangle is the caller's copy and never written back.
    int DrawText(const std::string& text, RECT rect, UINT format);
    void TextOut(int x, int y, const std::string& text);
    // Style 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 clear, 6 inside frame; other numbers keep the
    // style. The colour's top byte is dropped (no system-colour translation). Always true.
    bool SetPen(int style, int width, TColor color);
    void SetBrushColor(TColor color);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void FillRect(const RECT& rect);
    void Ellipse(const RECT& bounds);
    // False when GDI fails. The source may be null only for raster operations that read none (DSTINVERT);
    // StretchBlt always needs one.
    bool BitBlt(int x, int y, int w, int h, const CDC* source, int sx, int sy, DWORD rop);
    bool BitBltFromHandle(int x, int y, int w, int h, HDC source, int sx, int sy, DWORD rop);
    int SetStretchBltMode(int mode);
    bool StretchBlt(int x, int y, int w, int h, const CDC* source, int sx, int sy, int sw, int sh, DWORD rop);

private:
    TCanvas* Canvas;
};
