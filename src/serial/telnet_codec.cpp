#include "serial/telnet_codec.h"

namespace cct {

namespace {

constexpr uint8_t kIac = 255;
constexpr uint8_t kDont = 254;
constexpr uint8_t kDo = 253;
constexpr uint8_t kWont = 252;
constexpr uint8_t kWill = 251;
constexpr uint8_t kSb = 250;
constexpr uint8_t kSe = 240;

constexpr uint8_t kBinary = 0;
constexpr uint8_t kSuppressGoAhead = 3;
constexpr uint8_t kComPortOption = 44;

// What the client names itself when the server asks.
constexpr const char* kSignatureText = "Camera Control Tool";

std::string Command(uint8_t verb, uint8_t option) {
  return {static_cast<char>(kIac), static_cast<char>(verb), static_cast<char>(option)};
}

}  // namespace

bool TelnetCodec::WantLocal(uint8_t option) {
  return option == kComPortOption || option == kBinary || option == kSuppressGoAhead;
}

bool TelnetCodec::WantRemote(uint8_t option) {
  // Not echo: the camera's answers must not come back mixed with our own bytes.
  return option == kBinary || option == kSuppressGoAhead;
}

std::string TelnetCodec::Greeting() {
  std::string out;
  for (const uint8_t option : {kComPortOption, kBinary}) {
    options_[option].local.asked = true;
    out += Command(kWill, option);
  }
  options_[kBinary].remote.asked = true;
  out += Command(kDo, kBinary);
  return out;
}

std::string TelnetCodec::Escape(const char* data, size_t count) {
  std::string out;
  out.reserve(count + 8);
  for (size_t i = 0; i < count; ++i) {
    out += data[i];
    if (static_cast<uint8_t>(data[i]) == kIac) out += data[i];
  }
  return out;
}

std::string TelnetCodec::ComPortRequest(uint8_t command, const std::string& value) {
  std::string out{static_cast<char>(kIac), static_cast<char>(kSb),
                  static_cast<char>(kComPortOption), static_cast<char>(command)};
  out += Escape(value.data(), value.size());
  out += static_cast<char>(kIac);
  out += static_cast<char>(kSe);
  return out;
}

std::string TelnetCodec::ComPortRequest(uint8_t command, uint8_t value) {
  return ComPortRequest(command, std::string(1, static_cast<char>(value)));
}

std::string TelnetCodec::BaudRateRequest(uint32_t baudRate) {
  const std::string value{static_cast<char>(baudRate >> 24), static_cast<char>(baudRate >> 16),
                          static_cast<char>(baudRate >> 8), static_cast<char>(baudRate)};
  return ComPortRequest(kSetBaudRate, value);
}

bool TelnetCodec::Answer(uint8_t command, uint32_t& value) const {
  if (command >= kComPortCommandCount || !answered_[command]) return false;
  value = answers_[command];
  return true;
}

// Each side answers only a change of state, so two programs that both offer
// an option do not answer each other for ever (RFC 854, 1143). An offer or
// request is taken when wanted and answered unless it answers our own.
void TelnetCodec::Accept(Side& side, bool wanted, uint8_t yes, uint8_t no, uint8_t option,
                         std::string& replies) {
  if (!wanted) {
    replies += Command(no, option);
  } else if (!side.enabled) {
    side.enabled = true;
    if (!side.asked) replies += Command(yes, option);
  }
  side.asked = false;
}

// A refusal of our own offer needs no answer; a withdrawal is acknowledged.
void TelnetCodec::Refuse(Side& side, uint8_t no, uint8_t option, std::string& replies) {
  if (side.enabled) replies += Command(no, option);
  side.enabled = false;
  side.asked = false;
}

void TelnetCodec::Negotiate(uint8_t verb, uint8_t option, std::string& replies) {
  Option& o = options_[option];
  if (verb == kDo) Accept(o.local, WantLocal(option), kWill, kWont, option, replies);
  if (verb == kDont) Refuse(o.local, kWont, option, replies);
  if (verb == kWill) Accept(o.remote, WantRemote(option), kDo, kDont, option, replies);
  if (verb == kWont) Refuse(o.remote, kDont, option, replies);
  if (option == kComPortOption && (verb == kDo || verb == kDont)) {
    comPort_ = o.local.enabled ? Agreement::kAgreed : Agreement::kRefused;
  }
}

void TelnetCodec::EndSubnegotiation(std::string& replies) {
  if (subOption_ != kComPortOption || subTooLong_ || sub_.empty()) return;
  const uint8_t code = static_cast<uint8_t>(sub_[0]);
  if (code < kServerOffset || code >= kServerOffset + kComPortCommandCount) return;
  const uint8_t command = code - kServerOffset;
  const std::string value = sub_.substr(1);
  if (command == kSignature) {
    // An empty signature asks for ours.
    if (value.empty()) replies += ComPortRequest(kSignature, kSignatureText);
    return;
  }
  if (command == kSetBaudRate) {
    if (value.size() != 4) return;
    uint32_t rate = 0;
    for (const char c : value) rate = rate << 8 | static_cast<uint8_t>(c);
    answers_[command] = rate;
    answered_[command] = true;
    return;
  }
  if (value.size() != 1) return;
  const uint8_t v = static_cast<uint8_t>(value[0]);
  // DTR and RTS answers (7 to 12) and inbound flow (13 to 19) are not the
  // outbound flow control the line is checked for.
  if (command == kSetControl && v > 3) return;
  answers_[command] = v;
  answered_[command] = true;
}

void TelnetCodec::Receive(const char* bytes, size_t count, std::string& data,
                          std::string& replies) {
  for (size_t i = 0; i < count; ++i) {
    const uint8_t b = static_cast<uint8_t>(bytes[i]);
    switch (state_) {
      case State::kData:
        if (b == kIac) {
          state_ = State::kIac;
        } else {
          data += static_cast<char>(b);
        }
        break;
      case State::kIac:
        if (b == kIac) {
          data += static_cast<char>(b);
          state_ = State::kData;
        } else if (b >= kWill && b <= kDont) {
          verb_ = b;
          state_ = State::kOption;
        } else if (b == kSb) {
          state_ = State::kSubOption;
        } else {
          state_ = State::kData;  // NOP, GA, AYT, ...: nothing the line needs
        }
        break;
      case State::kOption:
        Negotiate(verb_, b, replies);
        state_ = State::kData;
        break;
      case State::kSubOption:
        subOption_ = b;
        sub_.clear();
        subTooLong_ = false;
        state_ = State::kSubData;
        break;
      case State::kSubData:
        if (b == kIac) {
          state_ = State::kSubIac;
        } else if (sub_.size() < kSubLimit) {
          sub_ += static_cast<char>(b);
        } else {
          subTooLong_ = true;
        }
        break;
      case State::kSubIac:
        if (b == kIac) {
          if (sub_.size() < kSubLimit) {
            sub_ += static_cast<char>(b);
          } else {
            subTooLong_ = true;
          }
          state_ = State::kSubData;
        } else if (b == kSe) {
          EndSubnegotiation(replies);
          state_ = State::kData;
        } else {
          // A server that never ends its subnegotiation: drop it and take
          // this byte as the command it starts.
          state_ = State::kIac;
          --i;
        }
        break;
    }
  }
}

}  // namespace cct
