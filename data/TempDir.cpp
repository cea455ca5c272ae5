#include "data/TempDir.h"

#include "data/FileLog.h"

#include <windows.h>

std::string GetTempDir()
{
    char path[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathA(MAX_PATH, path);
    if (n == 0 || n > MAX_PATH) {
        ZELT_LOG("TempDir", "no temporary folder (%lu)", static_cast<unsigned long>(n));
        return std::string();
    }
    return std::string(path, n);
}
