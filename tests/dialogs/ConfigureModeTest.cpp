// The built screen saver in configure mode: its settings dialog, told what to change by messages from here.
#include "dialogs/DialogIds.h"
#include "tests/data/LeWords.h"
#include "tests/e2e/Driver.h"

#include <commctrl.h>

using namespace e2e;

namespace {

const char kKey[] = "Software\\tarnwheel\\ConfigureRun";

// A control of the dialog or of one of its pages.
HWND Control(HWND dialog, int id)
{
    for (HWND child : ChildWindows(dialog)) {
        if (GetDlgCtrlID(child) == id)
            return child;
        for (HWND control : ChildWindows(child)) {
            if (GetDlgCtrlID(control) == id)
                return control;
        }
    }
    return nullptr;
}

} // namespace

// What the dialog saves is what the saver then does: its track bar is the saver's mouse threshold. The
// project's web site names a program, which neither "Home" nor "Visit website" starts.
TEST(ConfigureMode, ShowsTheProjectsDialogAndOkSavesWhatTheSaverUses)
{
    TTestFolder folder("dialogs_configure_mode");
    ASSERT_TRUE(WriteSolidBmp(folder.File("red.bmp"), 64, 48, 0xFF0000));
    std::string program = InstallRecorder(folder);
    ASSERT_FALSE(program.empty());
    for (std::size_t at = 0; (at = program.find('\\', at)) != std::string::npos; at += 2)
        program.insert(at, 1, '\\');
    std::string scr;
    ASSERT_TRUE(BuildScr(folder, R"({"project": {"projectname": "ConfigureRun", "authorwebsite": ")" + program + R"(",
                                        "data": {"EmbeddedMedia": 1, "HasPictures": 1, "HasPublisher": 1}},
                                     "media": [{"file": "red.bmp"}], "slides": [{"filename": "red.bmp"}]})",
                         &scr));
    DeleteRegKey(HKEY_CURRENT_USER, kKey);
    ASSERT_TRUE(CreateLog(scr));
    TProcess run(scr, "/c");
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            const std::vector<HWND> windows = run.Windows();
            dialog = windows.empty() ? nullptr : windows.front();
            return dialog || !run.Running();
        },
        15000, "the dialog or the end"));
    ASSERT_NE(dialog, nullptr);
    char caption[128] = {};
    GetWindowTextA(dialog, caption, sizeof caption);
    EXPECT_STREQ(caption, "ConfigureRun - Screensaver Settings");

    const HWND home = Control(dialog, IDC_LBHOME);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_LBHOME, STN_CLICKED), reinterpret_cast<LPARAM>(home));
    PostMessageW(dialog, WM_COMMAND, ID_VISITWEBSITE1, 0);
    TLogFile log(scr);
    EXPECT_TRUE(log.WaitForLine("not a web or mail address, not opened", 5000, 2)) << log.Tail();

    const HWND threshold = Control(dialog, IDC_TBTHRESHOLD);
    EXPECT_EQ(SendMessageW(threshold, TBM_GETPOS, 0, 0), 20);
    SendMessageW(threshold, TBM_SETPOS, TRUE, 60);
    SendMessageW(Control(dialog, IDC_CKBMUTE), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(Control(dialog, IDC_EDTMAXTIME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("12 "));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(run.WaitExit(15000));
    EXPECT_EQ(ReadRegBinary(HKEY_CURRENT_USER, kKey, "data").value_or(""),
              Words({60, 1, 1, 0, 1, 1, 1, 1, 0, 0, 0, 0, 12, 60, 0, 1, 25, 0}));  // no specified key: 0
    EXPECT_EQ(ReadRegDword(HKEY_CURRENT_USER, kKey, "screenmode").value_or(9), 0u);
    EXPECT_TRUE(log.HasAt("configuredlg", 18, "Show configuration dialog.")) << log.Tail();
    EXPECT_TRUE(log.HasAt("configuredlg", 128, "hasimagemedia = true"));
    EXPECT_TRUE(log.HasAt("configuredlg", 35, "Exit configuration dialog."));

    // The saver counts moves from (0, 0), once armed 2 s after its start.
    ASSERT_TRUE(CreateLog(scr));
    TProcess saver(scr, "/s");
    HWND window = nullptr;
    ASSERT_TRUE(saver.WaitForWindow(&window, 15000));
    ASSERT_TRUE(log.WaitForLine("Main form Init Pos 0 ,0", 5000)) << log.Tail();
    Pause(2600);
    ASSERT_TRUE(SendMouseMove(40, 5));
    Pause(500);
    EXPECT_TRUE(saver.Running());
    EXPECT_FALSE(log.Has("Close Event")) << log.Tail();
    ASSERT_TRUE(SendMouseMove(75, 5));
    ASSERT_TRUE(saver.WaitExit(10000)) << log.Tail();
    EXPECT_TRUE(log.Has("dx: 75 , dy : 5 , threshold : 60")) << log.Tail();
    EXPECT_EQ(ReadWholeFile(folder.File("recorder.txt")), "");
    DeleteRegKey(HKEY_CURRENT_USER, kKey);
}
