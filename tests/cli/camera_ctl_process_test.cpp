// camera-ctl as a script runs it: the built program against simulated cameras
// on COM1 and COM2 of a private port map.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "serial/com_port_channel.h"
#include "sim/pty_camera.h"
#include "support/special_files.h"
#include "support/temp_config.h"

extern char** environ;

namespace cct {
namespace {

struct CtlRun {
  int status = -1;  // exit status, or 128 + signal
  std::string out;
  std::string err;
  long elapsedMs = 0;
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

sim::PtyOptions CameraOn(const char* port) {
  sim::PtyOptions options;
  options.portName = port;
  options.pace = false;
  return options;
}

class CameraCtlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(first.Start(&error)) << error;
    ASSERT_TRUE(second.Start(&error)) << error;
  }

  std::string Scratch(const std::string& name) const { return config.Path() + "/" + name; }

  // Starts camera-ctl with `arguments`; standard output and error go to files,
  // and `input`, when given, comes through a pipe on standard input.
  pid_t Start(const std::vector<std::string>& arguments, const std::string* input = nullptr) {
    std::vector<std::string> all = {CCT_CTL_BINARY};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, Scratch("out").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, Scratch("err").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int in[2] = {-1, -1};
    if (input != nullptr && ::pipe2(in, O_CLOEXEC) == 0) {
      posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    }
    pid_t pid = -1;
    const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (in[1] >= 0) {  // the inputs are smaller than a pipe's buffer
      ::close(in[0]);
      if (failed == 0 && ::write(in[1], input->data(), input->size()) < 0) ADD_FAILURE();
      ::close(in[1]);
    }
    return failed == 0 ? pid : -1;
  }

  CtlRun Finish(pid_t pid, std::chrono::steady_clock::time_point started) {
    CtlRun run;
    int status = 0;
    if (pid > 0 && ::waitpid(pid, &status, 0) == pid) {
      run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    run.elapsedMs = static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now() - started)
                                          .count());
    run.out = ReadFile(Scratch("out"));
    run.err = ReadFile(Scratch("err"));
    return run;
  }

  CtlRun Ctl(const std::vector<std::string>& arguments, const std::string* input = nullptr) {
    const auto started = std::chrono::steady_clock::now();
    return Finish(Start(arguments, input), started);
  }

  std::string Value(sim::PtyCamera& camera, const std::string& mnemonic) {
    std::string value;
    camera.WithEngine([&](sim::CameraEngine& engine) { engine.GetValue(mnemonic, value); });
    return value;
  }

  void Set(sim::PtyCamera& camera, const std::string& mnemonic, const std::string& value) {
    camera.WithEngine([&](sim::CameraEngine& engine) { engine.SetValue(mnemonic, value); });
  }

  void WriteConf(const std::string& text) {
    std::filesystem::create_directories(config.Path() + "/Ovreth");
    std::ofstream(config.Path() + "/Ovreth/QX-2040-RTN Control Tool.conf") << text;
  }

  test::TempConfig config;
  sim::PtyCamera first{CameraOn("COM1")};
  sim::PtyCamera second{CameraOn("COM2")};
};

TEST_F(CameraCtlTest, GetAndIdentifyPrintWhatTheCameraSays) {
  Set(first, "GA", "321");
  CtlRun run = Ctl({"get", "GA", "MD"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "GA=321\nMD=QX-2040L-RTN\n");
  EXPECT_EQ(run.err, "");

  run = Ctl({"--json", "identify"});
  ASSERT_EQ(run.status, 0) << run.err;
  // One object with every field, strings or null, on one line.
  const std::regex object(
      R"(\{"firmware":"[0-9]+\.[0-9]{2}","model":"QX-2040L-RTN","cameraId":"[^"]*",)"
      R"("fpga":"[0-9]+\.[0-9]{2}","userId":"[^"]*","deviceVersion":"[^"]*"\}\n)");
  EXPECT_TRUE(std::regex_match(run.out, object)) << run.out;
}

TEST_F(CameraCtlTest, BadInputSendsNothingAndExitsThree) {
  const std::string noSettings = Scratch("none.cam");
  std::ofstream(noSettings) << "hello\r\nGA=abc\r\nGA00=60\r\n";  // the factory row needs --factory
  const std::string shortLut = Scratch("short.csv");
  std::ofstream(shortLut) << "GammaData\r\n1\r\n2\r\n";
  const std::string badLut = Scratch("bad.csv");
  std::ofstream(badLut) << "GammaData\r\n1,2,3,4\r\n";
  struct Case {
    std::vector<std::string> arguments;
    const char* message;
  };
  const Case cases[] = {
      {{"set", "GA=7000"}, "GA=7000 is out of range: 100 to 6400"},
      {{"set", "GA=200", "TG=9"}, "TG=9 is not in the list: 0 Internal, 1 External"},
      {{"set", "GA00=60"}, "GA00 is a factory setting (use --factory)"},
      {{"set", "GA=2e3"}, "is no NAME=VALUE with a whole number"},
      {{"get", "GA", "NOPE"}, "Unknown command: NOPE"},
      {{"apply", noSettings}, "This file holds no camera setting outside the factory settings"},
      {{"apply", Scratch("missing.cam")}, "Couldn't open this file"},
      {{"lut", "write", shortLut}, "The file holds 2 of 256 LUT entries."},
      {{"lut", "write", badLut}, "Invaild data count format"},
      {{"area", "store", "4"}, "Selected invalid area !"},
      {{"area", "store", "0"}, "needs --factory"},
      {{"raw", "GA?\r\nGA=1"}, "must not hold CR or LF"},
      {{"--baud", "1200", "get", "GA"}, "--baud takes"},
  };
  for (const Case& c : cases) {
    const CtlRun run = Ctl(c.arguments);
    EXPECT_EQ(run.status, 3) << c.arguments[0] << " " << c.arguments[1];
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
  }
  EXPECT_TRUE(first.ReceivedLines().empty());
  EXPECT_EQ(Value(first, "GA"), "100");
}

TEST_F(CameraCtlTest, WhatIsNoFileIsRefusedAtOnceAndSendsNothing) {
  const test::SpecialFiles special(config.Path());
  const std::vector<std::string> cases[] = {
      {"lut", "write", special.directory},
      {"apply", special.directory},
      {"lut", "write", special.zero},
      {"apply", special.zero},
      {"diff", special.huge},
      {"apply", special.fifo},  // no writer: empty
  };
  for (const auto& arguments : cases) {
    const CtlRun run = Ctl(arguments);
    EXPECT_EQ(run.status, 3) << arguments.back() << ": " << run.err;
    EXPECT_NE(run.err.find(arguments.back() == special.fifo ? "holds no camera setting"
                                                            : "Couldn't open this file\n"),
              std::string::npos)
        << run.err;
    EXPECT_LT(run.elapsedMs, 5000);
  }
  EXPECT_TRUE(first.ReceivedLines().empty());
}

TEST_F(CameraCtlTest, APipedFileIsReadOnceAndApplied) {
  const std::string settings = "GA=300\r\nBL=12\r\n";
  EXPECT_EQ(Ctl({"diff", "-"}, &settings).out, "GA: file 300, camera 100\nBL: file 12, camera 0\n");
  for (const char* path : {"/dev/stdin", "-"}) {
    Set(first, "GA", "100");
    Set(first, "BL", "0");
    EXPECT_EQ(Ctl({"apply", path}, &settings).status, 0) << path;
    EXPECT_EQ(Value(first, "GA") + "," + Value(first, "BL"), "300,12") << path;
  }
  const std::string shortLut = "GammaData\r\n1\r\n2\r\n";
  EXPECT_NE(Ctl({"lut", "write", "-"}, &shortLut).err.find("holds 2 of 256"), std::string::npos);
}

TEST_F(CameraCtlTest, ApplySendsTheModelLineOnlyWithFactoryAndNeverTheDeviceLine) {
  const std::string file = Scratch("identity.cam");
  std::ofstream(file, std::ios::binary) << "MD00=QX-2080L-RTN\r\nDV=9.9.9.9\r\nGA=400\r\n";
  EXPECT_EQ(Ctl({"apply", file}).status, 0);
  EXPECT_EQ(Value(first, "MD") + "," + Value(first, "GA"), "QX-2040L-RTN,400");
  EXPECT_EQ(Ctl({"--factory", "apply", file}).status, 0);
  EXPECT_EQ(Value(first, "MD"), "QX-2080L-RTN");
  for (const std::string& line : first.ReceivedLines()) EXPECT_NE(line.substr(0, 3), "DV=");

  // The device line of another camera's dump would be refused; diff shows it.
  Set(second, "DV", "1.2.0.6");
  std::ofstream(file, std::ios::binary) << Ctl({"dump"}).out;
  EXPECT_EQ(Ctl({"--port", "COM2", "apply", file}).status, 0);
  EXPECT_EQ(Ctl({"--port", "COM2", "diff", file}).out, "DV: file 1.2.0.5, camera 1.2.0.6\n");
}

TEST_F(CameraCtlTest, AStoreWaitsAsLongAsTheWindowsForTheFlash) {
  // Longer than camera-ctl once waited, well within the window's limit.
  first.WithEngine([](sim::CameraEngine& e) { e.MutableOptions().answerDelayMs = {{"SA", 8500}}; });
  EXPECT_EQ(Ctl({"area", "store", "1"}).status, 0);
}

TEST_F(CameraCtlTest, CameraTextReachesTheTerminalWithoutItsControlCharacters) {
  first.WithEngine([](sim::CameraEngine& engine) {
    engine.MutableOptions().model = "QX\x1b]0;owned\x07\r";
    engine.SetValue("UD", "\x1b]52;c;QQ\x07\x9b");
  });
  // Without --baud the search names the unknown model on standard error.
  const std::vector<std::string> runs[] = {
      {"identify"}, {"get", "MD", "UD"}, {"raw", "UD?"}, {"--verbose", "get", "UD"}};
  for (const auto& arguments : runs) {
    const CtlRun run = Ctl(arguments);
    EXPECT_NE(run.out.find("\\x1b]"), std::string::npos) << arguments.back();
    EXPECT_EQ((run.out + run.err).find_first_of("\x1b\x07\r\x9b"), std::string::npos)
        << run.out << run.err;
  }
}

TEST_F(CameraCtlTest, DumpApplyAndDiffCloneOneCameraToAnother) {
  // The first camera's settings differ from the defaults the second holds.
  Set(first, "GA", "777");
  Set(first, "BL", "-7");
  Set(first, "TG", "1");
  Set(first, "GA00", "150");  // a factory row: not cloned without --factory

  CtlRun run = Ctl({"dump"});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string file = Scratch("a.cam");
  std::ofstream(file, std::ios::binary) << run.out;
  EXPECT_NE(run.out.find("GA=777\r\n"), std::string::npos);
  EXPECT_EQ(run.out.find("GA00="), std::string::npos);

  run = Ctl({"--port", "COM2", "diff", file});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("GA: file 777, camera 100\n"), std::string::npos) << run.out;

  run = Ctl({"--port", "COM2", "apply", file});
  ASSERT_EQ(run.status, 0) << run.err;
  for (const char* mnemonic : {"GA", "BL", "TG", "DV"}) {
    EXPECT_EQ(Value(second, mnemonic), Value(first, mnemonic)) << mnemonic;
  }
  EXPECT_EQ(Value(second, "GA00"), "50");

  run = Ctl({"--port", "COM2", "diff", file});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "No difference.\n");
  run = Ctl({"--port", "COM2", "--json", "diff", file});
  EXPECT_TRUE(
      std::regex_match(run.out, std::regex(R"(\{"compared":[0-9]+,"differences":\[\]\}\n)")))
      << run.out;
}

TEST_F(CameraCtlTest, LutReadAndWriteCopyTheTableExactly) {
  // Entries the identity curve would not give, the extremes included.
  first.WithEngine([](sim::CameraEngine& engine) {
    for (int k = 0; k < 256; ++k) {
      engine.SetValue("LUTI", std::to_string(k));
      engine.SetValue("LUTD", std::to_string((k * 37 + 11) % 4096));
    }
  });
  CtlRun run = Ctl({"lut", "read"});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string table = Scratch("t.csv");
  std::ofstream(table, std::ios::binary) << run.out;
  run = Ctl({"--port", "COM2", "lut", "write", table});
  ASSERT_EQ(run.status, 0) << run.err;
  for (int k = 0; k < 256; ++k) {
    std::string level;
    second.WithEngine([&](sim::CameraEngine& engine) {
      engine.SetValue("LUTI", std::to_string(k));
      engine.GetValue("LUTD", level);
    });
    ASSERT_EQ(level, std::to_string((k * 37 + 11) % 4096)) << k;
  }
}

TEST_F(CameraCtlTest, TheStoredLineIsUsedAndCameraFailuresHaveTheirStatus) {
  // The window's stored port: COM2.
  WriteConf("[General]\nCommunication%20Mode=0\nCom%20Port%20No=1\n");
  CtlRun run = Ctl({"--baud", "9600", "get", "GA"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(first.ReceivedLines().empty());
  EXPECT_EQ(second.ReceivedLines(), std::vector<std::string>{"GA?"});

  // Refused by the camera: 1, with the camera's words.
  second.WithEngine([](sim::CameraEngine& engine) { engine.MutableOptions().refused = {"BL"}; });
  run = Ctl({"--baud", "9600", "set", "GA=200", "BL=3", "TG=1"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("ERROR"), std::string::npos) << run.err;
  EXPECT_EQ(Value(second, "GA"), "200");
  EXPECT_EQ(Value(second, "TG"), "0");  // nothing after the refusal

  // No answer: 2, said once.
  second.WithEngine([](sim::CameraEngine& engine) { engine.MutableOptions().silent = true; });
  run = Ctl({"--baud", "9600", "get", "GA", "BL"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err,
            "camera-ctl: No answer from Camera! (Timeout error)\n"
            "camera-ctl: Check power on Camera or serial cable connection.\n");
}

TEST_F(CameraCtlTest, OneSignalEndsTheBaudSearchAtOnce) {
  first.WithEngine([](sim::CameraEngine& engine) { engine.MutableOptions().silent = true; });
  const auto started = std::chrono::steady_clock::now();
  const pid_t pid = Start({"get", "GA"});
  ASSERT_GT(pid, 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  ::kill(pid, SIGTERM);
  const CtlRun run = Finish(pid, started);
  EXPECT_EQ(run.status, 128 + SIGTERM);
  EXPECT_LT(run.elapsedMs, 3000);  // the whole search would take over 11 s
  EXPECT_EQ(run.err, "");
}

TEST_F(CameraCtlTest, APortHeldByAnotherProgramIsNotShared) {
  NullHost host;
  CComPortChannel holder(host);
  ASSERT_TRUE(holder.OpenPort("COM1", 9600, 8, 0, false, false));
  const CtlRun run = Ctl({"get", "GA"});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("Failed to initialize COM1 port!"), std::string::npos) << run.err;
  EXPECT_TRUE(first.ReceivedLines().empty());
}

// Cameras that misbehave on the line as real ones do, on COM3 at the rate
// they pace their bytes at.
class CameraCtlLineFaultTest : public CameraCtlTest {
 protected:
  sim::PtyCamera& Faulty(sim::PtyOptions options, int baud) {
    options.portName = "COM3";
    options.engine.baudRate = baud;
    faulty_ = std::make_unique<sim::PtyCamera>(std::move(options));
    std::string error;
    EXPECT_TRUE(faulty_->Start(&error)) << error;
    return *faulty_;
  }

 private:
  std::unique_ptr<sim::PtyCamera> faulty_;
};

// One extra line after every answer (an event, an echo, a repeated
// COMPLETE) is never taken for the next command's answer.
TEST_F(CameraCtlLineFaultTest, AnExtraLineAfterEveryAnswerShiftsNothing) {
  sim::PtyOptions options;
  options.extraLine = "EVENT=1";
  // Unpaced, the extra line is there as soon as the answer: whether the
  // next command goes out before it arrives does not depend on a loaded
  // machine's scheduling.
  options.pace = false;
  for (const int baud : {9600, 115200}) {
    sim::PtyCamera& camera = Faulty(options, baud);
    const std::string rate = std::to_string(baud);
    CtlRun run = Ctl({"--port", "COM3", "--baud", rate, "set", "GA=200", "BL=10", "TG=1"});
    ASSERT_EQ(run.status, 0) << baud << run.err;
    EXPECT_EQ(Value(camera, "GA") + Value(camera, "BL") + Value(camera, "TG"), "200101");
    for (const char* x : {"GA", "TG", "MD"}) {
      run = Ctl({"--port", "COM3", "--baud", rate, "get", x, "PE"});
      EXPECT_EQ(run.status, 0) << run.err;
      EXPECT_EQ(run.out,
                std::string(x) + "=" + Value(camera, x) + "\nPE=" + Value(camera, "PE") + "\n");
    }
  }
}

// A camera that stopped reading stalls a long write: one signal ends it.
TEST_F(CameraCtlLineFaultTest, OneSignalEndsAStalledWrite) {
  sim::PtyOptions options;
  options.stopReadingAfterBytes = 100;
  Faulty(options, 9600);
  const auto started = std::chrono::steady_clock::now();
  const pid_t pid = Start({"--port", "COM3", "--baud", "9600", "raw", std::string(120000, 'A')});
  ASSERT_GT(pid, 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(1000));
  ::kill(pid, SIGTERM);
  const auto signalled = std::chrono::steady_clock::now();
  const CtlRun run = Finish(pid, started);
  EXPECT_EQ(run.status, 128 + SIGTERM);
  EXPECT_LT(std::chrono::steady_clock::now() - signalled, std::chrono::seconds(3));
}

// Characters without any line end: one overflow message, and the exchange
// still ends in time.
TEST_F(CameraCtlLineFaultTest, AStreamWithoutLineEndsIsReportedOnceAndEndsAtTheLimit) {
  sim::PtyOptions options;
  options.streamWithoutLineEnds = true;
  Faulty(options, 115200);
  // Some kilobytes wait on the line before camera-ctl comes.
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  const CtlRun run = Ctl({"--port", "COM3", "--baud", "115200", "get", "GA"});
  // The answer may come clean between two bursts, or inside one.
  EXPECT_LE(run.status, 2) << run.err;
  EXPECT_LT(run.elapsedMs, 3000);
  const std::string overflow = "RS-232C receiving buffer overflowed";
  const size_t first = run.err.find(overflow);
  ASSERT_NE(first, std::string::npos) << run.err;
  EXPECT_EQ(run.err.find(overflow, first + 1), std::string::npos) << run.err;
}

}  // namespace
}  // namespace cct
