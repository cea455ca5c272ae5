// Shared helpers of the effect families: clipped copies to both targets, owned regions and temporary
// pictures with live counts, the float rule, seeding, and the end-of-frame step.
#pragma once

#include <windows.h>

#include <memory>

#include "picture/ComPicture.h"
#include "transitions/PixelScale.h"
#include "transitions/TransitionEffects.h"

// Live objects made through this kit; both are 0 whenever no transition runs.
int LiveRegionCount();
int LiveTempPictureCount();

// An owned GDI region; an empty one when made without a rectangle or when GDI cannot make one.
class CRegion {
public:
    CRegion();
    CRegion(int left, int top, int right, int bottom);
    ~CRegion();
    CRegion(const CRegion&) = delete;
    CRegion& operator=(const CRegion&) = delete;

    HRGN Handle() const { return Handle_; }
    // This = this OR the rectangle / the other region.
    void AddRect(int left, int top, int right, int bottom);
    void Add(const CRegion& other);
    // This = this minus the other region.
    void Subtract(const CRegion& other);
    // Takes a region made elsewhere (polygon, ellipse); this object now frees it.
    void Adopt(HRGN region);

private:
    HRGN Handle_ = nullptr;
};

// A temporary picture of the given size, filled with black. IsMade is false when it could not be made;
// the family then skips its frames and ends with its whole-picture copy.
class CTempPicture {
public:
    CTempPicture(int width, int height);
    ~CTempPicture();
    CTempPicture(const CTempPicture&) = delete;
    CTempPicture& operator=(const CTempPicture&) = delete;

    bool IsMade() const { return Made_; }
    CComPicture* Get() { return &Picture_; }
    HDC Handle() const;

private:
    CComPicture Picture_;
    bool Made_ = false;
};

// The device context of a picture's bitmap; null for a missing or empty picture.
HDC PictureDC(const CComPicture* picture);
// Cuts (x, y, w, h), in picture coordinates, to the W x H picture; false when nothing is left.
bool ClipToPicture(const CTransitionEffects& fx, int& x, int& y, int& w, int& h);
// The pixels of a picture's bitmap (empty for a missing or empty picture). Drawing still pending on the
// picture is finished first, so the pixels can be read and written directly.
PixelRect PixelsOf(const CComPicture* picture);

// num / den rounded to single precision (0 when den is 0).
float RatioOf(int num, int den);
// ratio * value formed in double and cut toward zero.
int ScaleBy(float ratio, int value);

// Copies the w x h rectangle at (sx, sy) of the source to (tx, ty) on the window and on the back buffer.
// A large piece reaches the back buffer through the workers while the window takes its copy, straight from
// the source's pixels.
void CopyToTargets(CTransitionEffects& fx, const CComPicture* source, int sx, int sy, int w, int h, int tx, int ty);

// Copies the rectangle (x, y, w, h) of the new picture to (X + x, Y + y): window first, then back buffer.
// Only the part inside the picture is copied.
void CopyPiece(CTransitionEffects& fx, int x, int y, int w, int h);
// The same from another source laid over the picture area (a temporary of the picture's size or larger).
void CopyPieceFrom(CTransitionEffects& fx, const CComPicture* source, int x, int y, int w, int h);
// Rows [from, to) or columns [from, to) of the new picture in place, cut to the picture as by CopyPiece.
void CopyRows(CTransitionEffects& fx, int from, int to);
void CopyColumns(CTransitionEffects& fx, int from, int to);
// Copies the whole new picture through the region (picture coordinates, clipped to the picture) on the
// window, then on the back buffer; no clip region stays selected afterwards.
void CopyRegion(CTransitionEffects& fx, const CRegion& region);

// Seeds the generator with the current time in seconds (or the test seam's seed).
void SeedFromClock();

// A pause of the effect's own (also used by EndFrame). Pauses keep to a schedule: each ends ms after the
// previous one ended, so the time spent drawing in between is taken out of it and drawing does not stretch
// the transition; after a long stall (over 100 ms behind) the schedule restarts from now.
void Pause(CTransitionEffects& fx, int ms);

// The tail of every frame: pump the messages; false when the thread asks to stop (leave the effect);
// otherwise pause pauseMs and return true.
bool EndFrame(CTransitionEffects& fx, int pauseMs);
