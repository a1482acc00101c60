#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace cct {

// The Telnet side of an RFC 2217 connection to a serial server: the camera's
// bytes travel with every 0xFF doubled, option negotiation and the
// COM-PORT-OPTION subnegotiations run in the same stream. Pure: it turns
// bytes into bytes and keeps the negotiation's state; the port does the I/O.
class TelnetCodec {
 public:
  // The COM-PORT-OPTION commands a client sends; the server answers each
  // with the same code plus kServerOffset.
  enum ComPortCommand : uint8_t {
    kSignature = 0,
    kSetBaudRate = 1,
    kSetDataSize = 2,
    kSetParity = 3,
    kSetStopSize = 4,
    kSetControl = 5,
    kPurgeData = 12,
  };
  static constexpr uint8_t kServerOffset = 100;
  static constexpr int kComPortCommandCount = 13;
  // SET-CONTROL values.
  static constexpr uint8_t kControlNoFlow = 1;
  static constexpr uint8_t kControlDtrOn = 8;
  static constexpr uint8_t kControlRtsOff = 12;
  // Values of SET-PARITY, SET-STOPSIZE and PURGE-DATA.
  static constexpr uint8_t kParityNone = 1;
  static constexpr uint8_t kStopOne = 1;
  static constexpr uint8_t kPurgeBoth = 3;

  enum class Agreement { kPending, kAgreed, kRefused };

  // What a client says first: it will speak COM-PORT-OPTION, and asks for
  // binary transmission both ways so that no byte of the camera's is altered.
  std::string Greeting();

  // Bytes from the server. The camera's bytes are appended to `data`; what
  // the client owes the server (answers to its offers and requests) to
  // `replies`. A command or subnegotiation cut between two reads carries over.
  void Receive(const char* bytes, size_t count, std::string& data, std::string& replies);

  // The camera's bytes as they go on the wire: each 0xFF doubled.
  static std::string Escape(const char* data, size_t count);
  // One COM-PORT-OPTION subnegotiation with its value, escaped.
  static std::string ComPortRequest(uint8_t command, const std::string& value);
  static std::string ComPortRequest(uint8_t command, uint8_t value);
  // SET-BAUDRATE: four bytes, most significant first.
  static std::string BaudRateRequest(uint32_t baudRate);

  // Whether the server has taken COM-PORT-OPTION (DO), refused it (DONT),
  // or not said yet.
  Agreement ComPort() const { return comPort_; }
  // The server's last answer to `command` (a client code); false while none
  // came. SET-CONTROL answers about flow control, DTR and RTS share a code:
  // this one is the flow control's (values 0 to 3).
  bool Answer(uint8_t command, uint32_t& value) const;

 private:
  enum class State { kData, kIac, kOption, kSubOption, kSubData, kSubIac };
  // Whether one side does an option, and whether we asked for that.
  struct Side {
    bool enabled = false;
    bool asked = false;
  };
  struct Option {
    Side local;   // we do it
    Side remote;  // the server does it
  };
  static constexpr size_t kSubLimit = 64;  // no answer of ours is longer

  void Negotiate(uint8_t verb, uint8_t option, std::string& replies);
  static void Accept(Side& side, bool wanted, uint8_t yes, uint8_t no, uint8_t option,
                     std::string& replies);
  static void Refuse(Side& side, uint8_t no, uint8_t option, std::string& replies);
  void EndSubnegotiation(std::string& replies);
  static bool WantLocal(uint8_t option);
  static bool WantRemote(uint8_t option);

  State state_ = State::kData;
  uint8_t verb_ = 0;
  uint8_t subOption_ = 0;
  std::string sub_;
  bool subTooLong_ = false;
  Option options_[256];
  Agreement comPort_ = Agreement::kPending;
  bool answered_[kComPortCommandCount] = {};
  uint32_t answers_[kComPortCommandCount] = {};
};

}  // namespace cct
