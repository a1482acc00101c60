// What a serial server sends on an RFC 2217 connection. The Telnet codec must
// give the same camera bytes and answers however TCP cuts the stream, never
// more camera bytes than arrived, and answers that are Telnet commands only.
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "serial/telnet_codec.h"

namespace {

using cct::TelnetCodec;

struct Outcome {
  std::string data;
  std::string replies;
  TelnetCodec::Agreement comPort;
  bool answered[TelnetCodec::kComPortCommandCount];
  uint32_t answers[TelnetCodec::kComPortCommandCount];
};

// The input fed in pieces of `step` bytes (all of it at once for 0).
Outcome Feed(const std::string& input, size_t step) {
  TelnetCodec codec;
  Outcome out{};
  out.replies = codec.Greeting();
  if (step == 0) step = input.size() + 1;
  for (size_t at = 0; at < input.size(); at += step) {
    const std::string piece = input.substr(at, step);
    codec.Receive(piece.data(), piece.size(), out.data, out.replies);
  }
  out.comPort = codec.ComPort();
  for (int c = 0; c < TelnetCodec::kComPortCommandCount; ++c) {
    out.answered[c] = codec.Answer(static_cast<uint8_t>(c), out.answers[c]);
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  const std::string input(reinterpret_cast<const char*>(bytes), size);
  const Outcome whole = Feed(input, 0);
  FUZZ_CHECK(whole.data.size() <= input.size());
  for (const size_t step : {size_t{1}, size_t{2}, size_t{7}}) {
    const Outcome cut = Feed(input, step);
    FUZZ_CHECK(cut.data == whole.data && cut.replies == whole.replies);
    FUZZ_CHECK(cut.comPort == whole.comPort);
    for (int c = 0; c < TelnetCodec::kComPortCommandCount; ++c) {
      FUZZ_CHECK(cut.answered[c] == whole.answered[c]);
      FUZZ_CHECK(!whole.answered[c] || cut.answers[c] == whole.answers[c]);
    }
  }
  for (int c = 2; c < TelnetCodec::kComPortCommandCount; ++c) {
    FUZZ_CHECK(!whole.answered[c] || whole.answers[c] <= 255);
  }

  // What the client answers carries no camera byte of its own.
  TelnetCodec server;
  std::string data;
  std::string replies;
  server.Receive(whole.replies.data(), whole.replies.size(), data, replies);
  FUZZ_CHECK(data.empty());

  // The camera's bytes, escaped for the wire, come back unchanged.
  const std::string wire = TelnetCodec::Escape(input.data(), input.size());
  TelnetCodec back;
  data.clear();
  replies.clear();
  back.Receive(wire.data(), wire.size(), data, replies);
  FUZZ_CHECK(data == input && replies.empty());
  return 0;
}
