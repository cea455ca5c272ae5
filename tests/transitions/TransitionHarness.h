// Runs transitions on a real window and its back buffer with pictures whose every pixel names its own
// coordinates, and checks what each frame shows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Thread.h"
#include "picture/ComPicture.h"

// Marker bytes (blue channel) of the picture's pixels and the background's.
constexpr uint32_t kPictureMark = 0xA5;
constexpr uint32_t kBackgroundMark = 0x3C;
constexpr uint32_t kStaleMark = 0x77;  // what the back buffer holds before a transition

// Pixel (x, y) of a coordinate picture: red = x, green = y, blue = marker.
inline uint32_t CoordPixel(int x, int y, uint32_t mark)
{
    return (static_cast<uint32_t>(x & 0xFF) << 16) | (static_cast<uint32_t>(y & 0xFF) << 8) | mark;
}

// Whether v is a pixel of the w x h coordinate picture, from any place of it.
inline bool IsPicturePixel(uint32_t v, int w, int h)
{
    return (v & 0xFF) == kPictureMark && static_cast<int>(v >> 16) < w && static_cast<int>((v >> 8) & 0xFF) < h;
}

void FillCoordPicture(CComPicture& picture, int w, int h, uint32_t mark);

// Client-area pixels, rows top to bottom, 0x00RRGGBB.
struct Snapshot {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;
    uint32_t At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
    bool operator==(const Snapshot& o) const { return Width == o.Width && Height == o.Height && Pixels == o.Pixels; }
};

Snapshot ReadWindow(HWND wnd, int w, int h);
Snapshot ReadPicture(CComPicture& picture);

// A visible top-level window without border; a posted kStopMessage terminates StopTarget (the production
// path: the stop is handled inside the engine's message pump).
class TestWindow {
public:
    static constexpr UINT kStopMessage = WM_APP + 7;

    TestWindow(int left, int top, int clientW, int clientH);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND Handle() const { return Wnd_; }
    static TThread* StopTarget;

private:
    HWND Wnd_ = nullptr;
};

struct TransitionParams;
struct TransitionTestSeam;

// Runs the engine on the params with the seam installed for the run; returns the engine's Step afterwards.
int RunWithSeam(const TransitionParams& params, TransitionTestSeam& seam);

// The screen position for this test program's window, distinct per shard so parallel programs don't overlap.
POINT WindowSlot(int program);

struct RunSetup {
    int Effect = -1;
    int W = 30, H = 17;
    int X = 3, Y = 4;
    int Step = 1;
    bool EffectsOn = true;
    int StopAtFrame = 0;        // terminate the thread from the frame callback at this frame
    int PostStopAtFrame = 0;    // post kStopMessage at this frame; the pump handles it
    int FrameCap = 3000;
    bool CheckFrames = true;    // per-frame checks (window equals buffer, clip regions, reveal-in-place)
    bool RevealsInPlace = false;
    bool MovesPicture = false;  // per-frame check: only background and picture pixels, wherever they lie
    bool KeepFrames = false;    // keep the back buffer of every frame in RunResult::AllFrames
    unsigned Seed = 12345;
};

struct RunResult {
    int Frames = 0;
    std::vector<int> Pauses;
    Snapshot FirstFrame;  // back buffer after the first frame
    Snapshot LastFrame;   // back buffer after the last frame that ran
    std::vector<Snapshot> AllFrames;
    Snapshot EndWindow;
    Snapshot EndBuffer;
    std::vector<std::string> Problems;  // the first few frame-check failures
    int LiveRegionsAfter = 0;
    int LiveTempPicturesAfter = 0;
};

// Owns the window, background, back buffer and new picture of one client size; runs transitions on them.
class TransitionBench {
public:
    TransitionBench(int clientW, int clientH, POINT screenPos);

    RunResult Run(const RunSetup& setup);
    // Expected client pixel after a complete transition with the picture at (X, Y) of size W x H.
    uint32_t Expected(const RunSetup& s, int x, int y) const;
    bool InPicture(const RunSetup& s, int x, int y) const;
    // Whether client pixel (x, y) of a frame shows the new picture's own pixel there.
    bool Revealed(const RunSetup& s, const Snapshot& frame, int x, int y) const
    {
        return InPicture(s, x, y) && frame.At(x, y) == Expected(s, x, y);
    }

    int ClientW, ClientH;
    bool WindowShows = false;  // false when the window never read back what was drawn on it
    TestWindow Window;
    CComPicture Background;
    CComPicture BackBuffer;
};
