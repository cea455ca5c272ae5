// Stands in for a program the screen saver starts: appends its command line to "recorder.txt" beside itself
// and exits with the platform id GetVersionExW reports. Words on its command line:
//   --sleep     hang for a minute first;
//   --mpr       call PwdChangePasswordA of "MPR.DLL" as the runtime does (LoadLibraryA by name);
//   --password  call VerifyScreenSavePwd of "PASSWORD.CPL" the same way;
//   --crash     write through a null pointer (last).
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Loads a DLL by name as the runtime does and calls one export with the given call.
template <class F, class Call>
void CallByName(const char* dll, const char* name, Call call)
{
    if (HMODULE module = LoadLibraryA(dll)) {
        if (FARPROC proc = GetProcAddress(module, name))
            call(reinterpret_cast<F>(reinterpret_cast<void (*)()>(proc)));
        FreeLibrary(module);
    }
}

} // namespace

int main()
{
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path = self;
    path = path.substr(0, path.find_last_of('\\') + 1) + "recorder.txt";
    const char* commandLine = GetCommandLineA();
    if (FILE* f = std::fopen(path.c_str(), "ab")) {
        std::fprintf(f, "%s\n", commandLine);
        std::fclose(f);
    }
    if (std::strstr(commandLine, "--sleep"))
        Sleep(60000);
    if (std::strstr(commandLine, "--mpr"))
        CallByName<DWORD(WINAPI*)(LPCSTR, HWND, DWORD, LPVOID)>(
            "MPR.DLL", "PwdChangePasswordA", [](auto change) { change("SCRSAVE", nullptr, 0, nullptr); });
    if (std::strstr(commandLine, "--password"))
        CallByName<BOOL(WINAPI*)(HWND)>("PASSWORD.CPL", "VerifyScreenSavePwd",
                                       [](auto verify) { verify(nullptr); });
    if (std::strstr(commandLine, "--crash"))
        *static_cast<volatile int*>(nullptr) = 1;
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExW(&version);
    return static_cast<int>(version.dwPlatformId);
}
