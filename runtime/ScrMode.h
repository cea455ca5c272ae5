// The start mode, decided from the command line and the project.
#pragma once

enum TScrMode : int {
    smNone = 0,  // no switch letter was recognised
    smConfigure = 1,
    smChangePassword = 2,
    smPreview = 3,
    smSaver = 4,
    smRunAsExe = 5,
};
