#include "serial/network_address.h"

#include <cctype>
#include <charconv>
#include <cstring>

namespace cct {

namespace {

// Host names as the resolver takes them: letters, digits, '-', '_' in labels
// split by dots. An IPv4 address is one of them.
bool PlausibleHostName(const std::string& host) {
  if (host.empty() || host.size() > 253 || host.front() == '.' || host.front() == '-') {
    return false;
  }
  bool lastWasDot = false;
  for (const char c : host) {
    const bool dot = c == '.';
    const bool word = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                      c == '-' || c == '_';
    if ((!dot && !word) || (dot && lastWasDot)) return false;
    lastWasDot = dot;
  }
  return true;
}

// Hex digits, colons and dots, and a zone after '%' ("fe80::1%eth0"); the
// resolver decides the rest.
bool PlausibleIpv6(const std::string& host) {
  const size_t percent = host.find('%');
  const std::string address = host.substr(0, percent);
  if (address.find(':') == std::string::npos) return false;
  for (const char c : address) {
    if (std::strchr("0123456789abcdefABCDEF:.", c) == nullptr) return false;
  }
  return percent == std::string::npos || PlausibleHostName(host.substr(percent + 1));
}

}  // namespace

bool IsNetworkPort(const std::string& device) {
  const size_t schemeLength = std::strlen(kRfc2217Scheme);
  if (device.size() < schemeLength) return false;
  for (size_t i = 0; i < schemeLength; ++i) {
    const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(device[i])));
    if (c != kRfc2217Scheme[i]) return false;
  }
  return true;
}

bool ParseRfc2217Url(const std::string& url, NetworkAddress& address) {
  const size_t schemeLength = std::strlen(kRfc2217Scheme);
  if (url.size() <= schemeLength || url.size() > 300 || !IsNetworkPort(url)) return false;
  const std::string rest = url.substr(schemeLength);
  const size_t colon = rest.rfind(':');
  if (colon == std::string::npos) return false;
  std::string host = rest.substr(0, colon);
  const std::string port = rest.substr(colon + 1);

  NetworkAddress parsed;
  if (!host.empty() && host.front() == '[') {
    if (host.size() < 3 || host.back() != ']') return false;
    host = host.substr(1, host.size() - 2);
    if (!PlausibleIpv6(host)) return false;
    parsed.numericIpv6 = true;
  } else if (!PlausibleHostName(host)) {
    return false;
  }
  unsigned number = 0;
  const char* end = port.data() + port.size();
  const auto [at, ec] = std::from_chars(port.data(), end, number);
  if (port.empty() || ec != std::errc() || at != end || number < 1 || number > 65535) {
    return false;
  }
  parsed.host = host;
  parsed.port = static_cast<uint16_t>(number);
  address = parsed;
  return true;
}

}  // namespace cct
