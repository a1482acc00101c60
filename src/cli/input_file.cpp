#include "cli/input_file.h"

#include <unistd.h>

#include "lut/data_file_read.h"

namespace cct {

bool ReadInputFile(ConsoleHost& host, const std::string& path, std::string& bytes) {
  FileReadError error = FileReadError::kNone;
  const bool read = path == "-" ? ReadDescriptorBytes(STDIN_FILENO, kDataFileMaxBytes, bytes, error)
                                : ReadDataFile(path, /*regularOnly*/ false, bytes, error);
  if (!read) host.Say(DataFileErrorText(path == "-" ? "(standard input)" : path, error));
  return read;
}

}  // namespace cct
