#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/command.h"
#include "protocol/parameter_table.h"

namespace cct {

// A camera setting file (".cam") holds one command line per camera setting, in
// the form the camera itself takes: mnemonic, "=", value. Lines end in CR LF
// on disk; readers take LF alone as well. The readers work on the file's
// bytes, already in memory (data_file_read.h); nothing here throws.

// Longest line a reader takes, without its line end.
inline constexpr size_t kSettingLineMax = 255;

// The model line, "MD00=<model name>".
std::string ModelLine(const std::string& modelName);
// The device line, "DV=<the camera's device value text>".
std::string DeviceLine(const std::string& deviceText);
// One parameter line, "GA=100" or "BL=-133".
std::string ParameterLine(const std::string& mnemonic, int32_t value);

// Every row's current value, by row index.
std::vector<int32_t> CurrentValues(const ParameterTable& table);

// The parameter lines of every row whose setting-file flag is set, in table
// order, with the value `values[row]`; the factory rows only when asked for.
std::string ParameterLines(const ParameterTable& table, const CommandTable& commands,
                           const std::vector<int32_t>& values, bool withFactoryRows);

// Asks the camera for the value of every row ParameterLines writes: user
// rows when `userRows`, factory rows when `factoryRows`, each only with the
// setting-file flag. Values go to `values[row]`; other rows keep theirs.
// Stops at the first query that fails (reported by the exchange); false then.
bool QuerySettingFileValues(Command& command, const ParameterTable& table, bool userRows,
                            bool factoryRows, std::vector<int32_t>& values, uint32_t limitMs);

// One line as read from a file: its text without the line end, cut at
// kSettingLineMax characters when it was longer (then `tooLong`).
struct SettingLine {
  std::string text;
  bool tooLong = false;
};

// Reads a setting file line by line, whatever it holds: a line longer than
// kSettingLineMax stays one line (marked too long) rather than falling apart
// into pieces that could each look like a command. `bytes` must outlive it.
class SettingLineReader {
 public:
  explicit SettingLineReader(std::string_view bytes) : bytes_(bytes) {}
  // False at the end of the file.
  bool Next(SettingLine& line);

 private:
  std::string_view bytes_;
  size_t at_ = 0;
};

// The number of lines SettingLineReader gives for `bytes`.
int CountSettingLines(std::string_view bytes);

// What a line asks of the camera.
enum class SettingLineKind {
  kIgnored,    // blank, unknown, too long, or a value that is no whole number
  kModel,      // "MD00=<name>": the camera's model name
  kDevice,     // "DV=<text>": the device value
  kParameter,  // "<mnemonic>=<whole number>"
};

struct SettingEntry {
  SettingLineKind kind = SettingLineKind::kIgnored;
  int commandId = -1;
  std::string text;   // kModel, kDevice
  int32_t value = 0;  // kParameter
};

// Reads one line the way the camera's answers are read (spaces, CR and LF
// removed, split at the first "=") and tells what it asks for. A parameter
// value must be a whole 32-bit number, decimal or "&H" hexadecimal; anything
// else ("GA?", "GA=", "GA=abc", "GA=1,2") is ignored rather than sent as 0.
SettingEntry RecogniseSettingLine(const Command& command, const SettingLine& line);

}  // namespace cct
