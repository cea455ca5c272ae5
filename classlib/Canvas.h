// The class library's canvas: drawing tools (pen, brush, font) over a device context it does not own.
// Each tool's GDI object is made when a drawing operation first needs it after a change, selected into
// the device context, and freed when it is replaced or the canvas goes away.
#pragma once

#include <windows.h>

#include <string>

#include "classlib/Colors.h"
#include "classlib/GdiObject.h"

// Pen styles in GDI's numbering (PS_SOLID .. PS_INSIDEFRAME).
enum TPenStyle { psSolid = 0, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TBrushStyle { bsSolid = 0, bsClear };
enum TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

struct TPen {
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = psSolid;
};

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
};

struct TFont {
    std::string Name = "MS Sans Serif";
    int Height = -11;  // negative: character height in pixels, as the font mapper takes it
    BYTE Charset = DEFAULT_CHARSET;
    TColor Color = clBlack;
    int Style = 0;  // TFontStyle bits
};

class TCanvas {
public:
    explicit TCanvas(HDC dc);
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    HDC Handle() const { return DC_; }

    // The tools: read freely; change them through the setters so the next drawing picks them up.
    const TPen& Pen() const { return Pen_; }
    const TBrush& Brush() const { return Brush_; }
    const TFont& Font() const { return Font_; }
    void SetPen(const TPen& pen);
    void SetPenColor(TColor color);
    void SetBrush(const TBrush& brush);
    void SetBrushColor(TColor color);
    void SetBrushStyle(TBrushStyle style);
    void SetFont(const TFont& font);

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    // Fills with the brush (nothing with a clear brush).
    void FillRect(const RECT& rect);
    // Outline with the pen, inside with the brush.
    void Ellipse(const RECT& bounds);
    SIZE TextExtent(const std::string& text);
    // Text in the font's colour; the background box is drawn in the brush colour unless the brush is clear.
    void TextOut(int x, int y, const std::string& text);

private:
    void RequirePen();
    void RequireBrush();
    void RequireFont();

    HDC DC_;
    TPen Pen_;
    TBrush Brush_;
    TFont Font_;
    TGdiObject<HPEN> PenObject_;
    TGdiObject<HBRUSH> BrushObject_;
    TGdiObject<HFONT> FontObject_;
    // What the device context held before our first selection, put back before ours are freed.
    HGDIOBJ OriginalPen_ = nullptr;
    HGDIOBJ OriginalBrush_ = nullptr;
    HGDIOBJ OriginalFont_ = nullptr;
};
