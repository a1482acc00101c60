#include "sim/camera_engine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "protocol/command_table.h"

namespace sim {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::StartsWith;

class EngineTest : public ::testing::Test {
 protected:
  // The single answer line to `line`; "<none>" when the camera stays silent.
  std::string Ask(const std::string& line, uint64_t nowMs = 0) {
    const std::vector<std::string> answers = engine.HandleLine(line, nowMs);
    if (answers.empty()) return "<none>";
    EXPECT_EQ(answers.size(), 1u) << line;
    return answers.front();
  }

  CameraEngine engine;
};

TEST_F(EngineTest, WritesAreCompletedOrRefusedAndQueriesEchoTheMnemonic) {
  EXPECT_EQ(Ask("GA?"), "GA=100");
  EXPECT_EQ(Ask("GA=200"), "COMPLETE");
  EXPECT_EQ(Ask("GA?"), "GA=200");
  EXPECT_EQ(Ask("GA=7000"), kErrRange);
  EXPECT_EQ(Ask("GA=99"), kErrRange);
  EXPECT_EQ(Ask("GA?"), "GA=200");  // a refused write leaves the value
  EXPECT_EQ(Ask("BL=-133"), "COMPLETE");
  EXPECT_EQ(Ask("BL?"), "BL=-133");
  EXPECT_EQ(Ask("BL=-134"), kErrRange);
}

TEST_F(EngineTest, MalformedLinesGetErrorLinesAndBlankLinesNothing) {
  for (const char* line : {"ga?", "GAIN?", "GA", "=5", "GA?1", "GA=", "GA=abc", "GA=12x",
                           "GA=99999999999", "hello world"}) {
    EXPECT_THAT(Ask(line), AllOf(StartsWith("ERROR"), Not(StartsWith("COMPLETE")))) << line;
  }
  EXPECT_EQ(Ask(""), "<none>");
  EXPECT_EQ(Ask("  "), "<none>");
}

TEST_F(EngineTest, ListParametersTakeOnlyTheirItemValues) {
  const std::pair<const char*, std::vector<int>> lists[] = {
      {"CBDRT", {1, 2, 4, 8, 16}},
      {"HB", {1, 2}},
      {"PGC", {1, 2}},
      {"PBC", {1, 2}},
      {"LS0", {0, 1, 4, 5, 6, 7}},
      {"TA", {0, 1, 2, 3}},
      {"TAGM", {0, 1, 2, 3, 4}},
      {"CLC", {0, 1, 2, 3}},
  };
  for (const auto& [m, items] : lists) {
    for (int v = -1; v <= 17; ++v) {
      const bool listed = std::find(items.begin(), items.end(), v) != items.end();
      EXPECT_EQ(Ask(std::string(m) + "=" + std::to_string(v)), listed ? "COMPLETE" : kErrRange)
          << m << "=" << v;
    }
  }
}

TEST_F(EngineTest, EveryCommandIsKnownAndQueryableOnesAnswerTheirOwnMnemonic) {
  const auto& table = cct::TheCommandTable();
  for (int id = 0; id < cct::kCommandCount; ++id) {
    const std::string m = table.MnemonicOf(id);
    const std::string answer = Ask(m + "?");
    EXPECT_NE(answer, kErrUnknown) << m;
    if (answer != kErrWriteOnly) {
      EXPECT_THAT(answer, StartsWith(m + "=")) << m;
    }
  }
}

TEST_F(EngineTest, DefaultsFollowTheParameterRanges) {
  const std::pair<const char*, const char*> defaults[] = {
      {"ALCS", "4"},   {"AGCF", "20"}, {"AGCGA", "6400"}, {"AGCGI", "100"}, {"GMA", "8"},
      {"HB", "1"},     {"PGC", "1"},   {"CBDRT", "1"},    {"GA4A00", "50"}, {"GA00", "50"},
      {"BL8K00", "0"}, {"EA", "0"},    {"VN", "121"},     {"XMLVR", "101"}, {"MD", "QX-2040L-RTN"},
  };
  for (const auto& [m, v] : defaults)
    EXPECT_EQ(Ask(std::string(m) + "?"), m + std::string("=") + v);
  // The line period starts above its limit and the exposure inside its limits.
  std::string lr, armin, pe, pemin, pemax;
  engine.GetValue("LR", lr);
  engine.GetValue("ARMIN", armin);
  engine.GetValue("PE", pe);
  engine.GetValue("PEMIN", pemin);
  engine.GetValue("PEMAX", pemax);
  EXPECT_GT(std::stoi(lr), std::stoi(armin));
  EXPECT_GE(std::stoi(pe), std::stoi(pemin));
  EXPECT_LE(std::stoi(pe), std::stoi(pemax));
}

TEST_F(EngineTest, ReadOnlyAndWriteOnlyCommandsRefuseTheOtherDirection) {
  for (const char* m :
       {"VN=1", "PV=1", "ID=X", "MD=X", "ARMIN=1", "PEMAX=1", "TMP0=1", "EA=1", "SDS=0"}) {
    EXPECT_EQ(Ask(m), kErrReadOnly) << m;
  }
  for (const char* m : {"SDR?", "LD?", "SA?", "ULCK?", "ID00?", "CRS00?"}) {
    EXPECT_EQ(Ask(m), kErrWriteOnly) << m;
  }
}

TEST_F(EngineTest, LineRateLimitsFollowTheSensorAndOnePushFitsTheExposure) {
  std::string armin;
  engine.GetValue("ARMIN", armin);
  EXPECT_EQ(Ask("LR=" + std::to_string(std::stoi(armin) - 1)), kErrRange);
  EXPECT_EQ(Ask("LR=" + armin), "COMPLETE");

  EXPECT_EQ(Ask("PE=5000"), "COMPLETE");
  EXPECT_EQ(Ask("AR=0"), "COMPLETE");
  EXPECT_EQ(Ask("LR?"), "LR=" + std::to_string(5000 + kReadoutOverhead));

  EngineOptions options;
  options.model = "QX-2080L-RTN";
  CameraEngine eightK(options);
  std::string armin8k;
  eightK.GetValue("ARMIN", armin8k);
  EXPECT_GT(std::stoi(armin8k), std::stoi(armin));
}

TEST_F(EngineTest, TemperatureDependsOnTheSelectedPlace) {
  std::set<std::string> readings;
  for (int place = 0; place < 4; ++place) {
    ASSERT_EQ(Ask("TMPS0=" + std::to_string(place)), "COMPLETE");
    readings.insert(Ask("TMP0?"));
  }
  EXPECT_EQ(readings.size(), 4u);
  EXPECT_EQ(Ask("TMPS0=4"), kErrRange);
}

TEST_F(EngineTest, TextCommandsAndCameraIdUnlock) {
  EXPECT_EQ(Ask("UD=Line 7 left"), "COMPLETE");
  EXPECT_EQ(Ask("UD?"), "UD=Line 7 left");
  EXPECT_EQ(Ask("UD=0123456789ABCDEF"), "COMPLETE");
  EXPECT_EQ(Ask("UD=0123456789ABCDEFG"), kErrTooLong);

  EXPECT_EQ(Ask("ID00=NEWID00001"), kErrLocked);
  EXPECT_EQ(Ask("ULCK=1234"), kErrCode);
  EXPECT_EQ(Ask("ID00=NEWID00001"), kErrLocked);
  EXPECT_EQ(Ask("ULCK=5170392"), "COMPLETE");
  EXPECT_EQ(Ask("ID00=NEWID00001"), "COMPLETE");
  EXPECT_EQ(Ask("ID?"), "ID=NEWID00001");
  EXPECT_EQ(Ask("ID00=AGAIN"), kErrLocked);  // one write per unlock
  EXPECT_EQ(Ask("ULCK=5170392"), "COMPLETE");
  EXPECT_EQ(Ask("ID00=12345678901"), kErrTooLong);

  EXPECT_EQ(Ask("MD00=QX-2080L-VRTN"), "COMPLETE");
  EXPECT_EQ(Ask("MD?"), "MD=QX-2080L-VRTN");

  EXPECT_EQ(Ask("DV00=10.20.30.40"), "COMPLETE");
  EXPECT_EQ(Ask("DV?"), "DV=10.20.30.40");
  for (const char* bad : {"DV00=1.2.3", "DV00=1.2.3.4.5", "DV00=1..3.4"}) {
    EXPECT_EQ(Ask(bad), kErrValue) << bad;
  }
  // A setting file writes the device version back: the same text passes.
  EXPECT_EQ(Ask("DV=10.20.30.40"), "COMPLETE");
  EXPECT_EQ(Ask("DV=1.2.3.4"), kErrReadOnly);
}

TEST_F(EngineTest, FlashAreasStoreAndLoadSettingsAndLut) {
  EXPECT_EQ(Ask("GA=300"), "COMPLETE");
  EXPECT_EQ(Ask("LUTI=7"), "COMPLETE");
  EXPECT_EQ(Ask("LUTD=4000"), "COMPLETE");
  EXPECT_EQ(Ask("SA=2"), "COMPLETE");
  EXPECT_EQ(Ask("GA=400"), "COMPLETE");
  EXPECT_EQ(Ask("LUTD=1"), "COMPLETE");
  EXPECT_EQ(Ask("SA00=0"), "COMPLETE");

  EXPECT_EQ(Ask("LD=2"), "COMPLETE");
  EXPECT_EQ(Ask("GA?"), "GA=300");
  EXPECT_EQ(Ask("LUTD?"), "LUTD=4000");
  EXPECT_EQ(Ask("EA?"), "EA=2");
  EXPECT_EQ(Ask("LD=0"), "COMPLETE");
  EXPECT_EQ(Ask("GA?"), "GA=400");
  EXPECT_EQ(Ask("EA?"), "EA=0");
  EXPECT_EQ(Ask("LD=1"), "COMPLETE");
  EXPECT_EQ(Ask("GA?"), "GA=100");  // never stored: the defaults

  EXPECT_EQ(Ask("SA=0"), kErrRange);
  EXPECT_EQ(Ask("SA=4"), kErrRange);
  EXPECT_EQ(Ask("SA00=1"), kErrRange);
  EXPECT_EQ(Ask("LD=4"), kErrRange);
}

TEST_F(EngineTest, LutEntriesAreAddressedByTheIndex) {
  EXPECT_EQ(Ask("LUTD?"), "LUTD=0");
  EXPECT_EQ(Ask("LUTI=255"), "COMPLETE");
  EXPECT_EQ(Ask("LUTD?"), "LUTD=4095");
  EXPECT_EQ(Ask("LUTI=10"), "COMPLETE");
  EXPECT_EQ(Ask("LUTD=1234"), "COMPLETE");
  EXPECT_EQ(Ask("LUTI=11"), "COMPLETE");
  EXPECT_THAT(Ask("LUTD?"), Not("LUTD=1234"));
  EXPECT_EQ(Ask("LUTI=10"), "COMPLETE");
  EXPECT_EQ(Ask("LUTD?"), "LUTD=1234");
  EXPECT_EQ(Ask("LUTD=4096"), kErrRange);
  EXPECT_EQ(Ask("LUTI=256"), kErrRange);
  EXPECT_EQ(Ask("LUTI?"), "LUTI=10");
}

TEST(EngineCalibrationTest, StatusIsBusyForTheConfiguredPollsThenTheResult) {
  EngineOptions options;
  options.calibrationBusyPolls = 2;
  options.calibrationResult = 3;
  CameraEngine engine(options);
  EXPECT_THAT(engine.HandleLine("PGR=0", 0), ElementsAre("COMPLETE"));
  EXPECT_THAT(engine.HandleLine("SDS?", 0), ElementsAre("SDS=1"));  // another calibration
  EXPECT_THAT(engine.HandleLine("PGS?", 0), ElementsAre("PGS=0"));
  EXPECT_THAT(engine.HandleLine("PGS?", 0), ElementsAre("PGS=0"));
  EXPECT_THAT(engine.HandleLine("PGS?", 0), ElementsAre("PGS=3"));
  EXPECT_THAT(engine.HandleLine("PGS?", 0), ElementsAre("PGS=3"));
  EXPECT_THAT(engine.HandleLine("PBR00=0", 0), ElementsAre("COMPLETE"));
  EXPECT_THAT(engine.HandleLine("PBS00?", 0), ElementsAre("PBS00=0"));
  EXPECT_THAT(engine.HandleLine("PGR=1", 0), ElementsAre(kErrRange));
}

TEST(EngineBaudTest, NewRateAppliesOnlyWhenTheTransportSaysSo) {
  CameraEngine engine;
  EXPECT_THAT(engine.HandleLine("CBDRT=16", 0), ElementsAre("COMPLETE"));
  EXPECT_EQ(engine.BaudRate(), 9600);
  engine.ApplyPendingBaudRate();
  EXPECT_EQ(engine.BaudRate(), 115200);
  EXPECT_THAT(engine.HandleLine("CBDRT?", 0), ElementsAre("CBDRT=16"));
  EXPECT_THAT(engine.HandleLine("CBDRT=3", 0), ElementsAre(kErrRange));
  engine.ApplyPendingBaudRate();
  EXPECT_EQ(engine.BaudRate(), 115200);
  EngineOptions options;
  options.baudRate = 38400;
  EXPECT_EQ(CameraEngine(options).BaudRate(), 38400);
}

TEST(EngineResetTest, SilentForTheResetTimeThenBackOnTheBootArea) {
  EngineOptions options;
  options.resetSilenceMs = 2000;
  CameraEngine engine(options);
  EXPECT_THAT(engine.HandleLine("GA=500", 0), ElementsAre("COMPLETE"));
  EXPECT_THAT(engine.HandleLine("SA=3", 0), ElementsAre("COMPLETE"));
  EXPECT_THAT(engine.HandleLine("GA=600", 0), ElementsAre("COMPLETE"));
  EXPECT_THAT(engine.HandleLine("LUTI=9", 0), ElementsAre("COMPLETE"));
  EXPECT_THAT(engine.HandleLine("UD=kept", 0), ElementsAre("COMPLETE"));
  EXPECT_THAT(engine.HandleLine("CRS00=1", 1000), ElementsAre("COMPLETE"));
  EXPECT_THAT(engine.HandleLine("GA?", 1000), IsEmpty());
  EXPECT_THAT(engine.HandleLine("GA?", 2999), IsEmpty());
  // Boot area "Default": the factory area, which still holds the defaults.
  EXPECT_THAT(engine.HandleLine("GA?", 3000), ElementsAre("GA=100"));
  EXPECT_THAT(engine.HandleLine("LUTI?", 3000), ElementsAre("LUTI=0"));
  EXPECT_THAT(engine.HandleLine("UD?", 3000), ElementsAre("UD=kept"));

  // Boot area "Update": the user area stored last.
  EXPECT_THAT(engine.HandleLine("BAS00=1", 3000), ElementsAre("COMPLETE"));
  EXPECT_THAT(engine.HandleLine("CRS00=1", 3000), ElementsAre("COMPLETE"));
  EXPECT_THAT(engine.HandleLine("GA?", 5000), ElementsAre("GA=500"));
  EXPECT_THAT(engine.HandleLine("EA?", 5000), ElementsAre("EA=3"));
  EXPECT_THAT(engine.HandleLine("CRS00=0", 5000), ElementsAre(kErrRange));
}

TEST(EngineFaultTest, SilentAndRefusedCameras) {
  EngineOptions options;
  options.refused = {"GA", "XYZ"};
  CameraEngine engine(options);
  EXPECT_THAT(engine.HandleLine("GA?", 0), ElementsAre(kErrRefused));
  EXPECT_THAT(engine.HandleLine("GA=200", 0), ElementsAre(kErrRefused));
  EXPECT_THAT(engine.HandleLine("BL?", 0), ElementsAre("BL=0"));
  engine.MutableOptions().silent = true;
  EXPECT_THAT(engine.HandleLine("BL?", 0), IsEmpty());
  EXPECT_THAT(engine.HandleLine("nonsense", 0), IsEmpty());
}

TEST(EngineFaultTest, RefusesOnlyTheExactLineAndChangesNothing) {
  EngineOptions options;
  options.refusedLines = {"GA=200"};
  CameraEngine engine(options);
  EXPECT_THAT(engine.HandleLine("GA=200", 0), ElementsAre(kErrRefused));
  EXPECT_THAT(engine.HandleLine(" GA=200 ", 0), ElementsAre(kErrRefused));
  EXPECT_THAT(engine.HandleLine("GA?", 0), ElementsAre("GA=100"));
  EXPECT_THAT(engine.HandleLine("GA=300", 0), ElementsAre("COMPLETE"));
  EXPECT_THAT(engine.HandleLine("GA?", 0), ElementsAre("GA=300"));
}

TEST(EngineFaultTest, FallsSilentAfterTheConfiguredLinesAndHearsNothingMore) {
  EngineOptions options;
  options.silentAfterLines = 3;
  CameraEngine engine(options);
  EXPECT_THAT(engine.HandleLine("GA=200", 0), ElementsAre("COMPLETE"));
  EXPECT_THAT(engine.HandleLine("  ", 0), IsEmpty());  // a bare line end does not count
  EXPECT_THAT(engine.HandleLine("nonsense", 0), ElementsAre(kErrSyntax));
  EXPECT_THAT(engine.HandleLine("GA?", 0), ElementsAre("GA=200"));
  for (const char* line : {"GA=300", "GA?", "BL?", "nonsense"}) {
    EXPECT_THAT(engine.HandleLine(line, 0), IsEmpty()) << line;
  }
  std::string ga;
  EXPECT_TRUE(engine.GetValue("GA", ga));
  EXPECT_EQ(ga, "200");

  options.silentAfterLines = 0;
  EXPECT_THAT(CameraEngine(options).HandleLine("GA?", 0), IsEmpty());
}

TEST(EngineFaultTest, AnswerDelayFollowsTheMnemonicWhileTheLineActsAtOnce) {
  EngineOptions options;
  options.answerDelayMs = {{"SA", 3000}, {"GA", 50}};
  CameraEngine engine(options);
  EXPECT_EQ(engine.AnswerDelayMs(" SA ?"), 3000u);
  EXPECT_EQ(engine.AnswerDelayMs("GA=7000"), 50u);  // refused answers are late too
  EXPECT_EQ(engine.AnswerDelayMs("SA00=1"), 0u);
  EXPECT_THAT(engine.HandleLine("GA=200", 0), ElementsAre("COMPLETE"));
  EXPECT_THAT(engine.HandleLine("GA?", 0), ElementsAre("GA=200"));
}

TEST(EngineDirectAccessTest, SetValueBypassesRangesButNotKinds) {
  CameraEngine engine;
  EXPECT_TRUE(engine.SetValue("GA", "9999"));
  EXPECT_THAT(engine.HandleLine("GA?", 0), ElementsAre("GA=9999"));
  EXPECT_FALSE(engine.SetValue("GA", "x"));
  EXPECT_FALSE(engine.SetValue("NOPE", "1"));
  EXPECT_FALSE(engine.SetValue("LUTI", "256"));  // an index stays inside its table
  EXPECT_TRUE(engine.SetValue("TMP0", "-5"));
  EXPECT_THAT(engine.HandleLine("TMP0?", 0), ElementsAre("TMP0=-5"));
  EXPECT_TRUE(engine.SetValue("MD", "QX-2080L-RTN"));
  std::string md;
  EXPECT_TRUE(engine.GetValue("MD", md));
  EXPECT_EQ(md, "QX-2080L-RTN");
}

}  // namespace
}  // namespace sim
