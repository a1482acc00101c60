#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace cct {
namespace {

// --help and --version are answered before Qt starts: without any display to
// connect to, and without leaving a preferences file behind.
class InfoOptionTest : public ::testing::Test {
 protected:
  void Run(const QString& option) {
    ASSERT_TRUE(config.isValid());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
    env.insert("XDG_CONFIG_HOME", config.path());
    program.setProcessEnvironment(env);
    program.start(CCT_APP_BINARY, {option});
    ASSERT_TRUE(program.waitForFinished(20000));
    out = QString::fromLocal8Bit(program.readAllStandardOutput());
    err = QString::fromLocal8Bit(program.readAllStandardError());
  }
  void ExpectCleanExit() {
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0) << err.toStdString();
    EXPECT_TRUE(err.isEmpty()) << err.toStdString();
    const QStringList left =
        QDir(config.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    EXPECT_TRUE(left.isEmpty()) << left.join(' ').toStdString();
  }

  QTemporaryDir config;
  QProcess program;
  QString out;
  QString err;
};

// The version the package is built with, so the two cannot drift apart.
TEST_F(InfoOptionTest, VersionIsTheProjectVersion) {
  Run("--version");
  ExpectCleanExit();
  EXPECT_EQ(out.toStdString(), "camera-control-tool " CCT_PROJECT_VERSION "\n");
}

TEST_F(InfoOptionTest, HelpNamesTheOptions) {
  Run("--help");
  ExpectCleanExit();
  EXPECT_TRUE(out.startsWith("usage: camera-control-tool")) << out.toStdString();
  EXPECT_TRUE(out.contains("--help")) << out.toStdString();
  EXPECT_TRUE(out.contains("--version")) << out.toStdString();
}

}  // namespace
}  // namespace cct
