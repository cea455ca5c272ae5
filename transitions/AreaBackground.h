// The background under the picture area, as the starting content of what an effect composes its frames in.
#pragma once

#include <memory>

#include "transitions/EffectKit.h"

// Copies the picture-sized rectangle of the background at (X, Y) to (0, 0) of the temporary. Parts of the
// area that lie off the background keep the temporary's black.
void CopyAreaBackground(const CTransitionEffects& fx, CTempPicture& temp);

// Where an effect composes its frames over the background of the picture area. When the area lies inside the
// back buffer and inside the background, straight in the back buffer, which then shows that background
// already; Show puts a part on the window. Otherwise in a temporary picture that starts as the background
// under the area; Show puts a part on both targets, the whole temporary the first time. Composing in the
// back buffer saves a temporary as large as the picture and one copy of every frame.
class CAreaCanvas {
public:
    explicit CAreaCanvas(CTransitionEffects& fx);
    CAreaCanvas(const CAreaCanvas&) = delete;
    CAreaCanvas& operator=(const CAreaCanvas&) = delete;

    bool IsReady() const { return !Temp_ || Temp_->IsMade(); }
    // The temporary, or null when the back buffer is composed in.
    CTempPicture* Temp() { return Temp_.get(); }
    // The area's pixels, (0, 0) at its top-left corner, once drawing still pending is finished.
    PixelRect Pixels();
    // The rectangle (x, y, w, h) of the area, cut to it, onto the targets.
    void Show(int x, int y, int w, int h);

private:
    CTransitionEffects& Fx_;
    std::unique_ptr<CTempPicture> Temp_;
    bool ShownWhole_ = false;
};
