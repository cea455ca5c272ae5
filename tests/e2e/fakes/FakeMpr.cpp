// MPR.DLL of Windows 9x as the password change uses it: records the call to "mpr.txt" beside itself.
#include "tests/e2e/fakes/FakeFile.h"

extern "C" __declspec(dllexport) DWORD WINAPI PwdChangePasswordA(LPCSTR provider, HWND window, DWORD a, LPVOID b)
{
    AppendLine("mpr.txt", std::string("PwdChangePasswordA ") + (provider ? provider : "(null)") + " " +
                              std::to_string(reinterpret_cast<uintptr_t>(window)) + " " + std::to_string(a) + " " +
                              std::to_string(reinterpret_cast<uintptr_t>(b)));
    return 0;
}
