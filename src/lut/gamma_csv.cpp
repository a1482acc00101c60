#include "lut/gamma_csv.h"

#include <array>
#include <string>
#include <string_view>

namespace cct {

namespace {

constexpr const char kLineEnd[] = "\r\n";
constexpr int kEof = -1;

constexpr int kNumbersMax = 3;  // red, green, blue

// The file's bytes, taken one at a time.
class ByteCursor {
 public:
  explicit ByteCursor(std::string_view bytes) : bytes_(bytes) {}
  int Take() { return at_ < bytes_.size() ? static_cast<unsigned char>(bytes_[at_++]) : kEof; }

 private:
  std::string_view bytes_;
  size_t at_ = 0;
};

// One data line as the reader sees it; the line itself is never stored, so
// an endless line costs no memory.
struct DataLine {
  std::array<int64_t, kNumbersMax> numbers{};
  int commas = 0;
  bool tooLong = false;
};

// Skips the header line; false when the file ends within it.
bool SkipHeader(ByteCursor& bytes) {
  for (;;) {
    const int c = bytes.Take();
    if (c == kEof) return false;
    if (c == '\n') return true;
  }
}

// Reads one data line; false at the end of the file. Stops early once the
// line is known to be too long: the file is refused then anyway.
bool ReadDataLine(ByteCursor& bytes, DataLine& line) {
  line = DataLine();
  int length = 0;
  bool any = false;
  bool pendingCr = false;  // a CR counts only when no LF follows it
  for (;;) {
    const int c = bytes.Take();
    if (c == kEof) {
      if (pendingCr) ++length;
      break;
    }
    any = true;
    if (c == '\n') break;
    if (pendingCr) {
      ++length;
      pendingCr = false;
    }
    if (c == '\r') {
      pendingCr = true;
    } else {
      ++length;
    }
    if (length > kGammaCsvLineMax) {
      line.tooLong = true;
      return true;
    }
    if (c >= '0' && c <= '9') {
      if (line.commas >= kNumbersMax) continue;
      int64_t& number = line.numbers[line.commas];
      number = number * 10 + (c - '0');
      if (number > kGammaCsvNumberMax) number = kGammaCsvNumberMax;
    } else if (c == ',') {
      // Counting stops beyond the first extra comma, so it cannot overflow.
      if (line.commas < kNumbersMax) ++line.commas;
    }
  }
  if (length > kGammaCsvLineMax) line.tooLong = true;
  return any;
}

}  // namespace

std::string GammaCsvSingleColumn(const LutTable& green) {
  std::string text = std::string("GammaData") + kLineEnd;
  text.reserve(text.size() + green.size() * 7);
  for (const uint32_t value : green) text += std::to_string(value) + kLineEnd;
  return text;
}

std::string GammaCsvThreeColumns(const GammaTables& tables) {
  std::string text = std::string("GammaData (R G B)") + kLineEnd;
  text.reserve(text.size() + kLutEntries * 17);
  for (int k = 0; k < kLutEntries; ++k) {
    text += std::to_string(tables.red[k]) + "," + std::to_string(tables.green[k]) + "," +
            std::to_string(tables.blue[k]) + kLineEnd;
  }
  return text;
}

GammaCsvResult ReadGammaCsv(std::string_view bytes, const GammaTables& current) {
  GammaCsvResult result;
  result.tables = current;
  ByteCursor cursor(bytes);
  if (!SkipHeader(cursor)) return result;

  DataLine line;
  for (int i = 0; ReadDataLine(cursor, line); ++i) {
    GammaCsvError error = GammaCsvError::kNone;
    if (line.tooLong) {
      error = GammaCsvError::kLineTooLong;
    } else if (line.commas >= kNumbersMax) {
      error = GammaCsvError::kDataCountFormat;
    } else if (i >= kLutEntries) {
      error = GammaCsvError::kTooManyData;
    }
    if (error != GammaCsvError::kNone) {
      result.error = error;
      result.errorLine = i;
      return result;
    }

    // The first value above the camera's range is kept for the operator, in
    // the order the line holds them.
    for (int n = 0; n <= line.commas; ++n) {
      if (line.numbers[n] > kLutMaxLevel && !result.clipped) {
        result.clipped = true;
        result.clippedLine = i;
        result.clippedValue = line.numbers[n];
      }
    }
    auto level = [&line](int n) {
      return static_cast<uint32_t>(line.numbers[n] > kLutMaxLevel ? kLutMaxLevel : line.numbers[n]);
    };
    // A lone number is a monochrome camera's table, which lives in green.
    const bool threeNumbers = line.commas == kNumbersMax - 1;
    result.tables.red[i] = threeNumbers ? level(0) : 0;
    result.tables.green[i] = threeNumbers ? level(1) : level(0);
    result.tables.blue[i] = threeNumbers ? level(2) : line.commas == 1 ? level(1) : 0;
    result.dataLines = i + 1;
  }
  return result;
}

std::string GammaCsvClipText(const GammaCsvResult& result) {
  if (!result.clipped ||
      (result.error != GammaCsvError::kNone && result.clippedLine >= result.errorLine)) {
    return std::string();
  }
  return "Invalid data value: Line(" + std::to_string(result.clippedLine) + ") : Value(" +
         std::to_string(result.clippedValue) + ")";
}

std::string GammaCsvErrorText(const GammaCsvResult& result) {
  switch (result.error) {
    case GammaCsvError::kNone:
      break;
    case GammaCsvError::kDataCountFormat:
      return "Invaild data count format";
    case GammaCsvError::kTooManyData:
      return "Too many data";
    case GammaCsvError::kLineTooLong:
      return "Too long data line: Line(" + std::to_string(result.errorLine) + ")";
  }
  return std::string();
}

}  // namespace cct
