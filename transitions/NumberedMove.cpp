// Numbered Move effects. Members 1 to 4 of each direction are a table of up to three phases over one axis
// (rows or columns), walked by one routine; member 5 stacks twenty strips. Each member runs with its own step
// S in place of the slide's and pauses 2 ms per frame; the longer pauses of some members are plain sleeps
// (no message pumping) inside one frame.
#include "transitions/NumberedMove.h"

#include <algorithm>
#include <cstdlib>

#include "transitions/EffectKit.h"
#include "transitions/MovePiece.h"
#include "transitions/StepOverride.h"

namespace {

enum class Axis { Rows, Columns };

// The two halves of the axis: First holds the lines [0, m), Second the lines [m, L).
enum class Half { First, Second };

// Where the halves meet: at m = L / 2, or at m = L - L / 2 so that the second half is the last L / 2 lines.
enum class Split { AtHalf, ShortSecond };

// Directions along the axis: toward line L (down, right) or toward line 0 (up, left).
constexpr int kTowardEnd = 1;
constexpr int kTowardStart = -1;

enum class PhaseKind { None, Slide, Move };

// One phase of a member.
// Slide: the half slides into a place of its size (its own, or the far side of the axis), entering at the
// side the direction comes from; the frame whose offset passes the half's size draws it whole there.
// Move: the whole half travels from the far side to its own place (the second half toward the end, the
// first toward the start), the background put back over the S lines it leaves; the frame in which it would
// pass its own place draws it exactly there.
// In either kind, PauseMs is slept in the last frame before the half is drawn in its place.
struct Phase {
    PhaseKind Kind = PhaseKind::None;
    Half Part = Half::First;
    bool FarSide = false;       // Slide: into the other half's place
    int Direction = 0;          // Slide: kTowardEnd or kTowardStart
    int PauseMs = 0;
    bool StartsAhead = false;   // Move: the first frame already shows the half one step on
    bool RestoresLast = false;  // Move: the last frame also puts back the lines left behind
};

constexpr Phase SlideIn(Half part, int direction, int pauseMs = 0)
{
    return Phase{PhaseKind::Slide, part, false, direction, pauseMs, false, false};
}

constexpr Phase SlideInFar(Half part, int direction)
{
    return Phase{PhaseKind::Slide, part, true, direction, 0, false, false};
}

constexpr Phase MoveHome(Half part, bool startsAhead, bool restoresLast, int pauseMs = 0)
{
    return Phase{PhaseKind::Move, part, true, 0, pauseMs, startsAhead, restoresLast};
}

struct Member {
    Axis Along;
    int Step;
    Split Halves;
    Phase Phases[3];
};

constexpr Half kFirst = Half::First;    // top or left half
constexpr Half kSecond = Half::Second;  // bottom or right half
constexpr bool kStartsAhead = true, kRedrawsFirst = false;
constexpr bool kRestoresLast = true, kKeepsLast = false;

// Rows: kTowardEnd is down. Columns: kTowardEnd is right.
const Member kMoveDown1{Axis::Rows, 1, Split::AtHalf,
                        {SlideIn(kFirst, kTowardEnd, 1000),
                         SlideIn(kSecond, kTowardEnd)}};
const Member kMoveDown2{Axis::Rows, 1, Split::AtHalf,
                        {SlideIn(kFirst, kTowardEnd),
                         SlideIn(kSecond, kTowardStart)}};
const Member kMoveDown3{Axis::Rows, 1, Split::AtHalf,
                        {SlideInFar(kSecond, kTowardEnd),
                         MoveHome(kSecond, kStartsAhead, kRestoresLast),
                         SlideIn(kFirst, kTowardStart)}};
const Member kMoveDown4{Axis::Rows, 1, Split::AtHalf,
                        {SlideInFar(kSecond, kTowardEnd),
                         MoveHome(kSecond, kStartsAhead, kRestoresLast),
                         SlideIn(kFirst, kTowardEnd)}};
const Member kMoveLeft1{Axis::Columns, 2, Split::AtHalf,
                        {SlideIn(kSecond, kTowardStart, 1000),
                         SlideIn(kFirst, kTowardStart)}};
const Member kMoveLeft2{Axis::Columns, 1, Split::AtHalf,
                        {SlideIn(kSecond, kTowardStart),
                         SlideIn(kFirst, kTowardEnd)}};
const Member kMoveLeft3{Axis::Columns, 1, Split::AtHalf,
                        {SlideInFar(kFirst, kTowardStart),
                         MoveHome(kFirst, kRedrawsFirst, kRestoresLast),
                         SlideIn(kSecond, kTowardEnd)}};
const Member kMoveLeft4{Axis::Columns, 2, Split::AtHalf,
                        {SlideInFar(kFirst, kTowardStart),
                         MoveHome(kFirst, kRedrawsFirst, kRestoresLast),
                         SlideIn(kSecond, kTowardStart)}};
const Member kMoveRight1{Axis::Columns, 2, Split::AtHalf,
                         {SlideIn(kFirst, kTowardEnd, 1000),
                          SlideIn(kSecond, kTowardEnd)}};
const Member kMoveRight2{Axis::Columns, 2, Split::AtHalf,
                         {SlideIn(kFirst, kTowardEnd, 800),
                          SlideIn(kSecond, kTowardStart)}};
const Member kMoveRight3{Axis::Columns, 2, Split::ShortSecond,
                         {SlideInFar(kSecond, kTowardEnd),
                          MoveHome(kSecond, kStartsAhead, kRestoresLast, 1000),
                          SlideIn(kFirst, kTowardStart)}};
const Member kMoveRight4{Axis::Columns, 2, Split::ShortSecond,
                         {SlideInFar(kSecond, kTowardEnd),
                          MoveHome(kSecond, kStartsAhead, kRestoresLast, 1000),
                          SlideIn(kFirst, kTowardEnd)}};
const Member kMoveUp1{Axis::Rows, 2, Split::AtHalf,
                      {SlideIn(kSecond, kTowardStart, 1000),
                       SlideIn(kFirst, kTowardStart)}};
const Member kMoveUp2{Axis::Rows, 2, Split::AtHalf,
                      {SlideIn(kSecond, kTowardStart, 1000),
                       SlideIn(kFirst, kTowardEnd)}};
const Member kMoveUp3{Axis::Rows, 2, Split::AtHalf,
                      {SlideInFar(kFirst, kTowardStart),
                       MoveHome(kFirst, kRedrawsFirst, kKeepsLast, 1000),
                       SlideIn(kSecond, kTowardEnd)}};
const Member kMoveUp4{Axis::Rows, 2, Split::AtHalf,
                      {SlideInFar(kFirst, kTowardStart),
                       MoveHome(kFirst, kRedrawsFirst, kKeepsLast, 1000),
                       SlideIn(kSecond, kTowardStart)}};

// Line ranges of one axis drawn across the whole other side of the picture; with Flipped, line l stands for
// line L - 1 - l, so a strip entering at line L and one entering at line 0 share their arithmetic.
class AxisLines {
public:
    AxisLines(CTransitionEffects& fx, Axis along, bool flipped = false)
        : Fx_(fx), Along_(along), Flipped_(flipped),
          Length_(along == Axis::Rows ? fx.PictureHeight : fx.PictureWidth)
    {
    }

    int Length() const { return Length_; }

    // The picture's lines [from, from + count) to the lines [to, to + count) of the area.
    void Copy(int from, int count, int to) const
    {
        if (Flipped_) {
            from = Length_ - from - count;
            to = Length_ - to - count;
        }
        if (Along_ == Axis::Rows)
            CopyPieceTo(Fx_, 0, from, Fx_.PictureWidth, count, 0, to);
        else
            CopyPieceTo(Fx_, from, 0, count, Fx_.PictureHeight, to, 0);
    }

    // The background back over the lines [from, to) of the area.
    void Restore(int from, int to) const
    {
        if (Flipped_) {
            const int f = Length_ - to;
            to = Length_ - from;
            from = f;
        }
        if (Along_ == Axis::Rows)
            RestoreBackground(Fx_, 0, from, Fx_.PictureWidth, to - from);
        else
            RestoreBackground(Fx_, from, 0, to - from, Fx_.PictureHeight);
    }

private:
    CTransitionEffects& Fx_;
    Axis Along_;
    bool Flipped_;
    int Length_;
};

// Where a phase's half lies and where it goes.
struct HalfPlace {
    int Source;  // first line of the half in the picture
    int Size;
    int Own;     // first line of its own place
    int Far;     // first line of the place of its size at the other side
};

HalfPlace PlaceOf(const AxisLines& lines, Split split, Half part)
{
    const int L = lines.Length();
    const int m = split == Split::AtHalf ? L / 2 : L - L / 2;
    if (part == Half::First)
        return HalfPlace{0, m, 0, L - m};
    return HalfPlace{m, L - m, m, 0};
}

// Draws the slide frame at offset s; true when it was the phase's last frame.
bool SlideFrame(CTransitionEffects& fx, const AxisLines& lines, const Phase& phase, const HalfPlace& half, int s)
{
    const int n = half.Size;
    const int place = phase.FarSide ? half.Far : half.Own;
    if (s > n) {
        Pause(fx, phase.PauseMs);  // a plain sleep: no pumping, no stop check
        lines.Copy(half.Source, n, place);
        return true;
    }
    // The s lines on the leading side of the half, at the side of the place it enters from.
    if (phase.Direction == kTowardEnd)
        lines.Copy(half.Source + n - s, s, place);
    else
        lines.Copy(half.Source, s, place + n - s);
    return false;
}

// Draws the move frame at offset s with step S; true when it was the phase's last frame.
bool MoveFrame(CTransitionEffects& fx, const AxisLines& lines, const Phase& phase, const HalfPlace& half, int s,
               int S)
{
    const int n = half.Size;
    const int direction = phase.Part == Half::Second ? kTowardEnd : kTowardStart;
    const int travelled = s + (phase.StartsAhead ? S : 0);
    const int at = half.Far + direction * travelled;
    const bool last = travelled > std::abs(half.Own - half.Far);
    if (!last || phase.RestoresLast) {
        if (direction == kTowardEnd)
            lines.Restore(at - S, at);
        else
            lines.Restore(at + n, at + n + S);
    }
    if (last) {
        Pause(fx, phase.PauseMs);  // a plain sleep: no pumping, no stop check
        lines.Copy(half.Source, n, half.Own);
        return true;
    }
    lines.Copy(half.Source, n, at);
    return false;
}

void RunMember(CTransitionEffects& fx, const EffectArgs& args, const Member& member)
{
    CStepOverride override(fx, member.Step);
    const AxisLines lines(fx, member.Along);
    for (const Phase& phase : member.Phases) {
        if (phase.Kind == PhaseKind::None)
            break;
        const HalfPlace half = PlaceOf(lines, member.Halves, phase.Part);
        for (int s = 0;; s += fx.Step) {
            const bool last = phase.Kind == PhaseKind::Slide ? SlideFrame(fx, lines, phase, half, s)
                                                             : MoveFrame(fx, lines, phase, half, s, fx.Step);
            if (!EndFrame(fx, args.PauseMs))
                return;
            if (last)
                break;
        }
    }
}

// Twenty strips of L / 20 + 1 lines, each entering whole at the line-L edge and travelling over the
// background toward line 0 until it reaches its place; strip i goes to the lines ending at z * i (the last
// strips, which would reach past L, to the last z lines, in one frame each). fromLineZero mirrors it all.
void StackStrips(CTransitionEffects& fx, const EffectArgs& args, Axis along, bool fromLineZero, int maxStep)
{
    const AxisLines lines(fx, along, fromLineZero);
    const int L = lines.Length();
    const int z = L / 20 + 1;
    CStepOverride override(fx, std::min(maxStep, z));
    const int S = fx.Step;
    for (int i = 1; i <= 20; ++i) {
        const int reach = z * i;
        const int home = std::min(reach, L);  // far edge of the strip's place; its lines are [home - z, home)
        for (int p = 0;; p += S) {
            int edge = std::max(L - p, 0);
            lines.Restore(edge, std::min(L, edge + S));
            const bool done = edge < reach;
            if (done)
                edge = home;
            lines.Copy(home - z, z, edge - z);
            if (!EndFrame(fx, args.PauseMs))
                return;
            if (done)
                break;
        }
    }
}

} // namespace

void MoveDown1(CTransitionEffects& fx, const EffectArgs& args) { RunMember(fx, args, kMoveDown1); }
void MoveDown2(CTransitionEffects& fx, const EffectArgs& args) { RunMember(fx, args, kMoveDown2); }
void MoveDown3(CTransitionEffects& fx, const EffectArgs& args) { RunMember(fx, args, kMoveDown3); }
void MoveDown4(CTransitionEffects& fx, const EffectArgs& args) { RunMember(fx, args, kMoveDown4); }
void MoveLeft1(CTransitionEffects& fx, const EffectArgs& args) { RunMember(fx, args, kMoveLeft1); }
void MoveLeft2(CTransitionEffects& fx, const EffectArgs& args) { RunMember(fx, args, kMoveLeft2); }
void MoveLeft3(CTransitionEffects& fx, const EffectArgs& args) { RunMember(fx, args, kMoveLeft3); }
void MoveLeft4(CTransitionEffects& fx, const EffectArgs& args) { RunMember(fx, args, kMoveLeft4); }
void MoveRight1(CTransitionEffects& fx, const EffectArgs& args) { RunMember(fx, args, kMoveRight1); }
void MoveRight2(CTransitionEffects& fx, const EffectArgs& args) { RunMember(fx, args, kMoveRight2); }
void MoveRight3(CTransitionEffects& fx, const EffectArgs& args) { RunMember(fx, args, kMoveRight3); }
void MoveRight4(CTransitionEffects& fx, const EffectArgs& args) { RunMember(fx, args, kMoveRight4); }
void MoveUp1(CTransitionEffects& fx, const EffectArgs& args) { RunMember(fx, args, kMoveUp1); }
void MoveUp2(CTransitionEffects& fx, const EffectArgs& args) { RunMember(fx, args, kMoveUp2); }
void MoveUp3(CTransitionEffects& fx, const EffectArgs& args) { RunMember(fx, args, kMoveUp3); }
void MoveUp4(CTransitionEffects& fx, const EffectArgs& args) { RunMember(fx, args, kMoveUp4); }

// Strips 1 to 20: Down5 bottom strip first, entering at the top, step 1; Up5 top strip first, entering at the
// bottom; Left5 leftmost first, entering at the right; Right5 rightmost first, entering at the left.
void MoveDown5(CTransitionEffects& fx, const EffectArgs& args) { StackStrips(fx, args, Axis::Rows, true, 1); }
void MoveUp5(CTransitionEffects& fx, const EffectArgs& args) { StackStrips(fx, args, Axis::Rows, false, 2); }
void MoveLeft5(CTransitionEffects& fx, const EffectArgs& args) { StackStrips(fx, args, Axis::Columns, false, 2); }
void MoveRight5(CTransitionEffects& fx, const EffectArgs& args) { StackStrips(fx, args, Axis::Columns, true, 2); }
