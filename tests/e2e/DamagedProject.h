// Damaged copies of one project, made from a seed, and runs of the saver on each: the campaign that checks
// that no damage to the appended database crashes, hangs or boxes the saver or leaves files behind.
#pragma once

#include "data/TableFormat.h"
#include "tests/e2e/Driver.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace e2e {

struct TDamagedCase {
    // What was damaged, enough to make the case again by hand; positions count from the database's first byte.
    std::string Description;
    std::string Tail;         // what follows the runtime in the program file: database, then trailer
};

// Makes case n of a seed from the project's tables: every fourth case a cut at a structure boundary (going
// through them all in turn), the others hostile contents, numbers of the structure set to edge values, or
// blind bit and byte damage. The bytes of runtime libraries are left alone: they are code, not data.
class TDamageGenerator {
public:
    // base: where the database starts in the program file (the runtime's size).
    TDamageGenerator(std::vector<TableSpec> tables, int32_t base);
    TDamagedCase Make(uint32_t seed, int n) const;
    // The undamaged tail.
    std::string Intact() const;
    size_t BoundaryCount() const;

private:
    std::vector<TableSpec> Tables_;
    int32_t Base_;
};

// Outcome of one run; a case fails when any flag is set.
struct TRunOutcome {
    bool Crash = false;     // an exception ended it, or an exit code other than 0
    bool Hang = false;      // no window and no end, or no close after the move
    bool Box = false;       // a dialog-class window of the saver
    bool Leftover = false;  // files in its temporary folder, or the running flag changed
    std::string Details;
    int CloseMs = -1;       // from the mouse move to the window's end
    bool Failed() const { return Crash || Hang || Box || Leftover; }
};

// Starts the saver "/s" on a damaged program file with a private temporary folder, closes it with a real
// mouse move once close events are armed, and judges the run. A failing case's program file, log and
// description are kept in the folder's "failures".
class TDamageRunner {
public:
    explicit TDamageRunner(const TTestFolder& folder);
    TRunOutcome Run(const TDamagedCase& c, int n);

private:
    const TTestFolder& Folder_;
    std::string Runtime_;  // the runtime program's bytes
    std::string Scr_, Temp_;
    TWineAppDefaults Unmanaged_;
};

} // namespace e2e
