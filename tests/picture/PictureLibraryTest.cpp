#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "classlib/Streams.h"
#include "picture/ComPicture.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace {

// A library the build put next to the test program (the test runs in a folder of its own).
std::string BuiltDll(const std::string& name)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string self(path);
    return self.substr(0, self.find_last_of("\\/") + 1) + name;
}

uint32_t Pixel(CComPicture& picture, int x, int y)
{
    return picture.Bitmap()->ScanLine(y)[x] & 0xFFFFFF;
}

bool FileThere(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Each test gets a temporary folder of its own (TMP and TEMP point there), so test programs running in
// parallel never share "Ombix.dll" or "imgtemp".
class PictureLibrary : public testing::Test {
protected:
    void SetUp() override
    {
        char buffer[MAX_PATH + 1] = {};
        GetTempPathA(MAX_PATH, buffer);
        OldTemp = buffer;
        // An earlier process of the same id (Wine gives ids again) may have left its folder: the library it
        // loaded stays loaded until that process ends, so its copy could not be deleted.
        static int counter = 0;
        bool made = false;
        for (int tries = 0; tries < 1000 && !made; ++tries) {
            Folder = OldTemp + "zelt_piclib_" + std::to_string(GetCurrentProcessId()) + "_" +
                     std::to_string(++counter) + "\\";
            made = CreateDirectoryA(Folder.c_str(), nullptr) != FALSE;
        }
        ASSERT_TRUE(made) << Folder;
        SetEnvironmentVariableA("TMP", Folder.c_str());
        SetEnvironmentVariableA("TEMP", Folder.c_str());
        // A picture the failed loads must leave as it is.
        ASSERT_EQ(Picture.Create(3, 3, 0x00FF00), 1);
    }
    void TearDown() override
    {
        Picture.Free();
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((Folder + "*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                DeleteFileA((Folder + found.cFileName).c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(Folder.c_str());
        SetEnvironmentVariableA("TMP", OldTemp.c_str());
        SetEnvironmentVariableA("TEMP", OldTemp.c_str());
    }
    void InstallLibrary(const std::string& builtDll)
    {
        ASSERT_TRUE(CopyFileA(builtDll.c_str(), (Folder + "Ombix.dll").c_str(), FALSE)) << builtDll;
    }
    std::string WriteFile(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        TMemoryStream stream;
        stream.Write(bytes.data(), static_cast<int64_t>(bytes.size()));
        EXPECT_TRUE(stream.SaveToFile(Folder + name));
        return Folder + name;
    }
    void ExpectUnchanged()
    {
        ASSERT_FALSE(Picture.IsEmpty());
        ASSERT_EQ(Picture.Bitmap()->Width(), 3);  // before reading pixel (2, 2)
        EXPECT_EQ(Pixel(Picture, 2, 2), 0x00FF00u);
    }
    // Loads through the library from a file and from a stream; both must fail and leave the picture.
    void ExpectBothFail()
    {
        const std::string file = WriteFile("picture.png", {1, 2, 3, 4});
        EXPECT_EQ(Picture.LoadFromFile(file), 0);
        ExpectUnchanged();
        TMemoryStream stream;
        stream.Write("\x01\x02\x03\x04", 4);
        EXPECT_EQ(Picture.LoadFromStream(stream, "picture.png"), 0);
        ExpectUnchanged();
    }

    std::string OldTemp;
    std::string Folder;
    CComPicture Picture;
};

TEST_F(PictureLibrary, MissingLibraryFails)
{
    ExpectBothFail();
}

TEST_F(PictureLibrary, WithoutATemporaryFolderNoLibraryIsLoaded)
{
    // A library at the root of the current drive, where a bare "\\Ombix.dll" would be taken from.
    const std::string root = Folder.substr(0, 3);
    ASSERT_TRUE(CopyFileA(BuiltDll("ombix_stub_good.dll").c_str(), (root + "Ombix.dll").c_str(), FALSE));
    char cwd[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, cwd);
    ASSERT_TRUE(SetCurrentDirectoryA(Folder.c_str()));
    // GetTempPathA cannot give a folder this long.
    const std::string tooLong = root + std::string(300, 't') + "\\";
    SetEnvironmentVariableA("TMP", tooLong.c_str());
    SetEnvironmentVariableA("TEMP", tooLong.c_str());
    ExpectBothFail();
    EXPECT_FALSE(FileThere(root + "imgtemp"));
    SetCurrentDirectoryA(cwd);
    DeleteFileA((root + "Ombix.dll").c_str());
}

TEST_F(PictureLibrary, LibraryWithoutAnExportFails)
{
    InstallLibrary(BuiltDll("ombix_stub_no_free.dll"));
    ExpectBothFail();
}

TEST_F(PictureLibrary, LibraryReportingFailureFails)
{
    InstallLibrary(BuiltDll("ombix_stub_fail.dll"));
    ExpectBothFail();
}

TEST_F(PictureLibrary, ZeroWidthIsFailureAndThePictureIsReleased)
{
    InstallLibrary(BuiltDll("ombix_stub_zero_size.dll"));
    ExpectBothFail();
    EXPECT_TRUE(FileThere(Folder + "ombix_freed"));
}

TEST_F(PictureLibrary, DecodesFromFileAndFromStreamThroughTheTemporaryCopy)
{
    InstallLibrary(BuiltDll("ombix_stub_good.dll"));
    const std::string file = WriteFile("photo.tga", {0x11, 0x22, 0x33, 0x44});
    ASSERT_EQ(Picture.LoadFromFile(file), 1);
    EXPECT_EQ(Picture.Bitmap()->Width(), 2);
    EXPECT_EQ(Picture.Bitmap()->Height(), 3);
    EXPECT_EQ(Pixel(Picture, 1, 2), 0x112233u);
    ASSERT_NE(Picture.DC(), nullptr);
    EXPECT_TRUE(FileThere(Folder + "ombix_freed"));

    // Another run's copy, open while that run decodes it, is neither written over nor deleted.
    const std::string other = WriteFile("imgtemp", {9, 9});
    const HANDLE held = CreateFileA(other.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    TMemoryStream stream;
    stream.Write("\xAA\xBB\xCC\xDD\xEE", 5);  // position left at the end: the load saves the whole stream
    ASSERT_EQ(Picture.LoadFromStream(stream, "embedded.png"), 1);
    CloseHandle(held);
    TMemoryStream left;
    ASSERT_TRUE(left.LoadFromFile(other));
    EXPECT_EQ(left.Size(), 2);
    EXPECT_EQ(Picture.Bitmap()->Width(), 15);  // the stub answers the format code as width
    EXPECT_EQ(Picture.Bitmap()->Height(), 2);
    EXPECT_EQ(Pixel(Picture, 14, 1), 0xAABBCCu);
    // The stub decodes only a copy of the stream's exact size; the copy is gone once decoded.
    EXPECT_FALSE(FileThere(Folder + "imgtemp" + std::to_string(GetCurrentProcessId())));
}

TEST_F(PictureLibrary, FileNamesLongerThan260CharactersAreRefused)
{
    InstallLibrary(BuiltDll("ombix_stub_good.dll"));
    // Names that do not exist: the stub answers its fixed colour, so only the length decides.
    const std::string name260 = "c:\\" + std::string(253, 'n') + ".tga";
    ASSERT_EQ(name260.size(), 260u);
    EXPECT_EQ(Picture.LoadFromFile(name260 + "x"), 0);
    ExpectUnchanged();
    EXPECT_EQ(Picture.LoadFromFile(name260), 1);
    EXPECT_EQ(Pixel(Picture, 0, 0), 0x123456u);
}

#ifdef OMBIX_DLL
void WritePngBytes(void* context, void* data, int size)
{
    auto* out = static_cast<std::vector<uint8_t>*>(context);
    out->insert(out->end(), static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
}

TEST_F(PictureLibrary, RealLibraryDecodesPng)
{
    // The build folder as Wine sees it (drive Z: is the root of the Unix file system).
    std::string dll = std::string("Z:") + OMBIX_DLL;
    for (char& c : dll)
        if (c == '/')
            c = '\\';
    InstallLibrary(dll);
    const int w = 5, h = 4;
    std::vector<uint8_t> rgb;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c : {x * 50, y * 60, 200})
                rgb.push_back(static_cast<uint8_t>(c));
    std::vector<uint8_t> png;
    ASSERT_NE(stbi_write_png_to_func(WritePngBytes, &png, w, h, 3, rgb.data(), w * 3), 0);

    ASSERT_EQ(Picture.LoadFromFile(WriteFile("real.png", png)), 1);
    CComPicture fromStream;
    TMemoryStream stream;
    stream.Write(png.data(), static_cast<int64_t>(png.size()));
    ASSERT_EQ(fromStream.LoadFromStream(stream, "real.png"), 1);
    for (CComPicture* p : {&Picture, &fromStream}) {
        ASSERT_EQ(p->Bitmap()->Width(), w);
        ASSERT_EQ(p->Bitmap()->Height(), h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(Pixel(*p, x, y), static_cast<uint32_t>((x * 50) << 16 | (y * 60) << 8 | 200)) << x << "," << y;
    }
    // A damaged PNG through the real library: 0, picture kept.
    png.resize(png.size() / 2);
    EXPECT_EQ(fromStream.LoadFromFile(WriteFile("cut.png", png)), 0);
    EXPECT_EQ(fromStream.Bitmap()->Width(), w);
}
#endif

}  // namespace
