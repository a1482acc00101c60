#include "serial/camera_link_2000_channel.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>

namespace cct {

namespace {

constexpr const char* kFolderVariable = "CLSERIALPATH";
constexpr const char* kDefaultFolder = "/usr/local/lib/cameralink";

// "clser*.so" or "libclser*.so".
bool IsSerialLibraryName(const std::string& name) {
  constexpr std::string_view kSuffix = ".so";
  for (std::string_view prefix : {"clser", "libclser"}) {
    if (name.size() >= prefix.size() + kSuffix.size() && name.starts_with(prefix) &&
        name.ends_with(kSuffix)) {
      return true;
    }
  }
  return false;
}

// Looks up the four exports in the order this generation binds them.
bool BindExports(const SharedLibrary& library, ClSerialFunctions& fns) {
  return library.Resolve("clSerialInit", fns.init) && library.Resolve("clSerialClose", fns.close) &&
         library.Resolve("clSerialRead", fns.read) && library.Resolve("clSerialWrite", fns.write);
}

}  // namespace

CCameraLink2000Channel::CCameraLink2000Channel(Host& host) : CameraLinkChannelCommon(host) {}

CCameraLink2000Channel::~CCameraLink2000Channel() {
  Close();
}

std::string CCameraLink2000Channel::LibraryFolder() {
  const char* folder = std::getenv(kFolderVariable);
  return folder != nullptr && *folder != '\0' ? folder : kDefaultFolder;
}

int CCameraLink2000Channel::ListPorts() {
  namespace fs = std::filesystem;
  ports_.clear();
  std::error_code ec;
  fs::directory_iterator it(LibraryFolder(), ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    const std::string name = it->path().filename().string();
    std::error_code typeError;
    if (IsSerialLibraryName(name) && it->is_regular_file(typeError)) ports_.push_back(name);
  }
  // The directory gives its files in no fixed order; sorted by name, a stored
  // port index keeps naming the same library from one run to the next.
  std::sort(ports_.begin(), ports_.end());
  return static_cast<int>(ports_.size());
}

bool CCameraLink2000Channel::Open(int portIndex) {
  Close();
  const std::string file = PortEntry(portIndex);
  if (file.empty()) return false;  // not listed in this run
  SharedLibrary library;
  ClSerialFunctions fns;
  if (!library.Load(LibraryFolder() + "/" + file) || !BindExports(library, fns)) return false;
  session_.Attach(std::move(library), fns);
  return session_.Init(static_cast<unsigned int>(portIndex));
}

bool CCameraLink2000Channel::SetBaudRate(int baudRate) {
  if (baudRate == 9600) return true;
  host_.MessageBox("Selected baud rate is not supported.", kAppCaption, MsgIcon::Warning,
                   MsgButtons::Ok);
  return false;
}

void CCameraLink2000Channel::Close() {
  session_.End();
}

}  // namespace cct
