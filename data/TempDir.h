// The user's temporary folder.
#pragma once

#include <string>

// The folder as GetTempPathA gives it, normally ending with "\"; "" when it cannot be had.
std::string GetTempDir();
// The file-name part of a name the project gives; "" when that part is empty, "." or "..".
std::string SafeFileName(const std::string& name);
// Where a file the project names goes in the temporary folder: the folder ending in "\" plus only the
// file-name part of name. "" (and a log line) when that part is empty, "." or "..", or there is no folder.
std::string TempFilePath(const std::string& name);
