// Random crossLines: every column pair once in random order, each frame also one random row pair; no final
// copy, the column pairs cover the picture. Roll: a picture-sized temporary starts as the background under the
// area; each frame the lines behind the roll line lie flat and the next 30 lines show the following picture
// lines upside down. Step is 2 for the run of each member and given back afterwards.
#include "transitions/RollCrossLines.h"

#include <algorithm>

#include "data/FileLog.h"
#include "data/IntArray.h"
#include "data/Random.h"
#include "transitions/AreaBackground.h"
#include "transitions/EffectKit.h"
#include "transitions/PictureBlit.h"
#include "transitions/StepOverride.h"

using std::max;
using std::min;

namespace {

constexpr int kRollBand = 30;

// The lines a Roll member works on: rows for "down" and "up", columns for "left" and "right".
class RollLines {
public:
    RollLines(CTransitionEffects& fx, CTempPicture& temp, bool rows) : Fx_(fx), Temp_(temp), Rows_(rows) {}

    int Extent() const { return Rows_ ? Fx_.PictureHeight : Fx_.PictureWidth; }

    // Picture lines [from, to) to the same lines of the temporary.
    void Flat(int from, int to) const
    {
        if (from < to)
            Line(from, from, to - from);
    }

    // Picture line `source` to line `line` of the temporary; a source outside the picture leaves the line as
    // it is.
    void Mirror(int line, int source) const
    {
        if (source >= 0 && source < Extent())
            Line(line, source, 1);
    }

    // Temporary lines [from, to) to the picture area of the window, then of the back buffer. Only the lines a
    // frame changed are shown; the rest of both targets already shows the same.
    void Show(int from, int to) const
    {
        if (Rows_)
            CopyPieceFrom(Fx_, Temp_.Get(), 0, from, Fx_.PictureWidth, to - from);
        else
            CopyPieceFrom(Fx_, Temp_.Get(), from, 0, to - from, Fx_.PictureHeight);
    }

private:
    void Line(int at, int source, int count) const
    {
        if (Rows_)
            BlitClipped(Temp_.Get(), 0, at, Fx_.PictureWidth, count, Fx_.Picture, 0, source);
        else
            BlitClipped(Temp_.Get(), at, 0, count, Fx_.PictureHeight, Fx_.Picture, source, 0);
    }

    CTransitionEffects& Fx_;
    CTempPicture& Temp_;
    bool Rows_;
};

// Makes the temporary over the area's background and runs the frames when it could be made; then the final
// whole-picture copy, which also follows a stop.
template <typename Frames>
void RunRoll(CTransitionEffects& fx, bool rows, Frames frames)
{
    {
        CStepOverride step(fx, 2);
        CTempPicture temp(fx.PictureWidth, fx.PictureHeight);
        if (temp.IsMade()) {
            CopyAreaBackground(fx, temp);
            frames(RollLines(fx, temp, rows));
        } else {
            ZELT_LOG("RollCrossLines", "no temporary picture of %d x %d: the picture is shown at once",
                     fx.PictureWidth, fx.PictureHeight);
        }
    }
    fx.ShowWithoutEffect();
}

// "Down" and "right": the roll line i runs 0 .. n - 1; line y of the band [i, end) shows picture line
// end + i - y + 29, the lines after the band upside down.
void RollForward(CTransitionEffects& fx, const EffectArgs& args, bool rows)
{
    RunRoll(fx, rows, [&](const RollLines& lines) {
        const int n = lines.Extent();
        for (int i = 0; i < n; ++i) {
            const int end = min(i + kRollBand, n);
            // Lines below i - 1 lay flat already in earlier frames and no band has covered them since.
            lines.Flat(max(i - 1, 0), i);
            for (int y = i; y < end; ++y)
                lines.Mirror(y, end + i - y + 29);
            lines.Show(max(i - 1, 0), end);
            if (!EndFrame(fx, args.PauseMs))
                return;
        }
    });
}

// "Left" and "up": the roll line i runs from n down to `last`; lines [lo, i) show line i + lo - y - 31.
void RollBackward(CTransitionEffects& fx, const EffectArgs& args, bool rows, int last)
{
    RunRoll(fx, rows, [&](const RollLines& lines) {
        const int n = lines.Extent();
        for (int i = n; i >= last; --i) {
            const int lo = max(i - kRollBand, 0);
            const int flatEnd = min(i + 1, n);
            lines.Flat(i, flatEnd);
            for (int y = lo; y < i; ++y)
                lines.Mirror(y, i + lo - y - 31);
            lines.Show(lo, flatEnd);
            if (!EndFrame(fx, args.PauseMs))
                return;
        }
    });
}

} // namespace

void RandomCrossLines(CTransitionEffects& fx, const EffectArgs& args)
{
    CStepOverride step(fx, 2);
    const int W = fx.PictureWidth, H = fx.PictureHeight;
    TIntArray columns;
    for (int v = 0; v <= 2 * (W / 2); v += 2)
        columns.Add(v);
    while (columns.Count() > 0) {
        // Two draws in this order: the list entry, then the row.
        const int idx = rtl::rand() % columns.Count();
        const int v = columns[idx];
        const int r = rtl::rand() % H;
        CopyPiece(fx, v, 0, 2, H);
        CopyPiece(fx, 0, r, W, 2);
        columns.Delete(idx);
        if (!EndFrame(fx, args.PauseMs))
            break;
    }
}

void RollDown(CTransitionEffects& fx, const EffectArgs& args)
{
    RollForward(fx, args, true);
}

void RollRight(CTransitionEffects& fx, const EffectArgs& args)
{
    RollForward(fx, args, false);
}

// The roll line stops at 1: no frame with every column flat.
void RollLeft(CTransitionEffects& fx, const EffectArgs& args)
{
    RollBackward(fx, args, false, 1);
}

// The roll line reaches 0: a last frame with every row flat.
void RollUp(CTransitionEffects& fx, const EffectArgs& args)
{
    RollBackward(fx, args, true, 0);
}
