// Block transfers between pictures (temporaries, the new picture, the background), cut to both bitmaps.
#pragma once

class CComPicture;

// Copies the w x h rectangle at (sx, sy) of source to (dx, dy) of target; only the part that lies inside both
// bitmaps is copied. Nothing happens when either picture is missing or empty.
void BlitClipped(CComPicture* target, int dx, int dy, int w, int h, CComPicture* source, int sx, int sy);
