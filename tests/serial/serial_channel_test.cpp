#include "serial/serial_channel.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <thread>

#include <gtest/gtest.h>

#include "protocol/shutdown_request.h"
#include "serial/com_port_channel.h"
#include "serial/port_map.h"
#include "support/memory_preferences.h"
#include "support/recording_host.h"
#include "support/temp_config.h"

namespace cct {
namespace {

using test::MemoryPreferences;
using test::RecordingHost;
using test::TempConfig;

// A pseudo-terminal whose slave is linked into the port map as a COM port;
// the test plays the camera on the master side.
class PtyPort {
 public:
  PtyPort(const TempConfig& config, const std::string& portName) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ::grantpt(master_);
    ::unlockpt(master_);
    slavePath_ = ::ptsname(master_);
    std::filesystem::create_directories(config.PortsFolder());
    std::filesystem::create_symlink(slavePath_, config.PortsFolder() + "/" + portName);
  }
  ~PtyPort() { HangUp(); }

  void Send(const std::string& bytes) {
    ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  // Reads what the program wrote, waiting at most `limitMs` for each chunk.
  std::string Receive(size_t wanted, int limitMs = 1000) {
    std::string got;
    while (got.size() < wanted) {
      pollfd p{master_, POLLIN, 0};
      if (::poll(&p, 1, limitMs) != 1) break;
      char buf[256];
      const ssize_t n = ::read(master_, buf, sizeof buf);
      if (n <= 0) break;
      got.append(buf, static_cast<size_t>(n));
    }
    return got;
  }
  speed_t Speed() {
    termios t{};
    ::tcgetattr(master_, &t);
    return cfgetospeed(&t);
  }
  void HangUp() {
    if (filler_ >= 0) ::close(filler_);
    if (master_ >= 0) ::close(master_);
    master_ = filler_ = -1;
  }
  // A camera that stopped reading: what the program writes fills the pty
  // until nothing more goes in. Opened next to the program's exclusive open
  // (only root may), and kept open: the last close of a slave empties it.
  bool FillUntilStalled() {
    filler_ = ::open(slavePath_.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (filler_ < 0) return false;
    const std::string junk(4096, '.');
    // The kernel moves bytes on behind the writer's back: full is when a
    // write finds no room even after a pause.
    for (bool took = true; took;) {
      took = false;
      while (::write(filler_, junk.data(), junk.size()) > 0) took = true;
      ::usleep(20 * 1000);
    }
    return true;
  }

 private:
  int master_ = -1;
  int filler_ = -1;
  std::string slavePath_;
};

double CpuSeconds() {
  timespec t{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

class SerialChannelTest : public ::testing::Test {
 protected:
  TempConfig config;
  RecordingHost host;
  MemoryPreferences prefs;
  SteadyClock clock;
};

TEST(BaudRates, IndexesAndRatesMapBothWaysWithFallbacks) {
  const int rates[] = {9600, 19200, 38400, 57600, 115200};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(BaudIndexToRate(i), rates[i]);
    EXPECT_EQ(BaudRateToIndex(rates[i]), i);
  }
  EXPECT_EQ(BaudIndexToRate(7), 9600);
  EXPECT_EQ(BaudIndexToRate(-1), 9600);
  EXPECT_EQ(BaudRateToIndex(4800), 0);
}

TEST_F(SerialChannelTest, StartsFromStoredModeAndPortsAt9600AndWritesThemBack) {
  prefs.values = {{kPrefCommunicationMode, 2},   {kPrefBaudrate, 57600},
                  {kPrefComPortNo, 4},           {kPrefCameraLink2000Index, 1},
                  {kPrefCameraLink2001Index, 2}, {kPrefCameraLink11Index, 3}};
  {
    CSerialChannel line(host, prefs, clock);
    EXPECT_EQ(line.GetMode(), 2);
    EXPECT_EQ(line.GetPortIndex(), 2);
    EXPECT_EQ(line.GetBaudRate(), 9600);  // the stored rate is not read back
    line.SetMode(0);
    EXPECT_EQ(line.GetPortIndex(), 4);
    line.SetMode(7);
    EXPECT_EQ(line.GetPortIndex(), 0);
    EXPECT_EQ(line.GetPortCount(), 0);
    EXPECT_EQ(line.GetPortName(0), "ERROR");
    line.SetMode(0);
  }
  EXPECT_EQ(prefs.writes, (std::vector<int>{kPrefCommunicationMode, kPrefBaudrate, kPrefComPortNo,
                                            kPrefCameraLink2000Index, kPrefCameraLink2001Index,
                                            kPrefCameraLink11Index}));
  EXPECT_EQ(prefs.values[kPrefCommunicationMode], 0);
  EXPECT_EQ(prefs.values[kPrefBaudrate], 9600);
}

TEST_F(SerialChannelTest, StoredValuesItCannotUseReadAndGoBackAsDefaults) {
  prefs.values = {{kPrefCommunicationMode, 9},
                  {kPrefComPortNo, 2147483647},
                  {kPrefCameraLink2000Index, -1},
                  {kPrefCameraLink2001Index, 255},
                  {kPrefCameraLink11Index, 256}};
  {
    CSerialChannel line(host, prefs, clock);
    EXPECT_EQ(line.GetMode(), kModeComPort);
    EXPECT_EQ(line.GetPortIndex(), 0);
  }
  EXPECT_EQ(prefs.values[kPrefCommunicationMode], 0);
  EXPECT_EQ(prefs.values[kPrefComPortNo], 0);
  EXPECT_EQ(prefs.values[kPrefCameraLink2000Index], 0);
  EXPECT_EQ(prefs.values[kPrefCameraLink2001Index], 255);  // the last a library may list
  EXPECT_EQ(prefs.values[kPrefCameraLink11Index], 0);
}

TEST_F(SerialChannelTest, ComPortNamesCoverSixteenPorts) {
  CSerialChannel line(host, prefs, clock);
  EXPECT_EQ(line.GetPortCount(), 16);
  EXPECT_EQ(line.GetPortName(0), "COM1");
  EXPECT_EQ(line.GetPortName(9), "COM10");
  EXPECT_EQ(line.GetPortName(15), "COM16");
  EXPECT_EQ(line.GetPortName(16), "ERROR");
  EXPECT_EQ(line.GetPortName(-1), "ERROR");
}

TEST_F(SerialChannelTest, FailedOpenShowsCreateFileOnceAndKeepsTheNewSettings) {
  CSerialChannel line(host, prefs, clock);
  line.Close();  // nothing open: nothing happens
  EXPECT_TRUE(host.boxes.empty());

  // COM5 has no entry in the fresh port map and, with the map consulted
  // first, only a machine with five serial devices would have one.
  if (SystemSerialDevices().size() >= 5) GTEST_SKIP() << "this machine has a COM5";
  EXPECT_FALSE(line.Open(0, 57600, 4));
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, "Failed to initialize COM5 port!\nError in CreateFile()");
  EXPECT_EQ(host.boxes[0].icon, MsgIcon::Warning);
  EXPECT_EQ(line.GetMode(), 0);
  EXPECT_EQ(line.GetPortIndex(), 4);
  EXPECT_EQ(line.GetBaudRate(), 57600);
  EXPECT_FALSE(line.ComPort().IsOpen());
}

TEST_F(SerialChannelTest, WriteLogsWithoutTrailingLineEndsEvenWhenClosed) {
  CSerialChannel line(host, prefs, clock);
  EXPECT_TRUE(line.Write("GA=100\r\n"));
  EXPECT_TRUE(line.Write("A\rB\r\n\r\n"));
  EXPECT_EQ(host.terminal, (std::vector<std::string>{"Tx: GA=100", "Tx: A\rB"}));
  EXPECT_EQ(host.messages, (std::vector<std::string>{"GA=100", "A\rB"}));
  line.SetMode(9);
  EXPECT_FALSE(line.Write("GA?\r\n"));
  EXPECT_EQ(host.messages.size(), 2u);
}

TEST_F(SerialChannelTest, ReadOnAClosedLineGivesNothingAfterItsLimit) {
  CSerialChannel line(host, prefs, clock);
  char buf[4];
  const uint32_t start = clock.Ticks();
  EXPECT_EQ(line.Read(buf, 1, 30), 0);
  EXPECT_GE(clock.Ticks() - start, 30u);
  EXPECT_EQ(line.Read(buf, 1, 0), 0);
}

TEST_F(SerialChannelTest, ModesWithoutAChannelListNothingAndFailToOpen) {
  // A grabber folder without any serial library.
  ::setenv("CLSERIALPATH", config.Path().c_str(), 1);
  CSerialChannel line(host, prefs, clock);
  line.SetMode(kModeCameraLink2000);
  EXPECT_EQ(line.GetPortCount(), 0);
  EXPECT_EQ(line.GetPortName(0), "");
  EXPECT_FALSE(line.ReopenWithPort(0));
  ::unsetenv("CLSERIALPATH");

  EXPECT_FALSE(line.Open(4, 9600, 0));
  EXPECT_EQ(line.GetMode(), 4);
  EXPECT_EQ(line.GetPortIndex(), 0);
  char c;
  EXPECT_EQ(line.Read(&c, 1, 10), 0);
}

// Counts how often the time is asked and how long is slept: a loop that
// spins on the tick counter asks it over and over.
class CountingClock : public Clock {
 public:
  uint32_t Ticks() override { return ++ticks; }
  void Sleep(uint32_t ms) override { slept += ms; }
  uint32_t ticks = 0;
  uint32_t slept = 0;
};

TEST_F(SerialChannelTest, CameraLinkReadWithoutAnOpenPortReturnsAtOnce) {
  ::setenv("CLSERIALPATH", config.Path().c_str(), 1);
  CountingClock counting;
  CSerialChannel line(host, prefs, counting);
  char c;
  for (int mode : {kModeCameraLink2000, kModeCameraLink2001, kModeCameraLink11}) {
    line.SetMode(mode);
    counting.ticks = 0;
    EXPECT_EQ(line.Read(&c, 1, 10000), 0) << mode;
    EXPECT_LE(counting.ticks, 2u) << mode;
    EXPECT_EQ(counting.slept, 0u) << mode;
  }
  ::unsetenv("CLSERIALPATH");
}

TEST_F(SerialChannelTest, OpensThroughThePortMapRaw8N1AndTalks) {
  PtyPort port(config, "COM1");
  CSerialChannel line(host, prefs, clock);
  ASSERT_TRUE(line.Open(0, 38400, 0)) << (host.boxes.empty() ? "" : host.boxes[0].text);
  EXPECT_EQ(port.Speed(), B38400);

  EXPECT_TRUE(line.Write("GA?\r\n"));
  EXPECT_EQ(port.Receive(5), "GA?\r\n");  // raw: no CR translation, nothing added

  port.Send("12345");
  char buf[8] = {};
  EXPECT_EQ(line.Read(buf, 3, 500), 3);
  EXPECT_EQ(std::string(buf, 3), "123");
  EXPECT_EQ(line.ComPort().Available(), 2);
  EXPECT_EQ(line.Read(buf, 1, 0), 1);  // limit 0 still makes one attempt
  EXPECT_EQ(buf[0], '4');
  EXPECT_EQ(line.Read(buf, 5, 50), 1);  // fewer than asked when the limit passes
  EXPECT_EQ(buf[0], '5');

  // Opening the open port again closes it first.
  EXPECT_TRUE(line.Open(0, 9600, 0));
  EXPECT_EQ(port.Speed(), B9600);
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(SerialChannelTest, ASecondOpenOfTheSamePortFailsWithTheCreateFileMessage) {
  PtyPort port(config, "COM2");
  CSerialChannel first(host, prefs, clock);
  ASSERT_TRUE(first.Open(0, 9600, 1));
  RecordingHost otherHost;
  MemoryPreferences otherPrefs;
  CSerialChannel second(otherHost, otherPrefs, clock);
  EXPECT_FALSE(second.Open(0, 9600, 1));
  ASSERT_EQ(otherHost.boxes.size(), 1u);
  EXPECT_EQ(otherHost.boxes[0].text, "Failed to initialize COM2 port!\nError in CreateFile()");
  // Once the first lets go, the port opens again, also in the same program.
  first.Close();
  EXPECT_TRUE(second.Reopen());
  second.Close();
  EXPECT_TRUE(first.Reopen());
}

TEST_F(SerialChannelTest, FullRingLeavesBytesInTheDriverAndLosesNothing) {
  PtyPort port(config, "COM1");
  CSerialChannel line(host, prefs, clock);
  ASSERT_TRUE(line.Open(0, 115200, 0));
  std::string sent;
  for (int i = 0; i < 3000; ++i) sent += static_cast<char>('A' + i % 26);
  port.Send(sent.substr(0, 2000));
  // Give the receive thread time to fill the ring and stop at its limit.
  ::usleep(100 * 1000);
  EXPECT_EQ(line.ComPort().Available(), CComPortChannel::kRingSize - 1);
  port.Send(sent.substr(2000));
  std::string got;
  char c;
  while (got.size() < sent.size() && line.Read(&c, 1, 200) == 1) got += c;
  EXPECT_EQ(got, sent);
}

TEST_F(SerialChannelTest, IdleOpenLineAndHangUpUseNoCpuAndDoNotHang) {
  PtyPort port(config, "COM1");
  CSerialChannel line(host, prefs, clock);
  ASSERT_TRUE(line.Open(0, 9600, 0));
  double before = CpuSeconds();
  ::usleep(300 * 1000);
  EXPECT_LT(CpuSeconds() - before, 0.05);

  port.Send("GA=1");
  ::usleep(50 * 1000);  // received before the adapter goes
  port.HangUp();        // the adapter is pulled out
  ::usleep(50 * 1000);
  before = CpuSeconds();
  ::usleep(300 * 1000);
  EXPECT_LT(CpuSeconds() - before, 0.05);

  // What arrived before the hang-up is still there; then reads time out.
  char buf[8];
  EXPECT_EQ(line.Read(buf, 4, 200), 4);
  const uint32_t start = clock.Ticks();
  EXPECT_EQ(line.Read(buf, 1, 50), 0);
  EXPECT_LT(clock.Ticks() - start, 500u);
  EXPECT_TRUE(line.Write("GA?\r\n"));  // writes into the void, no hang
  line.Close();
}

// A port that takes no more bytes: the write fails once its limit (from the
// text's length and the rate) has passed, and at once when the program is
// asked to end; it never reports a text as sent that did not go out.
TEST_F(SerialChannelTest, AWriteThatCannotGoOutFailsAtItsLimitOrAtOnceOnShutdown) {
  PtyPort port(config, "COM1");
  CSerialChannel line(host, prefs, clock);
  ASSERT_TRUE(line.Open(0, 115200, 0));
  if (!port.FillUntilStalled()) GTEST_SKIP() << "a second open of an exclusive tty needs root";
  using std::chrono::steady_clock;
  auto start = steady_clock::now();
  EXPECT_FALSE(line.Write("GA=1000\r\n"));
  const auto took = steady_clock::now() - start;
  EXPECT_GE(took, std::chrono::milliseconds(line.WriteLimitMs(9)));
  EXPECT_LT(took, std::chrono::milliseconds(line.WriteLimitMs(9) + 500));

  std::thread signal([] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    RequestShutdown();
  });
  start = steady_clock::now();
  EXPECT_FALSE(line.Write(std::string(120000, 'A') + "\r\n"));
  EXPECT_LT(steady_clock::now() - start, std::chrono::milliseconds(600));
  signal.join();
  ClearShutdownRequest();
  EXPECT_EQ(port.Receive(1 << 20, 200).find_first_not_of('.'), std::string::npos);
}

}  // namespace
}  // namespace cct
