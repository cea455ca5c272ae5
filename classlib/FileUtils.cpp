#include "classlib/FileUtils.h"

#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

std::string::size_type LastSeparator(const std::string& path)
{
#ifdef _WIN32
    return path.find_last_of("\\/:");
#else
    return path.find_last_of("\\/");
#endif
}

} // namespace

bool FileExists(const std::string& path)
{
#ifdef _WIN32
    const DWORD attr = GetFileAttributesA(path.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
#else
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
#endif
}

bool DeleteFileIfExists(const std::string& path)
{
    if (!FileExists(path))
        return true;
    return std::remove(path.c_str()) == 0;
}

bool RenameReplacing(const std::string& source, const std::string& target)
{
#ifdef _WIN32
    return MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
#else
    return std::rename(source.c_str(), target.c_str()) == 0;
#endif
}

std::string ExtractFilePath(const std::string& path)
{
    const auto sep = LastSeparator(path);
    return sep == std::string::npos ? std::string() : path.substr(0, sep + 1);
}

std::string ExtractFileName(const std::string& path)
{
    const auto sep = LastSeparator(path);
    return sep == std::string::npos ? path : path.substr(sep + 1);
}

std::string ExtractFileExt(const std::string& path)
{
    const std::string name = ExtractFileName(path);
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string ChangeFileExt(const std::string& path, const std::string& ext)
{
    const std::string oldExt = ExtractFileExt(path);
    return path.substr(0, path.size() - oldExt.size()) + ext;
}
