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
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include <gtest/gtest.h>

extern char** environ;

namespace cct::test {

// A loopback port no one listens on at the moment.
inline int FreeLoopbackPort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  int port = -1;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
    port = ntohs(address.sin_port);
  }
  ::close(fd);
  return port;
}

// ser2net in the foreground on 127.0.0.1, serving one serial device (a
// camera-sim pty) with RFC 2217, as a serial server on the line would.
class Ser2NetServer {
 public:
  // The installed ser2net, or empty. Debian puts it in /usr/sbin, which a
  // user's PATH may lack.
  static std::string Program() {
    std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    std::stringstream folders(path + ":/usr/sbin:/usr/local/sbin");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
      const std::string candidate = folder + "/ser2net";
      if (!folder.empty() && ::access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return std::string();
  }

  explicit Ser2NetServer(std::string device) : device_(std::move(device)) {
    char pattern[] = "/tmp/cct-ser2net-XXXXXX";
    if (::mkdtemp(pattern) != nullptr) folder_ = pattern;
  }
  ~Ser2NetServer() {
    Stop();
    std::error_code ec;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ec);
  }
  Ser2NetServer(const Ser2NetServer&) = delete;
  Ser2NetServer& operator=(const Ser2NetServer&) = delete;

  // Starts it and waits until it listens, on `port` (a server back after a
  // restart) or on a free one. A port taken between the choice and ser2net's
  // bind makes it end at once; another port is tried then.
  bool Start(std::string* error, int port = 0) {
    for (int attempt = 0; attempt < 3; ++attempt) {
      port_ = attempt == 0 && port > 0 ? port : FreeLoopbackPort();
      WriteConfiguration();
      if (!Spawn()) break;
      if (WaitListening()) return true;
      Stop();
    }
    if (error) *error = "ser2net did not start: " + Log();
    return false;
  }

  // SIGTERM, as an operator stops the service; SIGKILL if it lingers.
  void Stop() { End(SIGTERM); }
  // The server machine gone at once.
  void Kill() { End(SIGKILL); }

  int Port() const { return port_; }
  std::string Url() const { return "rfc2217://127.0.0.1:" + std::to_string(port_); }
  std::string ConfigPath() const { return folder_ + "/ser2net.yaml"; }
  std::string Log() const {
    std::ifstream in(folder_ + "/log");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

 private:
  void WriteConfiguration() {
    std::ofstream(ConfigPath()) << "%YAML 1.1\n---\n"
                                << "connection: &camera\n"
                                << "  accepter: telnet(rfc2217),tcp,127.0.0.1," << port_ << "\n"
                                << "  connector: serialdev," << device_ << ",9600n81,local\n";
  }

  bool Spawn() {
    // -n: foreground; -u: no UUCP lock files in the system's lock folder.
    const std::string program = Program();
    const std::string config = ConfigPath();
    const char* argv[] = {program.c_str(), "-n", "-u", "-c", config.c_str(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string log = folder_ + "/log";
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    const int failed =
        posix_spawn(&pid_, argv[0], &actions, nullptr, const_cast<char* const*>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) pid_ = -1;
    return pid_ > 0;
  }

  // Listening shows in /proc/net/tcp (state 0A) without a connection that
  // would make ser2net open the device.
  bool Listening() const {
    char local[32];
    std::snprintf(local, sizeof local, "0100007F:%04X", port_);
    std::ifstream table("/proc/net/tcp");
    std::string line;
    while (std::getline(table, line)) {
      std::stringstream fields(line);
      std::string slot, address, remote, state;
      fields >> slot >> address >> remote >> state;
      if (address == local && state == "0A") return true;
    }
    return false;
  }

  bool WaitListening() {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < end) {
      int status = 0;
      if (::waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        return false;
      }
      if (Listening()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
  }

  void End(int signal) {
    if (pid_ <= 0) return;
    ::kill(pid_, signal);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    int status = 0;
    while (::waitpid(pid_, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > end) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, &status, 0);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    pid_ = -1;
  }

  std::string device_;
  std::string folder_;
  int port_ = -1;
  pid_t pid_ = -1;
};

}  // namespace cct::test

// Tests against the real server run where it is installed (scripts/bootstrap
// installs it); elsewhere they say why they did not.
#define SKIP_WITHOUT_SER2NET()                                                    \
  do {                                                                            \
    if (::cct::test::Ser2NetServer::Program().empty()) {                          \
      GTEST_SKIP() << "ser2net is not installed (scripts/bootstrap installs it)"; \
    }                                                                             \
  } while (false)
