// PASSWORD.CPL of Windows 9x as the saver's close check uses it. "password-answer.txt" beside it says
// "allow" or "refuse" and how many ms the prompt lasts; meanwhile it pumps messages as a modal prompt does.
// Each call is recorded to "password.txt" with the cursor's display count (shown while it is 0 or more).
#include "tests/e2e/fakes/FakeFile.h"

#include <fstream>

extern "C" __declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND window)
{
    std::string answer = "refuse";
    unsigned long pauseMs = 0;
    std::ifstream(BesideThisModule("password-answer.txt")) >> answer >> pauseMs;
    const DWORD start = GetTickCount();
    for (bool quit = false; !quit && GetTickCount() - start < pauseMs;) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG msg;
        while (!quit && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            quit = msg.message == WM_QUIT;
            if (quit) {
                PostQuitMessage(static_cast<int>(msg.wParam));  // a modal loop ends and leaves it to its caller
            } else {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
    }
    // The count as ShowCursor keeps it for this thread (GetCursorInfo under Wine does not follow it).
    const int cursorCount = ShowCursor(TRUE) - 1;
    ShowCursor(FALSE);
    const bool allow = answer == "allow";
    AppendLine("password.txt", "VerifyScreenSavePwd " + std::to_string(reinterpret_cast<uintptr_t>(window)) +
                                   " cursor " + std::to_string(cursorCount) + " " + (allow ? "allow" : "refuse"));
    return allow;
}
