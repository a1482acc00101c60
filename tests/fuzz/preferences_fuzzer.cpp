// Stored preferences. The input is the content of the preference file
// ("<config>/Ovreth/QX-2040-RTN Control Tool.conf"); the store reads every
// value from it, and the serial line and the control mode start from it as
// the program does, without opening any port. Whatever they write back must
// read back as written. camera-ctl's reader of the file takes it too.
#include <fcntl.h>
#include <sys/stat.h>

#include <QGuiApplication>
#include <QSettings>
#include <QString>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <system_error>

#include "app/control_mode.h"
#include "app/preference_store.h"
#include "cli/stored_settings.h"
#include "fuzz_check.h"
#include "protocol/host.h"
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
long long runs = 0;

void RemoveBase() {
  std::error_code ec;
  fs::remove_all(base, ec);
}

}  // namespace

// Every store operation allocates and frees a few Qt objects; a smaller
// quarantine than AddressSanitizer's default keeps the run fast.
extern "C" const char* __asan_default_options() {
  return "quarantine_size_mb=16";
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Never the operator's own configuration: a private folder, gone at exit.
  std::error_code ec;
  std::string pattern = (fs::temp_directory_path(ec) / "cct-fuzz-preferences-XXXXXX").string();
  if (ec || ::mkdtemp(pattern.data()) == nullptr) std::abort();
  base = pattern;
  std::atexit(RemoveBase);
  ::setenv("XDG_CONFIG_HOME", base.c_str(), 1);
  fs::create_directories(base / kSettingsOrganisation, ec);
  if (ec) std::abort();
  confFile = base / kSettingsOrganisation / (std::string(kSettingsApplication) + ".conf");
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                     QString::fromStdString(base.string()));
  // A stored "@Variant(...)" may hold an image type, which QSettings can only
  // build inside a GUI application; the program always has one.
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "fuzz_preferences";
  static char* argv[] = {name, nullptr};
  static QGuiApplication application(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  {
    std::ofstream file(confFile, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    FUZZ_CHECK(file.good());
  }
  // QSettings keeps a file it has read and reads it again only when its size
  // or time differs; a time of its own per input keeps one input's values
  // from reaching the next.
  const timespec times[2] = {{0, UTIME_OMIT}, {1000000000 + ++runs, 0}};
  FUZZ_CHECK(::utimensat(AT_FDCWD, confFile.c_str(), times, 0) == 0);

  std::error_code ec;
  const std::string cwd = fs::current_path(ec).string();
  {
    // camera-ctl's reader: a number or the default, and never a write.
    StoredSettings settings(confFile.string());
    for (int i = -1; i <= kPreferenceCount; ++i) {
      int value = 0;
      if (!settings.GetNumber(i, value, -7)) FUZZ_CHECK(value == -7);
    }
    FUZZ_CHECK(!settings.SetNumber(kPrefComPortNo, 1));
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
  return 0;
}
