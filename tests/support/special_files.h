#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace cct::test {

// What an operator or a script may name where a file is expected, each of
// which once stopped a reader: a folder, a FIFO no one writes, a device
// without end, a regular file beyond any camera data file. Made in `folder`.
struct SpecialFiles {
  explicit SpecialFiles(const std::string& folder)
      : directory(folder + "/a-folder.cam"),
        fifo(folder + "/no-writer.cam"),
        huge(folder + "/huge.cam") {
    std::filesystem::create_directory(directory);
    ::mkfifo(fifo.c_str(), 0600);
    std::ofstream(huge) << "GA=200\r\n";
    std::filesystem::resize_file(huge, 5 * 1024 * 1024);  // sparse
  }
  std::vector<std::string> All() const { return {directory, fifo, zero, huge}; }

  std::string directory, fifo, zero = "/dev/zero", huge;
};

}  // namespace cct::test
