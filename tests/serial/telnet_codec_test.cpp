#include "serial/telnet_codec.h"

#include <gtest/gtest.h>

#include <string>

namespace cct {
namespace {

using Agreement = TelnetCodec::Agreement;

// Telnet bytes written out, so that the cases read as the wire does.
const std::string IAC = "\xff", DONT = "\xfe", DO = "\xfd", WONT = "\xfc", WILL = "\xfb",
                  SB = "\xfa", SE = "\xf0", CPO = ",", BINARY = std::string(1, '\0'), ECHO = "\x01",
                  SGA = "\x03";

struct Received {
  std::string data;
  std::string replies;
};

// The same bytes in one read and one byte per read must come out the same:
// a server's command or subnegotiation may be cut anywhere by TCP.
Received Feed(TelnetCodec& codec, const std::string& bytes, bool byteByByte) {
  Received out;
  if (!byteByByte) {
    codec.Receive(bytes.data(), bytes.size(), out.data, out.replies);
  } else {
    for (const char c : bytes) codec.Receive(&c, 1, out.data, out.replies);
  }
  return out;
}

TEST(TelnetCodec, ServerBytesGiveTheCamerasBytesAndTheAnswersOwedInAnyCut) {
  struct Case {
    const char* what;
    std::string fromServer;
    std::string data;
    std::string replies;
    Agreement comPort;
  };
  const Case cases[] = {
      {"doubled 0xFF is one data byte", "GA=1" + IAC + IAC + "\r\n" + IAC + IAC + IAC + IAC,
       "GA=1\xff\r\n\xff\xff", "", Agreement::kPending},
      {"ser2net's greeting",
       IAC + WILL + SGA + IAC + DO + SGA + IAC + WILL + ECHO + IAC + DONT + ECHO + IAC + DO +
           BINARY + IAC + WILL + BINARY + IAC + DO + CPO,
       "", IAC + DO + SGA + IAC + WILL + SGA + IAC + DONT + ECHO, Agreement::kAgreed},
      {"refused option", IAC + DONT + CPO, "", "", Agreement::kRefused},
      {"options we do not speak", IAC + DO + "\x18" + IAC + WILL + "\x1f", "",
       IAC + WONT + "\x18" + IAC + DONT + "\x1f", Agreement::kPending},
      {"same offer twice is answered once", IAC + WILL + SGA + IAC + WILL + SGA, "", IAC + DO + SGA,
       Agreement::kPending},
      {"subnegotiation between data bytes",
       "A" + IAC + SB + CPO + "e" + std::string("\x00\x00\x96\x00", 4) + IAC + SE + "B", "AB", "",
       Agreement::kPending},
      {"two-byte commands are no data", "A" + IAC + "\xf1" + IAC + "\xf9" + "B", "AB", "",
       Agreement::kPending},
      {"subnegotiation never ended, then a command",
       IAC + SB + CPO + "eXY" + IAC + WILL + SGA + "Z", "Z", IAC + DO + SGA, Agreement::kPending},
      {"server asks for the signature", IAC + SB + CPO + "d" + IAC + SE, "",
       IAC + SB + CPO + std::string(1, '\0') + "Camera Control Tool" + IAC + SE,
       Agreement::kPending},
  };
  for (const Case& c : cases) {
    for (const bool byteByByte : {false, true}) {
      TelnetCodec codec;
      codec.Greeting();
      const Received got = Feed(codec, c.fromServer, byteByByte);
      EXPECT_EQ(got.data, c.data) << c.what << (byteByByte ? ", byte by byte" : "");
      EXPECT_EQ(got.replies, c.replies) << c.what << (byteByByte ? ", byte by byte" : "");
      EXPECT_EQ(codec.ComPort(), c.comPort) << c.what;
    }
  }
}

TEST(TelnetCodec, AnswersToTheLineSettingsAreKeptOnlyWhenWellFormed) {
  struct Case {
    const char* what;
    std::string fromServer;
    uint8_t command;
    bool answered;
    uint32_t value;
  };
  const Case cases[] = {
      {"rate with a doubled 0xFF",
       IAC + SB + CPO + "e" + std::string("\x00\x01", 2) + IAC + IAC + std::string(1, '\0') + IAC +
           SE,
       TelnetCodec::kSetBaudRate, true, 0x0001ff00},
      {"rate of three bytes", IAC + SB + CPO + "e" + std::string("\x00\x96\x00", 3) + IAC + SE,
       TelnetCodec::kSetBaudRate, false, 0},
      {"data size", IAC + SB + CPO + "f\x08" + IAC + SE, TelnetCodec::kSetDataSize, true, 8},
      {"flow control", IAC + SB + CPO + "i\x01" + IAC + SE, TelnetCodec::kSetControl, true, 1},
      {"DTR is not the flow control", IAC + SB + CPO + "i\x08" + IAC + SE, TelnetCodec::kSetControl,
       false, 0},
      {"another option's subnegotiation", IAC + SB + "\x18" + "f\x08" + IAC + SE,
       TelnetCodec::kSetDataSize, false, 0},
      {"over-long subnegotiation", IAC + SB + CPO + "f" + std::string(200, '\x08') + IAC + SE,
       TelnetCodec::kSetDataSize, false, 0},
  };
  for (const Case& c : cases) {
    for (const bool byteByByte : {false, true}) {
      TelnetCodec codec;
      const Received got = Feed(codec, c.fromServer, byteByByte);
      uint32_t value = 0;
      EXPECT_EQ(codec.Answer(c.command, value), c.answered) << c.what;
      EXPECT_EQ(value, c.value) << c.what;
      EXPECT_EQ(got.data, "") << c.what;
    }
  }
}

TEST(TelnetCodec, OutgoingBytesDoubleEvery0xFF) {
  EXPECT_EQ(TelnetCodec::Escape("a\xff\xff"
                                "b",
                                4),
            "a\xff\xff\xff\xff"
            "b");
  EXPECT_EQ(TelnetCodec::BaudRateRequest(0x0000ff00), IAC + SB + CPO + "\x01" +
                                                          std::string("\x00\x00", 2) + IAC + IAC +
                                                          std::string(1, '\0') + IAC + SE);
}

}  // namespace
}  // namespace cct
