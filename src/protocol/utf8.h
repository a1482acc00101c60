#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace cct {

// The length of the well-formed UTF-8 sequence that begins at `at` (1 for
// ASCII) and its code point; 0 when none begins there. Strict: no overlong
// forms, no surrogates, nothing past U+10FFFF, as text from a camera, a
// library or a hand-edited file must be taken.
size_t Utf8SequenceAt(std::string_view text, size_t at, uint32_t& codePoint);

// Whether all of `text` is well-formed UTF-8.
bool IsUtf8(std::string_view text);

}  // namespace cct
