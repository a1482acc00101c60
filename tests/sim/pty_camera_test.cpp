#include "sim/pty_camera.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <thread>

namespace sim {
namespace {

namespace fs = std::filesystem;
using ::testing::Contains;
using ::testing::Not;
using ::testing::StartsWith;
using Clock = std::chrono::steady_clock;

// The host's end of the line, opened the way a serial port is: raw 8N1.
class HostPort {
 public:
  explicit HostPort(const std::string& path, int baud = 9600)
      : fd_(open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)) {
    EXPECT_TRUE(fd_.Valid()) << path;
    SetBaud(baud);
  }

  void SetBaud(int baud) {
    const speed_t speed = baud == 115200 ? B115200 : baud == 19200 ? B19200 : B9600;
    termios tio{};
    ASSERT_EQ(tcgetattr(fd_.Get(), &tio), 0);
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    cfsetispeed(&tio, speed);
    cfsetospeed(&tio, speed);
    ASSERT_EQ(tcsetattr(fd_.Get(), TCSANOW, &tio), 0);
  }

  void Send(const std::string& bytes) {
    ASSERT_EQ(write(fd_.Get(), bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }

  // Bytes up to and including LF; nullopt when none came in time.
  std::optional<std::string> ReadLine(int timeoutMs = 2000) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::string line;
    while (Clock::now() < deadline) {
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
      pollfd p{fd_.Get(), POLLIN, 0};
      if (poll(&p, 1, static_cast<int>(left.count()) + 1) <= 0) continue;
      char c;
      while (read(fd_.Get(), &c, 1) == 1) {
        line.push_back(c);
        if (c == '\n') return line;
      }
      if (p.revents & POLLHUP) break;
    }
    return std::nullopt;
  }

  std::optional<std::string> Ask(const std::string& line) {
    Send(line + "\r\n");
    return ReadLine();
  }

  // True when the camera end has gone away.
  bool SeesHangUp(int timeoutMs = 2000) {
    pollfd p{fd_.Get(), POLLIN, 0};
    return poll(&p, 1, timeoutMs) == 1 && (p.revents & POLLHUP) != 0;
  }

 private:
  cct::UniqueFd fd_;
};

template <typename Predicate>
bool WaitFor(Predicate done, int timeoutMs = 2000) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    if (Clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

class PtyCameraTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char dir[] = "/tmp/pty_camera_test.XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    config_ = dir;
    setenv("XDG_CONFIG_HOME", dir, 1);
  }
  void TearDown() override {
    camera_.reset();
    fs::remove_all(config_);
  }

  PtyCamera& StartCamera(PtyOptions options) {
    camera_ = std::make_unique<PtyCamera>(std::move(options));
    std::string error;
    EXPECT_TRUE(camera_->Start(&error)) << error;
    return *camera_;
  }

  fs::path config_;
  std::unique_ptr<PtyCamera> camera_;
};

TEST_F(PtyCameraTest, AnswersThroughThePortMapLinkWhichStopRemoves) {
  PtyOptions options;
  options.portName = "COM1";
  PtyCamera& camera = StartCamera(options);
  const fs::path link = config_ / "Ovreth" / "ports" / "COM1";
  EXPECT_EQ(camera.LinkPath(), link.string());
  EXPECT_EQ(fs::read_symlink(link), fs::path(camera.SlavePath()));
  {
    HostPort host(link.string());
    EXPECT_EQ(host.Ask("GA?"), "GA=100\r\n");
    EXPECT_EQ(host.Ask("GA=200"), "COMPLETE\r\n");
    EXPECT_THAT(host.Ask("GA=7000").value_or(""), Not(StartsWith("COMPLETE")));
    EXPECT_EQ(host.Ask("GA?"), "GA=200\r\n");
  }
  EXPECT_THAT(camera.ReceivedLines(), Contains("GA=7000"));
  camera.Stop();
  EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
}

TEST_F(PtyCameraTest, ReplacesAStaleLinkButNotAnOperatorsFile) {
  const fs::path ports = config_ / "Ovreth" / "ports";
  fs::create_directories(ports);
  fs::create_symlink("/dev/nonexistent", ports / "COM2");
  std::ofstream(ports / "COM3") << "mine";

  PtyOptions options;
  options.portName = "COM2";
  PtyCamera& camera = StartCamera(options);
  EXPECT_EQ(fs::read_symlink(ports / "COM2"), fs::path(camera.SlavePath()));

  options.portName = "COM3";
  PtyCamera other(options);
  std::string error;
  EXPECT_FALSE(other.Start(&error));
  EXPECT_THAT(error, testing::HasSubstr("not a link"));
  EXPECT_TRUE(fs::is_regular_file(ports / "COM3"));
}

TEST_F(PtyCameraTest, IgnoresBytesAtAnotherLineSpeed) {
  PtyCamera& camera = StartCamera({});
  HostPort host(camera.SlavePath(), 115200);
  host.Send("GA?\r\n");
  ASSERT_TRUE(WaitFor([&] { return camera.DiscardedBytes() >= 5; }));
  host.SetBaud(9600);
  // Had the camera answered the query at 115200, that answer would come first.
  EXPECT_EQ(host.Ask("BL?"), "BL=0\r\n");
  EXPECT_THAT(camera.ReceivedLines(), testing::ElementsAre("BL?"));
}

TEST_F(PtyCameraTest, BaudRateChangeIsAnsweredAtTheOldRateThenOnlyTheNewOneWorks) {
  PtyCamera& camera = StartCamera({});
  HostPort host(camera.SlavePath(), 9600);
  EXPECT_EQ(host.Ask("CBDRT=16"), "COMPLETE\r\n");
  ASSERT_TRUE(WaitFor([&] { return camera.BaudRate() == 115200; }));

  host.Send("GA?\r\n");
  ASSERT_TRUE(WaitFor([&] { return camera.DiscardedBytes() >= 5; }));
  host.SetBaud(115200);
  EXPECT_EQ(host.Ask("CBDRT?"), "CBDRT=16\r\n");
}

TEST_F(PtyCameraTest, LineEndingAndLongLineFaults) {
  PtyOptions options;
  options.lfOnly = true;
  {
    PtyCamera& camera = StartCamera(options);
    HostPort host(camera.SlavePath());
    EXPECT_EQ(host.Ask("GA?"), "GA=100\n");
  }
  options.lfOnly = false;
  options.longLines = true;
  options.pace = false;
  PtyCamera& camera = StartCamera(options);
  HostPort host(camera.SlavePath());
  const std::string line = host.Ask("GA?").value_or("");
  EXPECT_GT(line.size(), 1024u + 2u);
  EXPECT_THAT(line, testing::EndsWith("\r\n"));
}

TEST_F(PtyCameraTest, DropsAnOverlongIncomingLineAndCarriesOn) {
  PtyCamera& camera = StartCamera({});
  HostPort host(camera.SlavePath());
  host.Send(std::string(5000, 'x') + "GA=300\r\n");
  EXPECT_EQ(host.Ask("GA?"), "GA=100\r\n");
  EXPECT_THAT(camera.ReceivedLines(), testing::ElementsAre("GA?"));
}

TEST_F(PtyCameraTest, OutputIsPacedAtTheBaudRate) {
  PtyCamera& camera = StartCamera({});
  HostPort host(camera.SlavePath());
  const auto start = Clock::now();
  // "MD=QX-2040L-RTN" CR LF: 17 bytes of 10 bits at 9600 bit/s take 17.7 ms.
  EXPECT_EQ(host.Ask("MD?"), "MD=QX-2040L-RTN\r\n");
  EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(16));
}

TEST_F(PtyCameraTest, SendsUnsolicitedLines) {
  PtyOptions options;
  options.unsolicitedPeriodMs = 20;
  PtyCamera& camera = StartCamera(options);
  HostPort host(camera.SlavePath());
  EXPECT_THAT(host.ReadLine().value_or(""), testing::MatchesRegex("EVENT=[0-9]+\r\n"));
}

TEST_F(PtyCameraTest, HangsUpAfterTheConfiguredLineCount) {
  std::atomic<int> hangUps{0};
  PtyOptions options;
  options.hangUpAfterLines = 2;
  options.onHangUp = [&] { ++hangUps; };
  PtyCamera& camera = StartCamera(options);
  HostPort host(camera.SlavePath());
  EXPECT_EQ(host.Ask("GA?"), "GA=100\r\n");
  host.Send("BL?\r\n");
  EXPECT_TRUE(host.SeesHangUp());
  EXPECT_TRUE(WaitFor([&] { return hangUps == 1; }));
  EXPECT_TRUE(camera.HungUp());
  EXPECT_THAT(camera.ReceivedLines(), testing::ElementsAre("GA?", "BL?"));
}

TEST_F(PtyCameraTest, DelayedAnswerComesLateWithLaterLinesAnsweredAfterIt) {
  using std::chrono::milliseconds;
  PtyOptions options;
  options.engine.answerDelayMs = {{"GA", 300}};
  PtyCamera& camera = StartCamera(options);
  HostPort host(camera.SlavePath());
  auto start = Clock::now();
  EXPECT_EQ(host.Ask("BL?"), "BL=0\r\n");
  EXPECT_LT(Clock::now() - start, milliseconds(250));

  start = Clock::now();
  host.Send("GA=200\r\nBL=5\r\n");
  // The camera acts on the line as it arrives; only the answer waits.
  EXPECT_TRUE(WaitFor([&] {
    std::string ga;
    camera.WithEngine([&](CameraEngine& engine) { engine.GetValue("GA", ga); });
    return ga == "200";
  }));
  EXPECT_LT(Clock::now() - start, milliseconds(250));
  EXPECT_EQ(host.ReadLine(3000), "COMPLETE\r\n");
  const auto late = Clock::now() - start;
  EXPECT_GE(late, milliseconds(300));
  EXPECT_LT(late, milliseconds(2000));
  EXPECT_EQ(host.ReadLine(), "COMPLETE\r\n");  // BL=5 waited its turn
  EXPECT_THAT(camera.ReceivedLines(), testing::ElementsAre("BL?", "GA=200", "BL=5"));
}

TEST_F(PtyCameraTest, StopAndHangUpCutALongAnswerDelayShort) {
  using std::chrono::milliseconds;
  PtyOptions options;
  options.engine.answerDelayMs = {{"GA", 10000}};
  for (const bool hangUp : {false, true}) {
    PtyCamera& camera = StartCamera(options);
    HostPort host(camera.SlavePath());
    host.Send("GA?\r\n");
    ASSERT_TRUE(WaitFor([&] { return camera.ReceivedLines().size() == 1; }));
    const auto start = Clock::now();
    if (hangUp) {
      camera.HangUp();
      EXPECT_TRUE(host.SeesHangUp(500));
    } else {
      camera.Stop();
    }
    EXPECT_LT(Clock::now() - start, milliseconds(500)) << (hangUp ? "HangUp" : "Stop");
  }
}

TEST_F(PtyCameraTest, HangUpOnRequest) {
  PtyCamera& camera = StartCamera({});
  HostPort host(camera.SlavePath());
  EXPECT_EQ(host.Ask("GA?"), "GA=100\r\n");
  camera.HangUp();
  EXPECT_TRUE(host.SeesHangUp());
}

// The camera keeps its own slave descriptor, so a host closing its end must
// neither end the camera nor make its thread spin on a hang-up condition.
TEST_F(PtyCameraTest, SurvivesTheHostClosingWithoutBurningCpu) {
  PtyCamera& camera = StartCamera({});
  { HostPort(camera.SlavePath()).Ask("GA=250"); }
  timespec before{}, after{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &before);
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &after);
  const double cpuMs =
      (after.tv_sec - before.tv_sec) * 1e3 + (after.tv_nsec - before.tv_nsec) / 1e6;
  EXPECT_LT(cpuMs, 20.0);
  HostPort again(camera.SlavePath());
  EXPECT_EQ(again.Ask("GA?"), "GA=250\r\n");
}

}  // namespace
}  // namespace sim
