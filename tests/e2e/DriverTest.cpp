// The driver itself: the screen saver it builds, the programs it starts and the Wine settings it makes.
#include "tests/e2e/Driver.h"

#include "data/TableFormat.h"
#include "tools/mkscr/Dump.h"

using namespace e2e;

namespace {

const nlohmann::json& Table(const nlohmann::json& dump, const std::string& name)
{
    for (const nlohmann::json& t : dump["tables"])
        if (t["name"] == name)
            return t;
    static const nlohmann::json none;
    ADD_FAILURE() << "no table " << name;
    return none;
}

} // namespace

TEST(Driver, BuildsTheRuntimeWithItsProjectAppended)
{
    TTestFolder folder("driver_build");
    ASSERT_TRUE(WriteSolidBmp(folder.File("red.bmp"), 32, 16, 0xFF0000));
    std::string scr;
    ASSERT_TRUE(BuildScr(folder, R"({"project": {"projectname": "Driver", "data": {"EmbeddedMedia": 1}},
                                     "media": [{"file": "red.bmp"}], "slides": [{"filename": "red.bmp"}]})",
                         &scr));
    const std::string program = ReadWholeFile(scr), runtime = ReadWholeFile(RuntimePath());
    ASSERT_GT(program.size(), runtime.size() + 4);
    EXPECT_EQ(program.compare(0, runtime.size(), runtime), 0);
    EXPECT_EQ(GetInt32(reinterpret_cast<const unsigned char*>(&program[program.size() - 4])),
              static_cast<int32_t>(runtime.size()));

    nlohmann::json dump;
    std::string error;
    ASSERT_TRUE(DumpDatabase(scr, &dump, &error)) << error;
    EXPECT_EQ(Table(dump, "project")["records"][0]["projectname"], "Driver");
    EXPECT_EQ(Table(dump, "media")["records"][0]["name"], "red.bmp");
    EXPECT_EQ(Table(dump, "media")["records"][0]["media"]["size"], ReadWholeFile(folder.File("red.bmp")).size());
    EXPECT_EQ(Table(dump, "runtimelib")["records"][0]["name"], "Ombix.dll");

    ASSERT_TRUE(CreateLog(scr));
    EXPECT_EQ(GetFileAttributesA(folder.File("zelt.log").c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

TEST(Driver, StartsWaitsKillsAHungProgramAndSeesACrashAtOnce)
{
    TTestFolder folder("driver_process");
    const std::string recorder = InstallRecorder(folder);
    ASSERT_FALSE(recorder.empty());
    {
        TProcess quick(recorder, "/ins \"C:\\a b.scr\"");
        ASSERT_TRUE(quick.WaitExit(10000));
        EXPECT_EQ(quick.ExitCode(), static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
    }
    TProcess hung(recorder, "--sleep");
    const DWORD start = GetTickCount();
    const testing::AssertionResult ended = hung.WaitExit(1000);
    EXPECT_FALSE(ended);
    EXPECT_NE(std::string(ended.message()).find("killed"), std::string::npos) << ended.message();
    EXPECT_FALSE(hung.Running());
    EXPECT_LT(GetTickCount() - start, 8000u);
    EXPECT_EQ(CrashOf(hung), "");

    // No crash debugger holds a crashed program: it ends with its exception code.
    TProcess crashing(recorder, "--crash");
    ASSERT_TRUE(crashing.WaitExit(10000));
    EXPECT_EQ(CrashOf(crashing), "crashed with exception 0xC0000005");
    // Nor one of the other word size: a 64-bit prefix has a crash debugger for each.
    for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY})
        EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug",
                                "Debugger", view),
                  std::optional<std::string>("")) << view;
    const std::vector<std::string> lines = ReadLines(folder.File("recorder.txt"));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_NE(lines[0].find("/ins \"C:\\a b.scr\""), std::string::npos) << lines[0];
}

// The per-program Wine settings: Windows 98 for one file name only, and our MPR.DLL from the program's folder
// instead of Wine's own; PASSWORD.CPL, which Wine lacks, loads from there anyway.
TEST(Driver, Win98SettingAndFakeDllsApplyToOneProgram)
{
    TTestFolder folder("driver_win98");
    const std::string recorder = InstallRecorder(folder);
    ASSERT_TRUE(InstallPasswordFakes(folder));
    ASSERT_TRUE(SetPasswordAnswer(folder, true));
    {
        TWin98 win98(recorder);
        ASSERT_TRUE(win98.Ok());
        TProcess run(recorder, "--mpr --password");
        ASSERT_TRUE(run.WaitExit(10000));
        EXPECT_EQ(run.ExitCode(), static_cast<DWORD>(VER_PLATFORM_WIN32_WINDOWS));
    }
    EXPECT_EQ(ReadLines(folder.File("mpr.txt")), std::vector<std::string>{"PwdChangePasswordA SCRSAVE 0 0 0"});
    EXPECT_EQ(ReadLines(folder.File("password.txt")),
              std::vector<std::string>{"VerifyScreenSavePwd 0 cursor 0 allow"});

    TProcess after(recorder, "");
    ASSERT_TRUE(after.WaitExit(10000));
    EXPECT_EQ(after.ExitCode(), static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
}

// Screen read-back keeps rows and channels in place: the top half of a window painted red, the bottom blue.
TEST(Driver, ScreenShotOfAPaintedWindow)
{
    TParentWindow window(64, 40, 300, 200);
    ASSERT_TRUE(window.Handle());
    HDC dc = GetDC(window.Handle());
    const RECT top = {0, 0, 64, 20}, bottom = {0, 20, 64, 40};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0)), blue = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(dc, &top, red);
    FillRect(dc, &bottom, blue);
    DeleteObject(red);
    DeleteObject(blue);
    ReleaseDC(window.Handle(), dc);

    const TScreenShot shot = TScreenShot::Of(window.Handle());
    ASSERT_EQ(shot.Width(), 64);
    ASSERT_EQ(shot.Height(), 40);
    EXPECT_EQ(shot.Pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(shot.Pixel(63, 39), 0x0000FFu);
    EXPECT_EQ(shot.Count(0xFF0000), 64 * 20);
    TTestFolder folder("driver_screen");
    EXPECT_TRUE(shot.Save(folder.File("shot.bmp")));
}
