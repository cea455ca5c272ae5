// Object instances without generated code: a fixed pool of distinct static procedures, each reading its own
// slot. No executable memory is written, and the same code serves the 32-bit and the 64-bit build.
#include "classlib/Messages.h"

#include "classlib/Application.h"

#include <array>
#include <utility>

namespace {

constexpr int kSlots = 64;

struct Slot {
    TWndMethod Method;
    bool InUse = false;
};
std::array<Slot, kSlots> g_Slots;

template <int N>
LRESULT CALLBACK SlotProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TMessage message{msg, wParam, lParam, 0};
    try {
        // A copy keeps the method alive should it free its own instance.
        TWndMethod method = g_Slots[N].Method;
        if (method)
            method(message);
    } catch (...) {
        Application.HandleException("window procedure");
        message.Result = 0;
    }
    return message.Result;
}

template <int... N>
constexpr std::array<WNDPROC, sizeof...(N)> MakeProcs(std::integer_sequence<int, N...>)
{
    return {&SlotProc<N>...};
}
const std::array<WNDPROC, kSlots> g_Procs = MakeProcs(std::make_integer_sequence<int, kSlots>());

} // namespace

WNDPROC MakeObjectInstance(TWndMethod method)
{
    for (int i = 0; i < kSlots; ++i) {
        if (!g_Slots[i].InUse) {
            g_Slots[i].InUse = true;
            g_Slots[i].Method = std::move(method);
            return g_Procs[i];
        }
    }
    return nullptr;
}

void FreeObjectInstance(WNDPROC instance)
{
    for (int i = 0; i < kSlots; ++i) {
        if (g_Procs[i] == instance) {
            g_Slots[i].Method = nullptr;
            g_Slots[i].InUse = false;
        }
    }
}
