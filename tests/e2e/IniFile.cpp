// Ini-file keys as the Windows 9x branch of the runtime writes them.
#include "tests/e2e/Driver.h"

namespace e2e {

std::string SystemIniPath()
{
    char folder[MAX_PATH] = {};
    GetWindowsDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\system.ini";
}

std::optional<std::string> ReadIniString(const std::string& path, const std::string& section, const std::string& key)
{
    // Two different defaults tell a missing key from one that holds either of them.
    char first[1024] = {}, second[1024] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "\x01", first, sizeof first, path.c_str());
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "\x02", second, sizeof second, path.c_str());
    if (std::string(first) == "\x01" && std::string(second) == "\x02")
        return std::nullopt;
    return std::string(first);
}

TIniValueRestore::TIniValueRestore(const std::string& path, const std::string& section, const std::string& key)
    : Path_(path), Section_(section), Key_(key), Saved_(ReadIniString(path, section, key))
{
}

TIniValueRestore::~TIniValueRestore()
{
    WritePrivateProfileStringA(Section_.c_str(), Key_.c_str(), Saved_ ? Saved_->c_str() : nullptr, Path_.c_str());
}

} // namespace e2e
