// The commands on the camera's settings by mnemonic: get, set, dump, apply
// and diff.
#include <charconv>
#include <map>
#include <string_view>
#include <vector>

#include "cli/cli_commands.h"
#include "cli/cli_exit.h"
#include "cli/input_file.h"
#include "cli/json_text.h"
#include "cli/terminal_text.h"
#include "lut/camera_setting_file.h"
#include "lut/setting_file_applier.h"
#include "res/combo_items.h"

namespace cct {

namespace {

constexpr uint32_t kQueryMs = 5000;
constexpr uint32_t kModelQueryMs = 1000;

CommandTable& Commands() {
  return TheCommandTable();
}

// The value row of the parameter table whose command is `mnemonic`; -1 when
// none (push buttons carry no value).
int ValueRowOf(const ParameterTable& table, const std::string& mnemonic) {
  for (int i = 0; i < ParameterTable::RowCount(); ++i) {
    const ParameterRow& row = table.Row(i);
    if (row.ctrlKind != kKindPushButton && Commands().MnemonicOf(row.cmdId) == mnemonic) return i;
  }
  return -1;
}

bool ReadWholeNumber(const std::string& text, int32_t& value) {
  std::string digits = text;
  if (!digits.empty() && digits[0] == '+') digits.erase(0, 1);
  const char* end = digits.data() + digits.size();
  auto [at, ec] = std::from_chars(digits.data(), end, value);
  return !digits.empty() && ec == std::errc() && at == end;
}

// Why the row cannot take `value`; empty when it can. A list takes its
// items' values, anything else the row's range.
std::string RefusalOf(const ParameterRow& row, const std::string& name, int32_t value) {
  const int list = FindComboList(row.ctrlId);
  if (row.ctrlKind == kKindComboBox && list >= 0) {
    const ComboList& combo = kComboLists[list];
    std::string items;
    for (size_t i = 0; i < combo.items.size(); ++i) {
      const int32_t itemValue =
          combo.assignsValues ? combo.items[i].value : static_cast<int32_t>(i);
      if (itemValue == value) return std::string();
      items += (i > 0 ? ", " : "") + std::to_string(itemValue) + " " + combo.items[i].text;
    }
    return name + "=" + std::to_string(value) + " is not in the list: " + items;
  }
  if (value >= row.minimum && value <= row.maximum) return std::string();
  std::string range = std::to_string(row.minimum) + " to ";
  range += row.maximum == kNoUpperLimit ? "any" : std::to_string(row.maximum);
  return name + "=" + std::to_string(value) + " is out of range: " + range;
}

// The setting-file rows a run may send: factory rows only with --factory.
bool RowInRun(const ParameterTable& table, int row, bool factory) {
  const ParameterRow& r = table.Row(row);
  return r.fileFlag != 0 && (r.area != kAreaFactory || factory);
}

// What camera-ctl sends of a setting file: the factory rows, and the model
// line that rewrites the camera's identity, only with --factory; never the
// device value line, which is information the camera only checks.
SettingFileScope ApplyScope(bool factory) {
  SettingFileScope scope;
  scope.factoryRows = factory;
  scope.modelLine = factory;
  scope.deviceLine = false;
  return scope;
}

// What a setting file says the camera holds, by command in the order of
// first mention: the last line of a command wins, and lines outside `scope`
// are left out. Sends nothing.
std::vector<std::pair<int, std::string>> ExpectedValues(const Command& command,
                                                        const ParameterTable& table,
                                                        const SettingFileScope& scope,
                                                        std::string_view bytes) {
  std::vector<std::pair<int, std::string>> expected;
  std::map<int, size_t> position;
  auto expect = [&](int commandId, const std::string& value) {
    auto [at, added] = position.emplace(commandId, expected.size());
    if (added) {
      expected.emplace_back(commandId, value);
    } else {
      expected[at->second].second = value;
    }
  };
  SettingLineReader reader(bytes);
  SettingLine line;
  while (reader.Next(line)) {
    const SettingEntry entry = RecogniseSettingLine(command, line);
    if (entry.kind == SettingLineKind::kModel && scope.modelLine) expect(kCmdMD, entry.text);
    if (entry.kind == SettingLineKind::kDevice && scope.deviceLine) expect(kCmdDV, entry.text);
    if (entry.kind != SettingLineKind::kParameter) continue;
    const int row = ValueRowOf(table, Commands().MnemonicOf(entry.commandId));
    if (row >= 0 && RowInRun(table, row, scope.factoryRows)) {
      expect(entry.commandId, std::to_string(entry.value));
    }
  }
  return expected;
}

// Reads a setting file whole ("-": standard input) and checks that it holds
// a line of `scope`; says why not.
bool ReadSettingFile(CliContext& context, const SettingFileScope& scope, std::string& bytes,
                     std::vector<std::pair<int, std::string>>& expected) {
  const std::string& path = context.session.Options().args[0];
  if (!ReadInputFile(context.session.GetHost(), path, bytes)) return false;
  expected = ExpectedValues(context.session.GetCommand(), context.session.Table(), scope, bytes);
  if (expected.empty()) {
    context.session.GetHost().Say(
        path + "\nThis file holds no camera setting" +
        (context.session.Options().factory ? "." : " outside the factory settings (--factory)."));
    return false;
  }
  return true;
}

}  // namespace

int RunGet(CliContext& context) {
  Command& command = context.session.GetCommand();
  std::vector<int> ids;
  for (const std::string& name : context.session.Options().args) {
    const int id = Commands().Lookup(name);
    if (id < 0) {
      context.session.GetHost().Say("Unknown command: " + name);
      return kExitBadInput;
    }
    ids.push_back(id);
  }
  if (const int status = context.session.Connect(); status != kExitDone) return status;
  const bool json = context.session.Options().json;
  std::string text = json ? "{" : "";
  for (size_t i = 0; i < ids.size(); ++i) {
    const std::string& name = Commands().MnemonicOf(ids[i]);
    std::string value;
    if (Commands().KindOf(ids[i]) == kKindText) {
      if (!command.QueryText(ids[i], value, kQueryMs)) return context.session.Failure();
      value = json ? JsonString(value) : TerminalText(value);
    } else {
      int32_t number = 0;
      if (!command.QueryValue(ids[i], number, kQueryMs)) return context.session.Failure();
      value = std::to_string(number);
    }
    if (json) {
      text += (i > 0 ? "," : "") + JsonString(name) + ":" + value;
    } else {
      text += name + "=" + value + "\n";
    }
  }
  context.out << text << (json ? "}\n" : "");
  return kExitDone;
}

int RunSet(CliContext& context) {
  ParameterTable& table = context.session.Table();
  const bool factory = context.session.Options().factory;
  struct Change {
    int commandId;
    int32_t value;
  };
  std::vector<Change> changes;
  // Every value is checked before the first goes out.
  for (const std::string& argument : context.session.Options().args) {
    const size_t equals = argument.find('=');
    const std::string name = argument.substr(0, equals);
    int32_t value = 0;
    if (equals == std::string::npos || !ReadWholeNumber(argument.substr(equals + 1), value)) {
      context.session.GetHost().Say("\"" + argument + "\" is no NAME=VALUE with a whole number");
      return kExitBadInput;
    }
    const int row = ValueRowOf(table, name);
    if (row < 0) {
      context.session.GetHost().Say(name + " is no camera setting of the parameter pages");
      return kExitBadInput;
    }
    if (table.Row(row).area == kAreaFactory && !factory) {
      context.session.GetHost().Say(name + " is a factory setting (use --factory)");
      return kExitBadInput;
    }
    const std::string refusal = RefusalOf(table.Row(row), name, value);
    if (!refusal.empty()) {
      context.session.GetHost().Say(refusal);
      return kExitBadInput;
    }
    changes.push_back({table.Row(row).cmdId, value});
  }
  if (const int status = context.session.Connect(); status != kExitDone) return status;
  // In order; a refused value ends the run, as later ones may rely on it.
  for (const Change& change : changes) {
    if (!context.session.GetCommand().SendValue(change.commandId, change.value,
                                                ParameterWriteLimitMs(change.commandId))) {
      return context.session.Failure();
    }
  }
  return kExitDone;
}

int RunDump(CliContext& context) {
  Command& command = context.session.GetCommand();
  ParameterTable& table = context.session.Table();
  const bool factory = context.session.Options().factory;
  const bool json = context.session.Options().json;
  if (const int status = context.session.Connect(); status != kExitDone) return status;
  std::string model;
  // The model line belongs to a factory file of a known model, as the window
  // writes it.
  if (factory && ProbeCamera(command, context.session.GetHost(), context.session.Model()) &&
      IsKnownModel(context.session.Model().modelIndex)) {
    model = context.session.Model().modelText;
  }
  std::string device;
  bool withDevice = command.QueryText(kCmdDV, device, kQueryMs);
  if (!withDevice && command.LastTimedOut()) return context.session.Failure();
  // A file of defaults would pass for the camera's settings: every value
  // must come from the camera.
  std::vector<int32_t> values = CurrentValues(table);
  if (!QuerySettingFileValues(command, table, true, factory, values, kQueryMs)) {
    return context.session.Failure();
  }
  if (!json) {
    std::string text = model.empty() ? "" : ModelLine(TerminalText(model));
    if (withDevice) text += DeviceLine(TerminalText(device));
    context.out << text << ParameterLines(table, Commands(), values, factory);
    return kExitDone;
  }
  std::string text = "{";
  if (!model.empty()) text += "\"model\":" + JsonString(model) + ",";
  if (withDevice) text += "\"device\":" + JsonString(device) + ",";
  text += "\"settings\":{";
  bool first = true;
  for (int i = 0; i < ParameterTable::RowCount(); ++i) {
    if (!RowInRun(table, i, factory)) continue;
    text += (first ? "" : ",") + JsonString(Commands().MnemonicOf(table.Row(i).cmdId)) + ":" +
            std::to_string(values[i]);
    first = false;
  }
  context.out << text << "}}\n";
  return kExitDone;
}

int RunApply(CliContext& context) {
  const SettingFileScope scope = ApplyScope(context.session.Options().factory);
  std::string bytes;
  std::vector<std::pair<int, std::string>> expected;
  if (!ReadSettingFile(context, scope, bytes, expected)) return kExitBadInput;
  if (const int status = context.session.Connect(); status != kExitDone) return status;
  SettingFileHooks hooks;
  hooks.progress = [&context](int done, int count) {
    context.Progress("Now, reading camera setting file.", done + 1, count);
  };
  hooks.identifyModel = [&context] {
    ProbeCamera(context.session.GetCommand(), context.session.GetHost(), context.session.Model());
  };
  SettingFileApplier applier(context.session.GetCommand(), context.session.Table(), scope, hooks);
  const SettingFileResult result = applier.Apply(bytes);
  context.EndProgress();
  if (const std::string text = NotAcceptedText(result); !text.empty()) {
    context.session.GetHost().Say(text);
    return result.cameraGone ? kExitNoAnswer : kExitRefused;
  }
  return kExitDone;
}

int RunDiff(CliContext& context) {
  // What apply would send, and the device value the file records.
  SettingFileScope scope = ApplyScope(context.session.Options().factory);
  scope.deviceLine = true;
  std::string bytes;
  std::vector<std::pair<int, std::string>> expected;
  if (!ReadSettingFile(context, scope, bytes, expected)) return kExitBadInput;
  if (const int status = context.session.Connect(); status != kExitDone) return status;
  Command& command = context.session.GetCommand();
  const bool json = context.session.Options().json;
  std::string text =
      json ? "{\"compared\":" + std::to_string(expected.size()) + ",\"differences\":[" : "";
  int differences = 0;
  for (const auto& [commandId, fileValue] : expected) {
    std::string cameraValue;
    bool answered = false;
    if (Commands().KindOf(commandId) == kKindText) {
      answered =
          command.QueryText(commandId, cameraValue, commandId == kCmdMD ? kModelQueryMs : kQueryMs);
    } else {
      int32_t number = 0;
      answered = command.QueryValue(commandId, number, kQueryMs);
      cameraValue = std::to_string(number);
    }
    if (!answered) return context.session.Failure();
    if (cameraValue == fileValue) continue;
    const std::string& name = Commands().MnemonicOf(commandId);
    if (json) {
      text += (differences > 0 ? "," : "") + std::string("{\"name\":") + JsonString(name) +
              ",\"file\":" + JsonString(fileValue) + ",\"camera\":" + JsonString(cameraValue) + "}";
    } else {
      text += name + ": file " + TerminalText(fileValue) + ", camera " + TerminalText(cameraValue) +
              "\n";
    }
    ++differences;
  }
  if (json) {
    text += "]}\n";
  } else if (differences == 0) {
    text = "No difference.\n";
  }
  context.out << text;
  return kExitDone;
}

}  // namespace cct
