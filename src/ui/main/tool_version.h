#pragma once

namespace cct {

// The tool's name and version: the main window's title and the About dialog
// show the same.
inline constexpr char kToolName[] = "QX-2080-RTN Control Tool";
inline constexpr char kToolVersion[] = "0.21";

}  // namespace cct
