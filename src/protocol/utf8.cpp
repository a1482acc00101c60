#include "protocol/utf8.h"

namespace cct {

namespace {

// The first bytes of multi-byte sequences: their range, the sequence's
// length, the bits they carry and the least code point the length may encode.
struct Lead {
  unsigned char first, last;
  size_t length;
  unsigned char bits;
  uint32_t least;
};
constexpr Lead kLeads[] = {
    {0xC2, 0xDF, 2, 0x1F, 0x80}, {0xE0, 0xEF, 3, 0x0F, 0x800}, {0xF0, 0xF4, 4, 0x07, 0x10000}};

}  // namespace

size_t Utf8SequenceAt(std::string_view text, size_t at, uint32_t& codePoint) {
  if (at >= text.size()) return 0;
  const auto first = static_cast<unsigned char>(text[at]);
  if (first < 0x80) {
    codePoint = first;
    return 1;
  }
  for (const Lead& lead : kLeads) {
    if (first < lead.first || first > lead.last) continue;
    if (text.size() - at < lead.length) return 0;
    uint32_t point = first & lead.bits;
    for (size_t i = 1; i < lead.length; ++i) {
      const auto next = static_cast<unsigned char>(text[at + i]);
      if ((next & 0xC0) != 0x80) return 0;
      point = point << 6 | (next & 0x3F);
    }
    const bool surrogate = point >= 0xD800 && point <= 0xDFFF;
    if (point < lead.least || point > 0x10FFFF || surrogate) return 0;
    codePoint = point;
    return lead.length;
  }
  return 0;
}

bool IsUtf8(std::string_view text) {
  uint32_t codePoint = 0;
  for (size_t at = 0; at < text.size();) {
    const size_t length = Utf8SequenceAt(text, at, codePoint);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

}  // namespace cct
