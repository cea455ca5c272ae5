// mkscr: builds a screen-saver program file from a project manifest, or describes one.
//   mkscr MANIFEST.json -o OUT.scr [--runtime RUNTIME.scr]   runtime + database + 4-byte offset trailer
//   mkscr MANIFEST.json -o OUT.db                             the bare database (no runtime, no trailer)
//   mkscr --dump FILE                                         tables, fields and records as JSON
#include "classlib/FileUtils.h"
#include "tools/mkscr/Dump.h"
#include "tools/mkscr/ProgramFile.h"

#include <cstring>
#include <fstream>
#include <iostream>

namespace {

int Usage()
{
    std::cerr << "usage: mkscr MANIFEST.json -o OUTPUT [--runtime RUNTIME.scr]\n"
                 "       mkscr --dump FILE\n";
    return 2;
}

int Dump(const std::string& path)
{
    nlohmann::json out;
    std::string error;
    if (!DumpDatabase(path, &out, &error)) {
        std::cerr << "mkscr: " << error << "\n";
        return 1;
    }
    std::cout << out.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
    return 0;
}

int Build(const std::string& manifestPath, const std::string& output, const std::string& runtime)
{
    std::ifstream in(manifestPath);
    if (!in) {
        std::cerr << "mkscr: cannot read \"" << manifestPath << "\"\n";
        return 1;
    }
    std::string error;
    try {
        std::string baseDir = ExtractFilePath(manifestPath);
        if (!baseDir.empty())
            baseDir.pop_back();
        std::vector<std::string> warnings;
        const bool built = BuildProgramFile(nlohmann::json::parse(in), baseDir, output, runtime, &error, &warnings);
        for (const std::string& warning : warnings)
            std::cerr << "mkscr: warning: " << warning << "\n";
        if (built)
            return 0;
    } catch (const std::exception& e) {
        error = e.what();
    }
    std::cerr << "mkscr: " << error << "\n";
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--dump") == 0)
        return Dump(argv[2]);
    std::string manifest, output, runtime;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-o" && i + 1 < argc)
            output = argv[++i];
        else if (arg == "--runtime" && i + 1 < argc)
            runtime = argv[++i];
        else if (manifest.empty() && arg[0] != '-')
            manifest = arg;
        else
            return Usage();
    }
    if (manifest.empty() || output.empty())
        return Usage();
    return Build(manifest, output, runtime);
}
