#include "runtime/DesktopCapture.h"

#include "classlib/Bitmap.h"
#include "classlib/Colors.h"
#include "classlib/FileUtils.h"
#include "classlib/GdiObject.h"
#include "data/Monitors.h"

#include <algorithm>
#include <memory>

TDesktopCapture g_DesktopCapture;

namespace {

// What the system knows of the file at path; false when there is none.
bool ReadFileInformation(const std::string& path, BY_HANDLE_FILE_INFORMATION& info)
{
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    const HANDLE opened = CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, share, nullptr, OPEN_EXISTING, 0, nullptr);
    if (opened == INVALID_HANDLE_VALUE)
        return false;
    const std::unique_ptr<void, decltype(&CloseHandle)> file(opened, &CloseHandle);
    return GetFileInformationByHandle(file.get(), &info) != FALSE;
}

// The same file, of the same size, last written at the same moment: nobody has written over it since.
bool SameWriting(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b)
{
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow && a.nFileSizeHigh == b.nFileSizeHigh &&
           a.nFileSizeLow == b.nFileSizeLow && CompareFileTime(&a.ftLastWriteTime, &b.ftLastWriteTime) == 0;
}

} // namespace

TDesktopCapture::~TDesktopCapture()
{
    if (Thread_.joinable())
        Thread_.join();
}

void TDesktopCapture::Start(int monitor, const std::string& path)
{
    // The monitors are asked for here: their table is the user-interface thread's.
    int left = 0, top = 0, width = 0, height = 0;
    if (Started_ || !GetMonitorRect(monitor, left, top, width, height))
        return;
    const RECT area = {left, top, left + width, top + height};
    {
        std::lock_guard<std::mutex> hold(Lock_);
        Started_ = true;
        Path_ = path;
    }
    try {
        Thread_ = std::thread([this, area] { Run(area); });
    } catch (...) {
        Run(area);
    }
}

void TDesktopCapture::Run(const RECT& area)
{
    bool written = false;
    BY_HANDLE_FILE_INFORMATION file = {};
    try {
        written = SaveScreenToFile(area, Path_);
        // Without this record no file is found to be this run's later, and the capture is left in place.
        if (written)
            ReadFileInformation(Path_, file);
    } catch (...) {
        written = false;
    }
    {
        std::lock_guard<std::mutex> hold(Lock_);
        Written_ = written;
        WrittenFile_ = file;
        Done_ = true;
    }
    Finished_.notify_all();
}

bool TDesktopCapture::Wait()
{
    std::unique_lock<std::mutex> hold(Lock_);
    Finished_.wait(hold, [this] { return !Started_ || Done_; });
    return !Started_ || Written_;
}

void TDesktopCapture::Remove()
{
    if (Thread_.joinable())
        Thread_.join();
    BY_HANDLE_FILE_INFORMATION now = {};
    if (Written_ && ReadFileInformation(Path_, now) && SameWriting(now, WrittenFile_))
        DeleteFileIfExists(Path_);
    Written_ = false;
}

bool SaveScreenToFile(const RECT& area, const std::string& path)
{
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return false;
    // A band of rows at a time, from the bottom up as the file stores them: a picture of the whole screen
    // would be memory new to the process, which costs more than reading the screen (under Wine, reading
    // 3840 x 2160 at once also takes a buffer of that size on each side of the display connection).
    const int kBandRows = 64;
    TWindowDC screen(nullptr);
    TBitmap band;
    band.Canvas()->SetBrushColor(clBlack);
    if (!screen || !band.SetSize(width, std::min(kBandRows, height)))
        return false;
    const RECT all = {0, 0, width, band.Height()};
    int bandTop = height;  // the screen row the band's first row holds
    return SaveBitmapFile(path, width, height, [&](int y) -> const uint32_t* {
        if (y < bandTop) {
            bandTop = std::max(0, y - kBandRows + 1);
            // Black where the screen has no pixels, as a picture made black and copied over would have.
            band.Canvas()->FillRect(all);
            const int rows = y - bandTop + 1;
            HDC dc = band.Canvas()->Handle();
            if (!BitBlt(dc, 0, 0, width, rows, screen.Get(), area.left, area.top + bandTop, SRCCOPY))
                return nullptr;
        }
        return band.ScanLine(y - bandTop);
    });
}
