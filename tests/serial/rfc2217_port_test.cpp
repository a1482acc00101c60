// The network port against a server of the test's own (for what a real
// server does not do on demand) and against ser2net in front of a simulated
// camera's pty.
#include "serial/rfc2217_port.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "protocol/shutdown_request.h"
#include "serial/telnet_codec.h"
#include "support/network_camera.h"

namespace cct {
namespace {

using Clock = std::chrono::steady_clock;
using Codec = TelnetCodec;

constexpr uint32_t kLimitMs = 300;

long MsSince(Clock::time_point start) {
  return static_cast<long>(
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

std::string Iac(char verb, char option) {
  return {'\xff', verb, option};
}

// What a serial server says to agree to the line at `rate` bit/s with `dataSize` bits.
std::string Agreeing(uint32_t rate, uint8_t dataSize = 8) {
  auto answer = [](uint8_t command, const std::string& value) {
    return Codec::ComPortRequest(static_cast<uint8_t>(command + Codec::kServerOffset), value);
  };
  const std::string rateBytes{static_cast<char>(rate >> 24), static_cast<char>(rate >> 16),
                              static_cast<char>(rate >> 8), static_cast<char>(rate)};
  return Iac('\xfd', ',') + answer(Codec::kSetBaudRate, rateBytes) +
         answer(Codec::kSetDataSize, std::string(1, static_cast<char>(dataSize))) +
         answer(Codec::kSetParity, "\x01") + answer(Codec::kSetStopSize, "\x01") +
         answer(Codec::kSetControl, "\x01");
}

// A server on the loopback: sends `script` to the one client it accepts,
// then collects what the client sends (while `reading`) until the client goes.
class ScriptedServer {
 public:
  explicit ScriptedServer(std::string script, bool closeAtOnce = false)
      : script_(std::move(script)), closeAtOnce_(closeAtOnce) {
    listen_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(listen_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    // A receive buffer of known size, so a client's writes fill it soon.
    const int buffer = 65536;
    ::setsockopt(listen_, SOL_SOCKET, SO_RCVBUF, &buffer, sizeof buffer);
    ::listen(listen_, 1);
    ::getsockname(listen_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    wake_ = ::eventfd(0, EFD_CLOEXEC);
    thread_ = std::thread([this] { Run(); });
  }
  ~ScriptedServer() {
    stop_ = true;
    const uint64_t one = 1;
    (void)!::write(wake_, &one, sizeof one);
    thread_.join();
    for (const int fd : {listen_, client_.load(), wake_}) {
      if (fd >= 0) ::close(fd);
    }
  }

  std::string Url() const { return "rfc2217://127.0.0.1:" + std::to_string(port_); }
  void Send(const std::string& bytes) {
    ASSERT_EQ(::send(client_, bytes.data(), bytes.size(), MSG_NOSIGNAL),
              static_cast<ssize_t>(bytes.size()));
  }
  void StartReading() {
    reading_ = true;
    const uint64_t one = 1;
    (void)!::write(wake_, &one, sizeof one);
  }
  void StopReading() { reading_ = false; }
  // The camera's bytes among what the client sent, once they end with `tail`.
  std::string DataEndingWith(const std::string& tail, int limitMs = 2000) {
    const auto start = Clock::now();
    const std::string wire = Codec::Escape(tail.data(), tail.size());
    auto arrived = [&] {
      return received_.size() >= wire.size() &&
             received_.compare(received_.size() - wire.size(), wire.size(), wire) == 0;
    };
    std::unique_lock<std::mutex> lock(mutex_);
    while (!arrived() && MsSince(start) < limitMs) {
      lock.unlock();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
      lock.lock();
    }
    std::string data;
    std::string replies;
    Codec codec;
    codec.Receive(received_.data(), received_.size(), data, replies);
    return data;
  }

 private:
  void Run() {
    pollfd accept[2] = {{listen_, POLLIN, 0}, {wake_, POLLIN, 0}};
    if (::poll(accept, 2, 5000) != 1 || accept[1].revents != 0) return;
    client_ = ::accept4(listen_, nullptr, nullptr, SOCK_CLOEXEC);
    if (closeAtOnce_) {
      ::close(client_.exchange(-1));
      return;
    }
    ::send(client_, script_.data(), script_.size(), MSG_NOSIGNAL);
    for (;;) {
      pollfd fds[2] = {{client_, static_cast<short>(reading_ ? POLLIN : 0), 0}, {wake_, POLLIN, 0}};
      if (::poll(fds, 2, 5000) <= 0) return;
      if (fds[1].revents != 0) {
        uint64_t count = 0;
        (void)!::read(wake_, &count, sizeof count);
        if (stop_) return;
        continue;
      }
      char buffer[65536];
      const ssize_t got = ::recv(client_, buffer, sizeof buffer, 0);
      if (got <= 0) return;
      std::lock_guard<std::mutex> lock(mutex_);
      received_.append(buffer, static_cast<size_t>(got));
    }
  }

  std::string script_;
  bool closeAtOnce_;
  int listen_ = -1;
  int wake_ = -1;
  int port_ = 0;
  std::atomic<int> client_{-1};
  std::atomic<bool> reading_{true};
  std::atomic<bool> stop_{false};
  std::thread thread_;
  std::mutex mutex_;
  std::string received_;
};

std::unique_ptr<PortDevice> Open(const std::string& url, int rate, const char*& step,
                                 uint32_t limitMs = kLimitMs) {
  return OpenRfc2217Port(url, rate, limitMs, step);
}

// The camera's bytes until `tail` (or the limit), as the receive thread would get them.
std::string ReadUntil(PortDevice& port, const std::string& tail, int limitMs = 2000) {
  std::string got;
  const auto start = Clock::now();
  while (got.find(tail) == std::string::npos && MsSince(start) < limitMs) {
    pollfd p{port.Descriptor(), POLLIN, 0};
    if (::poll(&p, 1, 50) != 1) continue;
    char buffer[64];
    const int n = port.ReadNow(buffer, sizeof buffer);
    if (n < 0) return got + "<gone>";
    got.append(buffer, static_cast<size_t>(n));
  }
  return got;
}

TEST(Rfc2217Port, AFailedOpenNamesTheStepALocalPortWouldAndKeepsItsLimit) {
  ScriptedServer silent("");
  ScriptedServer noComPort(Iac('\xfe', ','));
  ScriptedServer turnsAway("", true);
  ScriptedServer otherRate(Agreeing(9600));
  ScriptedServer sevenBits(Agreeing(38400, 7));
  struct Case {
    const char* what;
    std::string url;
    const char* step;
  };
  const Case cases[] = {
      {"no port in the URL", "rfc2217://127.0.0.1", "CreateFile"},
      {"a name that does not resolve", "rfc2217://no-such-host.invalid:4001", "CreateFile"},
      {"no one listening", "rfc2217://127.0.0.1:" + std::to_string(test::FreeLoopbackPort()),
       "CreateFile"},
      {"a server that closes at once", turnsAway.Url(), "CreateFile"},
      {"a server that never answers", silent.Url(), "GetCommState"},
      {"a server without COM-PORT-OPTION", noComPort.Url(), "GetCommState"},
      {"a server that keeps another rate", otherRate.Url(), "SetCommState"},
      {"a server that keeps 7 data bits", sevenBits.Url(), "SetCommState"},
  };
  for (const Case& c : cases) {
    const char* step = nullptr;
    const auto start = Clock::now();
    EXPECT_EQ(Open(c.url, 38400, step), nullptr) << c.what;
    EXPECT_STREQ(step, c.step) << c.what;
    EXPECT_LT(MsSince(start), kLimitMs + 500) << c.what;
  }
}

TEST(Rfc2217Port, CarriesTheCamerasBytesWithTelnetTakenOffBothWays) {
  ScriptedServer server(Agreeing(38400));
  const char* step = nullptr;
  auto port = Open(server.Url(), 38400, step);
  ASSERT_NE(port, nullptr) << step;
  EXPECT_TRUE(port->Write("GA?\xff\r\n", 6, 1000));
  EXPECT_EQ(server.DataEndingWith("\r\n"), "GA?\xff\r\n");

  // Data with a doubled 0xFF and an offer in the middle; the offer is answered.
  server.Send("GA=\xff\xff" + Iac('\xfb', '\x03') + "\r\n");
  EXPECT_EQ(ReadUntil(*port, "\r\n"), "GA=\xff\r\n");
  port->Write("", 0, 1000);  // anything owed goes first
}

TEST(Rfc2217Port, AWriteKeepsItsDeadlineAndTheShutdownRequestAndNeverSplitsA0xFFPair) {
  ScriptedServer server(Agreeing(38400));
  const char* step = nullptr;
  auto port = Open(server.Url(), 38400, step);
  ASSERT_NE(port, nullptr) << step;
  server.StopReading();
  // Far more than the socket buffers hold; the socket takes even counts, so
  // after the one plain byte the cut lands inside a doubled 0xFF.
  const std::string flood = "a" + std::string(8 << 20, '\xff');
  auto start = Clock::now();
  EXPECT_FALSE(port->Write(flood.data(), static_cast<int>(flood.size()), 200));
  EXPECT_LT(MsSince(start), 1500);

  server.StartReading();
  EXPECT_TRUE(port->Write("Z", 1, 5000));
  const std::string data = server.DataEndingWith("Z", 5000);
  ASSERT_FALSE(data.empty());
  EXPECT_EQ(data.back(), 'Z');
  // Had half a pair been lost, the server would have taken the "Z" for a command.
  EXPECT_TRUE(std::all_of(data.begin() + 1, data.end() - 1, [](char c) { return c == '\xff'; }));

  RequestShutdown();
  start = Clock::now();
  EXPECT_FALSE(port->Write("GA?\r\n", 5, 5000));
  ClearShutdownRequest();
  EXPECT_LT(MsSince(start), 100);
  EXPECT_TRUE(port->Write("Y", 1, 1000));
  EXPECT_EQ(server.DataEndingWith("Y").size(), data.size() + 1);  // nothing in between
}

// ser2net in front of a camera at 38400 bit/s on a pty.
class Rfc2217PortWithSer2Net : public ::testing::Test {
 protected:
  void SetUp() override {
    SKIP_WITHOUT_SER2NET();
    std::string error;
    ASSERT_TRUE(network_.Start(38400, &error, false)) << error;
    camera_ = &network_.Camera();
    server_ = &network_.Server();
  }

  test::NetworkCamera network_;
  sim::PtyCamera* camera_ = nullptr;
  test::Ser2NetServer* server_ = nullptr;
};

TEST_F(Rfc2217PortWithSer2Net, TheRateTravelsAndEveryReopenConnectsAnew) {
  const char* step = nullptr;
  for (const int rate : {115200, 57600, 38400, 38400, 9600, 38400}) {
    auto port = Open(server_->Url(), rate, step, kRfc2217ConnectLimitMs);
    ASSERT_NE(port, nullptr) << rate << ": " << step;
    ASSERT_TRUE(port->Write("GA?\r\n", 5, 1000));
    EXPECT_EQ(ReadUntil(*port, "\n", rate == 38400 ? 2000 : 300), rate == 38400 ? "GA=100\r\n" : "")
        << rate;
  }
  // A 0xFF in a command reaches the camera as one byte.
  auto port = Open(server_->Url(), 38400, step, kRfc2217ConnectLimitMs);
  ASSERT_NE(port, nullptr) << step;
  ASSERT_TRUE(port->Write("GA?\xff\r\n", 6, 1000));
  ReadUntil(*port, "\n");
  EXPECT_EQ(camera_->ReceivedLines().back(), "GA?\xff");
}

TEST_F(Rfc2217PortWithSer2Net, AHeldPortTurnsASecondClientAwayAndAStoppedServerEndsTheLine) {
  const char* step = nullptr;
  auto first = Open(server_->Url(), 38400, step, kRfc2217ConnectLimitMs);
  ASSERT_NE(first, nullptr) << step;
  EXPECT_EQ(Open(server_->Url(), 38400, step, kRfc2217ConnectLimitMs), nullptr);
  EXPECT_STREQ(step, "CreateFile");

  server_->Kill();
  EXPECT_EQ(ReadUntil(*first, "<gone>"), "<gone>");
  EXPECT_EQ(first->ReadNow(nullptr, 0), -1);
  EXPECT_FALSE(first->Write("GA?\r\n", 5, 1000));
}

}  // namespace
}  // namespace cct
