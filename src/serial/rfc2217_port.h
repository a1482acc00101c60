#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "protocol/unique_fd.h"
#include "serial/port_device.h"
#include "serial/telnet_codec.h"

namespace cct {

// How long opening a network port may take, from the name lookup to the
// server's last answer on the line settings: a server on the plant network
// answers within milliseconds, a missing one must not hold the window.
inline constexpr uint32_t kRfc2217ConnectLimitMs = 4000;

// A serial port on a serial server (ser2net, a serial device server),
// reached over TCP with RFC 2217: the line settings go over the connection
// as COM-PORT-OPTION subnegotiations, the camera's bytes as Telnet data.
class Rfc2217Port final : public PortDevice {
 public:
  int Descriptor() const override { return fd_.Get(); }
  // Strips the Telnet bytes and answers the server's negotiation on the way.
  int ReadNow(char* buffer, int maximum) override;
  bool Write(const char* data, int count, uint32_t limitMs) override;
  bool Gone() const override { return gone_; }

 private:
  friend std::unique_ptr<PortDevice> OpenRfc2217Port(const std::string& url, int baudRate,
                                                     uint32_t connectLimitMs,
                                                     const char*& failedStep);
  Rfc2217Port() = default;
  void SendNow();
  void Owe(const std::string& replies);

  UniqueFd fd_;
  bool gone_ = false;
  TelnetCodec codec_;
  // Bytes that must go out before any other: answers owed to the server,
  // and the second half of a doubled 0xFF whose first half went out.
  std::string pending_;
};

// Connects to `url` ("rfc2217://HOST:PORT"), agrees COM-PORT-OPTION and sets
// the line to `baudRate`, 8N1, no flow control, DTR on, RTS off, and purges
// the server's buffers, all within `connectLimitMs`. On failure, null, with
// `failedStep` naming the step as a local port would: "CreateFile" when the
// server cannot be reached or turns the client away, "GetCommState" when it
// speaks no COM-PORT-OPTION, "SetCommState" when it does not take the settings.
std::unique_ptr<PortDevice> OpenRfc2217Port(const std::string& url, int baudRate,
                                            uint32_t connectLimitMs, const char*& failedStep);

}  // namespace cct
