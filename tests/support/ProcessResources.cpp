#include "tests/support/ProcessResources.h"

#include <winternl.h>
#include <psapi.h>

#include <cstdint>
#include <vector>

namespace testsupport {

namespace {

// The system's handle list (information class 16): one entry per handle of every process.
struct THandleEntry {
    ULONG OwnerPid;
    BYTE ObjectType;
    BYTE Flags;
    USHORT Value;
    PVOID Object;
    ULONG Access;
};
struct THandleList {
    ULONG Count;
    THandleEntry Entries[1];
};
constexpr ULONG kSystemHandleInformation = 16;
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004);

// One entry of the GDI handle table the process's PEB points to; the table has 65536 of them, an entry with a
// type is a live object.
struct TGdiEntry {
    uint64_t Object;
    ULONG Owner;
    USHORT Unique;
    UCHAR Type;
    UCHAR Flags;
    uint64_t UserPointer;
};
static_assert(sizeof(TGdiEntry) == 24, "the table's entries are the same size for 32-bit and 64-bit processes");
constexpr int kGdiTableEntries = 0x10000;
// Where a 64-bit PEB keeps the table's address (the checking process has the same bitness as the checked one).
constexpr std::size_t kPebGdiTableOffset = sizeof(void*) == 8 ? 0xF8 : 0x94;

template <typename F>
F NtdllExport(const char* name)
{
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), name)));
}

// Where the table lies: the PEB says so in 64-bit processes; in a 32-bit one under Wine that field stays empty,
// and the table is the process's one allocation of exactly its size.
const void* GdiTableOf(HANDLE process)
{
    using TQueryProcess = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const auto query = NtdllExport<TQueryProcess>("NtQueryInformationProcess");
    PROCESS_BASIC_INFORMATION basic = {};
    ULONG length = 0;
    void* table = nullptr;
    SIZE_T read = 0;
    if (query && query(process, ProcessBasicInformation, &basic, sizeof basic, &length) == 0 &&
        ReadProcessMemory(process, reinterpret_cast<const char*>(basic.PebBaseAddress) + kPebGdiTableOffset, &table,
                          sizeof table, &read) && table)
        return table;
    const SIZE_T tableBytes = kGdiTableEntries * sizeof(TGdiEntry);
    MEMORY_BASIC_INFORMATION region = {};
    for (const char* at = nullptr; VirtualQueryEx(process, at, &region, sizeof region) == sizeof region;) {
        if (region.State == MEM_COMMIT && region.Protect == PAGE_READWRITE && region.RegionSize == tableBytes &&
            region.AllocationBase == region.BaseAddress)
            return region.BaseAddress;
        const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
        if (next <= at)
            break;
        at = next;
    }
    return nullptr;
}

int GdiObjectCount(HANDLE process)
{
    const void* table = GdiTableOf(process);
    std::vector<TGdiEntry> entries(kGdiTableEntries);
    SIZE_T read = 0;
    if (!table || !ReadProcessMemory(process, table, entries.data(), entries.size() * sizeof(TGdiEntry), &read))
        return -1;
    int live = 0;
    for (const TGdiEntry& e : entries)
        live += e.Type != 0;
    return live;
}

struct TWindowCount {
    DWORD ProcessId;
    int Count;
};

BOOL CALLBACK CountChild(HWND, LPARAM param)
{
    ++reinterpret_cast<TWindowCount*>(param)->Count;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM param)
{
    TWindowCount* count = reinterpret_cast<TWindowCount*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == count->ProcessId) {
        ++count->Count;
        EnumChildWindows(window, CountChild, param);
    }
    return TRUE;
}

} // namespace

int HandleCount(DWORD processId)
{
    using TQuerySystem = NTSTATUS(NTAPI*)(ULONG, PVOID, ULONG, PULONG);
    const auto query = NtdllExport<TQuerySystem>("NtQuerySystemInformation");
    if (!query)
        return -1;
    std::vector<char> buffer(1 << 20);
    NTSTATUS status = 0;
    ULONG length = 0;
    while ((status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &length)) ==
               kInfoLengthMismatch &&
           buffer.size() < (64u << 20))
        buffer.resize(buffer.size() * 2);
    if (status != 0)
        return -1;
    const THandleList* list = reinterpret_cast<const THandleList*>(buffer.data());
    int count = 0;
    for (ULONG i = 0; i < list->Count; ++i)
        count += list->Entries[i].OwnerPid == processId;
    return count;
}

int OwnHandleCount()
{
    // Handle values are multiples of 4, and a new handle takes the lowest free one: the table ends where a long
    // run of values holds none.
    int count = 0;
    DWORD flags = 0;
    for (DWORD_PTR value = 4, unused = 0; unused < 1024; value += 4) {
        const bool used = GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags);
        count += used ? 1 : 0;
        unused = used ? 0 : unused + 1;
    }
    return count;
}

TResourceCounts SampleResources(HANDLE process)
{
    TResourceCounts counts;
    const DWORD id = GetProcessId(process);
    counts.GdiObjects = GdiObjectCount(process);
    TWindowCount windows = {id, 0};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&windows));
    counts.Windows = windows.Count;
    counts.Handles = HandleCount(id);
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    // Wine leaves PrivateUsage at 0; the commit charge (PagefileUsage) is the same figure on Windows.
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory))
        counts.PrivateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
    return counts;
}

} // namespace testsupport
