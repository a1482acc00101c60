// The calibration and factory buttons of the pages, on the simulated camera.
#include <QLineEdit>

#include <gtest/gtest.h>

#include "camera_window_fixture.h"
#include "res/templates/page_ids.h"

namespace cct {
namespace {

using test::Lines;

class FactoryOperationsTest : public test::CameraWindowTest {
 protected:
  void SetUp() override { timing.calibrationPauseMs = 5; }
  QComboBox* ModelList() const {
    return qobject_cast<QComboBox*>(window->FindControl(kIdcCameraModel));
  }
  QLineEdit* Edit(int id) const { return qobject_cast<QLineEdit*>(window->FindControl(id)); }
  void SetXml(const char* a, const char* b, const char* c) {
    Edit(kIdcXmlVersion1)->setText(a);
    Edit(kIdcXmlVersion2)->setText(b);
    Edit(kIdcXmlVersion3)->setText(c);
  }
  QStringList XmlFields() const {
    return {Edit(kIdcXmlVersion1)->text(), Edit(kIdcXmlVersion2)->text(),
            Edit(kIdcXmlVersion3)->text()};
  }
};

TEST_F(FactoryOperationsTest, RecalibrationShowsItsResultUnderTheRowsCaption) {
  Start();
  Camera().MutableOptions().calibrationBusyPolls = 2;
  Camera().MutableOptions().calibrationResult = 3;
  window->Recalibrate(kIdcRecalPixelGain);
  EXPECT_EQ(Sent(), (Lines{"PGR=0", "PGS?", "PGS?", "PGS?"}));
  ASSERT_EQ(prompter.boxes.size(), 1u);
  EXPECT_EQ(prompter.boxes[0].text, "Too Dark");
  EXPECT_EQ(prompter.boxes[0].caption, "Recalibrate Pixel Gain (User)");
  EXPECT_EQ(prompter.boxes[0].icon, MsgIcon::None);

  // Refused: the camera's answer only, no result of a calibration that did not run.
  Camera().MutableOptions().refusedLines = {"SDR00=0"};
  prompter.boxes.clear();
  window->Recalibrate(kIdcFactoryRecalShading);
  ASSERT_EQ(prompter.boxes.size(), 1u);
  EXPECT_EQ(prompter.boxes[0].caption, "Communication Error");
}

TEST_F(FactoryOperationsTest, SetWritesTheChosenModelAndAsksTheCameraAgain) {
  Start(kFactoryMode);
  ModelList()->setCurrentIndex(3);
  Mark();
  window->WriteModelId();
  EXPECT_EQ(Sent(), (Lines{"MD00=QX-2080L-VRTN", "MD?"}));
  EXPECT_EQ(cameraModel.modelIndex, 3);
  EXPECT_EQ(BoxTexts().last(), "Succeeded in writting camera model id.");

  Camera().MutableOptions().refusedLines = {"MD00=QX-2080L-VRTN"};
  window->WriteModelId();
  EXPECT_EQ(BoxTexts().last(), "Failed writting camera model id.");
  ModelList()->setCurrentIndex(-1);
  Mark();
  window->WriteModelId();
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(prompter.boxes.back().icon, MsgIcon::Error);
}

TEST_F(FactoryOperationsTest, XmlVersionReadsDigitsAndWritesOnlyWhatItShows) {
  Start(kFactoryMode);
  Camera().SetValue("XMLVR", "123");
  window->ReadXmlVersion();
  EXPECT_EQ(XmlFields(), (QStringList{"1", "2", "3"}));
  Camera().MutableOptions().silent = true;
  window->ReadXmlVersion();  // no answer: the fields stay
  EXPECT_EQ(XmlFields(), (QStringList{"1", "2", "3"}));
  Camera().MutableOptions().silent = false;

  Mark();
  window->WriteXmlVersion();
  SetXml("12", "3", "4");  // first characters only
  window->WriteXmlVersion();
  SetXml("a", "2", "3");
  window->WriteXmlVersion();
  SetXml("1", "", "3");
  window->WriteXmlVersion();
  EXPECT_EQ(Sent(), (Lines{"XMLVR=123", "XMLVR=134"}));
  EXPECT_EQ(BoxTexts().mid(BoxTexts().size() - 2),
            (QStringList(2, "Couldn't write the XML Version.")));
}

TEST_F(FactoryOperationsTest, CameraResetClosesTheToolWithoutAsking) {
  Start(kFactoryMode);
  window->ResetCamera();
  EXPECT_EQ(Sent(), Lines{"CRS00=1"});
  EXPECT_TRUE(prompter.boxes.empty());
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(window->result(), QDialog::Rejected);
}

}  // namespace
}  // namespace cct
