// The start modes the command line selects.
#pragma once

enum TScrMode { smConfigure = 1, smChangePassword = 2, smPreview = 3, smSaver = 4, smRunAsExe = 5 };
