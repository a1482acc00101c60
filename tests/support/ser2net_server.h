#pragma once

#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "sim/pty_camera.h"

extern char** environ;

namespace cct::test {

// Where Debian installs it (scripts/bootstrap does).
inline constexpr const char* kSer2NetProgram = "/usr/sbin/ser2net";

// A loopback port no one listens on at the moment.
inline int FreeLoopbackPort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  ::close(fd);
  return ntohs(address.sin_port);
}

// ser2net in the foreground on 127.0.0.1, serving one device (a camera-sim
// pty) with RFC 2217, as a serial server on the line would.
class Ser2NetServer {
 public:
  explicit Ser2NetServer(std::string device) : device_(std::move(device)) {}
  ~Ser2NetServer() {
    Stop();
    std::remove(Config().c_str());
  }
  Ser2NetServer(const Ser2NetServer&) = delete;
  Ser2NetServer& operator=(const Ser2NetServer&) = delete;

  // Starts it on `port` (a server back after a restart) or a free one, and
  // waits until it listens; a port taken meanwhile makes it end at once.
  bool Start(std::string* error, int port = 0) {
    port_ = port > 0 ? port : FreeLoopbackPort();
    std::ofstream(Config()) << "%YAML 1.1\n---\nconnection: &camera\n"
                            << "  accepter: telnet(rfc2217),tcp,127.0.0.1," << port_ << "\n"
                            << "  connector: serialdev," << device_ << ",9600n81,local\n";
    // -n: foreground; -u: no lock files in the system's lock folder.
    const std::string config = Config();
    const char* argv[] = {kSer2NetProgram, "-n", "-u", "-c", config.c_str(), nullptr};
    posix_spawn_file_actions_t quiet;  // its notes on mDNS are no test's business
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    if (posix_spawn(&pid_, argv[0], &quiet, nullptr, const_cast<char* const*>(argv), environ)) {
      pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&quiet);
    for (int waited = 0; pid_ > 0 && waited < 500; ++waited) {
      int status = 0;
      if (::waitpid(pid_, &status, WNOHANG) == pid_) pid_ = -1;
      if (pid_ > 0 && Listening()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    Stop();
    if (error) *error = "ser2net did not listen on port " + std::to_string(port_);
    return false;
  }

  // SIGTERM, as an operator stops the service, or SIGKILL: the machine gone.
  void Stop(int signal = SIGTERM) {
    if (pid_ <= 0) return;
    ::kill(pid_, signal);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
  }

  int Port() const { return port_; }
  std::string Url() const { return "rfc2217://127.0.0.1:" + std::to_string(port_); }

 private:
  std::string Config() const {
    return "/tmp/cct-ser2net-" + std::to_string(::getpid()) + "-" +
           std::to_string(reinterpret_cast<uintptr_t>(this)) + ".yaml";
  }
  // Listening shows in /proc/net/tcp (state 0A) without a connection that
  // would make ser2net open the device.
  bool Listening() const {
    char local[32];
    std::snprintf(local, sizeof local, "0100007F:%04X", port_);
    std::ifstream table("/proc/net/tcp");
    for (std::string line; std::getline(table, line);) {
      std::stringstream fields(line);
      std::string slot, address, remote, state;
      fields >> slot >> address >> remote >> state;
      if (address == local && state == "0A") return true;
    }
    return false;
  }

  std::string device_;
  int port_ = -1;
  pid_t pid_ = -1;
};

// A camera across the network: the simulated camera at `rate` on a pty,
// served by ser2net.
struct NetworkCamera {
  bool Start(int rate, std::string* error, bool pace = true) {
    sim::PtyOptions options;
    options.engine.baudRate = rate;
    options.pace = pace;
    camera = std::make_unique<sim::PtyCamera>(options);
    if (!camera->Start(error)) return false;
    server = std::make_unique<Ser2NetServer>(camera->SlavePath());
    return server->Start(error);
  }
  std::unique_ptr<sim::PtyCamera> camera;
  std::unique_ptr<Ser2NetServer> server;  // after the camera: goes first
};

}  // namespace cct::test

// Tests against the real server run where it is installed; elsewhere they
// say why they did not.
#define SKIP_WITHOUT_SER2NET()                                                    \
  do {                                                                            \
    if (::access(::cct::test::kSer2NetProgram, X_OK) != 0)                        \
      GTEST_SKIP() << "ser2net is not installed (scripts/bootstrap installs it)"; \
  } while (false)
