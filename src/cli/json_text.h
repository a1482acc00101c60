#pragma once

#include <string>

namespace cct {

// `text` as a JSON string. Camera texts are bytes, one character each: every
// byte becomes the character of its code, so the result is valid JSON (and
// UTF-8) whatever the camera sent.
std::string JsonString(const std::string& text);

}  // namespace cct
