#include "cli/terminal_text.h"

#include <cstdint>
#include <cstdio>

namespace cct {

namespace {

void Escape(unsigned char byte, std::string& out) {
  char escape[5];
  std::snprintf(escape, sizeof escape, "\\x%02x", byte);
  out += escape;
}

// The first bytes of UTF-8 sequences: their range, the sequence's length,
// the bits they carry and the least code point the length may encode.
struct Lead {
  unsigned char first, last;
  size_t length;
  unsigned char bits;
  uint32_t least;
};
constexpr Lead kLeads[] = {
    {0xC2, 0xDF, 2, 0x1F, 0x80}, {0xE0, 0xEF, 3, 0x0F, 0x800}, {0xF0, 0xF4, 4, 0x07, 0x10000}};

// The length of the well-formed UTF-8 sequence at `at` and its code point;
// 0 when there is none.
size_t Utf8Sequence(const std::string& text, size_t at, uint32_t& codePoint) {
  const auto first = static_cast<unsigned char>(text[at]);
  for (const Lead& lead : kLeads) {
    if (first < lead.first || first > lead.last) continue;
    if (text.size() - at < lead.length) return 0;
    codePoint = first & lead.bits;
    for (size_t i = 1; i < lead.length; ++i) {
      const auto next = static_cast<unsigned char>(text[at + i]);
      if ((next & 0xC0) != 0x80) return 0;
      codePoint = codePoint << 6 | (next & 0x3F);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    return codePoint < lead.least || codePoint > 0x10FFFF || surrogate ? 0 : lead.length;
  }
  return 0;
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
    if (byte < 0x80) {
      out += text[at++];
      continue;
    }
    uint32_t codePoint = 0;
    if (const size_t length = Utf8Sequence(text, at, codePoint); length > 0) {
      // U+0080 to U+009F are the C1 controls in their UTF-8 form.
      for (size_t i = 0; i < length; ++i) {
        if (codePoint < 0xA0) {
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
