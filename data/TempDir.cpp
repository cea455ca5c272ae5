#include "data/TempDir.h"

#include "classlib/FileUtils.h"
#include "data/FileLog.h"

#include <windows.h>

std::string GetTempDir()
{
    char path[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathA(MAX_PATH, path);
    // A folder of MAX_PATH characters or more does not fit the buffer: n is then the size it would need.
    if (n == 0 || n >= MAX_PATH) {
        ZELT_LOG("TempDir", "no temporary folder (%lu)", static_cast<unsigned long>(n));
        return std::string();
    }
    return std::string(path, n);
}

std::string SafeFileName(const std::string& name)
{
    const std::string file = ExtractFileName(name);
    return file == "." || file == ".." ? std::string() : file;
}

std::string TempFilePath(const std::string& name)
{
    const std::string file = SafeFileName(name);
    if (file.empty()) {
        ZELT_LOG("TempDir", "no file name in \"%.200s\"", name.c_str());
        return std::string();
    }
    std::string folder = GetTempDir();
    if (folder.empty())
        return std::string();
    if (folder.back() != '\\')
        folder += '\\';
    return folder + file;
}
