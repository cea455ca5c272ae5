#include "runtime/CommandLine.h"

#include <cstdlib>

namespace {

const char* SkipBlanksAndColons(const char* p)
{
    while (*p == ' ' || *p == ':')
        ++p;
    return p;
}

} // namespace

std::intptr_t ParseScrCommandLine(const char* line, TScrMode& mode, std::intptr_t foregroundWindow)
{
    const char* p = line ? line : "";
    if (*p == '"') {
        ++p;
        while (*p && *p != '"')
            ++p;
    } else {
        while (*p && *p != ' ')
            ++p;
    }
    if (*p)
        ++p;
    while (*p == ' ')
        ++p;
    if (!*p) {
        mode = smConfigure;
        return 0;
    }
    if (*p == '-' || *p == '/')
        ++p;
    switch (*p ? *p++ : 0) {
    case 'p': case 'P': case 'l': case 'L':
        mode = smPreview;
        return std::atoll(SkipBlanksAndColons(p));
    case 's': case 'S':
        mode = smSaver;
        return 0;
    case 'c': case 'C':
        mode = smConfigure;
        p = SkipBlanksAndColons(p);
        return *p ? std::atoll(p) : foregroundWindow;
    case 'a': case 'A':
        mode = smChangePassword;
        return std::atoll(SkipBlanksAndColons(p));
    default:
        return 0;
    }
}
