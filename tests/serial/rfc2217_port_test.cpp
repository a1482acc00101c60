// The network port against a server of the test's own, which says on cue
// what a serial server may say.
#include "serial/rfc2217_port.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "protocol/shutdown_request.h"
#include "serial/telnet_codec.h"
#include "support/ser2net_server.h"

namespace cct {
namespace {

using Clock = std::chrono::steady_clock;
using Codec = TelnetCodec;

constexpr uint32_t kLimitMs = 300;

long MsSince(Clock::time_point start) {
  return static_cast<long>(
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

// DO COM-PORT-OPTION and the answers that take the line at `rate` with `bits`.
std::string Agreeing(uint32_t rate, char bits = 8) {
  auto answer = [](int command, const std::string& value) {
    return Codec::ComPortRequest(static_cast<uint8_t>(command + Codec::kServerOffset), value);
  };
  return std::string("\xff\xfd,") +
         answer(1, {char(rate >> 24), char(rate >> 16), char(rate >> 8), char(rate)}) +
         answer(2, {bits}) + answer(3, "\x01") + answer(4, "\x01") + answer(5, "\x01");
}

// Accepts one client, sends it `script`, then either hangs up or keeps what
// the client sends (while reading) until the client goes.
class ScriptedServer {
 public:
  explicit ScriptedServer(std::string script, bool hangUp = false)
      : script_(std::move(script)), hangUp_(hangUp) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    const int buffer = 65536;  // known, so that a flood fills it soon
    ::setsockopt(listen_, SOL_SOCKET, SO_RCVBUF, &buffer, sizeof buffer);
    ::bind(listen_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(listen_, 1);
    ::getsockname(listen_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Run(); });
  }
  ~ScriptedServer() {
    SetReading(true);
    ::shutdown(listen_, SHUT_RDWR);  // wakes the accept or the read
    ::shutdown(client_, SHUT_RDWR);
    thread_.join();
    ::close(listen_);
    if (client_ >= 0) ::close(client_);
  }

  std::string Url() const { return "rfc2217://127.0.0.1:" + std::to_string(port_); }
  void SetReading(bool reading) {
    std::lock_guard<std::mutex> lock(mutex_);
    reading_ = reading;
    changed_.notify_all();
  }
  // The camera's bytes among what came, once the wire ends with `tail`.
  std::string DataEndingWith(const std::string& tail) {
    const std::string wire = Codec::Escape(tail.data(), tail.size());
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait_for(lock, std::chrono::seconds(5), [&] {
      return received_.size() >= wire.size() &&
             received_.compare(received_.size() - wire.size(), wire.size(), wire) == 0;
    });
    std::string data, replies;
    Codec().Receive(received_.data(), received_.size(), data, replies);
    return data;
  }

 private:
  void Run() {
    const int client = ::accept4(listen_, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) return;
    ::send(client, script_.data(), script_.size(), MSG_NOSIGNAL);
    if (hangUp_) return (void)::close(client);
    client_ = client;
    for (char buffer[65536];;) {
      {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return reading_; });
      }
      const ssize_t got = ::recv(client, buffer, sizeof buffer, 0);
      if (got <= 0) return;
      std::lock_guard<std::mutex> lock(mutex_);
      received_.append(buffer, static_cast<size_t>(got));
      changed_.notify_all();
    }
  }

  std::string script_;
  bool hangUp_;
  int listen_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  std::atomic<int> client_{-1};
  int port_ = 0;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool reading_ = true;
  std::string received_;
  std::thread thread_;
};

TEST(Rfc2217Port, AFailedOpenNamesTheStepALocalPortWouldAndKeepsItsLimit) {
  const std::string greeting = "\xff\xfb\x03\xff\xfd\x03\xff\xfd,";
  ScriptedServer silent("");
  ScriptedServer busy(greeting + "Port already in use\r\n", true);  // as ser2net says it
  ScriptedServer noComPort("\xff\xfe,");
  ScriptedServer otherRate(Agreeing(9600));
  ScriptedServer sevenBits(Agreeing(38400, 7));
  const std::pair<std::string, const char*> cases[] = {
      {"rfc2217://127.0.0.1", "CreateFile"},
      {"rfc2217://no-such-host.invalid:4001", "CreateFile"},
      {"rfc2217://127.0.0.1:" + std::to_string(test::FreeLoopbackPort()), "CreateFile"},
      {busy.Url(), "CreateFile"},
      {silent.Url(), "GetCommState"},
      {noComPort.Url(), "GetCommState"},
      {otherRate.Url(), "SetCommState"},
      {sevenBits.Url(), "SetCommState"},
  };
  for (const auto& [url, step] : cases) {
    const char* failed = nullptr;
    const auto start = Clock::now();
    EXPECT_EQ(OpenRfc2217Port(url, 38400, kLimitMs, failed), nullptr) << url;
    EXPECT_STREQ(failed, step) << url;
    EXPECT_LT(MsSince(start), kLimitMs + 500) << url;
  }
}

TEST(Rfc2217Port, AWriteGoesEscapedWithinItsDeadlineStopsOnShutdownAndKeepsEvery0xFFPair) {
  ScriptedServer server(Agreeing(38400));
  const char* step = nullptr;
  auto port = OpenRfc2217Port(server.Url(), 38400, kLimitMs, step);
  ASSERT_NE(port, nullptr) << step;
  EXPECT_TRUE(port->Write("GA?\xff\r\n", 6, 1000));
  EXPECT_EQ(server.DataEndingWith("\r\n"), "GA?\xff\r\n");

  // Far more than the buffers hold. The socket takes even counts, so after
  // the one plain byte the cut lands inside a doubled 0xFF.
  server.SetReading(false);
  const std::string flood = "a" + std::string(8 << 20, '\xff');
  auto start = Clock::now();
  EXPECT_FALSE(port->Write(flood.data(), static_cast<int>(flood.size()), 200));
  EXPECT_LT(MsSince(start), 1500);
  server.SetReading(true);
  EXPECT_TRUE(port->Write("Z", 1, 5000));
  // Had half a pair been lost, the server would have taken the "Z" for a command.
  const std::string data = server.DataEndingWith("Z");
  ASSERT_GT(data.size(), 8u);
  EXPECT_EQ(data.substr(data.size() - 3), "\xff\xffZ");

  RequestShutdown();
  start = Clock::now();
  EXPECT_FALSE(port->Write("GA?\r\n", 5, 5000));
  ClearShutdownRequest();
  EXPECT_LT(MsSince(start), 100);
  EXPECT_TRUE(port->Write("Y", 1, 1000));
  EXPECT_EQ(server.DataEndingWith("Y").size(), data.size() + 1);  // nothing in between
}

}  // namespace
}  // namespace cct
