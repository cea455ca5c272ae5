// Ombix.dll loaded as the program loads it: exports by name, pictures from files and from stream copies.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>

#include <tiffio.h>

#include "classlib/DibInfo.h"
#include "imagelib/Ombix.h"
#include "tests/imagelib/TestPictures.h"
#include "tests/support/ProcessResources.h"

namespace {

struct TDllSample {
    const char* Extension;
    int Code;
    TBytes Bytes;
    TRgbaImage Expected;
};

std::vector<TDllSample> Samples()
{
    const TRgbaImage c = MakePattern(11, 6, false);
    const TRgbaImage a = MakePattern(11, 6, true);
    const std::vector<uint8_t> rgb = {9, 8, 7, 250, 40, 30, 0, 200, 100, 1, 2, 255};
    std::vector<uint8_t> indices;
    for (int i = 0; i < 11 * 6; ++i)
        indices.push_back(static_cast<uint8_t>((i * 5 + i / 11) % 4));
    return {
        {".png", 15, EncodePng(a), a},
        {".tga", 6, EncodeTga(a, true), a},
        {".ppm", 9, EncodePnm(c, true), c},
        {".psd", 13, EncodePsd(c, false, true), c},
        {".tif", 5, EncodeTiff(c, false, COMPRESSION_LZW), c},
        {".pcx", 7, EncodePcxTrueColour(c, false, true), c},
        {".pcc", 7, EncodePcxIndexed(indices, 11, 6, 8, 1, rgb), ExpandIndices(indices, 11, 6, rgb)},
        {".rgba", 3, EncodeSgi(a, 4, 1, true), a},
    };
}

class OmbixDll : public ::testing::Test {
protected:
    template <typename T>
    static T Export(const char* name)
    {
        return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(Module, name)));
    }

    static void SetUpTestSuite()
    {
        // The build path is a Unix path; Wine shows the Unix root as drive Z:.
        std::string path = OMBIX_DLL_PATH;
        if (!path.empty() && path[0] == '/')
            path = "Z:" + path;
        Module = LoadLibraryA(path.c_str());
        ASSERT_NE(nullptr, Module) << path;
        LoadFile = Export<TLoadImageFromFile>(OMBIX_LOAD_FROM_FILE);
        LoadStream = Export<TLoadImageFromStream>(OMBIX_LOAD_FROM_STREAM);
        Free = Export<TFreeImage>(OMBIX_FREE_IMAGE);
        GetDC = Export<TGetImageDC>(OMBIX_GET_IMAGE_DC);
    }
    static void TearDownTestSuite()
    {
        if (Module)
            FreeLibrary(Module);
        Module = nullptr;
    }
    void SetUp() override
    {
        ASSERT_NE(nullptr, Module);
        ASSERT_NE(nullptr, LoadFile);
        ASSERT_NE(nullptr, LoadStream);
        ASSERT_NE(nullptr, Free);
        ASSERT_NE(nullptr, GetDC);
    }
    void TearDown() override
    {
        for (const std::string& f : Files)
            DeleteFileA(f.c_str());
    }

    // A file in the temporary folder, unique to this test program, deleted after the test.
    std::string WriteTemp(const std::string& name, const TBytes& bytes)
    {
        char folder[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, folder);
        const std::string path = std::string(folder) + "ombix_dll_" + std::to_string(GetCurrentProcessId()) + "_" + name;
        std::FILE* f = std::fopen(path.c_str(), "wb");
        EXPECT_NE(nullptr, f) << path;
        if (f) {
            std::fwrite(bytes.data(), 1, bytes.size(), f);
            std::fclose(f);
        }
        Files.push_back(path);
        return path;
    }

    static HMODULE Module;
    static TLoadImageFromFile LoadFile;
    static TLoadImageFromStream LoadStream;
    static TFreeImage Free;
    static TGetImageDC GetDC;
    std::vector<std::string> Files;
};

HMODULE OmbixDll::Module = nullptr;
TLoadImageFromFile OmbixDll::LoadFile = nullptr;
TLoadImageFromStream OmbixDll::LoadStream = nullptr;
TFreeImage OmbixDll::Free = nullptr;
TGetImageDC OmbixDll::GetDC = nullptr;

// The DC holds a 32-bpp top-down DIB section whose bytes are the picture in BGRA; a block transfer from it,
// as the program does, gives the same colours. Frees the DC and checks that its bitmap went with it.
void ExpectPictureAndFree(HDC dc, int w, int h, const TRgbaImage& expected, TFreeImage freeImage, const char* what)
{
    ASSERT_NE(nullptr, dc) << what;
    ASSERT_EQ(expected.Width, w) << what;
    ASSERT_EQ(expected.Height, h) << what;
    EXPECT_EQ(static_cast<DWORD>(OBJ_MEMDC), GetObjectType(dc)) << what;
    HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
    DIBSECTION dib = {};
    ASSERT_EQ(static_cast<int>(sizeof dib), GetObject(bitmap, sizeof dib, &dib)) << what;
    EXPECT_EQ(32, dib.dsBm.bmBitsPixel) << what;
    const uint8_t* bits = static_cast<const uint8_t*>(dib.dsBm.bmBits);
    ASSERT_NE(nullptr, bits) << what;

    const BITMAPINFO info = TopDownDib32Info(w, h);
    void* copyBits = nullptr;
    HBITMAP copy = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &copyBits, nullptr, 0);
    HDC copyDC = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(copyDC, copy);
    EXPECT_TRUE(BitBlt(copyDC, 0, 0, w, h, dc, 0, 0, SRCCOPY)) << what;
    GdiFlush();
    const uint8_t* copied = static_cast<const uint8_t*>(copyBits);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::size_t i = (static_cast<std::size_t>(y) * w + x) * 4;
            const uint8_t* e = &expected.Pixels[i];
            ASSERT_TRUE(bits[i] == e[2] && bits[i + 1] == e[1] && bits[i + 2] == e[0] && bits[i + 3] == e[3])
                << what << " at " << x << "," << y;
            ASSERT_TRUE(copied[i] == e[2] && copied[i + 1] == e[1] && copied[i + 2] == e[0])
                << what << " copied at " << x << "," << y;
        }
    SelectObject(copyDC, old);
    DeleteDC(copyDC);
    DeleteObject(copy);

    EXPECT_TRUE(freeImage(dc)) << what;
    EXPECT_EQ(0u, GetObjectType(dc)) << what;
    EXPECT_EQ(0u, GetObjectType(bitmap)) << what;
}

TEST_F(OmbixDll, LoadsEveryFormatFromAFile)
{
    for (const TDllSample& s : Samples()) {
        const std::string path = WriteTemp(std::string("picture") + s.Extension, s.Bytes);
        int w = -1, h = -1;
        HDC dc = LoadFile(path.c_str(), &w, &h);
        ExpectPictureAndFree(dc, w, h, s.Expected, Free, s.Extension);
    }
}

TEST_F(OmbixDll, LoadsEveryFormatFromAStreamCopyReadingOnlyItsSize)
{
    for (const TDllSample& s : Samples()) {
        // The copy carries bytes beyond the size given; they must not be read.
        TBytes withTail = s.Bytes;
        withTail.insert(withTail.end(), 300, 0xC1);
        const std::string path = WriteTemp("imgtemp", withTail);
        int w = -1, h = -1;
        HDC dc = LoadStream(path.c_str(), static_cast<int>(s.Bytes.size()), &w, &h, s.Code);
        ExpectPictureAndFree(dc, w, h, s.Expected, Free, s.Extension);

        // A size short of the picture is a truncated picture.
        w = h = -1;
        EXPECT_EQ(nullptr, LoadStream(path.c_str(), static_cast<int>(s.Bytes.size() / 2), &w, &h, s.Code))
            << s.Extension;
        EXPECT_EQ(-1, w);
    }
}

TEST_F(OmbixDll, DamagedTruncatedAndMissingFilesGiveZero)
{
    for (const TDllSample& s : Samples()) {
        const TBytes cut(s.Bytes.begin(), s.Bytes.begin() + s.Bytes.size() * 2 / 3);
        int w = -1, h = -1;
        EXPECT_EQ(nullptr, LoadFile(WriteTemp(std::string("cut") + s.Extension, cut).c_str(), &w, &h)) << s.Extension;
        TBytes damaged = s.Bytes;
        for (std::size_t i = 0; i < damaged.size() && i < 24; ++i)
            damaged[i] = static_cast<uint8_t>(0xA5 ^ i);
        EXPECT_EQ(nullptr, LoadFile(WriteTemp(std::string("bad") + s.Extension, damaged).c_str(), &w, &h))
            << s.Extension;
        EXPECT_EQ(-1, w);
        EXPECT_EQ(-1, h);
    }
    int w = -1, h = -1;
    EXPECT_EQ(nullptr, LoadFile("C:\\no such folder\\missing.png", &w, &h));
    EXPECT_EQ(nullptr, LoadFile(WriteTemp("empty.png", TBytes()).c_str(), &w, &h));
    EXPECT_EQ(nullptr, LoadFile(nullptr, &w, &h));
    const std::string png = WriteTemp("ok.png", EncodePng(MakePattern(3, 3, false)));
    EXPECT_EQ(nullptr, LoadFile(png.c_str(), nullptr, &h));
    EXPECT_EQ(nullptr, LoadStream(png.c_str(), 0, &w, &h, 15));
    EXPECT_EQ(nullptr, LoadStream(png.c_str(), -5, &w, &h, 15));
    EXPECT_EQ(nullptr, LoadStream("C:\\no such folder\\imgtemp", 100, &w, &h, 15));
    EXPECT_EQ(-1, w);
    EXPECT_EQ(-1, h);
}

TEST_F(OmbixDll, TargaNeedsItsNameOrFormatCode)
{
    const TRgbaImage c = MakePattern(4, 3, false);
    const TBytes tga = EncodeTga(c, false);
    int w = -1, h = -1;
    EXPECT_EQ(nullptr, LoadFile(WriteTemp("picture.bin", tga).c_str(), &w, &h));
    HDC dc = LoadFile(WriteTemp("picture.VST", tga).c_str(), &w, &h);
    ExpectPictureAndFree(dc, w, h, c, Free, "vst");
    const std::string copy = WriteTemp("imgtemp", tga);
    EXPECT_EQ(nullptr, LoadStream(copy.c_str(), static_cast<int>(tga.size()), &w, &h, 15));
    dc = LoadStream(copy.c_str(), static_cast<int>(tga.size()), &w, &h, 6);
    ExpectPictureAndFree(dc, w, h, c, Free, "code 6");
    // Other groups (here .pic) decode content with a signature only.
    dc = LoadFile(WriteTemp("picture.pic", EncodePng(c)).c_str(), &w, &h);
    ExpectPictureAndFree(dc, w, h, c, Free, "pic");
}

TEST_F(OmbixDll, FreeAndGetImageDCOnBadHandles)
{
    EXPECT_EQ(nullptr, GetDC());
    EXPECT_FALSE(Free(nullptr));
    HDC screen = ::GetDC(nullptr);
    if (screen) {
        EXPECT_FALSE(Free(screen));  // not a memory DC: left alone
        ReleaseDC(nullptr, screen);
    }
}

// The program loads the library for each picture and frees it afterwards: a load, a decode and a free must
// leave the process's handles as they were, or a show of hours would pile them up slide by slide.
TEST(OmbixDllLoads, LoadDecodeAndFreeLeaveTheHandlesAsTheyWere)
{
    std::string path = OMBIX_DLL_PATH;
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    for (const TDllSample& s : Samples()) {
        char folder[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, folder);
        const std::string file = std::string(folder) + "ombix_loads_" + std::to_string(GetCurrentProcessId()) + s.Extension;
        std::FILE* f = std::fopen(file.c_str(), "wb");
        ASSERT_NE(nullptr, f);
        std::fwrite(s.Bytes.data(), 1, s.Bytes.size(), f);
        std::fclose(f);
        const auto decodeOnce = [&] {
            HMODULE module = LoadLibraryA(path.c_str());
            ASSERT_NE(nullptr, module);
            const auto load = reinterpret_cast<TLoadImageFromFile>(
                reinterpret_cast<void*>(GetProcAddress(module, OMBIX_LOAD_FROM_FILE)));
            const auto release = reinterpret_cast<TFreeImage>(
                reinterpret_cast<void*>(GetProcAddress(module, OMBIX_FREE_IMAGE)));
            int w = 0, h = 0;
            HDC dc = load(file.c_str(), &w, &h);
            EXPECT_NE(nullptr, dc) << s.Extension;
            EXPECT_TRUE(dc && release(dc)) << s.Extension;
            FreeLibrary(module);
        };
        decodeOnce();
        const int before = testsupport::OwnHandleCount();
        for (int i = 0; i < 20; ++i)
            decodeOnce();
        const int after = testsupport::OwnHandleCount();
        DeleteFileA(file.c_str());
        ASSERT_GT(before, 0);
        EXPECT_LE(after, before + 2) << s.Extension << ": " << before << " handles before 20 decodes, " << after << " after";
    }
}

} // namespace
