#include "protocol/parameter_table.h"

#include <cstdio>
#include <string>

namespace cct {

ParameterTable::ParameterTable(Host& host) : host_(host), rows_(kParameterRows) {}

int ParameterTable::FindCtrl(int ctrlId) const {
  for (int i = 0; rows_[i].ctrlId != -1; ++i) {
    if (rows_[i].ctrlId == ctrlId) return i;
  }
  return -1;
}

void ParameterTable::Warn(const char* text) {
  host_.MessageBox(text, kAppCaption, MsgIcon::Warning, MsgButtons::Ok);
}

int32_t ParameterTable::GetDataValue(int ctrlId) {
  int i = FindCtrl(ctrlId);
  if (i < 0) {
    Warn("Unexpected error occurred in GetDataValue().");
    return -1;
  }
  return rows_[i].current;
}

bool ParameterTable::SetDataValue(int ctrlId, int32_t value) {
  int i = FindCtrl(ctrlId);
  if (i < 0) {
    Warn("Unexpected error occurred in SetDataValue().");
    return false;
  }
  rows_[i].current = value;
  return true;
}

int32_t ParameterTable::GetPrevDataValue(int ctrlId) {
  int i = FindCtrl(ctrlId);
  if (i < 0) {
    Warn("Unexpected error occurred in GetDataValue().");
    return -1;
  }
  return rows_[i].previous;
}

void ParameterTable::SnapshotValues() {
  for (int i = 0; rows_[i].ctrlId != -1; ++i) rows_[i].previous = rows_[i].current;
}

int ParameterTable::ToCmdId(int ctrlId) {
  int i = FindCtrl(ctrlId);
  if (i < 0) {
    Warn("Unexpected error occurred in ToCmdId().");
    return -1;
  }
  return rows_[i].cmdId;
}

int ParameterTable::ToCtrlId(int cmdId) {
  for (int i = 0; rows_[i].ctrlId != -1; ++i) {
    if (rows_[i].cmdId == cmdId) return rows_[i].ctrlId;
  }
  Warn(("Unexpected error occurred in ToCtrlId(): Command id is " + std::to_string(cmdId)).c_str());
  return -1;
}

int ParameterTable::CtrlId2TblIndex(int ctrlId) {
  int i = FindCtrl(ctrlId);
  if (i < 0) Warn("Unexpected error occurred in CtrlId2TblIndex().");
  return i;
}

bool ParameterTable::GetRange(int ctrlId, int32_t& minimum, int32_t& maximum) {
  int i = CtrlId2TblIndex(ctrlId);
  if (i < 0) return false;
  minimum = rows_[i].minimum;
  maximum = rows_[i].maximum;
  return true;
}

bool ParameterTable::IsFactoryParam(int ctrlId) {
  int i = FindCtrl(ctrlId);
  if (i < 0) {
    char text[128];
    std::snprintf(text, sizeof text,
                  "ERROR: IsFactoryParam(): Control id \"%d: 0x%x\" is not registered in "
                  "database table",
                  ctrlId, static_cast<unsigned>(ctrlId));
    Warn(text);
    return false;
  }
  return rows_[i].area == kAreaFactory;
}

int ParameterTable::IsFileParam(int ctrlId) const {
  int i = FindCtrl(ctrlId);
  return i < 0 ? 0 : rows_[i].fileFlag;
}

bool ParameterTable::IsValueParam(int index) const {
  // Guarded although callers stay below the row count: a stray index must
  // not read past the table.
  if (index < 0 || index >= kParameterRowCount) return false;
  return rows_[index].ctrlKind != kKindPushButton;
}

int ParameterTable::CountValueParams() {
  if (valueCount_ < 0) {
    valueCount_ = 0;
    for (int i = 0; rows_[i].ctrlId != -1; ++i) {
      if (rows_[i].ctrlKind != kKindPushButton) ++valueCount_;
    }
  }
  return valueCount_;
}

int ParameterTable::CountUserParams() {
  if (userCount_ < 0) {
    userCount_ = 0;
    for (int i = 0; rows_[i].ctrlId != -1; ++i) {
      if (rows_[i].ctrlKind != kKindPushButton && rows_[i].area == kAreaUser) ++userCount_;
    }
  }
  return userCount_;
}

}  // namespace cct
