#include "picture/DC.h"

#include "data/CharCodes.h"

COLORREF CDC::SetTextColor(TColor color)
{
    return ::SetTextColor(Canvas->Handle(), color);
}

COLORREF CDC::SetBkColor(TColor color)
{
    return ::SetBkColor(Canvas->Handle(), color);
}

int CDC::SetBkMode(int mode)
{
    return ::SetBkMode(Canvas->Handle(), mode);
}

COLORREF CDC::GetPixel(int x, int y)
{
    return ::GetPixel(Canvas->Handle(), x, y);
}

SIZE CDC::TextExtent(const std::string& text)
{
    return Canvas->TextExtent(text);
}

int CDC::DrawText(const std::string& text, RECT rect, UINT format)
{
    return ::DrawTextA(Canvas->Handle(), text.c_str(), -1, &rect, format);
}

void CDC::TextOut(int x, int y, const std::string& text)
{
    Canvas->TextOut(x, y, text);
}

bool CDC::SetPen(int style, int width, TColor color)
{
    TPen pen = Canvas->Pen();
    pen.Width = width;
    pen.Color = MaskColor(color);
    if (style >= psSolid && style <= psInsideFrame)
        pen.Style = static_cast<TPenStyle>(style);
    Canvas->SetPen(pen);
    return true;
}

void CDC::SetBrushColor(TColor color)
{
    Canvas->SetBrushColor(MaskColor(color));
}

void CDC::MoveTo(int x, int y)
{
    Canvas->MoveTo(x, y);
}

void CDC::LineTo(int x, int y)
{
    Canvas->LineTo(x, y);
}

void CDC::FillRect(const RECT& rect)
{
    Canvas->FillRect(rect);
}

void CDC::Ellipse(const RECT& bounds)
{
    Canvas->Ellipse(bounds);
}

bool CDC::BitBlt(int x, int y, int w, int h, const CDC* source, int sx, int sy, DWORD rop)
{
    // Raster operations without a source (DSTINVERT) take no source device context.
    HDC sourceDC = source ? source->Handle() : nullptr;
    return ::BitBlt(Canvas->Handle(), x, y, w, h, sourceDC, sx, sy, rop) != 0;
}

bool CDC::BitBltFromHandle(int x, int y, int w, int h, HDC source, int sx, int sy, DWORD rop)
{
    return ::BitBlt(Canvas->Handle(), x, y, w, h, source, sx, sy, rop) != 0;
}

int CDC::SetStretchBltMode(int mode)
{
    return ::SetStretchBltMode(Canvas->Handle(), mode);
}

bool CDC::StretchBlt(int x, int y, int w, int h, const CDC* source, int sx, int sy, int sw, int sh, DWORD rop)
{
    if (!source)
        return false;
    return ::StretchBlt(Canvas->Handle(), x, y, w, h, source->Handle(), sx, sy, sw, sh, rop) != 0;
}
