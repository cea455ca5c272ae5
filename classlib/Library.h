// A loaded DLL, freed exactly once: by Free() or when it goes out of scope.
#pragma once

#include <windows.h>

#include <string>

class TLibrary {
public:
    explicit TLibrary(const std::string& path) : Module_(LoadLibraryA(path.c_str())) {}
    ~TLibrary()
    {
        if (Module_)
            FreeLibrary(Module_);
    }
    TLibrary(const TLibrary&) = delete;
    TLibrary& operator=(const TLibrary&) = delete;

    explicit operator bool() const { return Module_ != nullptr; }

    // The export called name as a function pointer of type F; null when the DLL has no such export.
    template <class F>
    F Find(const char* name) const
    {
        return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(Module_, name)));
    }

    // Frees the DLL now and gives FreeLibrary's result.
    BOOL Free()
    {
        const BOOL ok = FreeLibrary(Module_);
        Module_ = nullptr;
        return ok;
    }

private:
    HMODULE Module_;
};
