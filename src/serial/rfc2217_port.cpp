#include "serial/rfc2217_port.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "protocol/shutdown_request.h"
#include "serial/network_address.h"
#include "serial/wait_ready.h"

namespace cct {

namespace {

using Codec = TelnetCodec;

// The resolver's wait cannot watch the shutdown request; it looks this often.
constexpr int kShutdownSliceMs = 50;
// Answers owed to a server that reads nothing are dropped beyond this.
constexpr size_t kPendingLimit = 4096;

using SteadyClock = std::chrono::steady_clock;
using Deadline = SteadyClock::time_point;

Deadline DeadlineIn(uint32_t limitMs) {
  return SteadyClock::now() + std::chrono::milliseconds(limitMs);
}

int MsLeft(Deadline deadline) {
  const auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(deadline - SteadyClock::now()).count();
  return left > 0 ? static_cast<int>(std::min<int64_t>(left, INT_MAX)) : 0;
}

struct AddressListDeleter {
  void operator()(addrinfo* list) const { ::freeaddrinfo(list); }
};
using AddressList = std::unique_ptr<addrinfo, AddressListDeleter>;

// A name lookup on a thread of its own, which may outlive the wait for it:
// the state is shared, and the last of the two to let go frees it.
struct Lookup {
  std::mutex mutex;
  std::condition_variable done;
  bool finished = false;
  int status = EAI_SYSTEM;
  AddressList result;
};

// Numeric addresses resolve at once; a name goes to the resolver, which may
// wait on a name server far longer than an operator should.
bool Resolve(const NetworkAddress& address, Deadline deadline, AddressList& list) {
  const std::string service = std::to_string(address.port);
  addrinfo hints{};
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_NUMERICSERV;
  in_addr ipv4{};
  if (address.numericIpv6 || ::inet_pton(AF_INET, address.host.c_str(), &ipv4) == 1) {
    hints.ai_flags |= AI_NUMERICHOST;
    addrinfo* found = nullptr;
    if (::getaddrinfo(address.host.c_str(), service.c_str(), &hints, &found) != 0) return false;
    list.reset(found);
    return true;
  }
  auto lookup = std::make_shared<Lookup>();
  try {
    std::thread([lookup, host = address.host, service, hints] {
      addrinfo* found = nullptr;
      const int status = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &found);
      std::lock_guard<std::mutex> lock(lookup->mutex);
      lookup->status = status;
      lookup->result.reset(found);
      lookup->finished = true;
      lookup->done.notify_all();
    }).detach();
  } catch (const std::system_error&) {
    return false;
  }
  std::unique_lock<std::mutex> lock(lookup->mutex);
  while (!lookup->finished && MsLeft(deadline) > 0 && !ShutdownRequested()) {
    lookup->done.wait_for(lock,
                          std::chrono::milliseconds(std::min(MsLeft(deadline), kShutdownSliceMs)));
  }
  if (!lookup->finished || lookup->status != 0) return false;
  list = std::move(lookup->result);
  return true;
}

int SocketError(int fd) {
  int error = 0;
  socklen_t length = sizeof error;
  if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0) return errno;
  return error;
}

// Commands are a few bytes and each waits for its answer: they go at once,
// not held back to fill a segment. A server that vanishes without closing
// (a cable pulled at the far end) is noticed within seconds, idle or not.
void TuneSocket(int fd) {
  const int one = 1;
  const int idleSeconds = 5;
  const int intervalSeconds = 2;
  const int probes = 3;
  const unsigned userTimeoutMs = 10000;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
  ::setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &one, sizeof one);
  ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idleSeconds, sizeof idleSeconds);
  ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &intervalSeconds, sizeof intervalSeconds);
  ::setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &probes, sizeof probes);
  ::setsockopt(fd, IPPROTO_TCP, TCP_USER_TIMEOUT, &userTimeoutMs, sizeof userTimeoutMs);
}

// Connects to the first of the addresses that takes the connection.
bool Connect(const addrinfo* list, Deadline deadline, UniqueFd& connection) {
  for (const addrinfo* a = list; a != nullptr && MsLeft(deadline) > 0; a = a->ai_next) {
    connection.Reset(
        ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol));
    const int fd = connection.Get();
    if (fd < 0) continue;
    if (::connect(fd, a->ai_addr, a->ai_addrlen) == 0) return true;
    if ((errno == EINPROGRESS || errno == EINTR) && WaitReady(fd, POLLOUT, deadline) &&
        SocketError(fd) == 0) {
      return true;
    }
  }
  connection.Reset();
  return false;
}

enum class Sent { kAll, kStopped, kBroken };

// Sends `bytes` from `sent` on until all went, the deadline, a shutdown
// request or a broken connection; `sent` tells how far it got.
Sent SendAll(int fd, const std::string& bytes, size_t& sent, Deadline deadline) {
  while (sent < bytes.size()) {
    if (ShutdownRequested()) return Sent::kStopped;
    const ssize_t n =
        ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_DONTWAIT | MSG_NOSIGNAL);
    if (n > 0) {
      sent += static_cast<size_t>(n);
    } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
      if (errno == EINTR || WaitReady(fd, POLLOUT, deadline)) continue;
      // Short of its limit, a wait ends only on an error or hang-up.
      return ShutdownRequested() || MsLeft(deadline) == 0 ? Sent::kStopped : Sent::kBroken;
    } else {
      return Sent::kBroken;
    }
  }
  return Sent::kAll;
}

}  // namespace

void Rfc2217Port::Owe(const std::string& replies) {
  if (pending_.size() + replies.size() <= kPendingLimit) pending_ += replies;
}

// What can go without waiting; the rest waits for the next read or write.
// A connection that failed shows in the next read.
void Rfc2217Port::SendNow() {
  size_t sent = 0;
  SendAll(fd_.Get(), pending_, sent, SteadyClock::now());
  pending_.erase(0, sent);
}

int Rfc2217Port::ReadNow(char* buffer, int maximum) {
  if (gone_) return -1;
  if (maximum <= 0) return 0;
  // Telnet never makes the camera's bytes more than what arrived, so reading
  // no more than `maximum` keeps them within the buffer.
  char raw[512];
  const size_t want = std::min(sizeof raw, static_cast<size_t>(maximum));
  const ssize_t got = ::recv(fd_.Get(), raw, want, MSG_DONTWAIT);
  if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return 0;
  if (got <= 0) {
    gone_ = true;
    return -1;
  }
  std::string data;
  std::string replies;
  codec_.Receive(raw, static_cast<size_t>(got), data, replies);
  Owe(replies);
  if (!pending_.empty()) SendNow();
  std::copy(data.begin(), data.end(), buffer);
  return static_cast<int>(data.size());
}

bool Rfc2217Port::Write(const char* data, int count, uint32_t limitMs) {
  if (count < 0 || gone_ || ShutdownRequested()) return false;
  const Deadline deadline = DeadlineIn(limitMs);
  size_t sent = 0;
  const Sent pendingWent = SendAll(fd_.Get(), pending_, sent, deadline);
  pending_.erase(0, sent);
  gone_ = pendingWent == Sent::kBroken;
  if (pendingWent != Sent::kAll) return false;

  const std::string escaped = Codec::Escape(data, static_cast<size_t>(count));
  sent = 0;
  const Sent dataWent = SendAll(fd_.Get(), escaped, sent, deadline);
  gone_ = dataWent == Sent::kBroken;
  if (dataWent == Sent::kAll) return true;
  // Every doubled 0xFF must stay whole, or the server would take the next
  // byte for a command: an odd count of 0xFF sent means half a pair went.
  const auto sentEnd = escaped.begin() + static_cast<std::ptrdiff_t>(sent);
  if (std::count(escaped.begin(), sentEnd, '\xff') % 2 != 0) pending_.insert(0, 1, '\xff');
  return false;
}

std::unique_ptr<PortDevice> OpenRfc2217Port(const std::string& url, int baudRate,
                                            uint32_t connectLimitMs, const char*& failedStep) {
  failedStep = "CreateFile";
  NetworkAddress address;
  if (!ParseRfc2217Url(url, address)) return nullptr;
  const Deadline deadline = DeadlineIn(connectLimitMs);
  AddressList addresses;
  if (!Resolve(address, deadline, addresses)) return nullptr;
  std::unique_ptr<Rfc2217Port> port(new Rfc2217Port);
  if (!Connect(addresses.get(), deadline, port->fd_)) return nullptr;
  TuneSocket(port->fd_.Get());

  // Reads the server's bytes until `done`; the camera's bytes that come
  // before the line is set up are noise and go nowhere.
  auto send = [&](const std::string& bytes) {
    port->pending_ += bytes;
    size_t sent = 0;
    const Sent went = SendAll(port->fd_.Get(), port->pending_, sent, deadline);
    port->pending_.erase(0, sent);
    port->gone_ = went == Sent::kBroken;
    return went == Sent::kAll;
  };
  auto await = [&](const std::function<bool()>& done) {
    while (!done()) {
      if (!WaitReady(port->fd_.Get(), POLLIN, deadline)) {
        // Short of its limit, a wait ends only on an error or hang-up.
        port->gone_ = !ShutdownRequested() && MsLeft(deadline) > 0;
        return false;
      }
      char raw[512];
      const ssize_t got = ::recv(port->fd_.Get(), raw, sizeof raw, MSG_DONTWAIT);
      if (got < 0 && (errno == EAGAIN || errno == EINTR)) continue;
      if (got <= 0) {
        port->gone_ = true;
        return false;
      }
      std::string noise;
      std::string replies;
      port->codec_.Receive(raw, static_cast<size_t>(got), noise, replies);
      if (!send(replies)) return false;
    }
    return true;
  };
  // A server that closes now has turned the client away (ser2net: "Port
  // already in use"), like a port held by another program.
  auto failedAt = [&](const char* step) {
    failedStep = port->gone_ ? "CreateFile" : step;
    return nullptr;
  };

  TelnetCodec& codec = port->codec_;
  if (!send(codec.Greeting()) ||
      !await([&] { return codec.ComPort() != TelnetCodec::Agreement::kPending; })) {
    return failedAt("GetCommState");
  }
  if (codec.ComPort() == TelnetCodec::Agreement::kRefused) return failedAt("GetCommState");

  if (baudRate <= 0) return failedAt("SetCommState");
  const uint8_t checked[] = {Codec::kSetBaudRate, Codec::kSetDataSize, Codec::kSetParity,
                             Codec::kSetStopSize, Codec::kSetControl};
  const uint32_t wanted[] = {static_cast<uint32_t>(baudRate), 8, Codec::kParityNone,
                             Codec::kStopOne, Codec::kControlNoFlow};
  const std::string settings = Codec::BaudRateRequest(static_cast<uint32_t>(baudRate)) +
                               Codec::ComPortRequest(Codec::kSetDataSize, uint8_t{8}) +
                               Codec::ComPortRequest(Codec::kSetParity, Codec::kParityNone) +
                               Codec::ComPortRequest(Codec::kSetStopSize, Codec::kStopOne) +
                               Codec::ComPortRequest(Codec::kSetControl, Codec::kControlNoFlow);
  auto allAnswered = [&] {
    uint32_t value = 0;
    return std::all_of(std::begin(checked), std::end(checked),
                       [&](uint8_t command) { return codec.Answer(command, value); });
  };
  if (!send(settings) || !await(allAnswered)) return failedAt("SetCommState");
  for (size_t i = 0; i < std::size(checked); ++i) {
    uint32_t value = 0;
    codec.Answer(checked[i], value);
    if (value != wanted[i]) return failedAt("SetCommState");
  }

  // DTR on, RTS off: a server whose device has no modem lines answers with
  // another state or not at all, which is no fault. Then nothing the server
  // still holds from before is taken for the camera's answer.
  if (!send(Codec::ComPortRequest(Codec::kSetControl, Codec::kControlDtrOn) +
            Codec::ComPortRequest(Codec::kSetControl, Codec::kControlRtsOff) +
            Codec::ComPortRequest(Codec::kPurgeData, Codec::kPurgeBoth))) {
    return failedAt("SetCommState");
  }
  failedStep = nullptr;
  return port;
}

}  // namespace cct
