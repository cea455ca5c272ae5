// Bounded waiting, started programs and their windows.
#include "tests/e2e/Driver.h"

#include <psapi.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <sstream>

namespace e2e {

namespace {

struct TBoxSearch {
    DWORD Pid;
    std::string Found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<TBoxSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (pid == search->Pid && IsWindowVisible(window) && std::string(name) == "#32770") {
        search->Found = DescribeWindow(window);
        return FALSE;
    }
    return TRUE;
}

// The environment block of this process with the given variables added or replaced.
std::string EnvironmentWith(const std::vector<std::string>& changes)
{
    std::map<std::string, std::string> vars;  // upper-case name -> "NAME=value"
    auto add = [&vars](const std::string& entry) {
        std::string name = entry.substr(0, entry.find('=', 1));
        for (char& c : name)
            c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
        vars[name] = entry;
    };
    if (char* block = GetEnvironmentStringsA()) {
        for (const char* p = block; *p; p += strlen(p) + 1)
            add(p);
        FreeEnvironmentStringsA(block);
    }
    for (const std::string& entry : changes)
        add(entry);
    std::string out;
    for (const auto& var : vars)
        out.append(var.second).push_back('\0');
    out.push_back('\0');
    return out;
}

} // namespace

void PumpMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void Pause(DWORD ms)
{
    const DWORD start = GetTickCount();
    for (DWORD passed = 0; passed < ms; passed = GetTickCount() - start) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - passed, QS_ALLINPUT);
        PumpMessages();
    }
}

testing::AssertionResult WaitUntil(const std::function<bool()>& done, DWORD timeoutMs, const std::string& what,
                                   const std::function<std::string()>& describe)
{
    const DWORD start = GetTickCount();
    for (;;) {
        PumpMessages();
        if (done())
            return testing::AssertionSuccess();
        if (GetTickCount() - start >= timeoutMs)
            break;
        Pause(20);
    }
    testing::AssertionResult failure = testing::AssertionFailure();
    failure << "not within " << timeoutMs << " ms: " << what;
    if (describe)
        failure << "\n" << describe();
    return failure;
}

TProcess::TProcess(const std::string& program, const std::string& args, const std::vector<std::string>& env)
{
    std::string commandLine = "\"" + program + "\"";
    if (!args.empty())
        commandLine += " " + args;
    const std::string folder = program.substr(0, program.find_last_of("\\/") + 1);
    std::string block = env.empty() ? std::string() : EnvironmentWith(env);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                        block.empty() ? nullptr : &block[0], folder.empty() ? nullptr : folder.c_str(), &startup,
                        &Info_)) {
        StartError_ = GetLastError();
        Info_ = {};
    }
}

TProcess::~TProcess()
{
    Kill();
    if (Info_.hThread)
        CloseHandle(Info_.hThread);
    if (Info_.hProcess)
        CloseHandle(Info_.hProcess);
}

std::string CrashOf(const TProcess& process)
{
    const DWORD code = process.CrashCode();
    if (!code)
        return std::string();
    char text[48];
    std::snprintf(text, sizeof text, "crashed with exception 0x%08lX", static_cast<unsigned long>(code));
    return text;
}

testing::AssertionResult ThrowPastEveryCatch(const TProcess& process)
{
    const std::string offset = ReadWholeFile(E2E_THROW_OFFSET);
    HMODULE program = nullptr;
    DWORD size = 0;
    if (offset.empty() || !EnumProcessModules(process.Handle(), &program, sizeof program, &size))
        return testing::AssertionFailure() << "no place to throw from: offset \"" << offset << "\", error "
                                           << GetLastError();
    const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(program) + std::stoul(offset, nullptr, 16);
    const HANDLE thread = CreateRemoteThread(process.Handle(), nullptr, 0,
                                             reinterpret_cast<LPTHREAD_START_ROUTINE>(start), nullptr, 0, nullptr);
    if (!thread)
        return testing::AssertionFailure() << "no thread started: error " << GetLastError();
    CloseHandle(thread);
    return testing::AssertionSuccess();
}

std::string BoxOf(DWORD pid)
{
    TBoxSearch search{pid, {}};
    EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

bool TProcess::Running() const
{
    return Info_.hProcess && WaitForSingleObject(Info_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD TProcess::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    if (Info_.hProcess)
        GetExitCodeProcess(Info_.hProcess, &code);
    return code;
}

DWORD TProcess::CrashCode() const
{
    // Exception codes have the warning or error severity bits set; exit codes of programs and of Kill do not.
    const DWORD code = Running() ? 0 : ExitCode();
    return code >= 0x80000000u ? code : 0;
}

void TProcess::Kill()
{
    if (Running()) {
        TerminateProcess(Info_.hProcess, 0xDEAD);
        WaitForSingleObject(Info_.hProcess, 5000);
    }
}

testing::AssertionResult TProcess::WaitExit(DWORD timeoutMs)
{
    if (!Started())
        return testing::AssertionFailure() << DescribeWindows();
    testing::AssertionResult ended =
        WaitUntil([this] { return !Running(); }, timeoutMs, "process exit", [this] { return DescribeWindows(); });
    if (!ended) {
        Kill();
        ended << "(killed)";
    }
    return ended;
}

namespace {

struct TWindowSearch {
    DWORD Id;
    bool VisibleOnly;
    std::vector<HWND> Found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<TWindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->Id && (!search->VisibleOnly || IsWindowVisible(window)))
        search->Found.push_back(window);
    return TRUE;
}

} // namespace

std::vector<HWND> TProcess::Windows(bool visibleOnly) const
{
    TWindowSearch search{Info_.dwProcessId, visibleOnly, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

testing::AssertionResult TProcess::WaitForWindow(HWND* window, DWORD timeoutMs) const
{
    *window = nullptr;
    return WaitUntil(
        [this, window] {
            const std::vector<HWND> found = Windows();
            *window = found.empty() ? nullptr : found.front();
            return *window != nullptr;
        },
        timeoutMs, "a visible window of the process", [this] { return DescribeWindows(); });
}

std::string TProcess::DescribeWindows() const
{
    std::ostringstream out;
    if (!Started())
        return "the process was not started (CreateProcess error " + std::to_string(StartError_) + ")";
    out << "process " << Id() << (Running() ? " running" : " ended, exit code " + std::to_string(ExitCode()));
    for (HWND window : Windows(false))
        out << "\n  " << DescribeWindow(window);
    return out.str();
}

} // namespace e2e
