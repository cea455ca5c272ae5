// The one-shot switches that tie the program into Windows: default screen saver, install command and the
// Windows 9x password change.
#include "classlib/Library.h"
#include "data/FileLog.h"
#include "data/NameFolding.h"
#include "runtime/app.h"

#include <string>
#include <vector>

namespace {

const char kUnit[] = "app";

// A key opened for one scope.
class TRegKey {
public:
    ~TRegKey()
    {
        if (Key_)
            RegCloseKey(Key_);
    }
    HKEY* Receive() { return &Key_; }
    HKEY Get() const { return Key_; }

private:
    HKEY Key_ = nullptr;
};

// The key's default value as text, its variables expanded when it is stored as REG_EXPAND_SZ (as Windows
// stores its commands); "" when it cannot be read. The buffer keeps room for a terminator the stored value
// may lack.
std::string ReadDefaultValue(HKEY root, const std::string& subKey)
{
    TRegKey key;
    if (RegOpenKeyExA(root, subKey.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
        return std::string();
    char text[1024] = {};
    DWORD size = sizeof(text) - 1, type = REG_NONE;
    if (RegQueryValueExA(key.Get(), "", nullptr, &type, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS)
        return std::string();
    if (type != REG_EXPAND_SZ)
        return text;
    std::vector<char> expanded(ExpandEnvironmentStringsA(text, nullptr, 0));
    if (expanded.empty() || !ExpandEnvironmentStringsA(text, expanded.data(), static_cast<DWORD>(expanded.size())))
        return text;
    return expanded.data();
}

} // namespace

std::string InstallCommandLine(const std::string& command, const std::string& path)
{
    const std::string quoted = path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
    std::string line;
    size_t from = 0;
    for (size_t at = command.find("%l"); at != std::string::npos; at = command.find("%l", from)) {
        const bool inQuotes = at > 0 && command[at - 1] == '"' && at + 2 < command.size() && command[at + 2] == '"';
        line += command.substr(from, at - from) + (inQuotes ? path : quoted);
        from = at + 2;
    }
    return line + command.substr(from);
}

bool IsWindows9x()
{
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    return GetVersionExW(&info) && info.dwPlatformId != VER_PLATFORM_WIN32_NT;
}

std::string ShortPath(const std::string& path)
{
    char shortPath[1024] = {};
    const DWORD n = GetShortPathNameA(path.c_str(), shortPath, sizeof(shortPath));
    return n > 0 && n < sizeof(shortPath) ? std::string(shortPath, n) : path;
}

bool CScreensaverApp::SetAsDefaultSaver(const std::string& path)
{
    const std::string saver = UpperAZ(ShortPath(path));
    if (!IsWindows9x()) {
        TRegKey key;
        const LONG created = RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0,
                                             KEY_SET_VALUE, nullptr, key.Receive(), nullptr);
        if (created != ERROR_SUCCESS) {
            ZELT_LOG(kUnit, "Cann't open Control Panel\\Desktop (%ld)", static_cast<long>(created));
            return false;
        }
        // REG_SZ with its terminator, as readers of the value expect.
        const LONG set = RegSetValueExA(key.Get(), "SCRNSAVE.EXE", 0, REG_SZ,
                                        reinterpret_cast<const BYTE*>(saver.c_str()),
                                        static_cast<DWORD>(saver.size() + 1));
        if (set != ERROR_SUCCESS) {
            ZELT_LOG(kUnit, "Cann't write SCRNSAVE.EXE (%ld)", static_cast<long>(set));
            return false;
        }
    } else {
        char folder[1024] = {};
        const UINT n = GetWindowsDirectoryA(folder, sizeof(folder) - 1);
        std::string ini(folder, n < sizeof(folder) ? n : 0);
        if (ini.empty() || ini.back() != '\\')
            ini += '\\';
        ini += "system.ini";
        if (!WritePrivateProfileStringA("boot", "SCRNSAVE.EXE", saver.c_str(), ini.c_str()))
            ZELT_LOG(kUnit, "Cann't write %s (%lu)", ini.c_str(), GetLastError());
    }
    if (!SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, TRUE, nullptr, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE)) {
        ZELT_LOG(kUnit, "Cann't switch the screensaver on (%lu)", GetLastError());
        return false;
    }
    return true;
}

void CScreensaverApp::InstallSaver(const std::string& path)
{
    const std::string saver = ShortPath(path);
    const std::string fileClass = ReadDefaultValue(HKEY_CLASSES_ROOT, ".scr");
    if (fileClass.empty()) {
        ZELT_LOG(kUnit, "no file class for .scr");
        return;
    }
    const std::string command = ReadDefaultValue(HKEY_CLASSES_ROOT, fileClass + "\\shell\\install\\command");
    if (command.empty()) {
        ZELT_LOG(kUnit, "no install command for %s", fileClass.c_str());
        return;
    }
    const std::string line = InstallCommandLine(command, saver);
    const UINT started = WinExec(line.c_str(), SW_SHOW);
    if (started <= 31)
        ZELT_LOG(kUnit, "Cann't run the install command %s (%u)", line.c_str(), started);
}

void CScreensaverApp::ChangePassword9x(HWND window)
{
    if (!IsWindows9x())
        return;
    TLibrary mpr("MPR.DLL");
    if (!mpr)
        return;
    using TPwdChangePassword = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, LPVOID);
    if (auto change = mpr.Find<TPwdChangePassword>("PwdChangePasswordA"))
        change("SCRSAVE", window, 0, nullptr);
}
