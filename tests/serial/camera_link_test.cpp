// The Camera Link channels through CSerialChannel, against the fake grabber
// libraries of sim/fake_camera_link loaded with dlopen.
//
// Generation 2000 libraries are loaded by full path from CLSERIALPATH, which
// the tests set as they go. Generations 2001 and 1.1 are found by name through
// the dynamic linker's search, and the linker reads LD_LIBRARY_PATH only when
// a process starts. Their tests therefore run their body in a fresh copy of
// this program whose LD_LIBRARY_PATH names a private folder of the test's own;
// the body links the fake library it wants into that folder, or removes it,
// before the channel searches. Every test stays independent of the others, of
// parallel runs and of how the program is started.

#include <dlfcn.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "protocol/command.h"
#include "serial/serial_channel.h"
#include "support/recording_host.h"
#include "support/scoped_env.h"

extern char** environ;

namespace cct {
namespace {

namespace fs = std::filesystem;
using test::RecordingHost;
using test::ScopedEnv;

const std::string kFake2000Dir = FAKE_CL_2000_DIR;
const std::string kFake2001Dir = FAKE_CL_2001_DIR;
const std::string kFake11Dir = FAKE_CL_11_DIR;
const std::string kFake11NoFlushDir = FAKE_CL_11_NOFLUSH_DIR;

// Set in a child run to the folder its dynamic linker searches first.
constexpr const char* kSearchFolderVariable = "CCT_CL_TEST_SEARCH_FOLDER";
// Left in that folder by a child whose test body ran to its end.
constexpr const char* kRanMarker = ".ran";

class TempFolder {
 public:
  TempFolder() {
    char pattern[] = "/tmp/cct-camera-link-XXXXXX";
    const char* made = ::mkdtemp(pattern);
    path_ = made != nullptr ? made : "";
  }
  ~TempFolder() {
    std::error_code ec;
    if (!path_.empty()) fs::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// Whether the dynamic linker holds the library now, without loading it.
bool IsLoaded(const std::string& nameOrPath) {
  void* handle = ::dlopen(nameOrPath.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (handle == nullptr) return false;
  ::dlclose(handle);
  return true;
}

class CameraLinkTest : public ::testing::Test {
 protected:
  CameraLinkTest() { timing.answerPollMs = 1; }

  // Asks the camera for its gain ("GA?"); the simulated camera answers 100.
  std::optional<int32_t> QueryGain() {
    int32_t value = 0;
    if (!command.QueryValue(kCmdGA, value, 200)) return std::nullopt;
    return value;
  }

  RecordingHost host;
  NullPreferences prefs;
  SteadyClock clock;
  Timing timing;
  CSerialChannel line{host, prefs, clock};
  Command command{line, host, clock, timing};
};

// ---- Generation 2000: library files of the Camera Link folder ----

class CameraLink2000Test : public CameraLinkTest {
 protected:
  CameraLink2000Test() { line.SetMode(kModeCameraLink2000); }
  const std::string fakePath = kFake2000Dir + "/libclserfake.so";
};

TEST_F(CameraLink2000Test, ListsTheMatchingFilesOfTheFolderWithoutLoadingThem) {
  TempFolder folder;
  ScopedEnv path("CLSERIALPATH", folder.Path());
  EXPECT_EQ(line.GetPortCount(), 0);
  EXPECT_EQ(line.GetPortName(0), "");

  for (const char* name :
       {"libclserB.so", "clserA.so", "libclser.so.1", "camera.so", "clser.txt", "xclserC.so"}) {
    fs::create_symlink(fakePath, folder.Path() + "/" + name);
  }
  fs::create_directory(folder.Path() + "/clserdir.so");
  ASSERT_EQ(line.GetPortCount(), 2);
  EXPECT_EQ(line.GetPortName(0), "clserA.so");
  EXPECT_EQ(line.GetPortName(1), "libclserB.so");
  EXPECT_EQ(line.GetPortName(2), "");
  EXPECT_EQ(line.GetPortName(-1), "");
  EXPECT_FALSE(IsLoaded(folder.Path() + "/clserA.so"));
}

TEST_F(CameraLink2000Test, QueryReachesTheCameraAt9600) {
  ScopedEnv path("CLSERIALPATH", kFake2000Dir);
  ASSERT_EQ(line.GetPortCount(), 1);
  EXPECT_EQ(line.GetPortName(0), "libclserfake.so");
  ASSERT_TRUE(line.Open(kModeCameraLink2000, 9600, 0));
  EXPECT_EQ(QueryGain(), 100);
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(CameraLink2000Test, OpensOnlyFilesListedInThisRun) {
  ScopedEnv path("CLSERIALPATH", kFake2000Dir);
  EXPECT_FALSE(line.Open(kModeCameraLink2000, 9600, 0));
  line.GetPortCount();
  EXPECT_FALSE(line.Open(kModeCameraLink2000, 9600, 1));
  EXPECT_TRUE(line.Open(kModeCameraLink2000, 9600, 0));
}

TEST_F(CameraLink2000Test, OtherRatesAreRefusedWhileThePortStaysOpen) {
  ScopedEnv path("CLSERIALPATH", kFake2000Dir);
  line.GetPortCount();
  EXPECT_FALSE(line.Open(kModeCameraLink2000, 115200, 0));
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, "Selected baud rate is not supported.");
  EXPECT_EQ(host.boxes[0].caption, kAppCaption);
  EXPECT_EQ(host.boxes[0].icon, MsgIcon::Warning);
  EXPECT_EQ(QueryGain(), 100);
}

TEST_F(CameraLink2000Test, LibraryStaysLoadedUntilCloseOnly) {
  ScopedEnv path("CLSERIALPATH", kFake2000Dir);
  line.GetPortCount();
  {
    ScopedEnv fail("FAKE_CL_INIT_FAIL", "1");
    EXPECT_FALSE(line.Open(kModeCameraLink2000, 9600, 0));
    EXPECT_TRUE(IsLoaded(fakePath));
    line.Close();
    EXPECT_FALSE(IsLoaded(fakePath));
  }
  ASSERT_TRUE(line.Open(kModeCameraLink2000, 9600, 0));
  line.Close();
  EXPECT_FALSE(IsLoaded(fakePath));
}

TEST_F(CameraLink2000Test, FailedReadGivesNoBytes) {
  ScopedEnv path("CLSERIALPATH", kFake2000Dir);
  line.GetPortCount();
  ASSERT_TRUE(line.Open(kModeCameraLink2000, 9600, 0));
  {
    ScopedEnv fail("FAKE_CL_READ_FAIL", "1");
    ASSERT_TRUE(line.Write("GA?\r\n"));
    char buffer[8] = {};
    EXPECT_EQ(line.Read(buffer, 8, 30), 0);
    EXPECT_EQ(QueryGain(), std::nullopt);
  }
  EXPECT_EQ(QueryGain(), 100);
}

// A careless library: one that writes more than it is asked for (into our
// buffer, its surplus kept for the next reads), one that takes nothing of a
// write and says so, one whose read blocks past its limit. The line stays
// whole and every exchange keeps its bound.
TEST_F(CameraLink2000Test, ACarelessLibraryNeitherOverrunsNorLosesNorHangs) {
  ScopedEnv path("CLSERIALPATH", kFake2000Dir);
  line.GetPortCount();
  ASSERT_TRUE(line.Open(kModeCameraLink2000, 9600, 0));
  {
    ScopedEnv overrun("FAKE_CL_READ_OVERRUN", "64");
    EXPECT_EQ(QueryGain(), 100);
    ASSERT_TRUE(line.Write("GA?\r\nBL?\r\n"));
    std::string got;
    char c;
    while (got.size() < 16 && line.Read(&c, 1, 50) == 1) got += c;
    EXPECT_EQ(got, "GA=100\r\nBL=0\r\n");
  }
  {
    ScopedEnv nothing("FAKE_CL_WRITE_TAKES_NOTHING", "1");
    EXPECT_FALSE(line.Write("GA=200\r\n"));
    ScopedEnv block("FAKE_CL_READ_BLOCK_MS", "300");
    const uint32_t start = clock.Ticks();
    EXPECT_EQ(QueryGain(), std::nullopt);
    // The limit, and the library's overrun of the look before the command
    // and of the last look within the limit.
    EXPECT_LT(TicksSince(start, clock.Ticks()), 200u + 2 * 310u + 100u);
  }
  EXPECT_EQ(QueryGain(), 100);
}

// ---- Generations 2001 and 1.1: libraries found by the linker's search ----

class CameraLinkSearchTest : public CameraLinkTest {
 protected:
  void TearDown() override {
    if (!folder_.empty() && !HasFailure()) std::ofstream(folder_ + "/" + kRanMarker);
  }

  // In the parent: runs this test in a child whose linker searches a fresh
  // private folder first, waits for it and returns true; the child's failures
  // fail the test. In the child: returns false, and the test body goes on.
  bool RanInChildProcess() {
    if (const char* folder = std::getenv(kSearchFolderVariable)) {
      folder_ = folder;
      return false;
    }
    TempFolder folder;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::vector<std::string> args = {
        "/proc/self/exe",
        std::string("--gtest_filter=") + info->test_suite_name() + "." + info->name()};
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
      const std::string entry = *e;
      // Sharding or an output file would make the child skip or clobber.
      if (entry.starts_with("LD_LIBRARY_PATH=") || entry.starts_with("GTEST_")) continue;
      env.push_back(entry);
    }
    env.push_back("LD_LIBRARY_PATH=" + folder.Path());
    env.push_back(std::string(kSearchFolderVariable) + "=" + folder.Path());

    std::vector<char*> argv, envp;
    for (std::string& a : args) argv.push_back(a.data());
    for (std::string& e : env) envp.push_back(e.data());
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    pid_t pid = 0;
    int status = 0;
    EXPECT_EQ(::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()), 0);
    EXPECT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child run failed (above)";
    EXPECT_TRUE(fs::exists(folder.Path() + "/" + kRanMarker)) << "the child did not run the test";
    return true;
  }

  // Makes the search find the fake library `name` of `dir`.
  void Provide(const std::string& dir, const std::string& name) {
    Withdraw(name);
    fs::create_symlink(dir + "/" + name, folder_ + "/" + name);
  }
  void Withdraw(const std::string& name) {
    std::error_code ec;
    fs::remove(folder_ + "/" + name, ec);
  }

  std::string folder_;
};

TEST_F(CameraLinkSearchTest, Mode2ListsMakersAndKeepsTheListWithoutTheLibrary) {
  if (RanInChildProcess()) return;
  line.SetMode(kModeCameraLink2001);
  EXPECT_EQ(line.GetPortCount(), 0);
  EXPECT_FALSE(line.Open(kModeCameraLink2001, 9600, 0));

  const std::string longName(130, 'x');
  ScopedEnv makers("FAKE_CL_MANUFACTURERS", "Alpha,Beta," + longName);
  Provide(kFake2001Dir, "libclserial.so");
  ASSERT_EQ(line.GetPortCount(), 3);
  EXPECT_EQ(line.GetPortName(0), "Alpha");
  EXPECT_EQ(line.GetPortName(1), "Beta");
  EXPECT_EQ(line.GetPortName(2), longName.substr(0, 128));
  EXPECT_FALSE(IsLoaded("libclserial.so"));

  Withdraw("libclserial.so");
  EXPECT_EQ(line.GetPortCount(), 3);
  EXPECT_EQ(line.GetPortName(1), "Beta");
  EXPECT_FALSE(line.Open(kModeCameraLink2001, 9600, 1));
}

TEST_F(CameraLinkSearchTest, Mode2OpensTheListedMakerAndSurvivesAListingWhileOpen) {
  if (RanInChildProcess()) return;
  ScopedEnv makers("FAKE_CL_MANUFACTURERS", "Alpha,Beta");
  Provide(kFake2001Dir, "libclserial.so");
  line.SetMode(kModeCameraLink2001);
  EXPECT_FALSE(line.Open(kModeCameraLink2001, 9600, 1));  // no listing yet

  ASSERT_EQ(line.GetPortCount(), 2);
  ASSERT_TRUE(line.Open(kModeCameraLink2001, 19200, 1));
  EXPECT_EQ(QueryGain(), std::nullopt);  // the camera listens at 9600
  ASSERT_TRUE(line.Open(kModeCameraLink2001, 9600, 1));
  EXPECT_EQ(line.GetPortCount(), 2);
  EXPECT_EQ(QueryGain(), 100);
  line.Close();
  EXPECT_FALSE(IsLoaded("libclserial.so"));
  EXPECT_TRUE(host.boxes.empty());
}

TEST_F(CameraLinkSearchTest, Mode2RefusesRatesTheLibraryDoesNotSet) {
  if (RanInChildProcess()) return;
  Provide(kFake2001Dir, "libclserial.so");
  line.SetMode(kModeCameraLink2001);
  line.GetPortCount();
  {
    ScopedEnv mask("FAKE_CL_BAUD_MASK", "3");
    EXPECT_FALSE(line.Open(kModeCameraLink2001, 57600, 0));
  }
  {
    ScopedEnv fail("FAKE_CL_SET_BAUD_FAIL", "1");
    EXPECT_FALSE(line.Open(kModeCameraLink2001, 19200, 0));
  }
  ASSERT_EQ(host.boxes.size(), 2u);
  for (const auto& box : host.boxes) {
    EXPECT_EQ(box.text, "Selected baud rate is not supported.");
    EXPECT_EQ(box.icon, MsgIcon::Warning);
  }
  EXPECT_EQ(QueryGain(), 100);  // still open, at the library's 9600
}

TEST_F(CameraLinkSearchTest, Mode3ListsPortsOfCompleteLibrariesOnly) {
  if (RanInChildProcess()) return;
  line.SetMode(kModeCameraLink11);
  EXPECT_EQ(line.GetPortCount(), 0);
  EXPECT_EQ(line.GetPortName(0), "");

  Provide(kFake11Dir, "libclallserial.so");
  ASSERT_EQ(line.GetPortCount(), 2);
  EXPECT_EQ(line.GetPortName(0), "Fakegrab - port0");
  EXPECT_EQ(line.GetPortName(1), "Fakegrab - port1");
  {
    const std::string maker(200, 'm');
    const std::string port(130, 'p');
    ScopedEnv ports("FAKE_CL_PORTS", maker + "|" + port);
    ASSERT_EQ(line.GetPortCount(), 1);
    EXPECT_EQ(line.GetPortName(0), maker.substr(0, 128) + " - " + port.substr(0, 128));
  }

  // clFlushPort is never called, yet a library without it is refused.
  Provide(kFake11NoFlushDir, "libclallserial.so");
  EXPECT_EQ(line.GetPortCount(), 0);
  EXPECT_FALSE(line.Open(kModeCameraLink11, 9600, 0));
  Withdraw("libclallserial.so");
  EXPECT_FALSE(line.Open(kModeCameraLink11, 9600, 0));
}

TEST_F(CameraLinkSearchTest, Mode3TalksAtTheRateSetAndSurvivesAListingWhileOpen) {
  if (RanInChildProcess()) return;
  ScopedEnv cameraRate("FAKE_CL_CAMERA_BAUD", "38400");
  Provide(kFake11Dir, "libclallserial.so");
  ASSERT_TRUE(line.Open(kModeCameraLink11, 9600, 1));  // no listing needed
  EXPECT_EQ(QueryGain(), std::nullopt);
  ASSERT_TRUE(line.Open(kModeCameraLink11, 38400, 1));
  EXPECT_EQ(line.GetPortCount(), 2);
  EXPECT_EQ(QueryGain(), 100);
  line.Close();
  EXPECT_FALSE(IsLoaded("libclallserial.so"));
}

TEST_F(CameraLinkSearchTest, Mode3RefusedRateNamesThePortAndLeavesItOpen) {
  if (RanInChildProcess()) return;
  ScopedEnv mask("FAKE_CL_BAUD_MASK", "1");
  Provide(kFake11Dir, "libclallserial.so");
  line.SetMode(kModeCameraLink11);
  EXPECT_FALSE(line.Open(kModeCameraLink11, 115200, 1));
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, "Selected baud rate is not supported in Fakegrab - port1.");
  EXPECT_EQ(host.boxes[0].caption, kAppCaption);
  EXPECT_EQ(host.boxes[0].icon, MsgIcon::Warning);
  EXPECT_EQ(QueryGain(), 100);
}

}  // namespace
}  // namespace cct
