// Test folders, files, pictures and the screen saver built from a manifest.
#include "tests/e2e/Driver.h"

#include "classlib/Bitmap.h"
#include "tools/mkscr/ProgramFile.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace e2e {

namespace {

// A host path as Wine sees it through its drive Z:.
std::string HostPath(const char* path)
{
    std::string out = std::string("Z:") + path;
    for (char& c : out)
        if (c == '/')
            c = '\\';
    return out;
}

const char kFlashClassKey[] = "Software\\Classes\\CLSID\\{D27CDB6E-AE6D-11CF-96B8-444553540000}";

bool CopyFake(const TTestFolder& folder, const std::string& name)
{
    return CopyFileA(HostPath(E2E_FAKES_DIR "/").append(name).c_str(), folder.File(name).c_str(), FALSE) != 0;
}

} // namespace

TTestFolder::TTestFolder(const std::string& name)
{
    char here[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, here);
    Path_ = std::string(here) + "\\" + name;
    std::error_code ignored;
    std::filesystem::remove_all(Path_, ignored);
    std::filesystem::create_directories(Path_, ignored);
}

bool WriteWholeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    return static_cast<bool>(out.flush());
}

std::vector<std::string> FolderEntries(const std::string& folder)
{
    std::vector<std::string> entries;
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, error))
        entries.push_back(std::filesystem::relative(entry.path(), folder, error).string());
    std::sort(entries.begin(), entries.end());
    return entries;
}

TPrivateTemp::TPrivateTemp(const TTestFolder& folder) : Path(folder.File("temp"))
{
    CreateDirectoryA(Path.c_str(), nullptr);
}

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string TempFolder()
{
    char path[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, path);
    return path;
}

std::vector<std::string> ReadLines(const std::string& path)
{
    std::vector<std::string> lines;
    std::istringstream in(ReadWholeFile(path));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool WriteSolidBmp(const std::string& path, int width, int height, uint32_t rgb)
{
    TBitmap bitmap;
    if (!bitmap.SetSize(width, height))
        return false;
    for (int y = 0; y < height; ++y)
        std::fill_n(bitmap.ScanLine(y), width, rgb);
    return bitmap.SaveToFile(path);
}

std::string RuntimePath()
{
    return HostPath(E2E_RUNTIME);
}

testing::AssertionResult BuildScr(const TTestFolder& folder, const std::string& manifestJson, std::string* scrPath,
                                  const std::string& scrName)
{
    *scrPath = folder.File(scrName);
    std::string error;
    try {
        if (BuildProgramFile(nlohmann::json::parse(manifestJson), folder.Path(), *scrPath, RuntimePath(), &error))
            return testing::AssertionSuccess();
    } catch (const std::exception& e) {
        error = e.what();
    }
    return testing::AssertionFailure() << "cannot build " << *scrPath << ": " << error;
}

bool CreateLog(const std::string& programPath)
{
    return WriteWholeFile(std::filesystem::path(programPath).parent_path().string() + "\\zelt.log", "");
}

std::string InstallRecorder(const TTestFolder& folder)
{
    return CopyFake(folder, "recorder.exe") ? folder.File("recorder.exe") : std::string();
}

bool InstallPasswordFakes(const TTestFolder& folder)
{
    return CopyFake(folder, "MPR.DLL") && CopyFake(folder, "PASSWORD.CPL");
}

bool SetPasswordAnswer(const TTestFolder& folder, bool allow, DWORD pauseMs)
{
    return WriteWholeFile(folder.File("password-answer.txt"), (allow ? "allow " : "refuse ") + std::to_string(pauseMs));
}

TFakeFlashInstalled::TFakeFlashInstalled()
{
    const std::string server = std::string(kFlashClassKey) + "\\InprocServer32";
    Installed = WriteRegString(HKEY_LOCAL_MACHINE, server, "", HostPath(E2E_FAKE_FLASH)) &&
                WriteRegString(HKEY_LOCAL_MACHINE, server, "ThreadingModel", "Apartment");
}

TFakeFlashInstalled::~TFakeFlashInstalled()
{
    DeleteRegKey(HKEY_LOCAL_MACHINE, kFlashClassKey);
}

} // namespace e2e
