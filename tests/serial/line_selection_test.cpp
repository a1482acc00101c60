// The line selection procedures over the real serial path, against simulated
// cameras on pseudo-terminals linked into the port map.

#include "serial/line_selection.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "protocol/command.h"
#include "serial/serial_channel.h"
#include "sim/pty_camera.h"
#include "support/memory_preferences.h"
#include "support/recording_host.h"
#include "support/scoped_env.h"
#include "support/temp_config.h"

namespace cct {
namespace {

using test::MemoryPreferences;
using test::RecordingHost;
using test::ScopedEnv;
using test::TempConfig;

// Wall time runs this many times faster for the program: a 1000 ms probe
// limit passes in 250 ms, still far above what the simulated camera needs.
constexpr uint32_t kSpeedUp = 4;

class FastClock : public Clock {
 public:
  uint32_t Ticks() override { return steady_.Ticks() * kSpeedUp; }
  void Sleep(uint32_t ms) override { steady_.Sleep(std::max<uint32_t>(1, ms / kSpeedUp)); }

 private:
  SteadyClock steady_;
};

// Puts everything the procedures cause into one time line: every text sent
// with the port and rate it went out on, every message box and every hook.
class TimelineHost : public RecordingHost {
 public:
  MsgResult MessageBox(const std::string& text, const std::string& caption, MsgIcon icon,
                       MsgButtons buttons) override {
    events.push_back("box " + text);
    return RecordingHost::MessageBox(text, caption, icon, buttons);
  }
  void LogTerminal(const std::string& text) override {
    RecordingHost::LogTerminal(text);
    if (line != nullptr && text.rfind("Tx: ", 0) == 0) {
      events.push_back(text.substr(4) + " " + line->GetPortName(line->GetPortIndex()) + " " +
                       std::to_string(line->GetBaudRate()));
    }
  }

  CSerialChannel* line = nullptr;
  std::vector<std::string> events;
};

std::string OpenFailure(const std::string& port) {
  return "box Failed to initialize " + port + " port!\nError in CreateFile()";
}

class LineSelectionTest : public ::testing::Test {
 protected:
  sim::PtyCamera& StartCamera(const std::string& port, int baudRate = 9600,
                              const std::string& model = "QX-2040L-RTN", bool silent = false) {
    sim::PtyOptions options;
    options.portName = port;
    options.engine.baudRate = baudRate;
    options.engine.model = model;
    options.engine.silent = silent;
    cameras.push_back(std::make_unique<sim::PtyCamera>(std::move(options)));
    std::string error;
    EXPECT_TRUE(cameras.back()->Start(&error)) << error;
    return *cameras.back();
  }

  // Builds the line from the stored preferences, as the program does. Every
  // port without a camera names a missing device, whatever this machine has.
  void Build() {
    selection.reset();
    command.reset();
    line.reset();
    std::filesystem::create_directories(config.PortsFolder());
    for (int i = 1; i <= kComPortCount; ++i) {
      const std::filesystem::path link = config.PortsFolder() + "/COM" + std::to_string(i);
      std::error_code ec;
      if (!std::filesystem::exists(std::filesystem::symlink_status(link, ec))) {
        std::filesystem::create_symlink(config.Path() + "/missing", link);
      }
    }
    line = std::make_unique<CSerialChannel>(host, prefs, clock);
    host.line = line.get();
    command = std::make_unique<Command>(*line, host, clock, timing);
    LineSelectionHooks hooks;
    hooks.fullRead = [this] { host.events.push_back("fullRead"); };
    hooks.selectBaudIndex = [this](int i) { host.events.push_back("baud " + std::to_string(i)); };
    hooks.selectPortIndex = [this](int i) { host.events.push_back("port " + std::to_string(i)); };
    hooks.setCurrentArea = [this](int a) { host.events.push_back("area " + std::to_string(a)); };
    hooks.refillPortList = [this] { host.events.push_back("refill"); };
    selection = std::make_unique<LineSelection>(*line, *command, host, record, prefs, hooks);
  }

  TempConfig config;
  TimelineHost host;
  MemoryPreferences prefs;
  FastClock clock;
  Timing timing;
  CameraModelRecord record;
  std::vector<std::unique_ptr<sim::PtyCamera>> cameras;
  std::unique_ptr<CSerialChannel> line;
  std::unique_ptr<Command> command;
  std::unique_ptr<LineSelection> selection;
};

using Events = std::vector<std::string>;

TEST_F(LineSelectionTest, StartUpSearchesTheRatesFastestFirstOnTheStoredPort) {
  prefs.values[kPrefComPortNo] = 2;
  sim::PtyCamera& camera = StartCamera("COM3", 38400);
  Build();

  EXPECT_TRUE(selection->StartUpConnection());
  // The area query of a camera that did not answer gives nothing to take over.
  EXPECT_EQ(host.events,
            (Events{"MD? COM3 9600", "EA? COM3 9600", "baud 4", "MD? COM3 115200", "baud 3",
                    "MD? COM3 57600", "baud 2", "MD? COM3 38400", "fullRead"}));
  EXPECT_EQ(camera.ReceivedLines(), std::vector<std::string>{"MD?"});
  EXPECT_EQ(line->GetBaudRate(), 38400);
  EXPECT_EQ(record.modelIndex, 0);
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(LineSelectionTest, StartUpWithTheCameraAt9600TakesItsAreaAndSearchesNothing) {
  sim::PtyCamera& camera = StartCamera("COM1", 9600, "QX-2080L-VRTN");
  camera.WithEngine([](sim::CameraEngine& engine) { ASSERT_TRUE(engine.SetValue("EA", "2")); });
  Build();

  EXPECT_TRUE(selection->StartUpConnection());
  EXPECT_EQ(host.events, (Events{"MD? COM1 9600", "EA? COM1 9600", "area 2", "fullRead"}));
  EXPECT_EQ(record.modelIndex, 3);
}

TEST_F(LineSelectionTest, StartUpWithoutAnyPortReportsAndTriesEveryRateEndingAt9600) {
  Build();

  EXPECT_FALSE(selection->StartUpConnection());
  Events expected{OpenFailure("COM1"), "box Failed to initialize!"};
  for (int i : {4, 3, 2, 1, 0}) {
    expected.push_back(OpenFailure("COM1"));
    expected.push_back("baud " + std::to_string(i));
    expected.push_back("MD? COM1 " + std::to_string(BaudIndexToRate(i)));
  }
  EXPECT_EQ(host.events, expected);
  ASSERT_GE(host.boxes.size(), 2u);
  EXPECT_EQ(host.boxes[1].caption, kAppCaption);
  EXPECT_EQ(host.boxes[1].icon, MsgIcon::Warning);
  EXPECT_EQ(record.modelIndex, kModelUnknown);
}

TEST_F(LineSelectionTest, UnsupportedModelIsReportedAndStillCountsAsFound) {
  StartCamera("COM2", 9600, "QX-2040L-rtn");
  Build();

  EXPECT_TRUE(selection->LineChanged(LineSetting::kPortIndex, 1));
  EXPECT_EQ(host.events,
            (Events{"MD? COM2 9600", "box Unsupported model: \"QX-2040L-rtn\"", "fullRead"}));
  EXPECT_EQ(record.modelIndex, kModelUnknown);
  EXPECT_EQ(record.modelText, "QX-2040L-rtn");
}

TEST_F(LineSelectionTest, BaudChangeProbesAtTheNewRateAndReadsOnlyWhenAnswered) {
  StartCamera("COM1", 19200);
  Build();
  ASSERT_TRUE(line->Reopen());

  EXPECT_FALSE(selection->LineChanged(LineSetting::kBaudIndex, 2));
  EXPECT_TRUE(selection->LineChanged(LineSetting::kBaudIndex, 1));
  EXPECT_EQ(host.events, (Events{"MD? COM1 38400", "MD? COM1 19200", "fullRead"}));
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(LineSelectionTest, ModeChangeFailureIsReportedBeforeThePortListIsRefilled) {
  ScopedEnv path("CLSERIALPATH", config.Path());  // a folder without any library
  Build();

  EXPECT_FALSE(selection->LineChanged(LineSetting::kMode, kModeCameraLink2000));
  EXPECT_EQ(host.events, (Events{"box Failed to initialize!", "refill", "MD?  9600"}));
  EXPECT_EQ(line->GetMode(), kModeCameraLink2000);
}

TEST_F(LineSelectionTest, FirstSwitchToACameraLinkModeFindsItsPortWithoutAPriorListing) {
  ScopedEnv path("CLSERIALPATH", FAKE_CL_2000_DIR);
  StartCamera("COM1");
  Build();
  ASSERT_TRUE(line->Reopen());

  EXPECT_TRUE(selection->LineChanged(LineSetting::kMode, kModeCameraLink2000));
  EXPECT_EQ(host.events, (Events{"refill", "MD? libclserfake.so 9600", "fullRead"}));
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(LineSelectionTest, StartUpInAStoredCameraLinkModeListsItsPortsBeforeOpening) {
  ScopedEnv path("CLSERIALPATH", FAKE_CL_2000_DIR);
  prefs.values[kPrefCommunicationMode] = kModeCameraLink2000;
  Build();

  EXPECT_TRUE(selection->StartUpConnection());
  EXPECT_EQ(host.events,
            (Events{"MD? libclserfake.so 9600", "EA? libclserfake.so 9600", "area 0", "fullRead"}));
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(LineSelectionTest, PortSearchStopsAtTheFirstAnsweringPort) {
  StartCamera("COM3");
  StartCamera("COM4");
  Build();

  EXPECT_EQ(selection->AutomaticPortSearch(), 2);
  EXPECT_EQ(host.events, (Events{OpenFailure("COM1"), OpenFailure("COM2"), "MD? COM3 9600",
                                 "port 2", "fullRead"}));
  EXPECT_EQ(host.onlineStates.back(), true);
  EXPECT_TRUE(cameras[1]->ReceivedLines().empty());
}

TEST_F(LineSelectionTest, PortSearchWithoutAnswerEndsOfflineOnTheLastPort) {
  prefs.values[kPrefComPortNo] = 4;
  StartCamera("COM16", 9600, "QX-2040L-RTN", /*silent=*/true);
  Build();
  size_t onlineStatesAtBox = 0;
  host.duringBox = [&] { onlineStatesAtBox = host.onlineStates.size(); };

  EXPECT_EQ(selection->AutomaticPortSearch(), -1);
  ASSERT_EQ(host.events.size(), 17u);
  EXPECT_EQ(host.events[14], OpenFailure("COM15"));
  EXPECT_EQ(host.events[15], "MD? COM16 9600");
  EXPECT_EQ(host.events[16],
            "box No answer from Camera! (Timeout error)\n"
            "Check power on Camera or serial cable connection.");
  EXPECT_EQ(host.boxes.back().caption, "Communication Error");
  EXPECT_EQ(host.boxes.back().icon, MsgIcon::Warning);
  // Offline is set after the message, not only by the probe's time-out.
  EXPECT_EQ(host.onlineStates.size(), onlineStatesAtBox + 1);
  EXPECT_EQ(host.onlineStates.back(), false);
  line->SaveSettings();
  EXPECT_EQ(prefs.values[kPrefComPortNo], 15);
}

TEST_F(LineSelectionTest, GuardFallsBackToTheStoredComPortOnlyAfterAnAbnormalEnd) {
  prefs.values[kPrefCommunicationMode] = kModeCameraLink11;
  prefs.values[kPrefComPortNo] = 2;
  StartCamera("COM3");
  Build();
  EXPECT_FALSE(selection->StartUpGuard());
  EXPECT_EQ(line->GetMode(), kModeCameraLink11);

  prefs.endedNormally = false;
  Build();
  EXPECT_TRUE(selection->StartUpGuard());
  EXPECT_EQ(line->GetMode(), kModeComPort);
  EXPECT_TRUE(selection->StartUpConnection());
  EXPECT_EQ(host.events.front(), "MD? COM3 9600");
}

}  // namespace
}  // namespace cct
