#include "classlib/Canvas.h"

namespace {

// Selects a new object, remembering what the device context held before our first selection.
void SelectTool(HDC dc, HGDIOBJ object, HGDIOBJ& original)
{
    HGDIOBJ previous = SelectObject(dc, object);
    if (!original)
        original = previous;
}

// Frees a tool made for settings that have changed, deselecting it first; the next drawing makes the new one.
template <class Handle>
void DropTool(HDC dc, TGdiObject<Handle>& object, HGDIOBJ original)
{
    if (!object)
        return;
    SelectObject(dc, original);
    object.Reset();
}

}  // namespace

TCanvas::TCanvas(HDC dc) : DC_(dc) {}

TCanvas::~TCanvas()
{
    // Put the device context's own objects back so ours are no longer selected when they are freed.
    if (OriginalPen_)
        SelectObject(DC_, OriginalPen_);
    if (OriginalBrush_)
        SelectObject(DC_, OriginalBrush_);
    if (OriginalFont_)
        SelectObject(DC_, OriginalFont_);
}

void TCanvas::SetPen(const TPen& pen)
{
    Pen_ = pen;
    DropTool(DC_, PenObject_, OriginalPen_);
}

void TCanvas::SetPenColor(TColor color)
{
    TPen pen = Pen_;
    pen.Color = color;
    SetPen(pen);
}

void TCanvas::SetBrush(const TBrush& brush)
{
    Brush_ = brush;
    DropTool(DC_, BrushObject_, OriginalBrush_);
}

void TCanvas::SetBrushColor(TColor color)
{
    TBrush brush = Brush_;
    brush.Color = color;
    brush.Style = bsSolid;
    SetBrush(brush);
}

void TCanvas::SetBrushStyle(TBrushStyle style)
{
    TBrush brush = Brush_;
    brush.Style = style;
    SetBrush(brush);
}

void TCanvas::SetFont(const TFont& font)
{
    Font_ = font;
    DropTool(DC_, FontObject_, OriginalFont_);
}

void TCanvas::RequirePen()
{
    if (PenObject_ || !DC_)
        return;
    PenObject_.Reset(CreatePen(Pen_.Style, Pen_.Width, ColorToRGB(Pen_.Color)));
    if (PenObject_)
        SelectTool(DC_, PenObject_.Get(), OriginalPen_);
}

void TCanvas::RequireBrush()
{
    if (BrushObject_ || !DC_)
        return;
    if (Brush_.Style == bsClear) {
        LOGBRUSH hollow = {BS_HOLLOW, 0, 0};
        BrushObject_.Reset(CreateBrushIndirect(&hollow));
    } else {
        BrushObject_.Reset(CreateSolidBrush(ColorToRGB(Brush_.Color)));
    }
    if (BrushObject_)
        SelectTool(DC_, BrushObject_.Get(), OriginalBrush_);
}

void TCanvas::RequireFont()
{
    if (FontObject_ || !DC_)
        return;
    LOGFONTA lf = {};
    lf.lfHeight = Font_.Height;
    lf.lfWeight = (Font_.Style & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (Font_.Style & fsItalic) ? 1 : 0;
    lf.lfUnderline = (Font_.Style & fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = (Font_.Style & fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = Font_.Charset;
    lstrcpynA(lf.lfFaceName, Font_.Name.c_str(), LF_FACESIZE);
    FontObject_.Reset(CreateFontIndirectA(&lf));
    if (FontObject_)
        SelectTool(DC_, FontObject_.Get(), OriginalFont_);
}

void TCanvas::MoveTo(int x, int y)
{
    MoveToEx(DC_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y)
{
    RequirePen();
    ::LineTo(DC_, x, y);
}

void TCanvas::FillRect(const RECT& rect)
{
    RequireBrush();
    if (Brush_.Style != bsClear && BrushObject_)
        ::FillRect(DC_, &rect, BrushObject_.Get());
}

void TCanvas::Ellipse(const RECT& bounds)
{
    RequirePen();
    RequireBrush();
    ::Ellipse(DC_, bounds.left, bounds.top, bounds.right, bounds.bottom);
}

SIZE TCanvas::TextExtent(const std::string& text)
{
    RequireFont();
    SIZE size = {0, 0};
    GetTextExtentPoint32A(DC_, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

void TCanvas::TextOut(int x, int y, const std::string& text)
{
    RequireFont();
    RequireBrush();
    ::SetTextColor(DC_, ColorToRGB(Font_.Color));
    if (Brush_.Style == bsClear) {
        ::SetBkMode(DC_, TRANSPARENT);
    } else {
        ::SetBkMode(DC_, OPAQUE);
        ::SetBkColor(DC_, ColorToRGB(Brush_.Color));
    }
    ::TextOutA(DC_, x, y, text.c_str(), static_cast<int>(text.size()));
}
