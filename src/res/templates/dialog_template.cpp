#include "res/templates/dialog_template.h"

#include <array>

#include "res/templates/all_templates.h"

namespace cct {

const DialogTemplate* FindDialogTemplate(int32_t id) {
  static const std::array<const DialogTemplate*, 12> kAll = {
      &templates::kAbout,         &templates::kAreaSelect, &templates::kCameraId,
      &templates::kCommunication, &templates::kMain,       &templates::kLut,
      &templates::kProgress,      &templates::kTerminal,   &templates::kUserId,
      &templates::kUserA,         &templates::kUserB,      &templates::kFactoryA,
  };
  for (const DialogTemplate* t : kAll) {
    if (t->id == id) return t;
  }
  return nullptr;
}

}  // namespace cct
