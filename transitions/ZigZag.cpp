// Zig-zag effects: the picture is cut into 20 x 20 cells of (W / 20 + 1) x (H / 20 + 1) pixels, which reach
// past the right and bottom edges; one cell is copied per frame, line by line, each line walked the other
// way from the one before, so the snake never breaks. Every walk ends with a copy of the whole picture.
#include "transitions/ZigZag.h"

#include "transitions/EffectKit.h"

namespace {

constexpr int kCells = 20;

struct Cell {
    int Column;
    int Row;
};

// The cell at place pos (0..19) of the line-th line walked.
using CellOfFrame = Cell (*)(int line, int pos);

void WalkGrid(CTransitionEffects& fx, const EffectArgs& args, CellOfFrame cellOf)
{
    const int cw = fx.PictureWidth / kCells + 1;
    const int ch = fx.PictureHeight / kCells + 1;
    for (int n = 0; n < kCells * kCells; ++n) {
        const Cell cell = cellOf(n / kCells, n % kCells);
        CopyPiece(fx, cell.Column * cw, cell.Row * ch, cw, ch);
        if (!EndFrame(fx, args.PauseMs))
            break;
    }
    fx.ShowWithoutEffect();
}

int Along(bool forward, int pos)
{
    return forward ? pos : kCells - 1 - pos;
}

} // namespace

// Rows 0 to 19: even rows left to right, odd rows right to left.
void ZigzagDown(CTransitionEffects& fx, const EffectArgs& args)
{
    WalkGrid(fx, args, [](int line, int pos) {
        const int row = line;
        return Cell{Along(row % 2 == 0, pos), row};
    });
}

// Columns 19 down to 0: odd columns top to bottom, even columns bottom to top.
void ZigzagLeft(CTransitionEffects& fx, const EffectArgs& args)
{
    WalkGrid(fx, args, [](int line, int pos) {
        const int column = kCells - 1 - line;
        return Cell{column, Along(column % 2 == 1, pos)};
    });
}

// Columns 0 to 19: even columns top to bottom, odd columns bottom to top.
void ZigzagRight(CTransitionEffects& fx, const EffectArgs& args)
{
    WalkGrid(fx, args, [](int line, int pos) {
        const int column = line;
        return Cell{column, Along(column % 2 == 0, pos)};
    });
}

// Rows 19 down to 0: odd rows left to right, even rows right to left.
void ZigzagUp(CTransitionEffects& fx, const EffectArgs& args)
{
    WalkGrid(fx, args, [](int line, int pos) {
        const int row = kCells - 1 - line;
        return Cell{Along(row % 2 == 1, pos), row};
    });
}
