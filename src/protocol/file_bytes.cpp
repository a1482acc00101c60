#include "protocol/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "protocol/shutdown_request.h"
#include "protocol/unique_fd.h"

namespace cct {

bool ReadDescriptorBytes(int fd, size_t maxBytes, std::string& bytes, FileReadError& error) {
  bytes.clear();
  error = FileReadError::kNone;
  char chunk[64 * 1024];
  for (;;) {
    const ssize_t got = ::read(fd, chunk, sizeof chunk);
    if (got == 0) return true;
    if (got < 0) {
      // A signal ends the wait for a slow pipe only when it asks the
      // program to end.
      if (errno == EINTR && !ShutdownRequested()) continue;
      bytes.clear();
      error = FileReadError::kReadFailed;
      return false;
    }
    if (bytes.size() + static_cast<size_t>(got) > maxBytes) {
      bytes.clear();
      error = FileReadError::kTooLarge;
      return false;
    }
    bytes.append(chunk, static_cast<size_t>(got));
  }
}

bool ReadFileBytes(const std::string& path, size_t maxBytes, bool regularOnly, std::string& bytes,
                   FileReadError& error) {
  bytes.clear();
  // O_NONBLOCK: opening a FIFO waits for a writer otherwise.
  UniqueFd file(::open(path.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
  if (file.Get() < 0) {
    error = errno == ENXIO ? FileReadError::kNotRegularFile : FileReadError::kCannotOpen;
    return false;
  }
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0) {
    error = FileReadError::kReadFailed;
    return false;
  }
  if (S_ISDIR(info.st_mode) || (regularOnly && !S_ISREG(info.st_mode))) {
    error = FileReadError::kNotRegularFile;
    return false;
  }
  if (S_ISREG(info.st_mode) && static_cast<unsigned long long>(info.st_size) > maxBytes) {
    error = FileReadError::kTooLarge;
    return false;
  }
  // A pipe is read as it comes, to its writer's end.
  const int flags = ::fcntl(file.Get(), F_GETFL);
  if (flags >= 0) ::fcntl(file.Get(), F_SETFL, flags & ~O_NONBLOCK);
  return ReadDescriptorBytes(file.Get(), maxBytes, bytes, error);
}

}  // namespace cct
