// File-name and file-system helpers in the class library's manner (8-bit paths, "\" or "/" as separators).
#pragma once

#include <string>

bool FileExists(const std::string& path);
bool DeleteFileIfExists(const std::string& path);
// Replaces target by source in one step (the target is never deleted first); false on failure.
bool RenameReplacing(const std::string& source, const std::string& target);
// Folder part of a path including its trailing separator; "" when the path has none.
std::string ExtractFilePath(const std::string& path);
// The part after the last separator.
std::string ExtractFileName(const std::string& path);
// The extension including its dot ("" when none), taken from the file-name part only.
std::string ExtractFileExt(const std::string& path);
std::string ChangeFileExt(const std::string& path, const std::string& ext);
