#include "data/FileLog.h"

#include <cstdarg>
#include <cstring>
#include <ctime>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>
#endif

CFileLog* g_FileLog = nullptr;

namespace {

const char kBegin[] = "----------------------------Begin-----------------------------";
const char kEnd[] = "----------------------------End-------------------------------";

// The folder of the running program with its trailing "\", or "" when it cannot be told.
std::string ProgramFolder()
{
#ifdef _WIN32
    char path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return std::string();
    const char* slash = std::strrchr(path, '\\');
    return slash ? std::string(static_cast<const char*>(path), slash + 1) : std::string();
#else
    char path[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return std::string();
    const char* slash = std::strrchr(path, '/');
    return slash ? std::string(static_cast<const char*>(path), slash + 1) : std::string();
#endif
}

bool Exists(const std::string& path)
{
#ifdef _WIN32
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA(path.c_str(), &data);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    FindClose(h);
    return true;
#else
    struct stat st;
    return stat(path.c_str(), &st) == 0;
#endif
}

long TickCount()
{
#ifdef _WIN32
    return static_cast<long>(static_cast<int>(GetTickCount()));
#else
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long>(static_cast<int>(ts.tv_sec * 1000 + ts.tv_nsec / 1000000));
#endif
}

} // namespace

CFileLog::CFileLog()
{
    const std::string folder = ProgramFolder();
    if (!folder.empty())
        OpenIfExists(folder + "zelt.log");
}

CFileLog::CFileLog(const std::string& logPath)
{
    OpenIfExists(logPath);
}

void CFileLog::OpenIfExists(const std::string& logPath)
{
    if (!Exists(logPath))
        return;
    File = std::fopen(logPath.c_str(), "a");
    if (!File)
        return;
    std::fseek(File, 0, SEEK_END);
    Write(kBegin);
}

CFileLog::~CFileLog()
{
    if (!File)
        return;
    Write(kEnd);
    std::fclose(File);
}

void CFileLog::Write(const std::string& text)
{
    if (!File)
        return;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
    std::fprintf(File, "[%s] : %s\n", stamp, text.c_str());
    std::fflush(File);
}

void CFileLog::Print(const char* format, ...)
{
    if (!File)
        return;
    char buffer[1024];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (n <= 0 || buffer[0] == '\0')
        return;
    Write(buffer);
}

void CFileLog::Where(const char* unit, int line)
{
    if (!File)
        return;
    char base[40];
    ExtractBaseName(unit ? unit : "", base, sizeof base);
    std::fprintf(File, "(%ld)[%s,(%d)] : ", TickCount(), base, line);
}

bool ExtractBaseName(const char* path, char* dest, std::size_t destSize)
{
    if (!dest || destSize == 0)
        return false;
    const char* slash = path ? std::strrchr(path, '\\') : nullptr;
    const char* name = slash ? slash + 1 : (path ? path : "");
    std::size_t n = std::strlen(name);
    if (n > destSize - 1)
        n = destSize - 1;
    std::memcpy(dest, name, n);
    dest[n] = '\0';
    return true;
}
