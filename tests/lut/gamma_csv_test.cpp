// The gamma CSV file: the writers' exact text, and what the reader makes of
// its own files, of hand-edited ones and of bytes that are no CSV at all.
#include "lut/gamma_csv.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "lut/data_file_read.h"

namespace cct {
namespace {

using E = GammaCsvError;
const std::string kHeader = "GammaData\r\n";

// Tables whose colours differ at every entry.
GammaTables Tables(uint32_t step) {
  GammaTables t;
  for (int k = 0; k < kLutEntries; ++k) {
    t.red[k] = step * k % 4096;
    t.green[k] = (1000 + step * k) % 4096;
    t.blue[k] = (3000 + step * k) % 4096;
  }
  return t;
}
const GammaTables kOld = Tables(1);

bool operator==(const GammaTables& a, const GammaTables& b) {
  return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

GammaCsvResult Read(const std::string& text) {
  return ReadGammaCsv(text, kOld);
}

TEST(GammaCsvFile, WrittenFilesReadBackExactly) {
  const GammaTables ramp = Tables(5);  // red starts at 0, blue meets 4095
  std::string three = GammaCsvThreeColumns(ramp);
  EXPECT_TRUE(GammaCsvSingleColumn(ramp.green).starts_with("GammaData\r\n1000\r\n1005\r\n"));
  EXPECT_TRUE(three.starts_with("GammaData (R G B)\r\n0,1000,3000\r\n5,1005,3005\r\n"));
  EXPECT_NE(three.find("\r\n1095,2095,4095\r\n1100,2100,4\r\n"), std::string::npos);
  EXPECT_TRUE(three.ends_with("\r\n1275,2275,179\r\n"));
  EXPECT_EQ(GammaCsvSingleColumn(ramp.green).size(), 11 + 256 * 6u);

  GammaCsvResult result = Read(GammaCsvSingleColumn(ramp.green));
  EXPECT_EQ(result.dataLines, kLutEntries);
  EXPECT_TRUE(result.tables == (GammaTables{LutTable{}, ramp.green, LutTable{}}));
  for (size_t at; (at = three.find("\r\n")) != std::string::npos;) three.erase(at, 1);
  for (const std::string& text : {GammaCsvThreeColumns(ramp), three}) {  // CR LF, LF alone
    result = Read(text);
    EXPECT_EQ(result.error, E::kNone);
    EXPECT_FALSE(result.clipped);
    EXPECT_TRUE(result.tables == ramp);
  }
}

TEST(GammaCsvFile, EachDataLineSetsItsEntryOnly) {
  struct Case {
    std::string text;
    int lines;
    uint32_t red, green, blue;  // entry 0
  };
  const std::vector<Case> cases = {
      {"12,34", 1, 0, 12, 34},
      {"-5", 1, 0, 5, 0},
      {"1.5", 1, 0, 15, 0},
      {"1,2,3", 1, 1, 2, 3},
      {"", 1, 0, 0, 0},
      {",,9\n7,x8\t", 2, 0, 0, 9},
      {"0012,+3e1", 1, 0, 12, 31},
      {std::string{'4', '\0', '2'}, 1, 0, 42, 0},
      {std::string(kGammaCsvLineMax - 1, ' ') + "7", 1, 0, 7, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 20));
    // The header is skipped whole, however long and whatever it holds.
    for (const std::string& header : {kHeader, std::string(300, 'H') + "1,2,3,4,5\n"}) {
      const GammaCsvResult result = Read(header + c.text + "\r\n");
      ASSERT_EQ(result.error, E::kNone);
      EXPECT_EQ(result.dataLines, c.lines);
      EXPECT_EQ(result.tables.red[0], c.red);
      EXPECT_EQ(result.tables.green[0], c.green);
      EXPECT_EQ(result.tables.blue[0], c.blue);
      // Entries past the file's lines keep their values.
      const auto rest = [&c](const LutTable& t) {
        return std::vector(t.begin() + c.lines, t.end());
      };
      EXPECT_EQ(rest(result.tables.red), rest(kOld.red));
      EXPECT_EQ(rest(result.tables.green), rest(kOld.green));
      EXPECT_EQ(rest(result.tables.blue), rest(kOld.blue));
    }
  }
  EXPECT_EQ(Read(kHeader + "1\r\n2").tables.green[1], 2u);  // no line end at the file's end
  for (const char* text : {"", "GammaData", "GammaData\r\n"}) {
    EXPECT_TRUE(Read(text).tables == kOld) << text;
    EXPECT_EQ(Read(text).dataLines, 0) << text;
  }
}

TEST(GammaCsvFile, AnErrorStopsTheReadAtItsLine) {
  std::string full = kHeader;
  for (int i = 0; i < kLutEntries; ++i) full += "1\r\n";
  const std::string longest(kGammaCsvLineMax, ' ');
  const std::vector<std::tuple<std::string, E, int>> cases = {
      {kHeader + "1\r\n2\r\n1,2,3,4\r\n5\r\n", E::kDataCountFormat, 2},
      {full + "\r\n", E::kTooManyData, 256},
      {kHeader + "1\r\n" + std::string(5000, '1') + "\r\n", E::kLineTooLong, 1},
      {kHeader + longest + "\rx\r\n", E::kLineTooLong, 0},  // a CR counts unless it ends the line
      {kHeader + "1,2,3,4" + longest, E::kLineTooLong, 0},
  };
  for (const auto& [text, error, line] : cases) {
    SCOPED_TRACE(text.substr(0, 40));
    const GammaCsvResult result = Read(text);
    EXPECT_EQ(result.error, error);
    EXPECT_EQ(result.errorLine, line);
  }
  // A line that runs to the end of the largest file read is refused.
  EXPECT_EQ(Read("\n" + std::string(kDataFileMaxBytes, '7')).error, E::kLineTooLong);
}

TEST(GammaCsvFile, TheFirstValueAboveTheRangeIsKeptAndStoredAs4095) {
  const std::vector<std::tuple<std::string, int, int64_t>> cases = {
      {"0\r\n1\r\n2\r\n5000\r\n4\r\n9000,7000\r\n", 3, 5000},
      {"0\r\n" + std::string(30, '9'), 1, kGammaCsvNumberMax},
      {"6000,5000,4096", 0, 6000},
  };
  for (const auto& [data, line, value] : cases) {
    const GammaCsvResult result = Read(kHeader + data);
    EXPECT_TRUE(result.clipped && result.clippedLine == line && result.clippedValue == value)
        << data;
    EXPECT_EQ(result.tables.green[line], kLutMaxLevel);
  }
  EXPECT_EQ(Read(kHeader + "1,2\n9000,7000").tables.blue[1], kLutMaxLevel);
  EXPECT_FALSE(Read(kHeader + "4095,4095,4095").clipped);
}

TEST(GammaCsvFile, AnyBytesReadWithinTheTable) {
  std::mt19937 random(20240611);
  const std::string telling("\0\xff\n\r,9a-", 8);  // the bytes the reader looks at, and two others
  for (int round = 0; round < 200; ++round) {
    std::string bytes(random() % 20000, '\0');
    for (char& byte : bytes) byte = static_cast<char>(round % 2 ? telling[random() % 8] : random());
    const GammaCsvResult result = Read(bytes);
    EXPECT_LE(result.dataLines, kLutEntries);
    for (int k = 0; k < kLutEntries; ++k)
      EXPECT_LE(result.tables.red[k] | result.tables.green[k] | result.tables.blue[k],
                kLutMaxLevel);
  }
  EXPECT_EQ(Read(std::string(1000, '\n')).error, E::kTooManyData);
  EXPECT_EQ(Read("\n" + std::string(5000, '\0')).error, E::kLineTooLong);
}

}  // namespace
}  // namespace cct
