// Registry values read and written the way the runtime does (8-bit texts), and Wine's per-program settings.
#include "tests/e2e/Driver.h"

#include <shlwapi.h>

namespace e2e {

namespace {

// Type and bytes of a value; nothing when the key or the value is missing.
std::optional<std::pair<DWORD, std::string>> ReadValue(HKEY root, const std::string& key, const std::string& value,
                                                       REGSAM view = 0)
{
    HKEY k = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE | view, &k) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0, size = 0;
    std::optional<std::pair<DWORD, std::string>> out;
    if (RegQueryValueExA(k, value.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        std::string bytes(size, '\0');
        if (RegQueryValueExA(k, value.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&bytes[0]), &size) ==
            ERROR_SUCCESS) {
            bytes.resize(size);
            out = std::make_pair(type, bytes);
        }
    }
    RegCloseKey(k);
    return out;
}

bool WriteValue(HKEY root, const std::string& key, const std::string& value, DWORD type, const std::string& bytes)
{
    HKEY k = nullptr;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr) != ERROR_SUCCESS)
        return false;
    const bool ok = RegSetValueExA(k, value.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                                   static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
    RegCloseKey(k);
    return ok;
}

} // namespace

std::optional<std::string> ReadRegString(HKEY root, const std::string& key, const std::string& value, REGSAM view)
{
    auto v = ReadValue(root, key, value, view);
    if (!v || (v->first != REG_SZ && v->first != REG_EXPAND_SZ))
        return std::nullopt;
    std::string text = v->second;
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    return text;
}

std::optional<DWORD> ReadRegDword(HKEY root, const std::string& key, const std::string& value)
{
    auto v = ReadValue(root, key, value);
    if (!v || v->first != REG_DWORD || v->second.size() != 4)
        return std::nullopt;
    DWORD number = 0;
    memcpy(&number, v->second.data(), 4);
    return number;
}

std::optional<std::string> ReadRegBinary(HKEY root, const std::string& key, const std::string& value)
{
    auto v = ReadValue(root, key, value);
    return v ? std::optional<std::string>(v->second) : std::nullopt;
}

bool WriteRegString(HKEY root, const std::string& key, const std::string& value, const std::string& text,
                    DWORD type)
{
    return WriteValue(root, key, value, type, std::string(text.c_str(), text.size() + 1));
}

bool WriteRegDword(HKEY root, const std::string& key, const std::string& value, DWORD number)
{
    return WriteValue(root, key, value, REG_DWORD, std::string(reinterpret_cast<const char*>(&number), 4));
}

bool WriteRegBinary(HKEY root, const std::string& key, const std::string& value, const std::string& bytes)
{
    return WriteValue(root, key, value, REG_BINARY, bytes);
}

bool DeleteRegValue(HKEY root, const std::string& key, const std::string& value)
{
    HKEY k = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_SET_VALUE, &k) != ERROR_SUCCESS)
        return false;
    const bool ok = RegDeleteValueA(k, value.c_str()) == ERROR_SUCCESS;
    RegCloseKey(k);
    return ok;
}

bool DeleteRegKey(HKEY root, const std::string& key)
{
    return SHDeleteKeyA(root, key.c_str()) == ERROR_SUCCESS;
}

namespace {

const char kWineSystemParameters[] = "Software\\Wine\\Temporary System Parameters\\Control Panel\\Desktop";

} // namespace

std::optional<bool> ScreenSaverRunningFlag()
{
    const auto text = ReadRegString(HKEY_CURRENT_USER, kWineSystemParameters, "WINE_ScreenSaverRunning");
    return text ? std::optional<bool>(*text != "0") : std::nullopt;
}

bool SetScreenSaverRunningFlag(bool running)
{
    return WriteRegString(HKEY_CURRENT_USER, kWineSystemParameters, "WINE_ScreenSaverRunning", running ? "1" : "0");
}

TRegValueRestore::TRegValueRestore(HKEY root, const std::string& key, const std::string& value)
    : Root_(root), Key_(key), Value_(value), Saved_(ReadValue(root, key, value))
{
}

TRegValueRestore::~TRegValueRestore()
{
    if (Saved_)
        WriteValue(Root_, Key_, Value_, Saved_->first, Saved_->second);
    else
        DeleteRegValue(Root_, Key_, Value_);
}

TWineAppDefaults::TWineAppDefaults(const std::string& exeName)
    : Key_("Software\\Wine\\AppDefaults\\" + exeName.substr(exeName.find_last_of("\\/") + 1))
{
}

TWineAppDefaults::~TWineAppDefaults()
{
    DeleteRegKey(HKEY_CURRENT_USER, Key_);
}

bool TWineAppDefaults::SetVersion(const std::string& version)
{
    return WriteRegString(HKEY_CURRENT_USER, Key_, "Version", version);
}

bool TWineAppDefaults::SetDllOverride(const std::string& dll, const std::string& order)
{
    return WriteRegString(HKEY_CURRENT_USER, Key_ + "\\DllOverrides", dll, order);
}

bool TWineAppDefaults::SetUnmanaged()
{
    return WriteRegString(HKEY_CURRENT_USER, Key_ + "\\X11 Driver", "Managed", "N");
}

} // namespace e2e
