#pragma once

namespace cct {

// "camera-ctl 0.21": the tool's version, which the two programs share.
const char* CliVersionText();

}  // namespace cct
