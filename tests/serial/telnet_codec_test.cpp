#include "serial/telnet_codec.h"

#include <gtest/gtest.h>

#include <string>

namespace cct {
namespace {

using Agreement = TelnetCodec::Agreement;

// Telnet bytes written out, so that the cases read as the wire does.
const std::string IAC = "\xff", DONT = "\xfe", DO = "\xfd", WONT = "\xfc", WILL = "\xfb",
                  SB = "\xfa", SE = "\xf0", CPO = ",", ECHO = "\x01", SGA = "\x03";
const std::string BINARY(1, '\0');

TEST(TelnetCodec, ServerBytesGiveTheCamerasBytesAnswersAndSettingsHoweverTheyAreCut) {
  struct Case {
    const char* what;
    std::string fromServer;
    std::string data;
    std::string replies;
    Agreement comPort = Agreement::kPending;
    int command = -1;  // a line setting the server answered, with `value`
    uint32_t value = 0;
  };
  const Case cases[] = {
      {"doubled 0xFF is one data byte", "GA=1" + IAC + IAC + "\r\n" + IAC + IAC + IAC + IAC,
       "GA=1\xff\r\n\xff\xff", ""},
      {"ser2net's greeting",
       IAC + WILL + SGA + IAC + DO + SGA + IAC + WILL + ECHO + IAC + DONT + ECHO + IAC + DO +
           BINARY + IAC + WILL + BINARY + IAC + DO + CPO,
       "", IAC + DO + SGA + IAC + WILL + SGA + IAC + DONT + ECHO, Agreement::kAgreed},
      {"refused option", IAC + DONT + CPO, "", "", Agreement::kRefused},
      {"options we do not speak, an offer twice",
       IAC + DO + "\x18" + IAC + WILL + SGA + IAC + WILL + SGA, "",
       IAC + WONT + "\x18" + IAC + DO + SGA},
      {"two-byte commands are no data", "A" + IAC + "\xf1" + IAC + "\xf9" + "B", "AB", ""},
      {"rate between data, with a doubled 0xFF",
       "A" + IAC + SB + CPO + "e" + std::string("\x00\x01", 2) + IAC + IAC + BINARY + IAC + SE +
           "B",
       "AB", "", Agreement::kPending, TelnetCodec::kSetBaudRate, 0x0001ff00},
      {"rate of three bytes is none",
       IAC + SB + CPO + "e" + std::string("\x00\x96\x00", 3) + IAC + SE, "", "",
       Agreement::kPending, TelnetCodec::kSetBaudRate, 0},
      {"DTR's answer is not the flow control", IAC + SB + CPO + "i\x08" + IAC + SE, "", "",
       Agreement::kPending, TelnetCodec::kSetControl, 0},
      {"over-long subnegotiation is dropped",
       IAC + SB + CPO + "f" + std::string(200, '\x08') + IAC + SE, "", "", Agreement::kPending,
       TelnetCodec::kSetDataSize, 0},
      {"subnegotiation never ended, then a command",
       IAC + SB + CPO + "f\x08" + IAC + WILL + SGA + "Z", "Z", IAC + DO + SGA, Agreement::kPending,
       TelnetCodec::kSetDataSize, 0},
      {"server asks for the signature", IAC + SB + CPO + "d" + IAC + SE, "",
       IAC + SB + CPO + BINARY + "Camera Control Tool" + IAC + SE},
  };
  for (const Case& c : cases) {
    for (const size_t step : {c.fromServer.size(), size_t{1}}) {
      TelnetCodec codec;
      codec.Greeting();
      std::string data, replies;
      for (size_t at = 0; at < c.fromServer.size(); at += step) {
        const std::string piece = c.fromServer.substr(at, step);
        codec.Receive(piece.data(), piece.size(), data, replies);
      }
      EXPECT_EQ(data, c.data) << c.what << ", " << step << " bytes a read";
      EXPECT_EQ(replies, c.replies) << c.what << ", " << step << " bytes a read";
      EXPECT_EQ(codec.ComPort(), c.comPort) << c.what;
      uint32_t value = 0;
      if (c.command >= 0) {
        EXPECT_EQ(codec.Answer(c.command, value), c.value != 0) << c.what;
      }
      EXPECT_EQ(value, c.value) << c.what;
    }
  }
}

}  // namespace
}  // namespace cct
