#include "lut/camera_setting_file.h"

#include <algorithm>
#include <cctype>
#include <climits>

namespace cct {

namespace {

constexpr const char kLineEnd[] = "\r\n";

// Decimal with an optional sign, or "&H" with one to eight hex digits; a
// decimal must fit 32 bits, since no camera value is larger.
bool IsWholeNumber(const std::string& text) {
  if (text.size() > 2 && text.compare(0, 2, "&H") == 0) {
    if (text.size() > 10) return false;
    for (size_t i = 2; i < text.size(); ++i) {
      if (!std::isxdigit(static_cast<unsigned char>(text[i]))) return false;
    }
    return true;
  }
  size_t i = text.empty() || (text[0] != '+' && text[0] != '-') ? 0 : 1;
  if (i >= text.size()) return false;
  int64_t value = 0;
  for (; i < text.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<int64_t>(INT32_MAX) + 1) return false;
  }
  return text[0] == '-' || value <= INT32_MAX;
}

}  // namespace

std::string ModelLine(const std::string& modelName) {
  return "MD00=" + modelName + kLineEnd;
}

std::string DeviceLine(const std::string& deviceText) {
  return "DV=" + deviceText + kLineEnd;
}

std::string ParameterLine(const std::string& mnemonic, int32_t value) {
  return mnemonic + "=" + std::to_string(value) + kLineEnd;
}

std::vector<int32_t> CurrentValues(const ParameterTable& table) {
  std::vector<int32_t> values;
  values.reserve(ParameterTable::RowCount());
  for (int i = 0; i < ParameterTable::RowCount(); ++i) values.push_back(table.Row(i).current);
  return values;
}

std::string ParameterLines(const ParameterTable& table, const CommandTable& commands,
                           const std::vector<int32_t>& values, bool withFactoryRows) {
  std::string text;
  for (int i = 0; i < ParameterTable::RowCount() && i < static_cast<int>(values.size()); ++i) {
    const ParameterRow& row = table.Row(i);
    if (row.fileFlag == 0) continue;
    if (row.area == kAreaFactory && !withFactoryRows) continue;
    text += ParameterLine(commands.MnemonicOf(row.cmdId), values[i]);
  }
  return text;
}

bool QuerySettingFileValues(Command& command, const ParameterTable& table, bool userRows,
                            bool factoryRows, std::vector<int32_t>& values, uint32_t limitMs) {
  values.resize(ParameterTable::RowCount());
  for (int i = 0; i < ParameterTable::RowCount(); ++i) {
    const ParameterRow& row = table.Row(i);
    if (row.fileFlag == 0) continue;
    if (row.area == kAreaFactory ? !factoryRows : !userRows) continue;
    if (!command.QueryValue(row.cmdId, values[i], limitMs)) return false;
  }
  return true;
}

bool SettingLineReader::Next(SettingLine& line) {
  line = SettingLine();
  if (at_ >= bytes_.size()) return false;
  const size_t end = std::min(bytes_.find('\n', at_), bytes_.size());
  std::string_view text = bytes_.substr(at_, end - at_);
  at_ = end + 1;
  // A CR before the LF belongs to the line end.
  if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
  line.tooLong = text.size() > kSettingLineMax;
  line.text = text.substr(0, kSettingLineMax);
  return true;
}

int CountSettingLines(std::string_view bytes) {
  SettingLineReader reader(bytes);
  SettingLine line;
  int count = 0;
  while (reader.Next(line) && count < INT_MAX) ++count;
  return count;
}

SettingEntry RecogniseSettingLine(const Command& command, const SettingLine& line) {
  SettingEntry entry;
  if (line.tooLong) return entry;
  Reply reply;
  if (!command.ParseReply(line.text, reply) || reply.op != "=") return entry;
  entry.commandId = reply.commandId;
  if (reply.mnemonic == "MD00" || reply.mnemonic == "DV") {
    // Text values; the line's whole value, commas included.
    const std::string text = reply.raw.substr(reply.mnemonic.size() + 1);
    if (text.empty()) return entry;
    entry.kind = reply.mnemonic == "MD00" ? SettingLineKind::kModel : SettingLineKind::kDevice;
    entry.text = text;
    return entry;
  }
  if (reply.valueCount != 1 || !IsWholeNumber(reply.firstText)) return entry;
  entry.kind = SettingLineKind::kParameter;
  entry.value = reply.value.integer;
  return entry;
}

}  // namespace cct
