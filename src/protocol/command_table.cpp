#include "protocol/command_table.h"

namespace cct {

namespace {

// In command-id order: the position is the id.
constexpr const char* kMnemonics[kCommandCount] = {
    "EB",    "ST",     "HP",     "VN",     "PV",     "ID",     "UD",     "DVN",   "MD",    "DV",
    "SBDRT", "CBDRT",  "CRS00",  "TG",     "TI",     "TA",     "ARST",   "EM",    "PE",    "ASC",
    "ASCEA", "ASCEI",  "ASRS",   "LR",     "AR",     "AL",     "ARMIN",  "PEMAX", "PEMIN", "BI",
    "HB",    "HBM",    "BA",     "TAGM",   "CLC",    "TS",     "GA",     "AGC",   "ALCS",  "AGCF",
    "AGCGA", "AGCGI",  "AGRS",   "ABG",    "BL",     "SDC",    "SDR",    "SDS",   "PGC",   "PGR",
    "PGS",   "PBC",    "PBR",    "PBS",    "LUN",    "LUTI",   "LUTD",   "GMA",   "TMP0",  "TMPS0",
    "LS0",   "SS",     "MF",     "LD",     "SA",     "EA",     "SA00",   "ST00",  "ULCK",  "ID00",
    "MD00",  "GA4A00", "GA4B00", "GA8K00", "BL4A00", "BL4B00", "BL8K00", "BAS00", "SDR00", "SDS00",
    "PGR00", "PGS00",  "PBR00",  "PBS00",  "BYP0",   "XMLVR",  "DV00",   "GA00",  "PGC00", "PBC00",
};

// Commands whose values are text; all others carry integers.
constexpr int kTextCommands[] = {kCmdID, kCmdUD,   7 /* DVN */, kCmdMD,
                                 kCmdDV, kCmdID00, kCmdMD00,    kCmdDV00};

bool InRange(int id) {
  return id >= 0 && id < kCommandCount;
}

const std::string kEmpty;

}  // namespace

CommandTable::CommandTable() {
  for (int id = 0; id < kCommandCount; ++id) {
    mnemonics_[id] = kMnemonics[id];
    kinds_[id] = kKindInteger;
  }
  for (int id : kTextCommands) kinds_[id] = kKindText;
}

const std::string& CommandTable::MnemonicOf(int commandId) const {
  return InRange(commandId) ? mnemonics_[commandId] : kEmpty;
}

int CommandTable::KindOf(int commandId) const {
  return InRange(commandId) ? kinds_[commandId] : kKindInteger;
}

void CommandTable::SetKind(int commandId, int kind) {
  if (InRange(commandId)) kinds_[commandId] = kind;
}

int CommandTable::Lookup(const std::string& mnemonic) const {
  for (int id = 0; id < kCommandCount; ++id) {
    if (mnemonics_[id] == mnemonic) return id;
  }
  return -1;
}

CommandTable& TheCommandTable() {
  static CommandTable table;
  return table;
}

}  // namespace cct
