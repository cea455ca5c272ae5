#include "tools/mkscr/ProgramFile.h"

#include "classlib/FileUtils.h"
#include "classlib/Streams.h"
#include "data/TableFormat.h"
#include "tools/mkscr/Manifest.h"
#include "tools/mkscr/SlideMedia.h"

#include <filesystem>

namespace {

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

} // namespace

bool BuildProgramFile(nlohmann::json manifest, const std::string& baseDir, const std::string& output,
                      const std::string& runtime, std::string* error, std::vector<std::string>* warnings)
{
    try {
        AddDefaultRuntimeLibrary(manifest, runtime);
        const std::vector<TableSpec> tables = BuildProjectTables(manifest, baseDir);
        if (warnings)
            *warnings = SlidesWithoutMedia(tables);
        if (WriteProgramFile(output, runtime, tables, error))
            return true;
    } catch (const std::exception& e) {
        *error = e.what();
    }
    DeleteFileIfExists(output + ".tmp");
    return false;
}
