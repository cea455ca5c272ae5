#include "classlib/Streams.h"
#include "data/MyXMLDb.h"
#include "data/MyXMLTable.h"
#include "data/NameFolding.h"
#include "tests/e2e/DamagedProject.h"

#include <filesystem>
#include <set>

namespace e2e {

namespace {

// Slides started before the move: the project's seven and the first again, so that damage to any slide is
// played before the close (or 8 s after the window came, whichever is first).
const int kRoundOfSlides = 7;
const int kCloseMs = 2000;

// Watches a run until done() or timeoutMs, noting a crash or a box as soon as one appears. True when done().
bool Watch(const TProcess& saver, DWORD timeoutMs, const std::function<bool()>& done, TRunOutcome& out)
{
    const DWORD start = GetTickCount();
    for (;;) {
        const std::string crash = CrashOf(saver);
        if (!crash.empty()) {
            out.Crash = true;
            out.Details += crash + "; ";
            return false;
        }
        const std::string box = BoxOf(saver.Id());
        if (!box.empty()) {
            out.Box = true;
            out.Details += "box " + box + "; ";
            return false;
        }
        if (done())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Pause(50);
    }
}

std::set<std::string> FilesBelow(const std::string& folder)
{
    std::set<std::string> names;
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(folder, error);
         it != std::filesystem::recursive_directory_iterator(); it.increment(error))
        names.insert(LowerAZ(std::filesystem::relative(it->path(), folder, error).string()));
    return names;
}

// The runtime libraries and accessory files the damaged project names, as its own reader sees them: the
// runtime writes them to the temporary folder and leaves them there.
std::set<std::string> NamedFiles(const std::string& scr)
{
    std::set<std::string> names;
    TFileStream file(scr, fmOpenRead);
    int32_t offset = 0;
    if (!ReadOffsetTrailer(file, offset))
        return names;
    CMyXMLDb db;
    db.Open(scr, offset);
    for (const char* table : {"runtimelib", "accfile"}) {
        CMyXMLTable t;
        t.SetLoadBinary(0);
        t.Open(&db, table);
        for (t.First(); !t.Eof; t.Next())
            names.insert(LowerAZ(t.FieldAsString("name")));
    }
    return names;
}

// A hang, unless the run already failed otherwise (a crash or a box also stops the saver answering).
void NoteHang(TRunOutcome& out, const std::string& why)
{
    if (out.Failed())
        return;
    out.Hang = true;
    out.Details += why + "; ";
}

// Waits for the window, lets a round of slides play once close events are armed, then closes the saver
// as a user would: a mouse move, or the window's close for a project that runs as an ordinary program.
void Drive(const TProcess& saver, const TLogFile& log, TRunOutcome& out)
{
    const auto ended = [&] { return !saver.Running(); };
    if (!Watch(saver, 15000, [&] { return ended() || log.Has("Main form Init Pos"); }, out))
        return NoteHang(out, "no window and no end within 15 s");
    const auto round = [&] { return ended() || log.Count("Media name =") > kRoundOfSlides; };
    if (!Watch(saver, 2300, ended, out) && !out.Failed())
        Watch(saver, 5700, round, out);
    if (out.Failed())
        return;
    if (ended())
        return NoteHang(out, "ended by itself before it was closed");
    const bool program = log.Has("start mode : run as an exe file");
    const char* closer = program ? "WM_CLOSE" : "mouse move";
    const DWORD moved = GetTickCount();
    if (program) {
        for (HWND window : saver.Windows())
            PostClose(window);
    } else {
        SendMouseMove(200, 150);
    }
    // The window must be gone within a second, and the process end soon after. A move that falls into the
    // second the saver waits after extracting a video is answered only after that wait: two seconds then.
    const auto closed = [&] { return ended() || saver.Windows().empty(); };
    const bool gone = Watch(saver, 15000, closed, out);
    out.CloseMs = static_cast<int>(GetTickCount() - moved);
    if (!gone || !Watch(saver, 10000, ended, out))
        NoteHang(out, std::string("the ") + closer + " did not end it");
    else if (out.CloseMs > kCloseMs)
        NoteHang(out, "closed only " + std::to_string(out.CloseMs) + " ms after the " + closer);
}

void Keep(const std::string& folder, int n, const std::string& scr, const TDamagedCase& c, const TRunOutcome& out)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const std::string base = folder + "\\case-" + std::to_string(n);
    CopyFileA(scr.c_str(), (base + ".scr").c_str(), FALSE);
    CopyFileA(TLogFile(scr).Path().c_str(), (base + ".log").c_str(), FALSE);
    WriteWholeFile(base + ".txt", c.Description + "\n" + out.Details + "\n");
}

} // namespace

TDamageRunner::TDamageRunner(const TTestFolder& folder)
    : Folder_(folder), Runtime_(ReadWholeFile(RuntimePath())), Scr_(folder.File("damaged.scr")),
      Temp_(folder.File("temp")), Unmanaged_(Scr_)
{
    Unmanaged_.SetUnmanaged();
}

TRunOutcome TDamageRunner::Run(const TDamagedCase& c, int n)
{
    TRunOutcome out;
    std::error_code error;
    std::filesystem::remove_all(Temp_, error);
    std::filesystem::create_directories(Temp_, error);
    if (!WriteWholeFile(Scr_, Runtime_ + c.Tail) || !CreateLog(Scr_)) {
        NoteHang(out, "cannot write " + Scr_);
        return out;
    }
    // A saver that an earlier test killed could not clear the flag: each run starts from "not running".
    const bool flag = false;
    SetScreenSaverRunningFlag(flag);
    TLogFile log(Scr_);
    {
        TProcess saver(Scr_, "/s", {"TMP=" + Temp_, "TEMP=" + Temp_});
        Drive(saver, log, out);
        if (saver.Running())
            saver.Kill();
        else if (saver.ExitCode() != 0 && !out.Crash) {
            out.Crash = true;
            out.Details += "exit code " + std::to_string(saver.ExitCode()) + "; ";
        }
    }
    if (ScreenSaverRunningFlag().value_or(false) != flag) {
        out.Leftover = true;
        out.Details += "running flag changed; ";
    }
    const std::set<std::string> allowed = NamedFiles(Scr_);
    for (const std::string& name : FilesBelow(Temp_))
        if (!allowed.count(name)) {
            out.Leftover = true;
            out.Details += "left " + name + "; ";
        }
    if (out.Failed())
        Keep(Folder_.File("failures"), n, Scr_, c, out);
    return out;
}

} // namespace e2e
