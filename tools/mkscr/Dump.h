// Reads a database, bare or appended to a program file, through the runtime's own reader and describes it
// as JSON: tables, fields and records, blobs as their size and a hash.
#pragma once

#include <nlohmann/json.hpp>

#include <string>

// False with *error when the file cannot be read as a database.
bool DumpDatabase(const std::string& path, nlohmann::json* out, std::string* error);
