#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The offscreen platform notes every window-manager request it cannot serve;
// those notes say nothing about the program.
QtMessageHandler defaultHandler = nullptr;

void DropPlatformNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.startsWith(QLatin1String("This plugin does not support"))) return;
  defaultHandler(type, context, text);
}

}  // namespace

// Window tests run without a display and never reach the operator's own
// configuration; each test narrows this further to a folder of its own.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir config;
  if (!config.isValid()) return 1;
  qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
  defaultHandler = qInstallMessageHandler(DropPlatformNotes);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
