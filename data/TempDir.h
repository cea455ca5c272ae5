// The user's temporary folder.
#pragma once

#include <string>

// The folder as GetTempPathA gives it, normally ending with "\"; "" when it cannot be had.
std::string GetTempDir();
// Where a file the project names goes in the temporary folder: the folder ending in "\" plus only the
// file-name part of name. "" (and a log line) when that part is empty, "." or "..", or there is no folder.
std::string TempFilePath(const std::string& name);
