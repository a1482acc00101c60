#pragma once

#include <cstdint>
#include <string>

namespace cct {

// How a serial port on a serial server across the network is named.
inline constexpr const char* kRfc2217Scheme = "rfc2217://";

// Whether `device` names a port on a serial server across the network
// ("rfc2217://...", the scheme in any case) rather than a device of this
// machine.
bool IsNetworkPort(const std::string& device);

struct NetworkAddress {
  std::string host;  // a name, an IPv4 address, or an IPv6 address without its brackets
  bool numericIpv6 = false;
  uint16_t port = 0;
};

// "rfc2217://HOST:PORT" with HOST a name, an IPv4 address or an IPv6 address
// in brackets, PORT 1 to 65535. False when `url` is not of that form.
bool ParseRfc2217Url(const std::string& url, NetworkAddress& address);

}  // namespace cct
