// A request to end the program stops a setting-file read and a LUT transfer
// at once, with nothing more sent to the camera.
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include "camera_window_fixture.h"
#include "protocol/shutdown_request.h"
#include "ui/lut/lut_dlg.h"

namespace cct {
namespace {

using test::Lines;

class PromptShutdownTest : public test::CameraWindowTest {
 protected:
  void TearDown() override { ClearShutdownRequest(); }
  // The request comes as the long operation lets the window system run.
  void RequestSoon() {
    QTimer::singleShot(0, [] { RequestShutdown(); });
  }
};

TEST_F(PromptShutdownTest, ASettingFileReadSendsNothingMore) {
  Start();
  QTemporaryDir dir;
  QFile file(dir.path() + "/many.cam");
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  for (int i = 0; i < 30; ++i) file.write("GA=200\r\n");
  file.close();
  const uint32_t start = clock.now;
  RequestSoon();
  prompter.fileAnswers.push_back({kFileDialogOk, file.fileName()});
  window->OpenCameraFile();
  EXPECT_TRUE(Sent().empty());
  EXPECT_LT(clock.now - start, 100u);
}

TEST_F(PromptShutdownTest, ALutWriteStopsAfterTheEntryUnderWay) {
  Start();
  cameraLine.onWrite = [](const std::string& text) {
    if (text == "LUTD=0\r\n") RequestShutdown();
  };
  window->LutEditor(1).OnWriteTableData();
  EXPECT_EQ(Sent(), (Lines{"LUTI=0", "LUTD=0"}));
}

}  // namespace
}  // namespace cct
