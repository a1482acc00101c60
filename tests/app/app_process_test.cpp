#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QThread>

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "settings_sandbox.h"
#include "sim/pty_camera.h"

namespace cct {
namespace {

// The real program, started on a private configuration folder.
class AppProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(config.IsValid());
    // A camera on COM1 of the private port map answers the start-up probe at
    // once, so the program never searches the machine's own serial ports.
    std::string error;
    ASSERT_TRUE(camera.Start(&error)) << error;
  }

  // Starts the program and waits until its run has begun: the store exists
  // and the marker reads 0.
  void Start(const std::vector<std::pair<QString, QString>>& variables = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", config.Path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    for (const auto& [name, value] : variables) env.insert(name, value);
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(CCT_APP_BINARY, {});
    ASSERT_TRUE(program.waitForStarted(10000));
    QElapsedTimer waited;
    waited.start();
    while (!(QFile::exists(config.ConfFile()) && Marker() == 0)) {
      ASSERT_EQ(program.state(), QProcess::Running);
      ASSERT_LT(waited.elapsed(), 20000) << "the program did not start its run";
      QThread::msleep(20);
    }
    // Let it reach its modal loop.
    QThread::msleep(300);
  }
  void Send(int signalNumber) {
    ASSERT_EQ(::kill(static_cast<pid_t>(program.processId()), signalNumber), 0);
    ASSERT_TRUE(program.waitForFinished(20000));
  }
  // Waits until `done` holds, at most `limitMs`; false when it never did.
  template <typename Done>
  bool WaitFor(Done done, int limitMs = 20000) {
    QElapsedTimer waited;
    waited.start();
    while (!done()) {
      if (waited.elapsed() > limitMs || program.state() != QProcess::Running) return false;
      QThread::msleep(20);
    }
    return true;
  }
  bool CameraHeard(const std::string& line) const {
    const auto lines = camera.ReceivedLines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
  // User and system CPU time of the program so far, in clock ticks.
  long CpuTicks() const {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(program.processId()));
    if (!stat.open(QIODevice::ReadOnly)) return -1;
    const QByteArray text = stat.readAll();
    // The fields after the command name, which ends with the last ')'.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 12 ? fields[11].toLong() + fields[12].toLong() : -1;
  }
  // The most address space the program ever held, in bytes.
  long long PeakBytes() const {
    QFile status(QStringLiteral("/proc/%1/status").arg(program.processId()));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    const auto peak =
        QRegularExpression("VmPeak:\\s*(\\d+) kB").match(QString::fromLatin1(status.readAll()));
    return peak.hasMatch() ? peak.captured(1).toLongLong() * 1024 : -1;
  }
  int Marker() const { return config.Stored("Previous Application Shutdown Status").toInt(); }
  int Stored(const char* name) const {
    const QVariant value = config.Stored(name);
    EXPECT_TRUE(value.isValid()) << name;
    return value.toInt();
  }

  static sim::PtyOptions CameraOnCom1() {
    sim::PtyOptions options;
    options.portName = "COM1";
    options.pace = false;
    return options;
  }

  test::SettingsSandbox config;
  sim::PtyCamera camera{CameraOnCom1()};
  QProcess program;
};

class EndingSignalTest : public AppProcessTest, public ::testing::WithParamInterface<int> {};

TEST_P(EndingSignalTest, FirstRunEndsNormallyAndWritesEveryValue) {
  Start();
  Send(GetParam());
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0);
  EXPECT_EQ(Marker(), 1);
  EXPECT_EQ(Stored("Communication Mode"), 0);
  EXPECT_EQ(Stored("Baudrate"), 9600);
  EXPECT_EQ(Stored("Com Port No"), 0);
  EXPECT_EQ(Stored("Cameralink 2000 Dll Index"), 0);
  EXPECT_EQ(Stored("Cameralink 2001 Dll Index"), 0);
  EXPECT_EQ(Stored("Cameralink Ver11 Dll Index"), 0);
  EXPECT_EQ(Stored("Control Mode"), 0);
}

INSTANTIATE_TEST_SUITE_P(Signals, EndingSignalTest, ::testing::Values(SIGTERM, SIGINT, SIGHUP),
                         [](const auto& info) {
                           return std::string(info.param == SIGTERM  ? "SIGTERM"
                                              : info.param == SIGINT ? "SIGINT"
                                                                     : "SIGHUP");
                         });

TEST_F(AppProcessTest, KilledRunLeavesTheMarkerAtZero) {
  config.Store("Previous Application Shutdown Status", 1);
  Start();
  Send(SIGKILL);
  EXPECT_EQ(program.exitStatus(), QProcess::CrashExit);
  EXPECT_EQ(Marker(), 0);
  EXPECT_FALSE(config.Stored("Control Mode").isValid());
}

TEST_F(AppProcessTest, StoredValuesComeBackAfterARun) {
  config.Store("Previous Application Shutdown Status", 1);
  config.Store("Communication Mode", QStringLiteral("2"));  // text reads as a number
  config.Store("Baudrate", 115200);
  config.Store("Com Port No", 5);
  config.Store("Cameralink 2001 Dll Index", 2);
  config.Store("Control Mode", 1);
  Start();
  Send(SIGTERM);
  EXPECT_EQ(Marker(), 1);
  EXPECT_EQ(Stored("Communication Mode"), 2);
  EXPECT_EQ(Stored("Baudrate"), 9600);  // every run starts at 9600
  EXPECT_EQ(Stored("Com Port No"), 5);
  EXPECT_EQ(Stored("Cameralink 2001 Dll Index"), 2);
  EXPECT_EQ(Stored("Control Mode"), 1);
}

// Values in Qt's own encodings of lists and strings that claim billions of
// entries, as fuzzing found them: the tool starts on its defaults, connects
// within bounded memory, and writes plain numbers back.
TEST_F(AppProcessTest, StoredValuesClaimingHugeSizesReadAsDefaultsAndGoBackPlain) {
  QFile corpus(CCT_PREFERENCES_CORPUS "/variants_claiming_huge_lengths");
  ASSERT_TRUE(corpus.open(QIODevice::ReadOnly));
  ASSERT_TRUE(config.Write(corpus.readAll()));
  Start();
  EXPECT_TRUE(WaitFor([this] { return CameraHeard("MF?"); })) << "no full read on COM1";
  const long long peak = PeakBytes();
  EXPECT_GT(peak, 0);
#ifndef __SANITIZE_ADDRESS__  // its shadow memory alone reserves terabytes
  EXPECT_LT(peak, 1500000000LL);
#endif
  Send(SIGTERM);
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0);
  const QString text = QString::fromLatin1(config.Text());
  for (const char* name : {"Previous Application Shutdown Status", "Communication Mode", "Baudrate",
                           "Com Port No", "Cameralink 2000 Dll Index", "Cameralink 2001 Dll Index",
                           "Cameralink Ver11 Dll Index", "Control Mode"}) {
    const QString key = QString::fromLatin1(name).replace(' ', "%20");
    EXPECT_TRUE(QRegularExpression("^" + key + "=-?[0-9]+$", QRegularExpression::MultilineOption)
                    .match(text)
                    .hasMatch())
        << name << " in\n"
        << text.toStdString();
  }
  EXPECT_EQ(Stored("Control Mode"), 0);
  EXPECT_EQ(Stored("Com Port No"), 0);
}

TEST_F(AppProcessTest, AStoredPortItCannotUseStartsOnTheDefaultAndGoesBackAsIt) {
  config.Store("Previous Application Shutdown Status", 1);
  config.Store("Com Port No", 2147483647);
  config.Store("Control Mode", 7);
  Start();
  EXPECT_TRUE(WaitFor([this] { return CameraHeard("MD?"); })) << "COM1 was not tried";
  Send(SIGTERM);
  EXPECT_EQ(Stored("Com Port No"), 0);
  EXPECT_EQ(Stored("Control Mode"), 0);
}

TEST_F(AppProcessTest, AfterARunKilledInCameraLinkModeTheNextStartsOnTheComPort) {
  config.Store("Previous Application Shutdown Status", 1);
  config.Store("Communication Mode", 3);
  Start();
  Send(SIGKILL);
  EXPECT_FALSE(CameraHeard("MD?"));  // that run never opened COM1

  Start();
  EXPECT_TRUE(WaitFor([this] { return CameraHeard("MF?"); })) << "no full read on COM1";
  Send(SIGTERM);
  EXPECT_EQ(Stored("Communication Mode"), 0);
}

TEST_F(AppProcessTest, StoredCameraLinkModeConnectsAtStartUpAndReadsTheSettings) {
  const QString log = config.Path() + "/camera.log";
  config.Store("Previous Application Shutdown Status", 1);
  config.Store("Communication Mode", 1);
  Start({{"CLSERIALPATH", FAKE_CL_2000_DIR}, {"FAKE_CL_LOG", log}});
  QStringList heard;
  EXPECT_TRUE(WaitFor([&] {
    QFile file(log);
    heard = file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()).split('\n')
                                           : QStringList();
    return heard.contains("MF?");
  })) << heard.join(' ').toStdString();
  // Found at 9600 on the library's first port, then the full read.
  EXPECT_EQ(heard.mid(0, 4), (QStringList{"MD?", "EA?", "MD?", "CBDRT?"}));
  Send(SIGTERM);
  EXPECT_EQ(Stored("Communication Mode"), 1);
}

TEST_F(AppProcessTest, CameraLinkModeWithoutAPortIdlesWithoutSpinning) {
  config.Store("Previous Application Shutdown Status", 1);
  config.Store("Communication Mode", 1);
  Start({{"CLSERIALPATH", config.Path()}});  // a grabber folder without any library
  QThread::msleep(500);
  const long before = CpuTicks();
  QThread::msleep(4000);
  const long used = CpuTicks() - before;
  ASSERT_GE(before, 0);
  // Under 1 % of a core: 40 ms in 4 s, 4 ticks of 10 ms.
  EXPECT_LE(used * 1000 / sysconf(_SC_CLK_TCK), 40) << used << " ticks";
  Send(SIGKILL);
}

// One signal ends the tool promptly wherever it waits, as a normal end: well
// within the 6 s an operator would wait, where the remaining probes and
// queries would take 5 to 140 s.
class PromptShutdownTest : public AppProcessTest {
 protected:
  void EndsWithin(int limitMs) {
    QElapsedTimer took;
    took.start();
    Send(SIGTERM);
    EXPECT_LT(took.elapsed(), limitMs);
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(Marker(), 1);
  }
  size_t Heard() const { return camera.ReceivedLines().size(); }
};

TEST_F(PromptShutdownTest, FromAStartUpMessageBox) {
  config.Store("Previous Application Shutdown Status", 1);
  config.Store("Communication Mode", 1);
  Start({{"CLSERIALPATH", config.Path()}});  // no library: "Failed to initialize!" waits
  EndsWithin(3000);
}

TEST_F(PromptShutdownTest, FromTheBaudSearchOnASilentPort) {
  camera.WithEngine([](sim::CameraEngine& engine) { engine.MutableOptions().silent = true; });
  config.Store("Previous Application Shutdown Status", 1);
  Start();
  EndsWithin(3000);
}

TEST_F(PromptShutdownTest, FromAFullReadWhoseCameraFellSilent) {
  camera.WithEngine(
      [](sim::CameraEngine& engine) { engine.MutableOptions().silentAfterLines = 20; });
  config.Store("Previous Application Shutdown Status", 1);
  Start();
  ASSERT_TRUE(WaitFor([this] { return Heard() > 20; }));
  const size_t before = Heard();
  EndsWithin(3000);
  EXPECT_LE(Heard(), before + 1);  // nothing more than the query under way
}

}  // namespace
}  // namespace cct
