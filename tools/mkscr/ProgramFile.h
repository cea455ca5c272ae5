// Writes a screen-saver program file: the runtime, the project database built from a manifest, and the
// 4-byte offset trailer; without a runtime, the bare database.
#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

// baseDir is the folder that relative "file" paths are taken from. The picture library beside the runtime
// goes in unless the manifest lists runtime libraries itself. False with *error on any failure; no partial
// output is left behind. What the file holds but the saver will not play goes to *warnings, when given.
bool BuildProgramFile(nlohmann::json manifest, const std::string& baseDir, const std::string& output,
                      const std::string& runtime, std::string* error, std::vector<std::string>* warnings = nullptr);
