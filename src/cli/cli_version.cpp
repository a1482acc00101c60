#include "cli/cli_version.h"

namespace cct {

const char* CliVersionText() {
  return "camera-ctl " CCT_VERSION;
}

}  // namespace cct
