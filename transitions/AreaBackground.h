// The background under the picture area, as the starting content of an effect's temporary picture.
#pragma once

#include "transitions/EffectKit.h"

// Copies the picture-sized rectangle of the background at (X, Y) to (0, 0) of the temporary. Parts of the
// area that lie off the background keep the temporary's black.
void CopyAreaBackground(const CTransitionEffects& fx, CTempPicture& temp);
