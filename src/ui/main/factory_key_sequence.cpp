#include "ui/main/factory_key_sequence.h"

#include <QtCore/qnamespace.h>

namespace cct {

namespace {
// The access code, ended by 0.
constexpr int kAccessCode[] = {Qt::Key_K, Qt::Key_W, Qt::Key_Y, 0};
}  // namespace

bool FactoryKeySequence::OnKeyDown(int key, bool shiftAndCtrl) {
  if (shiftAndCtrl && key == Qt::Key_F12) {
    armed_ = true;
    position_ = 0;
    return false;
  }
  if (!armed_) return false;
  if (key != kAccessCode[position_]) {
    armed_ = false;
    position_ = 0;
    return false;
  }
  ++position_;
  if (kAccessCode[position_] != 0) return false;
  armed_ = false;
  position_ = 0;
  return true;
}

std::array<int, 3> FactoryKeySequence::AccessCode() {
  return {kAccessCode[0], kAccessCode[1], kAccessCode[2]};
}

}  // namespace cct
