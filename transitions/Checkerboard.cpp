#include "transitions/Checkerboard.h"

#include "transitions/EffectKit.h"

namespace {

constexpr int kCells = 20;

enum class Walk { Rows, Columns };
enum class Order { Forward, Backward };  // lines 0 to 19, or 19 to 0

struct Board {
    Walk Lines;
    int CellW;
    int CellH;
};

// One pass, one frame per line: the ten cells of the line whose row + column parity is `parity`
// (0 in the first pass, 1 in the second), left to right or top to bottom. False on a stop request.
bool RunPass(CTransitionEffects& fx, const Board& board, Order order, int parity, int pauseMs)
{
    for (int k = 0; k < kCells; ++k) {
        const int line = order == Order::Forward ? k : kCells - 1 - k;
        for (int cell = (line + parity) % 2; cell < kCells; cell += 2) {
            const int row = board.Lines == Walk::Rows ? line : cell;
            const int col = board.Lines == Walk::Rows ? cell : line;
            CopyPiece(fx, col * board.CellW, row * board.CellH, board.CellW, board.CellH);
        }
        if (!EndFrame(fx, pauseMs))
            return false;
    }
    return true;
}

// 20 cells always cover the picture: the last row and column reach past it and are cut to it.
// No final copy: after both passes every cell has been drawn once.
void RunBoard(CTransitionEffects& fx, const EffectArgs& args, Walk lines, Order first, Order second)
{
    const Board board{lines, (fx.PictureWidth + kCells) / kCells, (fx.PictureHeight + kCells) / kCells};
    if (RunPass(fx, board, first, 0, args.PauseMs))
        RunPass(fx, board, second, 1, args.PauseMs);
}

} // namespace

void CheckerboardDown(CTransitionEffects& fx, const EffectArgs& args)
{
    RunBoard(fx, args, Walk::Rows, Order::Forward, Order::Forward);
}

void CheckerboardDownRebound(CTransitionEffects& fx, const EffectArgs& args)
{
    RunBoard(fx, args, Walk::Rows, Order::Forward, Order::Backward);
}

void CheckerboardLeft(CTransitionEffects& fx, const EffectArgs& args)
{
    RunBoard(fx, args, Walk::Columns, Order::Forward, Order::Forward);
}

void CheckerboardLeftRebound(CTransitionEffects& fx, const EffectArgs& args)
{
    RunBoard(fx, args, Walk::Columns, Order::Forward, Order::Backward);
}

void CheckerboardRight(CTransitionEffects& fx, const EffectArgs& args)
{
    RunBoard(fx, args, Walk::Columns, Order::Backward, Order::Backward);
}

void CheckerboardRightRebound(CTransitionEffects& fx, const EffectArgs& args)
{
    RunBoard(fx, args, Walk::Columns, Order::Backward, Order::Forward);
}

void CheckerboardUp(CTransitionEffects& fx, const EffectArgs& args)
{
    RunBoard(fx, args, Walk::Rows, Order::Backward, Order::Backward);
}

void CheckerboardUpRebound(CTransitionEffects& fx, const EffectArgs& args)
{
    RunBoard(fx, args, Walk::Rows, Order::Backward, Order::Forward);
}
