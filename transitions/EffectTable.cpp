#include "transitions/EffectTable.h"

#include "data/Random.h"

// Each family declares its routines in a header of its own, one include line per family.
#include "transitions/Band.h"
#include "transitions/BlockCenter.h"
#include "transitions/Increase.h"
#include "transitions/Line.h"
#include "transitions/LinesMosaic.h"
#include "transitions/Move.h"
#include "transitions/NumberedMove.h"
#include "transitions/MultiBox.h"
#include "transitions/MultiWipe.h"
#include "transitions/Rain.h"
#include "transitions/RollCrossLines.h"
#include "transitions/Scan.h"
#include "transitions/Checkerboard.h"
#include "transitions/Circle.h"
#include "transitions/CrossWipe.h"
#include "transitions/Diamond.h"
#include "transitions/Ellipse.h"
#include "transitions/FanWipe.h"
#include "transitions/ShowShutter.h"
#include "transitions/Stretch.h"
#include "transitions/Sweep.h"
#include "transitions/Bar.h"
#include "transitions/WedgeBlind.h"
#include "transitions/Wipe.h"
#include "transitions/ZigZag.h"

// One row per line: {routine, argument 1, argument 2, centre, pause per frame in ms, traits}.
const EffectRow g_EffectTable[kEffectCount] = {
    /*   0 Band down large                  */ {BandDown, 20, 0, EffectCentre::None, 20, kUsesStep | kRevealsInPlace},
    /*   1 Band down small                  */ {BandDown, 5, 0, EffectCentre::None, 20, kUsesStep | kRevealsInPlace},
    /*   2 Band from center large           */ {BandFromCenter, 15, 0, EffectCentre::None, 20, kUsesStep | kRevealsInPlace},
    /*   3 Band from center small           */ {BandFromCenter, 5, 0, EffectCentre::None, 20, kUsesStep | kRevealsInPlace},
    /*   4 Band from left-bottom large      */ {BandFromLeftBottom, 15, 0, EffectCentre::None, 10, kUsesStep | kRevealsInPlace},
    /*   5 Band from left-bottom small      */ {BandFromLeftBottom, 5, 0, EffectCentre::None, 10, kUsesStep | kRevealsInPlace},
    /*   6 Band from left-top large         */ {BandFromLeftTop, 15, 0, EffectCentre::None, 20, kUsesStep | kRevealsInPlace},
    /*   7 Band from left-top small         */ {BandFromLeftTop, 5, 0, EffectCentre::None, 20, kUsesStep | kRevealsInPlace},
    /*   8 Band from right-bottom large     */ {BandFromRightBottom, 15, 0, EffectCentre::None, 10, kUsesStep | kRevealsInPlace},
    /*   9 Band from right-bottom small     */ {BandFromRightBottom, 5, 0, EffectCentre::None, 10, kUsesStep | kRevealsInPlace},
    /*  10 Band from right-top large        */ {BandFromRightTop, 15, 0, EffectCentre::None, 10, kUsesStep | kRevealsInPlace},
    /*  11 Band from right-top small        */ {BandFromRightTop, 5, 0, EffectCentre::None, 10, kUsesStep | kRevealsInPlace},
    /*  12 Band left large                  */ {BandLeft, 15, 0, EffectCentre::None, 10, kUsesStep | kRevealsInPlace},
    /*  13 Band left samll                  */ {BandLeft, 5, 0, EffectCentre::None, 10, kUsesStep | kRevealsInPlace},
    /*  14 Band right large                 */ {BandRight, 15, 0, EffectCentre::None, 15, kUsesStep | kRevealsInPlace},
    /*  15 Band right small                 */ {BandRight, 5, 0, EffectCentre::None, 15, kUsesStep | kRevealsInPlace},
    /*  16 Band to center large             */ {BandToCenter, 15, 0, EffectCentre::None, 15, kUsesStep | kRevealsInPlace},
    /*  17 Band to center small             */ {BandToCenter, 5, 0, EffectCentre::None, 15, kUsesStep | kRevealsInPlace},
    /*  18 Band up large                    */ {BandUp, 15, 0, EffectCentre::None, 15, kUsesStep | kRevealsInPlace},
    /*  19 Band up small                    */ {BandUp, 5, 0, EffectCentre::None, 15, kUsesStep | kRevealsInPlace},
    /*  20 Block from center                */ {BlockFromCenter, 0, 0, EffectCentre::None, 30, kRevealsInPlace},
    /*  21 Block to center                  */ {BlockToCenter, 0, 0, EffectCentre::None, 30, kRevealsInPlace},
    /*  22 Center(Diffuse)                  */ {CenterDiffuse, 0, 0, EffectCentre::None, 5, kRevealsInPlace | kFinalCopyOnStop},
    /*  23 Center(Envelop)                  */ {CenterEnvelop, 0, 0, EffectCentre::None, 5, kRevealsInPlace | kFinalCopyOnStop},
    /*  24 Checkerboard down                */ {CheckerboardDown, 0, 0, EffectCentre::None, 20, kRevealsInPlace},
    /*  25 Checkerboard down rebound        */ {CheckerboardDownRebound, 0, 0, EffectCentre::None, 20, kRevealsInPlace},
    /*  26 Checkerboard left                */ {CheckerboardLeft, 0, 0, EffectCentre::None, 20, kRevealsInPlace},
    /*  27 Checkerboard left rebound        */ {CheckerboardLeftRebound, 0, 0, EffectCentre::None, 20, kRevealsInPlace},
    /*  28 Checkerboard right               */ {CheckerboardRight, 0, 0, EffectCentre::None, 20, kRevealsInPlace},
    /*  29 Checkerboard right rebound       */ {CheckerboardRightRebound, 0, 0, EffectCentre::None, 20, kRevealsInPlace},
    /*  30 Checkerboard up                  */ {CheckerboardUp, 0, 0, EffectCentre::None, 20, kRevealsInPlace},
    /*  31 Checkerboard up rebound          */ {CheckerboardUpRebound, 0, 0, EffectCentre::None, 20, kRevealsInPlace},
    /*  32 Circle left-bottom               */ {CircleSweep, 0, 2, EffectCentre::LeftBottom, 1, kRevealsInPlace},
    /*  33 Circle left-top                  */ {CircleSweep, 0, 4, EffectCentre::LeftTop, 1, kRevealsInPlace},
    /*  34 Circle right-bottom              */ {CircleSweep, 0, 3, EffectCentre::RightBottom, 1, kRevealsInPlace},
    /*  35 Circle right-top                 */ {CircleSweep, 1, 4, EffectCentre::RightTop, 1, kRevealsInPlace},
    /*  36 Circle(Center)                   */ {CircleSweep, 0, 4, EffectCentre::Middle, 1, kRevealsInPlace},
    /*  37 Circle(Random)                   */ {CircleSweep, 0, 4, EffectCentre::Random, 1, kRevealsInPlace},
    /*  38 Cross wipe from center           */ {CrossWipeFromCenter, 0, 0, EffectCentre::None, 2, kRevealsInPlace | kFinalCopyOnStop},
    /*  39 Cross wipe to center             */ {CrossWipeToCenter, 0, 0, EffectCentre::None, 2, kRevealsInPlace | kFinalCopyOnStop},
    /*  40 Diamond from center              */ {DiamondFromCenter, 0, 0, EffectCentre::None, 2, kRevealsInPlace | kFinalCopyOnStop},
    /*  41 Diamond to center                */ {DiamondToCenter, 0, 0, EffectCentre::None, 2, kRevealsInPlace | kFinalCopyOnStop},
    /*  42 Ellipse from center              */ {EllipseFromCenter, 0, 0, EffectCentre::None, 2, kRevealsInPlace | kFinalCopyOnStop},
    /*  43 Ellipse to center                */ {EllipseToCenter, 0, 0, EffectCentre::None, 2, kRevealsInPlace | kFinalCopyOnStop},
    /*  44 Ellipse(Random)                  */ {EllipseRandom, 0, 0, EffectCentre::Random, 2, kRevealsInPlace | kFinalCopyOnStop},
    /*  45 Fan wipe                         */ {FanWipe, 0, 0, EffectCentre::None, 2, kRevealsInPlace},
    /*  46 Fan wipe(Anticlockwise)          */ {FanWipeAnticlockwise, 0, 0, EffectCentre::None, 2, kRevealsInPlace},
    /*  47 Increase show                    */ {IncreaseShow, 0, 0, EffectCentre::None, 10, kRevealsInPlace | kFinalCopyOnStop},
    /*  48 Line down                        */ {LineDown, 0, 0, EffectCentre::None, 10, kRevealsInPlace},
    /*  49 Line down rebound                */ {LineDownRebound, 0, 0, EffectCentre::None, 10, kRevealsInPlace},
    /*  50 Line left                        */ {LineLeft, 0, 0, EffectCentre::None, 5, kRevealsInPlace},
    /*  51 Line left rebound                */ {LineLeftRebound, 0, 0, EffectCentre::None, 5, kRevealsInPlace},
    /*  52 Line right                       */ {LineRight, 0, 0, EffectCentre::None, 5, kRevealsInPlace},
    /*  53 Line right rebound               */ {LineRightRebound, 0, 0, EffectCentre::None, 5, kRevealsInPlace},
    /*  54 Line up                          */ {LineUp, 0, 0, EffectCentre::None, 5, kRevealsInPlace},
    /*  55 Line up rebound                  */ {LineUpRebound, 0, 0, EffectCentre::None, 5, kRevealsInPlace},
    /*  56 Lines(Horizontal)                */ {LinesHorizontal, 0, 0, EffectCentre::None, 8, kRevealsInPlace},
    /*  57 Lines(Vertical)                  */ {LinesVertical, 0, 0, EffectCentre::None, 8, kRevealsInPlace},
    /*  58 Mosaic                           */ {Mosaic, 0, 0, EffectCentre::None, 8, kRevealsInPlace},
    /*  59 Move down                        */ {MoveDown, 0, 0, EffectCentre::None, 2, kMovesPicture},
    /*  60 Move down 1                      */ {MoveDown1, 0, 0, EffectCentre::None, 2, kMovesPicture},
    /*  61 Move down 2                      */ {MoveDown2, 0, 0, EffectCentre::None, 2, kMovesPicture},
    /*  62 Move down 3                      */ {MoveDown3, 0, 0, EffectCentre::None, 2, kMovesPicture},
    /*  63 Move down 4                      */ {MoveDown4, 0, 0, EffectCentre::None, 2, kMovesPicture},
    /*  64 Move down 5                      */ {MoveDown5, 0, 0, EffectCentre::None, 2, kMovesPicture},
    /*  65 Move from bottom left            */ {MoveFromBottomLeft, 0, 0, EffectCentre::None, 2, kMovesPicture},
    /*  66 Move from bottom right           */ {MoveFromBottomRight, 0, 0, EffectCentre::None, 2, kMovesPicture},
    /*  67 Move from top left               */ {MoveFromTopLeft, 0, 0, EffectCentre::None, 2, kMovesPicture},
    /*  68 Move from top right              */ {MoveFromTopRight, 0, 0, EffectCentre::None, 2, kMovesPicture},
    /*  69 Move left                        */ {MoveLeft, 0, 0, EffectCentre::None, 2, kMovesPicture},
    /*  70 Move left 1                      */ {MoveLeft1, 0, 0, EffectCentre::None, 2, kMovesPicture},
    /*  71 Move left 2                      */ {MoveLeft2, 0, 0, EffectCentre::None, 2, kMovesPicture},
    /*  72 Move left 3                      */ {MoveLeft3, 0, 0, EffectCentre::None, 2, kMovesPicture},
    /*  73 Move left 4                      */ {MoveLeft4, 0, 0, EffectCentre::None, 2, kMovesPicture},
    /*  74 Move left 5                      */ {MoveLeft5, 0, 0, EffectCentre::None, 2, kMovesPicture},
    /*  75 Move left right                  */ {MoveLeftRight, 0, 0, EffectCentre::None, 2, kMovesPicture},
    /*  76 Move right                       */ {MoveRight, 0, 0, EffectCentre::None, 2, kMovesPicture},
    /*  77 Move right 1                     */ {MoveRight1, 0, 0, EffectCentre::None, 2, kMovesPicture},
    /*  78 Move right 2                     */ {MoveRight2, 0, 0, EffectCentre::None, 2, kMovesPicture},
    /*  79 Move right 3                     */ {MoveRight3, 0, 0, EffectCentre::None, 2, kMovesPicture},
    /*  80 Move right 4                     */ {MoveRight4, 0, 0, EffectCentre::None, 2, kMovesPicture},
    /*  81 Move right 5                     */ {MoveRight5, 0, 0, EffectCentre::None, 2, kMovesPicture},
    /*  82 Move up                          */ {MoveUp, 0, 0, EffectCentre::None, 2, kMovesPicture},
    /*  83 Move up 1                        */ {MoveUp1, 0, 0, EffectCentre::None, 2, kMovesPicture},
    /*  84 Move up 2                        */ {MoveUp2, 0, 0, EffectCentre::None, 2, kMovesPicture},
    /*  85 Move up 3                        */ {MoveUp3, 0, 0, EffectCentre::None, 2, kMovesPicture},
    /*  86 Move up 4                        */ {MoveUp4, 0, 0, EffectCentre::None, 2, kMovesPicture},
    /*  87 Move up 5                        */ {MoveUp5, 0, 0, EffectCentre::None, 2, kMovesPicture},
    /*  88 Move up down                     */ {MoveUpDown, 0, 0, EffectCentre::None, 2, kMovesPicture},
    /*  89 Multi-Box from center            */ {MultiBoxFromCenter, 0, 0, EffectCentre::None, 2, kRevealsInPlace | kFinalCopyOnStop},
    /*  90 Multi-Box to center              */ {MultiBoxToCenter, 0, 0, EffectCentre::None, 2, kRevealsInPlace | kFinalCopyOnStop},
    /*  91 Multi-Wipe from bottom-left      */ {MultiWipeFromBottomLeft, 0, 0, EffectCentre::None, 1, kRevealsInPlace | kFinalCopyOnStop},
    /*  92 Multi-Wipe from bottom-right     */ {MultiWipeFromBottomRight, 0, 0, EffectCentre::None, 1, kRevealsInPlace | kFinalCopyOnStop},
    /*  93 Multi-Wipe from left-top         */ {MultiWipeFromLeftTop, 0, 0, EffectCentre::None, 1, kRevealsInPlace | kFinalCopyOnStop},
    /*  94 Multi-Wipe from right-top        */ {MultiWipeFromRightTop, 0, 0, EffectCentre::None, 1, kRevealsInPlace | kFinalCopyOnStop},
    /*  95 Rain down                        */ {RainDown, 0, 0, EffectCentre::None, 1, kUsesStep | kFinalCopyOnStop | kMovesPicture},
    /*  96 Rain left                        */ {RainLeft, 0, 0, EffectCentre::None, 1, kUsesStep | kFinalCopyOnStop | kMovesPicture},
    /*  97 Rain right                       */ {RainRight, 0, 0, EffectCentre::None, 1, kUsesStep | kFinalCopyOnStop | kMovesPicture},
    /*  98 Rain up                          */ {RainUp, 0, 0, EffectCentre::None, 1, kUsesStep | kFinalCopyOnStop | kMovesPicture},
    /*  99 Random crossLines                */ {RandomCrossLines, 0, 0, EffectCentre::None, 5, kRevealsInPlace},
    /* 100 Roll down                        */ {RollDown, 0, 0, EffectCentre::None, 5, kFinalCopyOnStop | kMovesPicture},
    /* 101 Roll left                        */ {RollLeft, 0, 0, EffectCentre::None, 5, kFinalCopyOnStop | kMovesPicture},
    /* 102 Roll right                       */ {RollRight, 0, 0, EffectCentre::None, 5, kFinalCopyOnStop | kMovesPicture},
    /* 103 Roll up                          */ {RollUp, 0, 0, EffectCentre::None, 5, kFinalCopyOnStop | kMovesPicture},
    /* 104 Scan down                        */ {ScanDown, 0, 0, EffectCentre::None, 2, kRevealsInPlace},
    /* 105 Scan left                        */ {ScanLeft, 0, 0, EffectCentre::None, 5, kRevealsInPlace},
    /* 106 Scan right                       */ {ScanRight, 0, 0, EffectCentre::None, 5, kRevealsInPlace},
    /* 107 Scan to center(Horizontal)       */ {ScanToCenterHorizontal, 0, 0, EffectCentre::None, 5, kRevealsInPlace | kFinalCopyOnStop},
    /* 108 Scan to center(Vertical)         */ {ScanToCenterVertical, 0, 0, EffectCentre::None, 5, kRevealsInPlace | kFinalCopyOnStop},
    /* 109 Scan to edge(Horizontal)         */ {ScanToEdgeHorizontal, 0, 0, EffectCentre::None, 5, kRevealsInPlace | kFinalCopyOnStop},
    /* 110 Scan to edge(Vertical)           */ {ScanToEdgeVertical, 0, 0, EffectCentre::None, 5, kRevealsInPlace | kFinalCopyOnStop},
    /* 111 Scan up                          */ {ScanUp, 0, 0, EffectCentre::None, 5, kRevealsInPlace | kFinalCopyOnStop},
    /* 112 Show from bottom-left            */ {ShowFromBottomLeft, 0, 0, EffectCentre::None, 5, kRevealsInPlace | kFinalCopyOnStop},
    /* 113 Show from bottom-right           */ {ShowFromBottomRight, 0, 0, EffectCentre::None, 5, kRevealsInPlace | kFinalCopyOnStop},
    /* 114 Show from top-left               */ {ShowFromTopLeft, 0, 0, EffectCentre::None, 5, kRevealsInPlace | kFinalCopyOnStop},
    /* 115 Show from top-right              */ {ShowFromTopRight, 0, 0, EffectCentre::None, 5, kRevealsInPlace | kFinalCopyOnStop},
    /* 116 Show left-right                  */ {ShowLeftRight, 0, 0, EffectCentre::None, 2, kFinalCopyOnStop},
    /* 117 Show up-dwon                     */ {ShowUpDown, 0, 0, EffectCentre::None, 2, kFinalCopyOnStop},
    /* 118 Shutter(Horizontal)              */ {ShutterHorizontal, 0, 0, EffectCentre::None, 2, kRevealsInPlace | kFinalCopyOnStop},
    /* 119 Shutter(Vertical)                */ {ShutterVertical, 0, 0, EffectCentre::None, 2, kRevealsInPlace | kFinalCopyOnStop},
    /* 120 Stretch from bottom              */ {StretchFromBottom, 0, 0, EffectCentre::None, 2, kUsesStep | kFinalCopyOnStop},
    /* 121 Stretch from bottom-left         */ {StretchFromBottomLeft, 0, 0, EffectCentre::None, 2, kUsesStep | kFinalCopyOnStop},
    /* 122 Stretch from bottom-right        */ {StretchFromBottomRight, 0, 0, EffectCentre::None, 2, kUsesStep | kFinalCopyOnStop},
    /* 123 Stretch from center              */ {StretchFromCenter, 0, 0, EffectCentre::None, 2, kUsesStep | kFinalCopyOnStop},
    /* 124 Stretch from left                */ {StretchFromLeft, 0, 0, EffectCentre::None, 2, kUsesStep | kFinalCopyOnStop},
    /* 125 Stretch from right               */ {StretchFromRight, 0, 0, EffectCentre::None, 2, kFinalCopyOnStop},
    /* 126 Stretch from top                 */ {StretchFromTop, 0, 0, EffectCentre::None, 2, kUsesStep | kFinalCopyOnStop},
    /* 127 Stretch from top-left            */ {StretchFromTopLeft, 0, 0, EffectCentre::None, 2, kUsesStep | kFinalCopyOnStop},
    /* 128 Stretch from top-right           */ {StretchFromTopRight, 0, 0, EffectCentre::None, 2, kUsesStep | kFinalCopyOnStop},
    /* 129 Sweep down                       */ {SweepDown, 0, 0, EffectCentre::None, 30, kRevealsInPlace | kFinalCopyOnStop},
    /* 130 Sweep left                       */ {SweepLeft, 0, 0, EffectCentre::None, 30, kRevealsInPlace | kFinalCopyOnStop},
    /* 131 Sweep right                      */ {SweepRight, 0, 0, EffectCentre::None, 30, kRevealsInPlace | kFinalCopyOnStop},
    /* 132 Sweep up                         */ {SweepUp, 0, 0, EffectCentre::None, 30, kRevealsInPlace | kFinalCopyOnStop},
    /* 133 Tow bar move down                */ {TowBarMoveDown, 0, 0, EffectCentre::None, 2, 0},
    /* 134 Tow bar move up                  */ {TowBarMoveUp, 0, 0, EffectCentre::None, 2, 0},
    /* 135 Tow bar wipe down                */ {TowBarWipeDown, 0, 0, EffectCentre::None, 2, kRevealsInPlace},
    /* 136 Tow bar wipe up                  */ {TowBarWipeUp, 0, 0, EffectCentre::None, 2, kRevealsInPlace},
    /* 137 Two bar move left                */ {TwoBarMoveLeft, 0, 0, EffectCentre::None, 2, 0},
    /* 138 Two bar move right               */ {TwoBarMoveRight, 0, 0, EffectCentre::None, 2, 0},
    /* 139 Two bar wipe left                */ {TwoBarWipeLeft, 0, 0, EffectCentre::None, 2, kRevealsInPlace},
    /* 140 Two bar wipe right               */ {TwoBarWipeRight, 0, 0, EffectCentre::None, 2, kRevealsInPlace},
    /* 141 Wedge wipe down                  */ {WedgeWipeDown, 0, 0, EffectCentre::None, 2, kRevealsInPlace | kFinalCopyOnStop},
    /* 142 Wedge wipe left                  */ {WedgeWipeLeft, 0, 0, EffectCentre::None, 2, kRevealsInPlace | kFinalCopyOnStop},
    /* 143 Wedge wipe right                 */ {WedgeWipeRight, 0, 0, EffectCentre::None, 2, kRevealsInPlace | kFinalCopyOnStop},
    /* 144 Wedge wipe up                    */ {WedgeWipeUp, 0, 0, EffectCentre::None, 2, kRevealsInPlace | kFinalCopyOnStop},
    /* 145 Window blind down                */ {WindowBlindDown, 0, 0, EffectCentre::None, 30, kRevealsInPlace},
    /* 146 Window blind left                */ {WindowBlindLeft, 0, 0, EffectCentre::None, 30, kRevealsInPlace},
    /* 147 Window blind right               */ {WindowBlindRight, 0, 0, EffectCentre::None, 30, kRevealsInPlace},
    /* 148 Window blind up                  */ {WindowBlindUp, 0, 0, EffectCentre::None, 30, kRevealsInPlace},
    /* 149 Wipe from left-bottom            */ {WipeFromLeftBottom, 0, 0, EffectCentre::None, 2, kRevealsInPlace | kFinalCopyOnStop},
    /* 150 Wipe from left-top               */ {WipeFromLeftTop, 0, 0, EffectCentre::None, 2, kRevealsInPlace | kFinalCopyOnStop},
    /* 151 Wipe from left-top/right-bottom  */ {WipeFromLeftTopRightBottom, 0, 0, EffectCentre::None, 2, kRevealsInPlace | kFinalCopyOnStop},
    /* 152 Wipe from right-bottom           */ {WipeFromRightBottom, 0, 0, EffectCentre::None, 2, kRevealsInPlace | kFinalCopyOnStop},
    /* 153 Wipe from right-top              */ {WipeFromRightTop, 0, 0, EffectCentre::None, 2, kRevealsInPlace | kFinalCopyOnStop},
    /* 154 Wipe from right-top/left-bottom  */ {WipeFromRightTopLeftBottom, 0, 0, EffectCentre::None, 2, kRevealsInPlace | kFinalCopyOnStop},
    /* 155 Wipe to left-top/right-bottom    */ {WipeToLeftTopRightBottom, 0, 0, EffectCentre::None, 2, kRevealsInPlace | kFinalCopyOnStop},
    /* 156 Wipe to right-top/left-bottom    */ {WipeToRightTopLeftBottom, 0, 0, EffectCentre::None, 2, kRevealsInPlace | kFinalCopyOnStop},
    /* 157 Zig-zag down                     */ {ZigzagDown, 0, 0, EffectCentre::None, 25, kRevealsInPlace | kFinalCopyOnStop},
    /* 158 Zig-zag left                     */ {ZigzagLeft, 0, 0, EffectCentre::None, 25, kRevealsInPlace | kFinalCopyOnStop},
    /* 159 Zig-zag right                    */ {ZigzagRight, 0, 0, EffectCentre::None, 25, kRevealsInPlace | kFinalCopyOnStop},
    /* 160 Zig-zag up                       */ {ZigzagUp, 0, 0, EffectCentre::None, 25, kRevealsInPlace | kFinalCopyOnStop},
};

EffectArgs MakeEffectArgs(const EffectRow& row, int width, int height)
{
    EffectArgs args{row.Arg1, row.Arg2, 0, 0, row.PauseMs};
    switch (row.Centre) {
    case EffectCentre::None:
        break;
    case EffectCentre::LeftBottom:
        args.CentreY = height;
        break;
    case EffectCentre::LeftTop:
        break;
    case EffectCentre::RightBottom:
        args.CentreX = width;
        args.CentreY = height;
        break;
    case EffectCentre::RightTop:
        args.CentreX = width;
        break;
    case EffectCentre::Middle:
        args.CentreX = width / 2;
        args.CentreY = height / 2;
        break;
    case EffectCentre::Random:
        // A point in 1..side-1, y drawn first; a side shorter than 2 has no such point and takes its half.
        args.CentreY = height >= 2 ? rtl::rand() % (height - 1) + 1 : height / 2;
        args.CentreX = width >= 2 ? rtl::rand() % (width - 1) + 1 : width / 2;
        break;
    }
    return args;
}
