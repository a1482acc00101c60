#include "cli/terminal_text.h"

#include <cstdint>
#include <cstdio>

#include "protocol/utf8.h"

namespace cct {

namespace {

void Escape(unsigned char byte, std::string& out) {
  char escape[5];
  std::snprintf(escape, sizeof escape, "\\x%02x", byte);
  out += escape;
}

}  // namespace

std::string TerminalText(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x20 || byte == 0x7F) {
      Escape(byte, out);
      ++at;
      continue;
    }
    uint32_t codePoint = 0;
    if (const size_t length = Utf8SequenceAt(text, at, codePoint); length > 0) {
      // U+0080 to U+009F are the C1 controls in their UTF-8 form.
      const bool control = codePoint >= 0x80 && codePoint < 0xA0;
      for (size_t i = 0; i < length; ++i) {
        if (control) {
          Escape(static_cast<unsigned char>(text[at + i]), out);
        } else {
          out += text[at + i];
        }
      }
      at += length;
      continue;
    }
    // A byte of no UTF-8 character: only the C1 range controls a terminal.
    if (byte < 0xA0) {
      Escape(byte, out);
    } else {
      out += text[at];
    }
    ++at;
  }
  return out;
}

}  // namespace cct
