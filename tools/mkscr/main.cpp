// mkscr: builds a screen-saver program file from a project manifest, or describes one.
//   mkscr MANIFEST.json -o OUT.scr [--runtime RUNTIME.scr]   runtime + database + 4-byte offset trailer
//   mkscr MANIFEST.json -o OUT.db                             the bare database (no runtime, no trailer)
//   mkscr --dump FILE                                         tables, fields and records as JSON
#include "classlib/FileUtils.h"
#include "classlib/Streams.h"
#include "data/TableFormat.h"
#include "tools/mkscr/Dump.h"
#include "tools/mkscr/Manifest.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
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

// Without runtime libraries in the manifest, the picture library beside the runtime goes in.
void AddDefaultRuntimeLibrary(nlohmann::json& manifest, const std::string& runtime)
{
    if (runtime.empty() || manifest.contains("runtimelibs"))
        return;
    const std::string dll = std::filesystem::absolute(ExtractFilePath(runtime) + "Ombix.dll").string();
    if (FileExists(dll))
        manifest["runtimelibs"] = nlohmann::json::array({{{"name", "Ombix.dll"}, {"file", dll}}});
}

bool WriteProgramFile(const std::string& output, const std::string& runtime, const std::vector<TableSpec>& tables,
                      std::string* error)
{
    const std::string temp = output + ".tmp";
    {
        TFileStream out(temp, fmCreate);
        if (!out.IsOpen()) {
            *error = "cannot create \"" + temp + "\"";
            return false;
        }
        if (!runtime.empty()) {
            TMemoryStream program;
            if (!program.LoadFromFile(runtime)) {
                *error = "cannot read the runtime \"" + runtime + "\"";
                return false;
            }
            if (!out.WriteExact(program.Memory(), program.Size())) {
                *error = "cannot write \"" + temp + "\"";
                return false;
            }
        }
        const int64_t base = out.Position();
        if (!WriteTableDatabase(out, tables, error))
            return false;
        if (!runtime.empty()) {
            std::string trailer;
            PutInt32(trailer, static_cast<int32_t>(base));
            if (base > INT32_MAX || !out.WriteText(trailer)) {
                *error = "the program file is too large for its 32-bit database offset";
                return false;
            }
        }
        if (!out.Close()) {
            *error = "cannot write \"" + temp + "\"";
            return false;
        }
    }
    if (!RenameReplacing(temp, output)) {
        *error = "cannot replace \"" + output + "\"";
        return false;
    }
    return true;
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
        nlohmann::json manifest = nlohmann::json::parse(in);
        AddDefaultRuntimeLibrary(manifest, runtime);
        std::string baseDir = ExtractFilePath(manifestPath);
        if (!baseDir.empty())
            baseDir.pop_back();
        const std::vector<TableSpec> tables = BuildProjectTables(manifest, baseDir);
        if (WriteProgramFile(output, runtime, tables, &error))
            return 0;
    } catch (const std::exception& e) {
        error = e.what();
    }
    DeleteFileIfExists(output + ".tmp");
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
