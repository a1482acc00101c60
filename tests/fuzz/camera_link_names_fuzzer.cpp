// Names and counts from Camera Link libraries. The generations 2001 and 1.1
// find their library by name; here it is a fake one (fake_camera_link/) whose
// answers come from the input, so the real channel code lists its ports,
// opens one as the Communication dialog does, sets a baud rate and reads.
#include <dlfcn.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fake_camera_link/fake_cl_feed.h"
#include "fuzz_check.h"
#include "protocol/host.h"
#include "serial/camera_link_api.h"
#include "serial/serial_channel.h"
#include "support/fake_clock.h"

namespace {

using namespace cct;

struct FakeLibrary {
  int mode;
  const char* path;
  decltype(&FuzzClFeed) feed = nullptr;
  decltype(&FuzzClSelectedName) selectedName = nullptr;
};

FakeLibrary libraries[] = {
    {kModeCameraLink2001, FUZZ_FAKE_CL_2001},
    {kModeCameraLink11, FUZZ_FAKE_CL_11},
};

// Longest list entry: a full buffer without a zero byte, or two of them for
// "maker - port".
size_t LongestEntry(int mode) {
  return mode == kModeCameraLink11 ? 2 * kClNameBufferSize + 3 : kClNameBufferSize;
}

void CheckPrintable(const std::string& name) {
  const std::string shown = PrintableText(name);
  FUZZ_CHECK(shown.size() <= name.size());
  size_t at = 0;  // what is shown is the name without its other bytes
  for (char c : shown) {
    FUZZ_CHECK(c >= ' ' && c <= '~');
    at = name.find(c, at);
    FUZZ_CHECK(at != std::string::npos);
    ++at;
  }
}

void Run(const FakeLibrary& library, const uint8_t* data, size_t size) {
  library.feed(data, size);
  NullHost host;
  NullPreferences preferences;
  test::FakeClock clock;
  CSerialChannel line(host, preferences, clock);
  line.SetMode(library.mode);

  const int count = line.GetPortCount();
  FUZZ_CHECK(count >= 0 && count <= static_cast<int>(kClMaxListEntries));
  for (int i = 0; i < count; ++i) {
    const std::string name = line.GetPortName(i);
    FUZZ_CHECK(name.size() <= LongestEntry(library.mode));
    if (library.mode == kModeCameraLink2001) FUZZ_CHECK(name.find('\0') == std::string::npos);
    CheckPrintable(name);
  }
  FUZZ_CHECK(line.GetPortName(count).empty() && line.GetPortName(-1).empty());
  if (count == 0) return;

  // The port picked in the list, at the rate every run starts with.
  const int index = static_cast<int>(size % static_cast<unsigned int>(count));
  const bool opened = line.ReopenWithPort(index);
  if (library.mode == kModeCameraLink2001 && opened) {
    FUZZ_CHECK(line.GetPortName(index) == library.selectedName());
  }
  FUZZ_CHECK(line.GetPortIndex() == index);
  if (line.Write("GA?\r\n")) {
    char buffer[16];
    const int got = line.Read(buffer, sizeof buffer, 50);
    FUZZ_CHECK(got >= 0 && got <= static_cast<int>(sizeof buffer));
  }
  line.ReopenWithBaudRate(115200);
  FUZZ_CHECK(line.GetPortCount() >= 0);
  line.Close();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Held open for the whole run: the channels' own dlopen by bare name then
  // finds the loaded library by its soname, whatever the search path says.
  for (FakeLibrary& library : libraries) {
    void* handle = ::dlopen(library.path, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
      std::fprintf(stderr, "cannot load %s: %s\n", library.path, ::dlerror());
      std::abort();
    }
    library.feed = reinterpret_cast<decltype(library.feed)>(::dlsym(handle, "FuzzClFeed"));
    library.selectedName =
        reinterpret_cast<decltype(library.selectedName)>(::dlsym(handle, "FuzzClSelectedName"));
    if (library.feed == nullptr || library.selectedName == nullptr) std::abort();
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Buffer texts directly: up to the first zero byte, never past the end.
  const std::string text = ClBufferText(reinterpret_cast<const char*>(data), size);
  FUZZ_CHECK(text.size() <= size && text.find('\0') == std::string::npos);
  FUZZ_CHECK(text.size() == size || data[text.size()] == 0);
  CheckPrintable(text);

  for (const FakeLibrary& library : libraries) Run(library, data, size);
  return 0;
}
