// Stored preferences. The input is the content of the preference file
// ("<config>/Ovreth/QX-2040-RTN Control Tool.conf"); the store reads every
// value from it, and the serial line and the control mode start from it as
// the program does, without opening any port. Whatever they write back must
// read back as written. camera-ctl's read-only view of the file takes it too,
// and setting one value in the file's text changes no other.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <system_error>

#include "app/control_mode.h"
#include "app/preference_store.h"
#include "fuzz_check.h"
#include "protocol/host.h"
#include "serial/preference_file.h"
#include "serial/serial_channel.h"
#include "support/fake_clock.h"

namespace {

using namespace cct;
namespace fs = std::filesystem;

// The store under test, with each successful number write remembered.
class WriteRecorder : public Preferences {
 public:
  explicit WriteRecorder(Preferences& store) : store_(store) {}
  bool GetNumber(int index, int& value, int defaultValue) override {
    return store_.GetNumber(index, value, defaultValue);
  }
  bool SetNumber(int index, int value) override {
    const bool ok = store_.SetNumber(index, value);
    if (ok) written[index] = value;
    return ok;
  }
  bool SetText(int index, const std::string& text) override { return store_.SetText(index, text); }
  bool GetPath(int index, std::string& path) override { return store_.GetPath(index, path); }
  bool PreviousRunEndedNormally() override { return store_.PreviousRunEndedNormally(); }

  std::map<int, int> written;

 private:
  Preferences& store_;
};

fs::path base;
fs::path confFile;

void RemoveBase() {
  std::error_code ec;
  fs::remove_all(base, ec);
}

std::string FileText() {
  std::ifstream in(confFile, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Setting one value in the file's text: it reads back as set, every other
// value reads as before.
void CheckEdit(const std::string& file, int index, const std::string& text) {
  std::string edited = file;
  FUZZ_CHECK(PutPreferenceText(edited, PreferenceName(index), text));
  for (int i = 0; i < kPreferenceCount; ++i) {
    std::string before;
    std::string after;
    const bool had = FindPreferenceText(file, PreferenceName(i), before);
    const bool has = FindPreferenceText(edited, PreferenceName(i), after);
    if (i == index) {
      FUZZ_CHECK(has && after == text);
    } else {
      FUZZ_CHECK(had == has && before == after);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Never the operator's own configuration: a private folder, gone at exit.
  std::error_code ec;
  std::string pattern = (fs::temp_directory_path(ec) / "cct-fuzz-preferences-XXXXXX").string();
  if (ec || ::mkdtemp(pattern.data()) == nullptr) std::abort();
  base = pattern;
  std::atexit(RemoveBase);
  ::setenv("XDG_CONFIG_HOME", base.c_str(), 1);
  confFile = PreferenceFilePath();
  fs::create_directories(confFile.parent_path(), ec);
  if (ec) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  {
    std::ofstream file(confFile, std::ios::binary | std::ios::trunc);
    file << input;
    FUZZ_CHECK(file.good());
  }
  CheckEdit(input, static_cast<int>(size % kPreferenceCount), std::to_string(size));
  CheckEdit(input, kPrefCommandLogFilePath,
            "@ /tmp/a \"b\",c;d=e\\ \x01"
            "f\t");

  std::error_code ec;
  const std::string cwd = fs::current_path(ec).string();
  {
    // camera-ctl's view: a number or the default, and never a write.
    PreferenceFile settings(confFile.string(), PreferenceFile::Access::kReadOnly);
    for (int i = -1; i <= kPreferenceCount; ++i) {
      int value = 0;
      if (!settings.GetNumber(i, value, -7)) FUZZ_CHECK(value == -7);
    }
    FUZZ_CHECK(!settings.SetNumber(kPrefComPortNo, 1));
    FUZZ_CHECK(!settings.SetText(kPrefCameraFilePath, "/tmp"));
    FUZZ_CHECK(FileText() == input);
  }
  {
    PreferenceStore store;
    WriteRecorder preferences(store);
    std::map<int, int> stored;  // the numbers the file holds
    for (int i = -1; i <= kPreferenceCount; ++i) {
      int value = 0;
      if (preferences.GetNumber(i, value, -7)) {
        FUZZ_CHECK(i >= 0 && i < kPreferenceCount);
        stored[i] = value;
      } else {
        FUZZ_CHECK(value == -7);
      }
      std::string path = "unchanged";
      if (preferences.GetPath(i, path)) {
        FUZZ_CHECK(i >= 0 && i < kPreferenceCount);
        FUZZ_CHECK(!path.empty() && fs::exists(path, ec));
      } else {
        FUZZ_CHECK(path == cwd);
      }
    }
    // A stored number outside what the program can use reads as 0.
    auto storedIn = [&stored](int index, int maximum) {
      const auto it = stored.find(index);
      return it != stored.end() && it->second >= 0 && it->second <= maximum ? it->second : 0;
    };

    {
      ControlModeHolder mode(preferences);
      FUZZ_CHECK(mode.GetControlMode() == storedIn(kPrefControlMode, 1));
      NullHost host;
      test::FakeClock clock;
      CSerialChannel line(host, preferences, clock);
      // After an abnormal end the program starts on the PC serial port.
      if (!preferences.PreviousRunEndedNormally()) line.SetMode(kModeComPort);
      const int lineMode = line.GetMode();
      FUZZ_CHECK(preferences.PreviousRunEndedNormally()
                     ? lineMode == storedIn(kPrefCommunicationMode, kModeCameraLink11)
                     : lineMode == kModeComPort);
      FUZZ_CHECK(line.GetBaudRate() == 9600 && line.GetBaudRateIndex() == 0);
      const int portIndex = line.GetPortIndex();
      const int lastPort = lineMode == kModeComPort ? kComPortCount - 1 : 255;
      FUZZ_CHECK(portIndex == storedIn(kPrefComPortNo + lineMode, lastPort));
      // Naming a port lists nothing and opens nothing.
      const std::string name = line.GetPortName(portIndex);
      if (lineMode == kModeComPort) {
        FUZZ_CHECK(portIndex >= 0 && portIndex < kComPortCount
                       ? name == "COM" + std::to_string(portIndex + 1)
                       : name == "ERROR");
      }
    }
    for (const auto& [index, value] : preferences.written) {
      int back = 0;
      FUZZ_CHECK(store.GetNumber(index, back, -7) && back == value);
    }
  }
  // The run ended normally, and the file says so to the next one.
  FUZZ_CHECK(PreferenceFile(confFile.string()).PreviousRunEndedNormally());
  return 0;
}
