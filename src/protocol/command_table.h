#pragma once

#include <array>
#include <string>

namespace cct {

enum ValueKind : int { kKindInteger = 0, kKindText = 2 };

inline constexpr int kCommandCount = 90;

// Command ids the program names directly. The id is the row of the table.
enum CommandId : int {
  kCmdVN = 3,
  kCmdPV = 4,
  kCmdID = 5,
  kCmdUD = 6,
  kCmdMD = 8,
  kCmdDV = 9,
  kCmdCBDRT = 11,
  kCmdCRS00 = 12,
  kCmdEM = 17,
  kCmdPE = 18,
  kCmdLR = 23,
  kCmdAR = 24,
  kCmdARMIN = 26,
  kCmdPEMAX = 27,
  kCmdPEMIN = 28,
  kCmdGA = 36,
  kCmdBL = 44,
  kCmdSDR = 46,
  kCmdSDS = 47,
  kCmdPGR = 49,
  kCmdPGS = 50,
  kCmdPBR = 52,
  kCmdPBS = 53,
  kCmdLUTI = 55,
  kCmdLUTD = 56,
  kCmdTMP0 = 58,
  kCmdTMPS0 = 59,
  kCmdSS = 61,
  kCmdLD = 63,
  kCmdSA = 64,
  kCmdEA = 65,
  kCmdSA00 = 66,
  kCmdULCK = 68,
  kCmdID00 = 69,
  kCmdMD00 = 70,
  kCmdSDR00 = 78,
  kCmdSDS00 = 79,
  kCmdPGR00 = 80,
  kCmdPGS00 = 81,
  kCmdPBR00 = 82,
  kCmdPBS00 = 83,
  kCmdXMLVR = 85,
  kCmdDV00 = 86,
};

// Every camera command the program knows: mnemonic on the wire and value kind,
// indexed by command id. Built once before any window exists. The only change
// ever made is the text write's one-exchange switch of a row's kind.
class CommandTable {
 public:
  CommandTable();

  // Callers pass ids 0..89; anything else yields an empty mnemonic / integer kind.
  const std::string& MnemonicOf(int commandId) const;
  int KindOf(int commandId) const;
  void SetKind(int commandId, int kind);
  // Exact, case-sensitive; first match from id 0 upward; -1 when none.
  int Lookup(const std::string& mnemonic) const;

 private:
  std::array<std::string, kCommandCount> mnemonics_;
  std::array<int, kCommandCount> kinds_;
};

// The program's one command table.
CommandTable& TheCommandTable();

}  // namespace cct
