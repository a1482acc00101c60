// The gamma CSV reader. The input is the file's content; a second, plain
// reading of the same rules must agree with the reader, and what the reader
// gives must survive being written and read again.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "lut/gamma_csv.h"

namespace {

using namespace cct;

// The rules of gamma_csv.h applied to the whole text at once.
GammaCsvResult Expected(const std::string& text, const GammaTables& current) {
  GammaCsvResult result;
  result.tables = current;
  size_t start = text.find('\n');
  if (start == std::string::npos) return result;
  ++start;
  for (int i = 0; start < text.size(); ++i) {
    const size_t lf = text.find('\n', start);
    const size_t end = lf == std::string::npos ? text.size() : lf;
    std::string line = text.substr(start, end - start);
    start = end + 1;
    // A CR right before the LF is part of the line end.
    if (lf != std::string::npos && !line.empty() && line.back() == '\r') line.pop_back();

    std::array<int64_t, 3> numbers{};
    size_t commas = 0;
    for (char c : line) {
      if (c == ',') {
        ++commas;
      } else if (c >= '0' && c <= '9' && commas < 3) {
        numbers[commas] = std::min(numbers[commas] * 10 + (c - '0'), kGammaCsvNumberMax);
      }
    }
    GammaCsvError error = GammaCsvError::kNone;
    if (line.size() > static_cast<size_t>(kGammaCsvLineMax)) {
      error = GammaCsvError::kLineTooLong;
    } else if (commas >= 3) {
      error = GammaCsvError::kDataCountFormat;
    } else if (i >= kLutEntries) {
      error = GammaCsvError::kTooManyData;
    }
    if (error != GammaCsvError::kNone) {
      result.error = error;
      result.errorLine = i;
      return result;
    }
    for (size_t n = 0; n <= commas; ++n) {
      if (numbers[n] > kLutMaxLevel && !result.clipped) {
        result.clipped = true;
        result.clippedLine = i;
        result.clippedValue = numbers[n];
      }
    }
    auto level = [&](size_t n) {
      return static_cast<uint32_t>(std::min<int64_t>(numbers[n], kLutMaxLevel));
    };
    result.tables.red[i] = commas == 2 ? level(0) : 0;
    result.tables.green[i] = commas == 2 ? level(1) : level(0);
    result.tables.blue[i] = commas == 2 ? level(2) : commas == 1 ? level(1) : 0;
    result.dataLines = i + 1;
  }
  return result;
}

bool SameTables(const GammaTables& a, const GammaTables& b) {
  return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

GammaCsvResult Read(const std::string& text, const GammaTables& current) {
  return ReadGammaCsv(text, current);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  // Tables the file does not cover must keep these.
  GammaTables current;
  for (int k = 0; k < kLutEntries; ++k) {
    current.red[k] = static_cast<uint32_t>(k);
    current.green[k] = kLutMaxLevel - static_cast<uint32_t>(k) * 16;
    current.blue[k] = static_cast<uint32_t>(k * 7) % (kLutMaxLevel + 1);
  }

  const GammaCsvResult got = Read(text, current);
  const GammaCsvResult want = Expected(text, current);
  FUZZ_CHECK(got.error == want.error);
  FUZZ_CHECK(got.errorLine == want.errorLine);
  FUZZ_CHECK(got.dataLines == want.dataLines);
  FUZZ_CHECK(got.clipped == want.clipped);
  FUZZ_CHECK(got.clippedLine == want.clippedLine);
  FUZZ_CHECK(got.clippedValue == want.clippedValue);
  if (got.error != GammaCsvError::kNone) return 0;
  FUZZ_CHECK(SameTables(got.tables, want.tables));

  // Written back in both layouts, the tables read as they are.
  const GammaCsvResult three = Read(GammaCsvThreeColumns(got.tables), GammaTables{});
  FUZZ_CHECK(three.error == GammaCsvError::kNone && three.dataLines == kLutEntries);
  FUZZ_CHECK(!three.clipped && SameTables(three.tables, got.tables));
  const GammaCsvResult single = Read(GammaCsvSingleColumn(got.tables.green), current);
  GammaTables greenOnly;
  greenOnly.green = got.tables.green;
  FUZZ_CHECK(single.error == GammaCsvError::kNone && single.dataLines == kLutEntries);
  FUZZ_CHECK(!single.clipped && SameTables(single.tables, greenOnly));
  return 0;
}
