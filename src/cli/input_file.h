#pragma once

#include <string>

#include "cli/console_host.h"

namespace cct {

// The whole of a file camera-ctl reads (a setting file, a gamma CSV file),
// read once into memory before anything is sent: "-" is standard input, and
// pipes and `<(...)` are read to their end, within the bound every such file
// keeps. A folder, a file that never ends or one that fails to read is said
// on `host`; false then.
bool ReadInputFile(ConsoleHost& host, const std::string& path, std::string& bytes);

}  // namespace cct
