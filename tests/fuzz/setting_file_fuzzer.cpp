// Setting files (".cam"): the line reader, the line recogniser and the
// applier, which sends what it recognises to the simulated camera in this
// process. The input is the file's content.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "lut/camera_setting_file.h"
#include "lut/setting_file_applier.h"
#include "support/engine_line.h"

namespace {

using namespace cct;

// The lines the reader should give: split at LF, one CR before it dropped,
// longer than kSettingLineMax marked and cut.
std::vector<SettingLine> ExpectedLines(const std::string& text) {
  std::vector<SettingLine> lines;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    SettingLine line;
    line.text = text.substr(start, end - start);
    if (!line.text.empty() && line.text.back() == '\r') line.text.pop_back();
    if (line.text.size() > kSettingLineMax) {
      line.tooLong = true;
      line.text.resize(kSettingLineMax);
    }
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// A parameter value as the file's text says it.
int32_t ExpectedValue(const std::string& text) {
  if (text.compare(0, 2, "&H") == 0) {
    return static_cast<int32_t>(static_cast<uint32_t>(std::stoul(text.substr(2), nullptr, 16)));
  }
  return static_cast<int32_t>(std::stoll(text));
}

void CheckEntry(const Command& command, const SettingLine& line) {
  const SettingEntry entry = RecogniseSettingLine(command, line);
  if (line.tooLong) FUZZ_CHECK(entry.kind == SettingLineKind::kIgnored);
  if (entry.kind == SettingLineKind::kIgnored) return;

  FUZZ_CHECK(entry.commandId >= 0 && entry.commandId < kCommandCount);
  const std::string& mnemonic = TheCommandTable().MnemonicOf(entry.commandId);
  Reply reply;
  FUZZ_CHECK(command.ParseReply(line.text, reply) && reply.op == "=");
  if (entry.kind != SettingLineKind::kParameter) {
    FUZZ_CHECK(mnemonic == (entry.kind == SettingLineKind::kModel ? "MD00" : "DV"));
    FUZZ_CHECK(!entry.text.empty());
    FUZZ_CHECK(entry.text.find_first_of(" \r\n") == std::string::npos);
    return;
  }
  FUZZ_CHECK(mnemonic != "MD00" && mnemonic != "DV");
  FUZZ_CHECK(reply.valueCount == 1);
  if (TheCommandTable().KindOf(entry.commandId) == kKindInteger) {
    FUZZ_CHECK(entry.value == ExpectedValue(reply.firstText));
  }
  // What the tool writes for that value reads back as the same entry.
  std::string written = ParameterLine(mnemonic, entry.value);
  written.resize(written.size() - 2);
  const SettingEntry again = RecogniseSettingLine(command, SettingLine{written, false});
  FUZZ_CHECK(again.kind == SettingLineKind::kParameter && again.commandId == entry.commandId &&
             again.value == entry.value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::vector<SettingLine> expected = ExpectedLines(text);

  NullHost host;
  test::FakeClock clock;
  test::EngineLine line(clock);
  const Timing timing;
  Command command(line, host, clock, timing);

  {
    SettingLineReader reader(text);
    SettingLine got;
    size_t n = 0;
    while (reader.Next(got)) {
      FUZZ_CHECK(n < expected.size());
      FUZZ_CHECK(got.text == expected[n].text && got.tooLong == expected[n].tooLong);
      CheckEntry(command, got);
      ++n;
    }
    FUZZ_CHECK(n == expected.size());
    FUZZ_CHECK(!reader.Next(got));
  }
  FUZZ_CHECK(CountSettingLines(text) == static_cast<int>(expected.size()));

  // Applied to a camera; odd-sized files with the factory rows enabled, and
  // half of them without the model and device lines, as camera-ctl sends.
  const bool factoryRows = size % 2 == 1;
  ParameterTable table(host);
  int lastDone = -1;
  int identified = 0;
  SettingFileHooks hooks;
  hooks.progress = [&](int done, int count) {
    FUZZ_CHECK(done == lastDone + 1 && done < count);
    FUZZ_CHECK(count == static_cast<int>(expected.size()));
    lastDone = done;
  };
  hooks.identifyModel = [&] { ++identified; };
  SettingFileScope scope;
  scope.factoryRows = factoryRows;
  scope.modelLine = scope.deviceLine = size % 4 < 2;
  const SettingFileResult result = SettingFileApplier(command, table, scope, hooks).Apply(text);

  FUZZ_CHECK(result.lines == static_cast<int>(expected.size()));
  FUZZ_CHECK(result.sent >= 0 && result.sent <= result.lines);
  FUZZ_CHECK(result.notAccepted >= 0 && result.notAccepted <= result.sent);
  FUZZ_CHECK(!result.cameraGone || result.notAccepted > 0);
  FUZZ_CHECK(result.cameraGone || lastDone == result.lines - 1);
  FUZZ_CHECK(identified <= result.sent);
  FUZZ_CHECK(scope.modelLine || identified == 0);
  // Only what the camera took reaches the table, and the camera takes only
  // values in an edit's range (a combo box's rows leave the range to its list).
  for (int i = 0; i < ParameterTable::RowCount(); ++i) {
    const ParameterRow& row = table.Row(i);
    if (row.current == kParameterRows[i].current) continue;
    FUZZ_CHECK(row.fileFlag != 0);
    FUZZ_CHECK(factoryRows || row.area != kAreaFactory);
    if (row.ctrlKind == kKindEditSpin) {
      FUZZ_CHECK(row.current >= row.minimum && row.current <= row.maximum);
    }
    std::string value;
    FUZZ_CHECK(line.engine.GetValue(TheCommandTable().MnemonicOf(row.cmdId), value));
    FUZZ_CHECK(value == std::to_string(row.current));
  }
  return 0;
}
