#pragma once

#include <map>
#include <string>
#include <vector>

#include "serial/preferences.h"

namespace cct::test {

// Preferences kept in memory, recording the number writes in order.
class MemoryPreferences : public Preferences {
 public:
  bool GetNumber(int index, int& value, int defaultValue) override {
    auto it = values.find(index);
    value = it != values.end() ? it->second : defaultValue;
    return it != values.end();
  }
  bool SetNumber(int index, int value) override {
    values[index] = value;
    writes.push_back(index);
    return true;
  }
  bool SetText(int, const std::string&) override { return true; }
  bool GetPath(int, std::string& path) override {
    path = "/";
    return false;
  }
  bool PreviousRunEndedNormally() override { return endedNormally; }

  std::map<int, int> values;
  std::vector<int> writes;
  bool endedNormally = true;
};

}  // namespace cct::test
