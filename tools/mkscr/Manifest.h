// Turns a project manifest (JSON) into the tables of a project database.
#pragma once

#include "data/TableFormat.h"

#include <nlohmann/json.hpp>

#include <stdexcept>
#include <string>
#include <vector>

struct ManifestError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// baseDir is the folder that relative "file" paths are taken from. Throws ManifestError with a clear message
// for anything the runtime could not read back.
std::vector<TableSpec> BuildProjectTables(const nlohmann::json& manifest, const std::string& baseDir);
