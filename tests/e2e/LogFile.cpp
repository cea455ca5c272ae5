// The runtime's zelt.log as the tests read it.
#include "tests/e2e/Driver.h"

#include <filesystem>

namespace e2e {

TLogFile::TLogFile(const std::string& programPath)
    : Path_(std::filesystem::path(programPath).parent_path().string() + "\\zelt.log")
{
}

std::vector<std::string> TLogFile::Lines() const
{
    return ReadLines(Path_);
}

int TLogFile::Count(const std::string& part) const
{
    int n = 0;
    for (const std::string& line : Lines())
        n += line.find(part) != std::string::npos;
    return n;
}

bool TLogFile::Has(const std::string& part) const
{
    return Count(part) > 0;
}

bool TLogFile::HasAt(const std::string& unit, int line, const std::string& part) const
{
    const std::string where = "[" + unit + ",(" + std::to_string(line) + ")] : ";
    for (const std::string& text : Lines())
        if (text.find(where) != std::string::npos && text.find(part) != std::string::npos)
            return true;
    return false;
}

std::string TLogFile::Tail(int lines) const
{
    const std::vector<std::string> all = Lines();
    std::string out = "last lines of " + Path_ + ":";
    for (size_t i = all.size() > static_cast<size_t>(lines) ? all.size() - lines : 0; i < all.size(); ++i)
        out += "\n  " + all[i];
    return out;
}

testing::AssertionResult TLogFile::WaitForLine(const std::string& part, DWORD timeoutMs, int count) const
{
    return WaitUntil([this, &part, count] { return Count(part) >= count; }, timeoutMs,
                     std::to_string(count) + " log line(s) containing \"" + part + "\"", [this] { return Tail(); });
}

} // namespace e2e
