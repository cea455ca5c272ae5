#include "tests/dialogs/DialogDriver.h"

#include "classlib/DibInfo.h"
#include "classlib/GdiObject.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include <vector>

bool SaveScreenshot(HWND window, const std::string& path)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(300);
    RECT r;
    GetWindowRect(window, &r);
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    const BITMAPINFO info = TopDownDib32Info(w, h);
    void* bits = nullptr;
    TGdiObject<HBITMAP> image(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    TMemoryDC memory;
    if (!image || !memory)
        return false;
    {
        TSelection selected(memory.Get(), image.Get());
        // From the window's own surface, so that windows of tests running beside this one do not show.
        const HDC source = GetWindowDC(window);
        BitBlt(memory.Get(), 0, 0, w, h, source, 0, 0, SRCCOPY);
        ReleaseDC(window, source);
    }
    std::vector<unsigned char> rgb(static_cast<std::size_t>(w) * h * 3);
    const auto* bgra = static_cast<const unsigned char*>(bits);
    for (std::size_t i = 0; i < rgb.size(); ++i)
        rgb[i] = bgra[i / 3 * 4 + 2 - i % 3];
    return stbi_write_png(path.c_str(), w, h, 3, rgb.data(), w * 3) != 0;
}
