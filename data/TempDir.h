// The user's temporary folder.
#pragma once

#include <string>

// The folder as GetTempPathA gives it, normally ending with "\"; "" when it cannot be had.
std::string GetTempDir();
