// Screen pixels read back through the screen DC.
#include "tests/e2e/Driver.h"

#include "classlib/Bitmap.h"

#include <algorithm>
#include <utility>

namespace e2e {

TScreenShot::TScreenShot(const RECT& area)
    : Width_(std::max<int>(0, area.right - area.left)), Height_(std::max<int>(0, area.bottom - area.top))
{
    TBitmap copy;
    if (!copy.SetSize(Width_, Height_)) {
        Width_ = Height_ = 0;
        return;
    }
    // This thread's own drawing reaches the screen only once it processes messages (Wine flushes then).
    PumpMessages();
    HDC screen = GetDC(nullptr);
    BitBlt(copy.Canvas()->Handle(), 0, 0, Width_, Height_, screen, area.left, area.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    GdiFlush();
    Pixels_.reserve(static_cast<size_t>(Width_) * Height_);
    for (int y = 0; y < Height_; ++y) {
        const uint32_t* row = copy.ScanLine(y);
        for (int x = 0; x < Width_; ++x)
            Pixels_.push_back(row[x] & 0xFFFFFF);
    }
}

uint32_t TScreenShot::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= Width_ || y >= Height_)
        return 0;
    return Pixels_[static_cast<size_t>(y) * Width_ + x];
}

int TScreenShot::Count(uint32_t rgb) const
{
    return static_cast<int>(std::count(Pixels_.begin(), Pixels_.end(), rgb & 0xFFFFFF));
}

testing::AssertionResult WaitForScreen(const RECT& area, const std::function<bool(const TScreenShot&)>& shown,
                                       DWORD timeoutMs, const std::string& what, TScreenShot* shot)
{
    return WaitUntil(
        [&] {
            TScreenShot copy(area);
            const bool done = shown(copy);
            if (shot)
                *shot = std::move(copy);
            return done;
        },
        timeoutMs, what + " on the screen");
}

bool TScreenShot::Save(const std::string& path) const
{
    TBitmap copy;
    if (!copy.SetSize(Width_, Height_))
        return false;
    for (int y = 0; y < Height_; ++y)
        std::copy_n(&Pixels_[static_cast<size_t>(y) * Width_], Width_, copy.ScanLine(y));
    return copy.SaveToFile(path);
}

} // namespace e2e
