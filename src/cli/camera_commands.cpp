// The commands on the camera as a whole: flash areas, the LUT, its identity
// and raw lines.
#include "cli/cli_commands.h"
#include "cli/cli_exit.h"
#include "cli/input_file.h"
#include "cli/json_text.h"
#include "cli/terminal_text.h"
#include "lut/gamma_csv.h"
#include "lut/lut_camera_transfer.h"
#include "protocol/flash_area.h"
#include "protocol/shutdown_request.h"
#include "serial/line_selection.h"

namespace cct {

namespace {

constexpr uint32_t kIdentityQueryMs = 5000;

int LutRead(CliContext& context) {
  if (const int status = context.session.Connect(); status != kExitDone) return status;
  LutTable table{};
  const bool complete = ReadLutFromCamera(context.session.GetCommand(), table, [&](int i) {
    context.Progress("Now, reading camera gamma data", i + 1, kLutEntries);
  });
  context.EndProgress();
  if (!complete) return context.session.Failure();
  if (!context.session.Options().json) {
    context.out << GammaCsvSingleColumn(table);
    return kExitDone;
  }
  std::string text = "{\"lut\":[";
  for (int i = 0; i < kLutEntries; ++i) text += (i > 0 ? "," : "") + std::to_string(table[i]);
  context.out << text << "]}\n";
  return kExitDone;
}

// Reads the whole file ("-": standard input) before the line is opened: a
// file with an error sends nothing.
bool ReadLutFile(CliContext& context, const std::string& path, LutTable& table) {
  ConsoleHost& host = context.session.GetHost();
  std::string bytes;
  if (!ReadInputFile(host, path, bytes)) return false;
  const GammaCsvResult result = ReadGammaCsv(bytes, GammaTables{});
  if (const std::string clip = GammaCsvClipText(result); !clip.empty()) host.Say(clip);
  if (result.error != GammaCsvError::kNone) {
    host.Say(GammaCsvErrorText(result));
    return false;
  }
  // The window keeps its own values for entries a short file leaves out; a
  // script has none, and zeros would darken the image.
  if (result.dataLines != kLutEntries) {
    host.Say(path + "\nThe file holds " + std::to_string(result.dataLines) + " of " +
             std::to_string(kLutEntries) + " LUT entries.");
    return false;
  }
  // A monochrome camera has one table: the file's green column.
  table = result.tables.green;
  return true;
}

int LutWrite(CliContext& context) {
  LutTable table{};
  if (!ReadLutFile(context, context.session.Options().args[1], table)) return kExitBadInput;
  if (const int status = context.session.Connect(); status != kExitDone) return status;
  const int written = WriteLutToCamera(context.session.GetCommand(), table, [&](int i) {
    context.Progress("Now, writing camera gamma data.", i + 1, kLutEntries);
  });
  context.EndProgress();
  if (written == kLutEntries) return kExitDone;
  const int status = context.session.Failure();
  context.session.GetHost().Say(LutWriteShortfallText(written));
  return status;
}

}  // namespace

int RunArea(CliContext& context) {
  const CliOptions& options = context.session.Options();
  const std::string& number = options.args[1];
  const int area =
      number.size() == 1 && number[0] >= '0' && number[0] <= '9' ? number[0] - '0' : -1;
  if (!IsFlashArea(area)) {
    context.session.GetHost().Say("Selected invalid area !");
    return kExitBadInput;
  }
  const bool store = options.args[0] == "store";
  // Overwriting the factory area is for factory mode only.
  if (store && area == 0 && !options.factory) {
    context.session.GetHost().Say("Area 0 is the factory area: storing into it needs --factory.");
    return kExitBadInput;
  }
  if (const int status = context.session.Connect(); status != kExitDone) return status;
  Command& command = context.session.GetCommand();
  // The window's limits for the same flash writes.
  const bool done = store ? StoreFlashArea(command, area, kFlashStoreLimitMs)
                          : LoadFlashArea(command, area, kFlashLoadLimitMs);
  return done ? kExitDone : context.session.Failure();
}

int RunLut(CliContext& context) {
  return context.session.Options().args[0] == "read" ? LutRead(context) : LutWrite(context);
}

int RunIdentify(CliContext& context) {
  if (const int status = context.session.Connect(); status != kExitDone) return status;
  Command& command = context.session.GetCommand();
  struct Field {
    const char* label;
    const char* key;
    int commandId;
    bool versionNumber;
  };
  // In the order the About dialog reads them; without a firmware version
  // there is no camera to ask the rest.
  static constexpr Field kFields[] = {
      {"Firmware", "firmware", kCmdVN, true},   {"Model", "model", kCmdMD, false},
      {"Camera ID", "cameraId", kCmdID, false}, {"FPGA", "fpga", kCmdPV, true},
      {"User ID", "userId", kCmdUD, false},     {"Device version", "deviceVersion", kCmdDV, false},
  };
  const bool json = context.session.Options().json;
  std::string text = json ? "{" : "";
  int status = kExitDone;
  for (const Field& field : kFields) {
    std::string value;
    bool answered = false;
    if (field.versionNumber) {
      int32_t number = 0;
      answered = command.QueryValue(field.commandId, number, kIdentityQueryMs);
      if (answered) value = VersionNumberString(number);
    } else {
      answered = command.QueryText(field.commandId, value, kIdentityQueryMs);
    }
    if (!answered) {
      if (status == kExitDone) status = context.session.Failure();
      // A camera that stopped answering has nothing more to say.
      if (command.LastTimedOut()) return status;
    }
    if (json) {
      text += std::string(text.size() > 1 ? "," : "") + JsonString(field.key) + ":" +
              (answered ? JsonString(value) : std::string("null"));
    } else {
      text += std::string(field.label) + ": " + (answered ? TerminalText(value) : "-") + "\n";
    }
  }
  context.out << text << (json ? "}\n" : "");
  return status;
}

int RunRaw(CliContext& context) {
  const std::string& text = context.session.Options().args[0];
  if (text.find_first_of("\r\n") != std::string::npos) {
    context.session.GetHost().Say(
        "The text must not hold CR or LF: the camera would take it as "
        "more than one line.");
    return kExitBadInput;
  }
  if (const int status = context.session.Connect(); status != kExitDone) return status;
  Command& command = context.session.GetCommand();
  // What the camera sent before is not its answer to this line.
  command.ReadOffWaitingInput();
  if (!context.session.Line().Write(text + "\r\n")) {
    context.session.GetHost().Say("Couldn't send the line.");
    return kExitNoAnswer;
  }
  // Each look waits at most one byte limit for input, so this never spins.
  std::vector<std::string> lines;
  Clock& clock = command.GetClock();
  const uint32_t start = clock.Ticks();
  const auto waitMs = static_cast<uint32_t>(context.session.Options().waitMs);
  while (TicksSince(start, clock.Ticks()) < waitMs && !ShutdownRequested()) {
    if (!command.ReadLine(false)) {
      clock.Sleep(10);
      continue;
    }
    while (command.QueuedLines() > 0) {
      lines.push_back(command.TakeLine());
      if (!context.session.Options().json) {
        context.out << TerminalText(lines.back()) << '\n' << std::flush;
      }
    }
  }
  if (context.session.Options().json) {
    std::string json = "{\"sent\":" + JsonString(text) + ",\"received\":[";
    for (size_t i = 0; i < lines.size(); ++i) json += (i > 0 ? "," : "") + JsonString(lines[i]);
    context.out << json << "]}\n";
  }
  if (!lines.empty()) return kExitDone;
  context.session.GetHost().Say(kNoAnswerMessage);
  return kExitNoAnswer;
}

}  // namespace cct
