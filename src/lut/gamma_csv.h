#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "lut/lut_table.h"

namespace cct {

// The gamma CSV file ("Camera gamma data", extension "csv") keeps the LUT
// editors' tables on disk: a header line, then one line per table entry.
// Lines end in CR LF on disk; the reader takes LF alone as well.

// Longest data line the reader takes, without its line end. No file the
// tool writes comes near it; a longer line is no table data.
inline constexpr int kGammaCsvLineMax = 4096;
// A number read from a file saturates here (the largest 32-bit value).
inline constexpr int64_t kGammaCsvNumberMax = 2147483647;

// The file of a monochrome camera: "GammaData", then the green table's
// entries 0 to 255, one decimal number per line.
std::string GammaCsvSingleColumn(const LutTable& green);
// The file of any other camera: "GammaData (R G B)", then "r,g,b" for each
// entry 0 to 255, without spaces.
std::string GammaCsvThreeColumns(const GammaTables& tables);

enum class GammaCsvError {
  kNone,
  kDataCountFormat,  // a data line with more than three numbers
  kTooManyData,      // a data line after the 256th
  kLineTooLong,      // a data line longer than kGammaCsvLineMax
};

struct GammaCsvResult {
  GammaCsvError error = GammaCsvError::kNone;
  int errorLine = -1;    // data line index (0 = the line after the header) of the error
  int dataLines = 0;     // data lines applied to `tables`
  bool clipped = false;  // a value above kLutMaxLevel was met, stored as kLutMaxLevel; the first:
  int clippedLine = -1;  //   its data line index
  int64_t clippedValue = 0;  //   and its value as read (at most kGammaCsvNumberMax)
  GammaTables tables;        // the tables after the file; meaningful only when error == kNone
};

// Reads a gamma CSV file into a copy of `current`; entries the file does not
// cover keep their values. The first line is the header and is skipped
// whatever it holds. Data line i sets entry i: one number sets green (red and
// blue 0), two set green and blue (red 0), three set red, green and blue.
// Digits build a number, a comma starts the next one, every other character
// is ignored, and a missing number is 0; so a blank line is a data line of
// zeros. Reading stops at the first error; a line's errors are checked in the
// order too long, too many numbers, too many lines. Works on the file's
// bytes, already in memory (data_file_read.h); never throws, whatever they are.
GammaCsvResult ReadGammaCsv(std::string_view bytes, const GammaTables& current);

// What the operator is told of a read: the first value above kLutMaxLevel,
// when it came before any error, and the error; each empty when there is none.
std::string GammaCsvClipText(const GammaCsvResult& result);
std::string GammaCsvErrorText(const GammaCsvResult& result);

}  // namespace cct
