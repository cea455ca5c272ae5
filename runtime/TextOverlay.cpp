// The slide's title and text block, drawn over a composed background.
#include "runtime/Background.h"

#include <algorithm>
#include <vector>

#include "data/CharCodes.h"
#include "data/MediaSetting.h"
#include "picture/ComPicture.h"

namespace {

// Height from points at the canvas's vertical resolution, the style from a ";"-list of codes (substring
// test, so "11;" also holds "1;"), the charset; the face stays what the canvas has.
void SetTextFont(TCanvas* canvas, int points, const std::string& styles, BYTE charset)
{
    TFont font = canvas->Font();
    font.Height = -MulDiv(points, GetDeviceCaps(canvas->Handle(), LOGPIXELSY), 72);
    font.Style = 0;
    const struct {
        const char* code;
        int style;
    } codes[] = {{"1;", fsBold}, {"2;", fsItalic}, {"3;", fsUnderline}, {"4;", fsStrikeOut}};
    for (const auto& c : codes)
        if (styles.find(c.code) != std::string::npos)
            font.Style |= c.style;
    font.Charset = charset;
    canvas->SetFont(font);
}

// Top-left corner of a text of size (tw, th) on a target of size (w, h) by position code; 9 is (x9, y9).
POINT TextPosition(int code, int tw, int th, int w, int h, int x9, int y9)
{
    const int centre = (w - tw) / 2;
    const int right = w - tw - 20;
    const int bottom = h - th;
    const int middle = (h - th) / 2;
    switch (code) {
    case 0: return {centre, 0};
    case 1: return {0, 0};
    case 2: return {right, 0};
    case 3: return {centre, bottom};
    case 4: return {0, bottom};
    case 5: return {right, bottom};
    case 6: return {centre, middle};
    case 7: return {0, middle};
    case 8: return {right, middle};
    case 9: return {x9, y9};
    default: return {0, 0};
    }
}

// Lines as the class library's string list splits them: at CR, LF or CR LF; a final break adds no line.
std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

// Text in the font colour without a background box; the brush style is put back afterwards.
class TClearBrushText {
public:
    TClearBrushText(TCanvas* canvas, TColor colour) : Canvas(canvas), Saved(canvas->Brush())
    {
        TFont font = canvas->Font();
        font.Color = MaskColor(colour);
        canvas->SetFont(font);
        canvas->SetBrushStyle(bsClear);
    }
    ~TClearBrushText() { Canvas->SetBrush(Saved); }
    TClearBrushText(const TClearBrushText&) = delete;
    TClearBrushText& operator=(const TClearBrushText&) = delete;

private:
    TCanvas* Canvas;
    TBrush Saved;
};

} // namespace

void CBackground::DrawTitle()
{
    if (!Slide || !Target || Target->IsEmpty() || !Slide->Data.TitleShown)
        return;
    const MEDIA_SETTING_DATA& data = Slide->Data;
    TCanvas* canvas = Target->Bitmap()->Canvas();
    SetTextFont(canvas, data.TitleFontSize, Slide->TitleFontStyle, data.TitleCharset);
    const SIZE size = canvas->TextExtent(Slide->Title);
    const POINT at = TextPosition(data.TitlePosition, size.cx, size.cy, Target->Bitmap()->Width(),
                                  Target->Bitmap()->Height(), data.TitleX, data.TitleY);
    TClearBrushText clear(canvas, data.TitleColor);
    canvas->TextOut(at.x, at.y, Slide->Title);
}

void CBackground::DrawTextBlock()
{
    if (!Slide || !Target || Target->IsEmpty() || !Slide->Data.DescShown)
        return;
    const MEDIA_SETTING_DATA& data = Slide->Data;
    TCanvas* canvas = Target->Bitmap()->Canvas();
    SetTextFont(canvas, data.DescFontSize, Slide->DescFontStyle, data.DescCharset);
    std::vector<std::string> lines = SplitLines(Slide->Desc);
    int width = -1;
    int lineHeight = -1;
    for (const std::string& line : lines) {
        const SIZE size = canvas->TextExtent(line);
        width = std::max(width, static_cast<int>(size.cx));
        lineHeight = std::max(lineHeight, static_cast<int>(size.cy));
    }
    if (!lines.empty() && lines.back().empty())
        lines.pop_back();
    if (lines.empty())
        return;
    const int height = static_cast<int>(lines.size()) * lineHeight;
    const POINT at = TextPosition(data.DescPosition, width, height, Target->Bitmap()->Width(),
                                  Target->Bitmap()->Height(), data.DescX, data.DescY);
    TClearBrushText clear(canvas, data.DescColor);
    for (std::size_t j = 0; j < lines.size(); ++j)
        canvas->TextOut(at.x, at.y - 8 + static_cast<int>(j) * lineHeight, lines[j]);
}
