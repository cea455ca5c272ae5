// What a run changes for the rest of the system, the task bar (Taskbar.h) and the system's screen-saver-running
// flag, comes back also when the run crashes: the process's unhandled-exception filter, and the terminate
// handler for a C++ exception that no catch takes (which ends the process past the filter), put both back and
// end the process without an error box. Both are in place before either is changed.
#pragma once

// The exit code of a run that a C++ exception ended: abort's.
constexpr unsigned kTerminatedExitCode = 3;

// Installs the filter and the terminate handler; from then on a crash ends the process without an error box.
// Safe to call again.
void InstallCrashRestore();
// Sets or clears the system's screen-saver-running flag; setting it installs the filter first.
void SetScreenSaverRunning(bool running);
