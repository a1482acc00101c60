#pragma once

#include <array>
#include <cstdint>

#include "protocol/host.h"
#include "res/parameter_rows.h"

namespace cct {

// Binds each control of the parameter pages to the command that carries its
// value, with the value's range, the current value and the value the camera
// last confirmed. Rows are fixed; only the two value columns change, and
// nothing is saved at exit.
//
// An id that is not in the table is a program fault: the operation shows its
// message (warning icon, application caption) and returns its failure value.
class ParameterTable {
 public:
  explicit ParameterTable(Host& host);
  ParameterTable(const ParameterTable&) = delete;
  ParameterTable& operator=(const ParameterTable&) = delete;

  int32_t GetDataValue(int ctrlId);
  bool SetDataValue(int ctrlId, int32_t value);
  int32_t GetPrevDataValue(int ctrlId);
  // Current value becomes the previous (confirmed) value in every row.
  void SnapshotValues();

  int ToCmdId(int ctrlId);
  int ToCtrlId(int cmdId);
  int CtrlId2TblIndex(int ctrlId);
  // Outputs untouched when the id is unknown.
  bool GetRange(int ctrlId, int32_t& minimum, int32_t& maximum);
  bool IsFactoryParam(int ctrlId);
  // The setting-file flag; 0 without a message when the id is unknown.
  int IsFileParam(int ctrlId) const;
  // False for push buttons and for an index outside the rows.
  bool IsValueParam(int index) const;
  // Rows that carry a value (49) and those of them in the user area (38).
  int CountValueParams();
  int CountUserParams();

  // Rows before the terminating row, and read access by row index for the
  // page binding and the setting file; an index outside the rows gives the
  // terminating row (control id -1).
  static constexpr int RowCount() { return kParameterRowCount; }
  const ParameterRow& Row(int index) const {
    return rows_[index >= 0 && index < kParameterRowCount ? index : kParameterRowCount];
  }

 private:
  int FindCtrl(int ctrlId) const;
  void Warn(const char* text);

  Host& host_;
  std::array<ParameterRow, kParameterRowCount + 1> rows_;
  int valueCount_ = -1;  // -1 until first asked
  int userCount_ = -1;
};

}  // namespace cct
