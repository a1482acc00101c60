#pragma once

#include <cstddef>
#include <string>

#include "protocol/file_bytes.h"

namespace cct {

// Setting files and gamma CSV files are read whole into memory, then parsed
// from there. No real one comes near this: a setting file is a few dozen
// short lines, a gamma file 257.
inline constexpr size_t kDataFileMaxBytes = 4 * 1024 * 1024;

// The bytes of a setting file or gamma CSV file. `regularOnly` refuses a
// FIFO or a device (the window); without it they are read to their end
// within the bound (camera-ctl reads pipes). Nothing here throws.
bool ReadDataFile(const std::string& path, bool regularOnly, std::string& bytes,
                  FileReadError& error);

// What the operator is told when a file could not be had: the path,
// "Couldn't open this file" and, when it helps, why.
std::string DataFileErrorText(const std::string& path, FileReadError error);

}  // namespace cct
