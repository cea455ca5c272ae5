// Music, slide sounds and video through Wine's media control interface. Wine's sound device here is the
// null ALSA device: sounds play and end at once. With its audio driver switched off, a play is accepted and
// then fails with the device stopped at position 0. Video frames drawn by Wine's AVI driver do not reach a
// screen read-back under Xvfb, so placement is checked on the video panel's window.
#include "data/CharCodes.h"
#include "data/TempDir.h"
#include "tests/e2e/Driver.h"
#include "tests/e2e/MediaFiles.h"

#include <cstdlib>
#include <memory>
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

// Wine without an audio driver (an empty driver list) for the savers started meanwhile: plays are accepted,
// then the device stands stopped at position 0.
class TNoAudioDriver {
public:
    bool Set() { return WriteRegString(HKEY_CURRENT_USER, kDrivers, "Audio", ""); }

private:
    static constexpr const char* kDrivers = "Software\\Wine\\Drivers";
    TRegValueRestore Restore_{HKEY_CURRENT_USER, kDrivers, "Audio"};
};

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

// A slide of no known kind with music, lasting the 3 s delay, then a 3.8 s video slide with the music off
// (under 20 frames, so it ends by its stop, not 20 frames short of its length).
// The track resumed by the first slide ends at its first poll, so the 3 s gap ends about a second into the
// video: the next track waits there paused, and the next slide with music plays it.
TEST(MediaShow, AGapThatEndsOverASilentSlideLeavesTheNextTrackPaused)
{
    TTestFolder folder("media_silent_gap");
    ASSERT_TRUE(WriteWholeFile(folder.File("a.wav"), PcmWav(500)));
    ASSERT_TRUE(WriteWholeFile(folder.File("b.wav"), PcmWav(500)));
    ASSERT_TRUE(WriteWholeFile(folder.File("clip.avi"), SolidAvi(64, 48, 19, 5, 0x0000FF)));
    std::string scr;
    ASSERT_TRUE(BuildScr(folder, R"({"project": {"projectname": "Silence",
        "data": {"EmbeddedMusic": 1, "EmbeddedMedia": 1, "LoopMusic": 1, "MediaDelay": 3, "MusicGap": 3}},
      "music": [{"file": "a.wav"}, {"file": "b.wav"}], "media": [{"file": "clip.avi"}],
      "slides": [{"filename": "one", "data": {"MediaType": 7, "MusicOn": 1}},
                 {"filename": "clip.avi", "data": {"MediaType": 2, "MusicOn": 0}}]})",
                         &scr));
    ASSERT_TRUE(CreateLog(scr));
    TParentWindow parent(320, 240);
    TProcess saver(scr, "/p " + parent.HandleText());
    TLogFile log(scr);
    // Loaded paused at the start, during the first video, during the second.
    ASSERT_TRUE(log.WaitForLine("music track", 25000, 3)) << log.Tail(40);
    std::vector<int> perVideo;  // tracks begun during each video slide
    for (const std::string& line : log.Lines()) {
        if (line.find("Media name = ") != std::string::npos)
            perVideo.push_back(0);
        if (line.find("Media name = one") != std::string::npos)
            perVideo.pop_back();
        if (line.find("music track") != std::string::npos && !perVideo.empty())
            ++perVideo.back();
    }
    ASSERT_GE(perVideo.size(), 2u) << log.Tail(40);
    EXPECT_EQ(perVideo[0], 1) << log.Tail(40);
    EXPECT_EQ(perVideo[1], 1) << log.Tail(40);
}

TEST(MediaShow, WithoutAnAudioDeviceSoundsEndAndTheShowGoesOn)
{
    TTestFolder folder("media_nodevice");
    std::string scr;
    BuildSoundShow(folder, &scr);
    TNoAudioDriver noDevice;
    ASSERT_TRUE(noDevice.Set());
    TParentWindow parent(320, 240);
    TProcess saver(scr, "/p " + parent.HandleText());
    TLogFile log(scr);
    // The bound sound holds its slide for the three polls a sound may take to start.
    EXPECT_TRUE(log.WaitForLine("Media name = one", 15000, 3));
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
    EXPECT_TRUE(log.HasAt("VideoPlayer", 276, "Movie stops , Show Next Media!")) << log.Tail();
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
    EXPECT_TRUE(log.HasAt("VideoPlayer", 245, "Movie stops , Loop Media!")) << log.Tail();
    EXPECT_FALSE(log.Has("Show Next media file"));
    EXPECT_EQ(ReadWholeFile(cache + ".avi"), ReadWholeFile(folder.File("clip.avi")));
    PostClick(window, WM_LBUTTONDOWN, 10, 10);
    ASSERT_TRUE(saver.WaitExit(15000));
    EXPECT_EQ(GetFileAttributesA((cache + ".avi").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA(cache.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA((GetTempDir() + CharCodesString("looper")).c_str()), INVALID_FILE_ATTRIBUTES);
}

// --- Background music whose tracks fail ------------------------------------------------------------------

namespace {

// Previews of looping embedded music over one slide of no known kind (a slide change every second, or every
// delay seconds); a track named bad*.wav holds no sound the device can open, one named stuck*.wav one whose
// play it accepts and never starts.
class MusicFailures : public testing::Test {
protected:
    void Start(const std::string& name, const std::vector<std::string>& tracks, int delay = 0)
    {
        TTestFolder folder(name);
        std::string music;
        for (const std::string& track : tracks) {
            const bool bad = track.compare(0, 3, "bad") == 0, stuck = track.compare(0, 5, "stuck") == 0;
            ASSERT_TRUE(WriteWholeFile(folder.File(track), bad ? std::string("RIFF\x04\0\0\0junk", 12)
                                                                : PcmWav(300, stuck ? 64 : 8)));
            music += (music.empty() ? "" : ",") + std::string(R"({"file": ")") + track + "\"}";
        }
        std::string scr;
        ASSERT_TRUE(BuildScr(folder, R"({"project": {"projectname": "Music",
            "data": {"EmbeddedMusic": 1, "LoopMusic": 1, "MusicGap": 0, "MediaDelay": )" +
                                         std::to_string(delay) + R"(}},
          "music": [)" + music + R"(], "slides": [{"filename": "one", "data": {"MediaType": 7, "MusicOn": 1}}]})",
                             &scr));
        ASSERT_TRUE(CreateLog(scr));
        Log = std::make_unique<TLogFile>(scr);
        Saver = std::make_unique<TProcess>(scr, "/p " + Parent.HandleText());
    }

    TParentWindow Parent{320, 240};
    std::unique_ptr<TLogFile> Log;
    std::unique_ptr<TProcess> Saver;
};

} // namespace

TEST_F(MusicFailures, ATrackThatCannotBeOpenedOrNeverStartsGivesWayToTheNextOneEachTimeRound)
{
    // Slides 30 s apart: only the tracks' own ends move the music on.
    ASSERT_NO_FATAL_FAILURE(Start("music_bad_then_good", {"bad.wav", "stuck.wav", "good.wav"}, 30));
    // The good track plays, ends at its first poll, and after the bad one and the stuck one (three polls)
    // again it plays once more.
    EXPECT_TRUE(Log->WaitForLine("music track : " + GetTempDir() + "good.wav", 15000, 2)) << Log->Tail(40);
    EXPECT_GE(Log->Count("could not play " + GetTempDir() + "bad.wav"), 2) << Log->Tail(40);
    EXPECT_GE(Log->Count("stuck.wav did not start playing"), 2) << Log->Tail(40);
    EXPECT_FALSE(Log->Has("no track of the music list plays")) << Log->Tail(40);
}

TEST_F(MusicFailures, AListOfTracksThatAllFailIsTriedOncePerSlide)
{
    ASSERT_NO_FATAL_FAILURE(Start("music_all_bad", {"bad1.wav", "bad2.wav"}));
    ASSERT_TRUE(Log->WaitForLine("Media name = one", 15000, 4)) << Log->Tail(40);
    // Once at the start and once at each slide; each time both tracks fail once.
    const int slides = Log->Count("Media name = one");
    const int rounds = Log->Count("no track of the music list plays");
    EXPECT_GE(rounds, slides - 1) << Log->Tail(40);
    EXPECT_LE(rounds, slides + 2) << Log->Tail(40);
    EXPECT_LE(Log->Count("could not play"), 2 * rounds + 2) << Log->Tail(40);
}

// Wine without an audio driver accepts the play and never plays. The track counts as failed once it has
// stood at its start for three polls, and the list waits for the next slide (30 s away), instead of being
// written out again every second.
TEST_F(MusicFailures, ATrackTheDeviceAcceptsButNeverPlaysWaitsForTheNextSlide)
{
    TNoAudioDriver noDevice;
    ASSERT_TRUE(noDevice.Set());
    ASSERT_NO_FATAL_FAILURE(Start("music_no_device", {"good.wav"}, 30));
    ASSERT_TRUE(Log->WaitForLine("music track", 10000)) << Log->Tail(40);
    Pause(8000);
    EXPECT_EQ(Log->Count("music track : "), 1) << Log->Tail(40);
    EXPECT_TRUE(Log->Has("good.wav did not start playing")) << Log->Tail(40);
    EXPECT_TRUE(Log->Has("no track of the music list plays")) << Log->Tail(40);
}

// With the whole composed frame revealed over what the screen shows, the picture before a video never comes
// back under the transition of the picture after it.
TEST(MediaShow, APictureAfterAVideoNeverBringsBackThePictureBeforeIt)
{
    TTestFolder folder("media_video_then_picture");
    const uint32_t red = 0xFF0000;
    ASSERT_TRUE(WriteSolidBmp(folder.File("red.bmp"), 64, 48, red));
    ASSERT_TRUE(WriteSolidBmp(folder.File("blue.bmp"), 64, 48, 0x0000FF));
    ASSERT_TRUE(WriteWholeFile(folder.File("clip.avi"), SolidAvi(64, 48, 5, 5, 0x00FF00)));
    std::string scr;
    // Blue comes in one row a frame: the rest of the screen shows where its transition started for seconds.
    ASSERT_TRUE(BuildScr(folder, R"({"project": {"projectname": "After", "data": {"EmbeddedMedia": 1, "FitMode": 3,
        "BackgroundMode": 1, "MediaDelay": 1}}, "media": [{"file": "red.bmp"}, {"file": "clip.avi"}, {"file": "blue.bmp"}],
        "slides": [{"filename": "red.bmp"}, {"filename": "clip.avi", "data": {"MediaType": 2}},
                   {"filename": "blue.bmp", "effect": "0;", "data": {"EffectOn": 1, "Step": 1}}]})",
                         &scr));
    ASSERT_TRUE(CreateLog(scr));
    TProcess saver(scr, "/s");
    TLogFile log(scr);
    // Under Xvfb the video's panel never covers what was on the screen before it: look once blue has begun.
    ASSERT_TRUE(log.WaitForLine("begin a transition show", 20000, 2)) << log.Tail();
    const int width = GetSystemMetrics(SM_CXSCREEN), middle = GetSystemMetrics(SM_CYSCREEN) / 2;
    const RECT row{0, middle, width, middle + 1};
    // The transition's first frame covers the red that stayed on the screen, a moment after its line: where
    // red came back under the transition, it would stay for seconds.
    ASSERT_TRUE(WaitForScreen(row, [&](const TScreenShot& s) { return s.Count(red) == 0; }, 2000,
                              "blue's first frame over the red")) << log.Tail();
    int shots = 0, redShots = 0;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 2000) {
        redShots += TScreenShot(row).Count(red) > 0;
        ++shots;
        Pause(50);
    }
    EXPECT_EQ(log.Count("end a transition show"), 1) << "blue's transition ended while the screen was watched";
    EXPECT_EQ(redShots, 0) << "of " << shots << " looks at the screen\n" << log.Tail();
}

// Three slides of a 2.4 s clip on a solid background with a title. Wine's AVI driver plays it in about 2 s
// and stops at frame 11 of 12, so only the stop after playing ends it; the first poll comes about 1.07 s
// after the slide starts.
TEST(MediaShow, AVideoStandsOnItsBackgroundAndAShortClipPlaysToItsEnd)
{
    TTestFolder folder("media_video_back");
    ASSERT_TRUE(WriteWholeFile(folder.File("clip.avi"), SolidAvi(64, 48, 12, 5, 0x0000FF)));
    const uint32_t solid = 0x3366CC;  // 0x00RRGGBB; the slide stores it as 0x00BBGGRR
    const std::string slide = R"({"filename": "clip.avi", "title": "TITLE", "data": {"MediaType": 2,
        "BackSolidAllowed": 1, "SolidColor": 13395507, "TitleShown": 1, "TitlePosition": 9, "TitleX": 100,
        "TitleY": 100, "TitleFontSize": 20, "TitleColor": 16777215}})";
    std::string scr;
    ASSERT_TRUE(BuildScr(folder, R"({"project": {"projectname": "Back", "data": {"EmbeddedMedia": 1, "MediaDelay": 0}},
        "media": [{"file": "clip.avi"}], "slides": [)" + slide + "," + slide + "," + slide + "]}",
                         &scr));
    ASSERT_TRUE(CreateLog(scr));
    TProcess saver(scr, "/s");
    TLogFile log(scr);
    ASSERT_TRUE(log.WaitForLine("Exit from PlayVideo()", 15000));

    // Around the centred video: the colour, and the title's white ink all inside its box at (100, 100).
    const RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), 400};
    EXPECT_TRUE(WaitUntil([&] { return TScreenShot(RECT{area.right - 8, 0, area.right, 8}).Count(solid) == 64; },
                          3000, "the background's colour"));
    const TScreenShot shot(area);
    int ink = 0, outside = 0, other = 0;
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 0; x < shot.Width(); ++x) {
            const uint32_t c = shot.Pixel(x, y);
            const bool inBox = x >= 100 && y >= 100 && x < 400 && y < 160;
            ink += c == 0xFFFFFF;
            outside += c == 0xFFFFFF && !inBox;
            other += c != 0xFFFFFF && c != solid && !inBox;
        }
    EXPECT_GT(ink, 50);
    EXPECT_EQ(outside, 0);
    EXPECT_EQ(other, 0);

    ASSERT_TRUE(log.WaitForLine("Movie stops , Show Next Media!", 20000, 3));
    const std::vector<long> shown = Ticks(log, "Exit from PlayVideo()"), ended = Ticks(log, "Movie stops");
    for (size_t i = 0; i < 3; ++i)
        EXPECT_GE(ended[i] - shown[i], 1800) << "clip " << i << " cut short\n" << log.Tail(40);
}
