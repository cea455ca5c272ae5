// Runs of effects with a picture smaller than the window and centred in it, as the picture player hands over
// a fitted picture: where the pixels of every frame land.
#pragma once

// Runs each effect from first to last with a 30 x 17 picture centred in a 64 x 41 back buffer and expects every
// frame to show only the background and, inside the picture, the picture's pixel for each place, and the end
// to show the whole picture.
void ExpectCentredPictureRevealedInPlace(int first, int last);
