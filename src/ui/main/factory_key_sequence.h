#pragma once

#include <array>

namespace cct {

// The key sequence that switches between user and factory mode: Shift+Ctrl+
// F12 arms it, then the three letters of the access code must follow, in
// order. Any other key while armed disarms it.
class FactoryKeySequence {
 public:
  // Feeds one key press (Qt key code). True when it completed the code: the
  // caller switches the control mode; the sequence is disarmed again.
  bool OnKeyDown(int key, bool shiftAndCtrl);

  bool IsArmed() const { return armed_; }
  int Position() const { return position_; }

  // The letters' key codes, for tests.
  static std::array<int, 3> AccessCode();

 private:
  bool armed_ = false;
  int position_ = 0;
};

}  // namespace cct
