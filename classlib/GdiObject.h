// Owners of GDI handles: each frees its handle exactly once.
#pragma once

#include <windows.h>

#include <utility>

// Owns a pen, brush, font, bitmap or region (freed with DeleteObject).
// The object must not be selected into a device context when it is freed.
template <typename H>
class TGdiObject {
public:
    TGdiObject() = default;
    explicit TGdiObject(H handle) : Handle_(handle) {}
    ~TGdiObject() { Reset(); }
    TGdiObject(const TGdiObject&) = delete;
    TGdiObject& operator=(const TGdiObject&) = delete;
    TGdiObject(TGdiObject&& other) noexcept : Handle_(other.Release()) {}
    TGdiObject& operator=(TGdiObject&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }

    H Get() const { return Handle_; }
    explicit operator bool() const { return Handle_ != nullptr; }
    H Release() { return std::exchange(Handle_, nullptr); }
    void Reset(H handle = nullptr)
    {
        if (Handle_)
            DeleteObject(Handle_);
        Handle_ = handle;
    }

private:
    H Handle_ = nullptr;
};

// Owns a memory device context (freed with DeleteDC).
class TMemoryDC {
public:
    TMemoryDC() : Handle_(CreateCompatibleDC(nullptr)) {}
    ~TMemoryDC()
    {
        if (Handle_)
            DeleteDC(Handle_);
    }
    TMemoryDC(const TMemoryDC&) = delete;
    TMemoryDC& operator=(const TMemoryDC&) = delete;

    HDC Get() const { return Handle_; }
    explicit operator bool() const { return Handle_ != nullptr; }

private:
    HDC Handle_;
};

// The device context of a window's client area, or of the screen for a null window, for one scope
// (released with ReleaseDC).
class TWindowDC {
public:
    explicit TWindowDC(HWND window) : Window_(window), Handle_(GetDC(window)) {}
    ~TWindowDC()
    {
        if (Handle_)
            ReleaseDC(Window_, Handle_);
    }
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;

    HDC Get() const { return Handle_; }
    explicit operator bool() const { return Handle_ != nullptr; }

private:
    HWND Window_;
    HDC Handle_;
};

// Selects an object into a device context for one scope and puts the previous one back.
class TSelection {
public:
    TSelection(HDC dc, HGDIOBJ object) : DC_(dc), Previous_(SelectObject(dc, object)) {}
    ~TSelection()
    {
        if (Previous_)
            SelectObject(DC_, Previous_);
    }
    TSelection(const TSelection&) = delete;
    TSelection& operator=(const TSelection&) = delete;

    bool Ok() const { return Previous_ != nullptr; }

private:
    HDC DC_;
    HGDIOBJ Previous_;
};
