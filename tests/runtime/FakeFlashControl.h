// A stand-in for the Flash control, for tests: an in-process server of the Flash class id whose movie is a
// scripted frame counter. The test reads and scripts it through the state the DLL exports; a program that
// does not script it (a saver in an end-to-end run) gets a ten-frame movie that has played out at the first
// reading. Like a real control it holds its movie file open (not to be deleted) until it gets the next one.
#pragma once

#include <windows.h>

struct FakeFlashState {
    // Script, set by the test before the movie plays.
    int TotalFrames;        // answered for dispatch number 124; the movie stops (or loops) there
    int FramesPerReading;   // how far each CurrentFrame reading advances a playing movie
    bool Loops;             // at the end the movie starts again at frame 1 and keeps playing
    bool IgnoresPlay;       // Play does nothing: a movie that never plays
    // Set-up steps that fail.
    bool FailsSetClientSite;
    bool FailsInitNew;
    bool FailsActivation;   // in-place activation is refused
    bool MakesNoWindow;     // in-place activation succeeds without a window

    // What the control saw.
    wchar_t Movie[MAX_PATH];
    int ScaleMode;
    int AlignMode;
    int Frame;
    bool Playing;
    int PlayCalls;
    int StopPlayCalls;
    HRESULT AmbientAnswer;  // the site's answer when asked for an ambient property
    HWND Window;            // the control's window while it is in place
    HWND ActivatedIn;       // the window the site gave for in-place activation
    RECT Position;          // the last position the host gave
    LONG LiveObjects;       // control objects not yet released
    bool HoldsSite;         // the control holds a client site
    LONG Received[0x210];   // messages its window received, by number
};

using FakeFlashStateFunction = FakeFlashState* (*)();
