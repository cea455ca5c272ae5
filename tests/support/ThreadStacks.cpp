#include "tests/support/ThreadStacks.h"

#include <dbghelp.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <memory>
#include <vector>

namespace {

struct THandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using THandle = std::unique_ptr<void, THandleCloser>;

// Up to this much of a thread's stack, from its stack pointer up, is kept to look for the program's frames in.
constexpr size_t kStackKept = 256 * 1024;

} // namespace

// Each thread is stopped only while its registers and stack are copied: one that holds the heap's lock must not
// stay stopped while the walk allocates, so the copy's room is taken before it stops. A thread that runs on
// meanwhile may end and give its stack back; the walk then reads the copy, never the thread's memory.
std::vector<TThreadSnapshot> OtherThreadsSnapshots()
{
    std::vector<TThreadSnapshot> threads;
    const HANDLE all = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (all == INVALID_HANDLE_VALUE)
        return threads;
    const THandle snapshot(all);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot.get(), &entry); more; more = Thread32Next(snapshot.get(), &entry)) {
        if (entry.th32OwnerProcessID != GetCurrentProcessId() || entry.th32ThreadID == GetCurrentThreadId())
            continue;
        const THandle thread(OpenThread(THREAD_SUSPEND_RESUME | THREAD_GET_CONTEXT, FALSE, entry.th32ThreadID));
        if (!thread)
            continue;
        TThreadSnapshot t{entry.th32ThreadID, {}, std::vector<unsigned char>(kStackKept)};
        if (SuspendThread(thread.get()) == static_cast<DWORD>(-1))
            continue;
        t.Context.ContextFlags = CONTEXT_CONTROL | CONTEXT_INTEGER;
        const bool read = GetThreadContext(thread.get(), &t.Context);
        MEMORY_BASIC_INFORMATION region{};
        if (read) {
#ifdef _WIN64
            const auto stackPointer = static_cast<DWORD_PTR>(t.Context.Rsp);
#else
            const auto stackPointer = static_cast<DWORD_PTR>(t.Context.Esp);
#endif
            if (VirtualQuery(reinterpret_cast<void*>(stackPointer), &region, sizeof region) &&
                region.State == MEM_COMMIT) {
                const DWORD_PTR end = reinterpret_cast<DWORD_PTR>(region.BaseAddress) + region.RegionSize;
                const size_t size = end - stackPointer < kStackKept ? end - stackPointer : kStackKept;
                std::memcpy(t.Stack.data(), reinterpret_cast<const void*>(stackPointer), size);
                t.Stack.resize(size);
            } else {
                t.Stack.clear();
            }
        }
        ResumeThread(thread.get());
        if (read)
            threads.push_back(std::move(t));
    }
    return threads;
}

namespace {

void AppendFrame(std::string& out, HANDLE process, DWORD64 address, const char* mark = "")
{
    alignas(SYMBOL_INFO) char buffer[sizeof(SYMBOL_INFO) + 256] = {};
    auto* symbol = reinterpret_cast<SYMBOL_INFO*>(buffer);
    symbol->SizeOfStruct = sizeof(SYMBOL_INFO);
    symbol->MaxNameLen = 255;
    DWORD64 offset = 0;
    char module[MAX_PATH] = "?";
    GetModuleFileNameA(reinterpret_cast<HMODULE>(SymGetModuleBase64(process, address)), module, MAX_PATH);
    const char* moduleName = module;
    for (const char* p = module; *p; ++p)
        if (*p == '\\' || *p == '/')
            moduleName = p + 1;
    char text[MAX_PATH + 300];
    std::snprintf(text, sizeof text, "  %08llx %s!%s", static_cast<unsigned long long>(address), moduleName,
                  SymFromAddr(process, address, &offset, symbol) ? symbol->Name : "?");
    out += text;
    IMAGEHLP_LINE64 line{};
    line.SizeOfStruct = sizeof line;
    DWORD column = 0;
    // A return address's line is the call's, one byte before it.
    if (SymGetLineFromAddr64(process, address - 1, &column, &line)) {
        std::snprintf(text, sizeof text, " %s:%lu", line.FileName, line.LineNumber);
        out += text;
    }
    out += mark;
    out += '\n';
}

bool InProgram(DWORD64 address)
{
    const auto* base = reinterpret_cast<const char*>(GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    return address >= reinterpret_cast<DWORD_PTR>(base) &&
           address < reinterpret_cast<DWORD_PTR>(base) + nt->OptionalHeader.SizeOfImage;
}

// A return address: the instruction before it is a call (direct, or through a register or memory).
bool FollowsCall(DWORD64 address)
{
    const auto* code = reinterpret_cast<const unsigned char*>(static_cast<DWORD_PTR>(address));
    const auto indirect = [&](int back) { return code[-back] == 0xFF && ((code[1 - back] >> 3) & 7) == 2; };
    return code[-5] == 0xE8 || indirect(2) || indirect(3) || indirect(6) || indirect(7);
}

// Where the walk does not reach the program (it stops in a system call's stub that has no unwind data), the
// program's own code addresses are picked out of the thread's stack as copied: likely frames, marked as found so.
void AppendScannedFrames(std::string& out, HANDLE process, const std::vector<unsigned char>& stack)
{
    int found = 0;
    for (size_t at = 0; at + sizeof(DWORD_PTR) <= stack.size() && found < 32; at += sizeof(DWORD_PTR)) {
        DWORD_PTR value = 0;
        std::memcpy(&value, stack.data() + at, sizeof value);
        if (InProgram(value - 8) && InProgram(value) && FollowsCall(value)) {
            AppendFrame(out, process, value, " (found on the stack)");
            ++found;
        }
    }
}

void AppendStack(std::string& out, HANDLE process, const TThreadSnapshot& thread, DWORD mainThread)
{
    char text[64];
    std::snprintf(text, sizeof text, "thread %lu%s:\n", thread.Id, thread.Id == mainThread ? " (main)" : "");
    out += text;
    CONTEXT context = thread.Context;
    STACKFRAME64 frame{};
#ifdef _WIN64
    const DWORD machine = IMAGE_FILE_MACHINE_AMD64;
    frame.AddrPC.Offset = context.Rip;
    frame.AddrFrame.Offset = context.Rbp;
    frame.AddrStack.Offset = context.Rsp;
#else
    const DWORD machine = IMAGE_FILE_MACHINE_I386;
    frame.AddrPC.Offset = context.Eip;
    frame.AddrFrame.Offset = context.Ebp;
    frame.AddrStack.Offset = context.Esp;
#endif
    frame.AddrPC.Mode = frame.AddrFrame.Mode = frame.AddrStack.Mode = AddrModeFlat;
    const THandle handle(OpenThread(THREAD_GET_CONTEXT | THREAD_QUERY_INFORMATION, FALSE, thread.Id));
    bool reachedProgram = false;
    for (int depth = 0; depth < 64; ++depth) {
        if (!StackWalk64(machine, process, handle.get(), &frame, &context, nullptr, SymFunctionTableAccess64,
                         SymGetModuleBase64, nullptr) ||
            !frame.AddrPC.Offset)
            break;
        AppendFrame(out, process, frame.AddrPC.Offset);
        reachedProgram = reachedProgram || InProgram(frame.AddrPC.Offset);
    }
    if (!reachedProgram)
        AppendScannedFrames(out, process, thread.Stack);
}

} // namespace

void WriteThreadStacks(DWORD mainThread, const std::vector<TThreadSnapshot>& threads,
                       const std::function<void(const std::string&)>& write)
{
    write(std::to_string(threads.size()) + " other threads\n");
    const HANDLE process = GetCurrentProcess();
    SymSetOptions(SYMOPT_LOAD_LINES | SYMOPT_DEFERRED_LOADS);
    if (!SymInitialize(process, nullptr, TRUE)) {
        write("no stacks: SymInitialize failed\n");
        return;
    }
    for (const TThreadSnapshot& thread : threads) {
        std::string stack;
        AppendStack(stack, process, thread, mainThread);
        write(stack);
    }
    SymCleanup(process);
}

std::string ThreadStacks(DWORD mainThread)
{
    std::string out;
    WriteThreadStacks(mainThread, OtherThreadsSnapshots(), [&out](const std::string& text) { out += text; });
    return out;
}
