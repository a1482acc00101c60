#pragma once

#include <string>

namespace cct {

// `text` as camera-ctl prints it on a terminal: a camera, a library or a
// file may hand us any bytes, and a control character (below 0x20, 0x7F, or
// a C1 control, raw or UTF-8 encoded) would drive the operator's terminal
// (retitle it, write the clipboard, overwrite a line). Those become "\xNN";
// printable text, UTF-8 included, stays as it is.
std::string TerminalText(const std::string& text);

}  // namespace cct
