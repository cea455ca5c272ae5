// What a run changes for the rest of the system, the task bar (Taskbar.h) and the system's screen-saver-running
// flag, comes back also when the run crashes: the process's unhandled-exception filter puts both back and ends
// the process without an error box. The filter is in place before either is changed.
#pragma once

// Installs the filter; from then on a crash ends the process without an error box. Safe to call again.
void InstallCrashRestore();
// Sets or clears the system's screen-saver-running flag; setting it installs the filter first.
void SetScreenSaverRunning(bool running);
