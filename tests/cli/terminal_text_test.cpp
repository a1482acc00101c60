// Camera and library text on a terminal: no control a terminal would obey,
// and printable text, UTF-8 included, as it is.
#include "cli/terminal_text.h"

#include <gtest/gtest.h>

namespace cct {
namespace {

TEST(TerminalTextTest, ControlCharactersAreEscapedAndTextIsKept) {
  const char* cases[][2] = {
      {"\x1b]0;t\x07 a\rb\x7f", "\\x1b]0;t\\x07 a\\x0db\\x7f"},
      {"\x9b"
       "1m \xc2\x9b"
       "1m",
       "\\x9b1m \\xc2\\x9b1m"},  // C1 CSI, raw and UTF-8
      {"Pr\xc3\xbc"
       "fung \xe2\x82\xac",
       "Pr\xc3\xbc"
       "fung \xe2\x82\xac"},
      {"\xe2\x82 \xed\xa0\x80 \xff", "\xe2\\x82 \xed\xa0\\x80 \xff"},  // no UTF-8
  };
  for (const auto& [text, shown] : cases) EXPECT_EQ(TerminalText(text), shown) << shown;
}

}  // namespace
}  // namespace cct
