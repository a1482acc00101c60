#pragma once

#include <cstddef>
#include <string>

namespace cct {

// Why a file's bytes could not be had.
enum class FileReadError {
  kNone,
  kCannotOpen,      // missing, no permission, ...
  kNotRegularFile,  // a folder, a FIFO, a device where a regular file was asked for
  kTooLarge,        // more than the caller's bound: no file of ours is that long
  kReadFailed,      // read(2) failed: a failing stick or share, or a shutdown request
};

// The bytes of a file, read once, whole, into memory. Files come from
// operators and scripts: a folder, a FIFO that no one writes, /dev/zero or a
// failing medium must give an error, never a hang, an abort or a loop.
// Nothing here throws.
//
// `regularOnly`: anything but a regular file is refused; the open itself never
// blocks (a FIFO without writer). Without it, pipes and devices are read to
// their end (camera-ctl reads standard input and `<(...)` that way), still
// within `maxBytes`.
bool ReadFileBytes(const std::string& path, size_t maxBytes, bool regularOnly, std::string& bytes,
                   FileReadError& error);

// The same for an open descriptor (standard input), which stays open.
bool ReadDescriptorBytes(int fd, size_t maxBytes, std::string& bytes, FileReadError& error);

}  // namespace cct
