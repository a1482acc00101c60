#include "lut/data_file_read.h"

namespace cct {

bool ReadDataFile(const std::string& path, bool regularOnly, std::string& bytes,
                  FileReadError& error) {
  return ReadFileBytes(path, kDataFileMaxBytes, regularOnly, bytes, error);
}

std::string DataFileErrorText(const std::string& path, FileReadError error) {
  std::string text = path + "\nCouldn't open this file";
  switch (error) {
    case FileReadError::kNotRegularFile:
      text += "\nIt is a folder, a pipe or a device, not a file.";
      break;
    case FileReadError::kTooLarge:
      text += "\nIt holds more than " + std::to_string(kDataFileMaxBytes / (1024 * 1024)) +
              " MiB; no camera data file is that large.";
      break;
    case FileReadError::kReadFailed:
      text += "\nIt could not be read to its end.";
      break;
    case FileReadError::kNone:
    case FileReadError::kCannotOpen:
      break;
  }
  return text;
}

}  // namespace cct
