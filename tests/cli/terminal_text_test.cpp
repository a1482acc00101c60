// What camera-ctl prints of camera and library text: nothing that a
// terminal takes as a control, and printable text, UTF-8 included, as it is.
#include "cli/terminal_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace cct {
namespace {

TEST(TerminalTextTest, ControlCharactersAreEscapedAndTextIsKept) {
  const std::pair<std::string, std::string> cases[] = {
      {"QX-2040L-RTN", "QX-2040L-RTN"},
      {"\x1b]0;title\x07", "\\x1b]0;title\\x07"},  // retitles the terminal
      {"ok\rGA=1", "ok\\x0dGA=1"},                 // overwrites the line
      {std::string("a\0b\x7f", 4), "a\\x00b\\x7f"},
      {"\x9b"
       "31m",
       "\\x9b31m"},  // a raw C1 CSI
      {"\xc2\x9b"
       "31m",
       "\\xc2\\x9b31m"},  // the same, UTF-8 encoded
      {"Pr\xc3\xbc"
       "fung \xe2\x82\xac",
       "Pr\xc3\xbc"
       "fung \xe2\x82\xac"},                               // text stays
      {"\xe2\x82", "\xe2\\x82"},                           // a cut sequence: its C1 byte
      {"\xc0\x80\xed\xa0\x80", "\xc0\\x80\xed\xa0\\x80"},  // overlong, surrogate
      {"\xff\xa0", "\xff\xa0"},                            // no control, left alone
  };
  for (const auto& [text, shown] : cases) EXPECT_EQ(TerminalText(text), shown) << shown;
}

}  // namespace
}  // namespace cct
