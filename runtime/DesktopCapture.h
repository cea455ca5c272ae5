// The desktop as the saver found it, in the temporary file "zeltdsk.bmp". Reading the screen and writing the
// file run on a thread of their own while the main window composes the first slide. The screen is read before
// any window of the program shows, and the file is complete before a desktop background reads it. The file
// shows the user's screen: the process that wrote it deletes it at its end, unless another run (every run
// uses the one name) has written its own capture there since.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

class TDesktopCapture {
public:
    TDesktopCapture() = default;
    ~TDesktopCapture();
    TDesktopCapture(const TDesktopCapture&) = delete;
    TDesktopCapture& operator=(const TDesktopCapture&) = delete;

    // Reads monitor (0 or a number out of range: the virtual screen) into path as a bitmap file. Once a run.
    void Start(int monitor, const std::string& path);
    // Returns once the screen has been read and the file written or given up; at once when nothing was
    // started. False when a started capture could not be written.
    bool Wait();
    // Waits for the thread, then deletes the file while it is still the one this process wrote.
    void Remove();

private:
    void Run(const RECT& area);

    std::mutex Lock_;
    std::condition_variable Finished_;
    bool Started_ = false;
    bool Done_ = false;
    bool Written_ = false;
    BY_HANDLE_FILE_INFORMATION WrittenFile_ = {};  // the file as this run left it
    std::string Path_;
    std::thread Thread_;
};

// This run's capture: started by the start-up, awaited by the main window and the desktop background.
extern TDesktopCapture g_DesktopCapture;

// The screen's pixels in area written to path as a bitmap file. False, and no file left, when it could not
// be written. Writes no log line: the log is the user-interface thread's.
bool SaveScreenToFile(const RECT& area, const std::string& path);
