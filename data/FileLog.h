// The diagnostic log: on only when "zelt.log" already exists beside the program at start.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

class CFileLog {
public:
    CFileLog();
    // Opens the given log file when it exists (the program's own folder is used by the default constructor).
    explicit CFileLog(const std::string& logPath);
    ~CFileLog();
    CFileLog(const CFileLog&) = delete;
    CFileLog& operator=(const CFileLog&) = delete;

    bool IsOn() const { return File != nullptr; }
    // One complete line "[yyyy-mm-dd hh:mm:ss] : text", flushed.
    void Write(const std::string& text);
    // printf-style; the message is cut to 1023 characters. An empty message writes nothing.
    void Print(const char* format, ...)
#ifdef __GNUC__
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    // The location prefix "(ticks)[unit,(line)] : " without a line end.
    void Where(const char* unit, int line);

private:
    void OpenIfExists(const std::string& logPath);

    std::FILE* File = nullptr;
};

extern CFileLog* g_FileLog;

// Copies the text after the last "\" of path into dest (at most destSize - 1 characters, always terminated).
// False when dest cannot hold anything.
bool ExtractBaseName(const char* path, char* dest, std::size_t destSize);

// One log entry from a unit at a given line: the location prefix, then the formatted message. Entries whose
// position readers of the log know give that line; the others their own (ZELT_LOG).
#define ZELT_LOG_AT(unit, line, ...)                 \
    do {                                             \
        if (g_FileLog) {                             \
            g_FileLog->Where(unit, line);            \
            g_FileLog->Print(__VA_ARGS__);           \
        }                                            \
    } while (0)

#define ZELT_LOG(unit, ...) ZELT_LOG_AT(unit, __LINE__, __VA_ARGS__)
