// CBackground paints one slide's background into a picture: a solid colour, a picture (the captured desktop,
// a picture slide of the project or a row of table "backimage") or a gradient, chosen at random among the
// kinds the slide enables; then, through Draw, the slide's title and text block. Made on the stack for one
// composition. Also the size helpers, the tiling and the rule that loads a media name.
#pragma once

#include <memory>
#include <string>

#include <windows.h>

#include "classlib/Colors.h"
#include "runtime/ScrMode.h"

class CComPicture;
class CMedia;
class CMediaSetting;
class CParallelRows;
class CZELTGlobeSettings;

// The measured ellipses of the ring gradients (kinds 10 and 11) for the last picture size they were painted at:
// kept by whatever composes slide after slide, so that a series of one size measures them once. Gradient.cpp.
class CRingSpans {
public:
    CRingSpans();
    ~CRingSpans();
    CRingSpans(const CRingSpans&) = delete;
    CRingSpans& operator=(const CRingSpans&) = delete;

    struct TStore;
    std::unique_ptr<TStore> Store;
};

class CBackground {
public:
    CBackground();
    virtual ~CBackground() = default;
    CBackground(const CBackground&) = delete;
    CBackground& operator=(const CBackground&) = delete;

    void SetParams(CMediaSetting* slide, CZELTGlobeSettings* project);
    // The background, then the title and text block unless the mode is a preview.
    void Draw(TScrMode mode);
    void DrawBackground();
    // The current slide's title and text block, when it enables them (TextOverlay.cpp).
    void DrawTitle();
    void DrawTextBlock();
    // One of the twelve gradient kinds over the whole target; any other kind draws nothing (Gradient.cpp).
    void DrawGradient(TColor from, TColor to, int kind, CComPicture* target);
    // A random picture slide's picture, or a random listed row of "backimage"; nonzero when loaded.
    int LoadProjectImage(CComPicture* out);
    int LoadBackImage(CComPicture* out);
    // Source onto target by layout: 0 stretched, 1 centred on black, 2 tiled, 3 one of those at random.
    void DrawImage(CComPicture* target, int layout, int tileCount, CComPicture* source, bool randomTiles);

    TColor SolidPresets[13];
    TColor GradientFromPresets[13];
    TColor GradientToPresets[13];
    CComPicture* Target = nullptr;
    CMediaSetting* Slide = nullptr;
    CZELTGlobeSettings* Project = nullptr;
    CMedia* Media = nullptr;
    // Where ring gradients keep their measured ellipses; none: each one measures them anew.
    CRingSpans* Rings = nullptr;
    // The helper threads of whatever composes slide after slide (starting and ending them costs 3-5 ms a
    // slide under Wine); none: each job that wants threads starts its own.
    CParallelRows* Helpers = nullptr;
    // Where Target's top-left corner lies in the captured desktop: a monitor's own place when one monitor of
    // several is composed.
    POINT DesktopOrigin = {0, 0};

private:
    void FillBlack();
    void DrawPictureKind();
};

// The region (0, 0, sw, sh) of the source stretched to (x, y, w, h) of dest in halftone mode, on the helper
// threads given or on threads of its own (Halftone.cpp).
void HalftoneStretch(CComPicture* dest, int x, int y, int w, int h, CComPicture* source, int sw, int sh,
                     CParallelRows* helpers = nullptr);
// The largest size of the picture's proportions inside the box; with any size 0 or less, the picture's own.
void FitSize(int* outW, int* outH, int w, int h, int boxW, int boxH);
// The region of the box's proportions that shares the picture's shorter side (a box side of 0 or less
// counts as a square box).
void ScaleSize(int* outW, int* outH, int w, int h, int boxW, int boxH);
// The tile repeated over the whole target from its top-left corner; the number of copies it took.
int TileImage(CComPicture* target, CComPicture* tile);
// A media name into a picture: from the media store when the project embeds its media, else from the stored
// name's file (beside the program when the project says so). Nonzero when loaded.
int LoadMediaPicture(CComPicture* out, const std::string& name, CMedia* media, CZELTGlobeSettings* project);
