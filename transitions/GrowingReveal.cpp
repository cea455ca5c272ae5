#include "transitions/GrowingReveal.h"

void CGrowingReveal::Show(CTransitionEffects& fx, const CRegion& area)
{
    CRegion fresh;
    fresh.Add(area);
    fresh.Subtract(Shown_);
    // Without a region for the difference, the whole area is copied again: same pixels, more work.
    CopyRegion(fx, fresh.Handle() ? fresh : area);
    Shown_.Add(area);
}
