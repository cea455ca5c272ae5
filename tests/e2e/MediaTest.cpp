// Music, slide sounds and video through Wine's media control interface. Wine's sound device here is the
// null ALSA device: sounds play and end at once. With its audio driver switched off, a play is accepted and
// then fails with the device stopped at position 0. Video frames drawn by Wine's AVI driver do not reach a
// screen read-back under Xvfb, so placement is checked on the video panel's window.
#include "data/CharCodes.h"
#include "data/TempDir.h"
#include "tests/e2e/Driver.h"
#include "tests/e2e/MediaFiles.h"

#include <cstdlib>
#include <set>
#include <tuple>

using namespace e2e;

namespace {

// The tick counts of the log lines that contain part, in order.
std::vector<long> Ticks(const TLogFile& log, const std::string& part)
{
    std::vector<long> out;
    for (const std::string& line : log.Lines())
        if (line.find(part) != std::string::npos && line.size() > 1 && line[0] == '(')
            out.push_back(std::strtol(line.c_str() + 1, nullptr, 10));
    return out;
}

// Two slides that end at once, the first bound to a sound, and two background tracks a gap apart.
const char kSoundShow[] = R"({"project": {"projectname": "Sounds",
    "data": {"EmbeddedMusic": 1, "EmbeddedMedia": 1, "MediaDelay": 0, "MusicGap": 2}},
  "music": [{"file": "a.wav"}, {"file": "long.wav", "type": 2}, {"file": "b.wav"}],
  "slides": [{"filename": "one", "bindsound": "LONG.WAV", "data": {"MediaType": 7, "MusicOn": 1}},
             {"filename": "two", "data": {"MediaType": 7, "MusicOn": 1}}]})";

void BuildSoundShow(const TTestFolder& folder, std::string* scr)
{
    ASSERT_TRUE(WriteWholeFile(folder.File("a.wav"), PcmWav(500)));
    ASSERT_TRUE(WriteWholeFile(folder.File("b.wav"), PcmWav(500)));
    ASSERT_TRUE(WriteWholeFile(folder.File("long.wav"), PcmWav(3000)));
    ASSERT_TRUE(BuildScr(folder, kSoundShow, scr));
    ASSERT_TRUE(CreateLog(*scr));
}

struct TBounds {
    LONG Left, Top, Width, Height;
    bool operator<(const TBounds& o) const
    {
        return std::tie(Left, Top, Width, Height) < std::tie(o.Left, o.Top, o.Width, o.Height);
    }
};

// The video panels (children of a child of the saver's window) as placed in the parent's client area.
void CollectPanels(HWND parent, std::set<TBounds>& seen)
{
    POINT origin = {0, 0};
    ClientToScreen(parent, &origin);
    for (HWND saver : ChildWindows(parent))
        for (HWND form : ChildWindows(saver))
            for (HWND panel : ChildWindows(form)) {
                const RECT r = WindowRect(panel);
                seen.insert({r.left - origin.x, r.top - origin.y, r.right - r.left, r.bottom - r.top});
            }
}

} // namespace

TEST(MediaShow, TracksFollowAfterTheGapAndABoundSoundHoldsItsSlide)
{
    TTestFolder folder("media_sounds");
    std::string scr;
    BuildSoundShow(folder, &scr);
    TParentWindow parent(320, 240);
    TProcess saver(scr, "/p " + parent.HandleText());
    TLogFile log(scr);
    ASSERT_TRUE(log.WaitForLine("music track", 10000, 2));
    ASSERT_TRUE(log.WaitForLine("Media name = two", 5000, 2));

    const std::vector<long> tracks = Ticks(log, "music track");
    // The first track ends at its first poll (1 s), then the 2 s gap runs.
    EXPECT_GE(tracks[1] - tracks[0], 2800) << log.Tail(40);
    EXPECT_LE(tracks[1] - tracks[0], 6000) << log.Tail(40);
    EXPECT_FALSE(log.Has("music track : " + GetTempDir() + "long.wav")) << "a slide sound played as music";

    // Slide one waits for its sound's end (found by its poll a second later); slide two, without a sound,
    // moves on after the one second that follows any slide of no known kind.
    const std::vector<long> one = Ticks(log, "Media name = one"), two = Ticks(log, "Media name = two");
    ASSERT_GE(one.size(), 2u);
    EXPECT_GE(two[0] - one[0], 900) << log.Tail(40);
    EXPECT_LT(one[1] - two[0], 1500) << log.Tail(40);
}

TEST(MediaShow, WithoutAnAudioDeviceSoundsEndAndTheShowGoesOn)
{
    TTestFolder folder("media_nodevice");
    std::string scr;
    BuildSoundShow(folder, &scr);
    // Wine without an audio driver: plays are accepted, then fail.
    const std::string drivers = "Software\\Wine\\Drivers";
    TRegValueRestore restore(HKEY_CURRENT_USER, drivers, "Audio");
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, drivers, "Audio", ""));
    TParentWindow parent(320, 240);
    TProcess saver(scr, "/p " + parent.HandleText());
    TLogFile log(scr);
    EXPECT_TRUE(log.WaitForLine("Media name = one", 10000, 3));
    EXPECT_TRUE(log.WaitForLine("music track", 8000, 2));
}

TEST(MediaShow, AMissingExternalTrackLeavesTheSaverPlacedAndClosable)
{
    TTestFolder folder("media_missing");
    std::string scr;
    ASSERT_TRUE(BuildScr(folder, R"({"project": {"projectname": "Missing", "data": {"RelativePaths": 1, "MediaDelay": 1}},
        "music": [{"name": "C:\\music\\missing.wav"}], "slides": [{"filename": "one", "data": {"MediaType": 7}}]})",
                         &scr));
    ASSERT_TRUE(CreateLog(scr));
    TProcess saver(scr, "/s");
    HWND window = nullptr;
    ASSERT_TRUE(saver.WaitForWindow(&window, 10000));
    TLogFile log(scr);
    ASSERT_TRUE(log.WaitForLine("Cann't find " + folder.File("missing.wav"), 5000));
    const RECT r = WindowRect(window);
    EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYVIRTUALSCREEN));
    ASSERT_TRUE(log.WaitForLine("Media name = one", 5000, 2));
    Pause(2500);  // close events are armed 2 s after start
    PostClick(window, WM_LBUTTONDOWN, 10, 10);
    EXPECT_TRUE(saver.WaitExit(15000));
}

TEST(MediaShow, VideoSizeModesPlaceTheVideoAndTheShowMovesOn)
{
    TTestFolder folder("media_video_modes");
    ASSERT_TRUE(WriteWholeFile(folder.File("clip.avi"), SolidAvi(320, 240, 20, 10, 0x0000FF)));
    std::string slides;
    for (int mode = 1; mode <= 5; ++mode)
        slides += std::string(mode > 1 ? "," : "") + R"({"filename": "clip.avi", "data": {"MediaType": 2, "VideoSizeMode": )" +
                  std::to_string(mode) + "}}";
    std::string scr;
    ASSERT_TRUE(BuildScr(folder, R"({"project": {"projectname": "Modes", "data": {"EmbeddedMedia": 1, "MediaDelay": 0}},
        "media": [{"file": "clip.avi"}], "slides": [)" + slides + "]}",
                         &scr));
    ASSERT_TRUE(CreateLog(scr));
    TParentWindow parent(1024, 768);
    TProcess saver(scr, "/p " + parent.HandleText());
    std::set<TBounds> seen;
    const std::set<TBounds> expected = {
        {192, 144, 640, 480}, {384, 288, 256, 192}, {256, 192, 512, 384}, {150, 112, 724, 543}, {0, 0, 1024, 768}};
    const auto allSeen = [&] {
        CollectPanels(parent.Handle(), seen);
        for (const TBounds& b : expected)
            if (!seen.count(b))
                return false;
        return true;
    };
    EXPECT_TRUE(WaitUntil(allSeen, 20000, "a panel in each size mode", [&] {
        std::string s;
        for (const TBounds& b : seen)
            s += " (" + std::to_string(b.Left) + "," + std::to_string(b.Top) + " " + std::to_string(b.Width) + "x" +
                 std::to_string(b.Height) + ")";
        return s;
    }));
    TLogFile log(scr);
    EXPECT_GE(log.Count("Movie stops , Show Next Media!"), 4);
    EXPECT_FALSE(log.Has("Loop Media"));
}

TEST(MediaShow, AOneVideoProjectLoopsAndItsCacheIsGoneAfterClose)
{
    TTestFolder folder("media_video_loop");
    ASSERT_TRUE(WriteWholeFile(folder.File("clip.avi"), SolidAvi(64, 48, 20, 10, 0x00FF00)));
    std::string scr;
    ASSERT_TRUE(BuildScr(folder, R"({"project": {"projectname": "Loop", "data": {"EmbeddedMedia": 1, "MediaDelay": 0}},
        "media": [{"file": "clip.avi"}], "slides": [{"filename": "clip.avi", "data": {"MediaType": 2, "VideoSizeMode": 3}}]})",
                         &scr, "looper.scr"));
    ASSERT_TRUE(CreateLog(scr));
    const std::string cache = GetTempDir() + CharCodesString("looper") + "\\" + CharCodesString("clip");
    // A copy left by an earlier run is not trusted.
    CreateDirectoryA((GetTempDir() + CharCodesString("looper")).c_str(), nullptr);
    ASSERT_TRUE(WriteWholeFile(cache + ".avi", "stale"));
    TProcess saver(scr, "/s");
    HWND window = nullptr;
    ASSERT_TRUE(saver.WaitForWindow(&window, 10000));
    TLogFile log(scr);
    ASSERT_TRUE(log.WaitForLine("Movie stops , Loop Media!", 8000, 2));
    EXPECT_FALSE(log.Has("Show Next media file"));
    EXPECT_EQ(ReadWholeFile(cache + ".avi"), ReadWholeFile(folder.File("clip.avi")));
    PostClick(window, WM_LBUTTONDOWN, 10, 10);
    ASSERT_TRUE(saver.WaitExit(15000));
    EXPECT_EQ(GetFileAttributesA((cache + ".avi").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA(cache.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA((GetTempDir() + CharCodesString("looper")).c_str()), INVALID_FILE_ATTRIBUTES);
}
