// The background composer's helpers that start-up needs.
#pragma once

class CComPicture;

// Fills picture with what the screen shows on monitor n (0 or a number out of range: the whole virtual screen).
void CaptureScreen(CComPicture* picture, int monitor);
