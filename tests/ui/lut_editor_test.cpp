// The LUT editors on the simulated camera: the editor window and its
// gestures, the table transfers, and the LUT menu's files.
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include "camera_window_fixture.h"
#include "lut/lut_curve.h"
#include "res/templates/resource_ids.h"
#include "support/special_files.h"
#include "ui/kit/up_down_control.h"
#include "ui/lut/lut_dlg.h"
#include "ui/lut/lut_graph.h"

namespace cct {
namespace {

using test::Lines;

class LutEditorTest : public test::CameraWindowTest {
 protected:
  CLUTDlg& Green() { return window->LutEditor(1); }
  QString ModeText(CLUTDlg& editor) { return editor.Item<QLabel>(kIdcLutEditMode)->text(); }
  // The camera's own LUT, entry by entry.
  LutTable CameraLut() {
    LutTable table{};
    for (int k = 0; k < kLutEntries; ++k) {
      Camera().SetValue("LUTI", std::to_string(k));
      table[k] = static_cast<uint32_t>(std::stoi(CameraValue("LUTD")));
    }
    return table;
  }
  void SetCameraLut(const LutTable& table) {
    for (int k = 0; k < kLutEntries; ++k) {
      Camera().SetValue("LUTI", std::to_string(k));
      Camera().SetValue("LUTD", std::to_string(table[k]));
    }
  }
  // A pointer move over the graph with these buttons and keys held.
  void Move(CLUTDlg& editor, int x, int y, Qt::MouseButtons buttons,
            Qt::KeyboardModifiers keys = Qt::NoModifier) {
    LutGraph* graph = editor.Graph();
    const QPointF at = graph->FromGraph(QPoint(x, y));
    QMouseEvent event(QEvent::MouseMove, at, graph->mapToGlobal(at), Qt::NoButton, buttons, keys);
    QCoreApplication::sendEvent(graph, &event);
  }
  static LutTable Inverted() {
    LutTable table{};
    for (int k = 0; k < kLutEntries; ++k) table[k] = kLutMaxLevel - 16 * k;
    return table;
  }
  QString PathOf(const char* name) const { return dir.path() + "/" + name; }

  QTemporaryDir dir;
};

TEST_F(LutEditorTest, AFreshEditorWritesAStraightLineEntryByEntry) {
  Start();
  CLUTDlg& editor = Green();
  EXPECT_EQ(editor.windowTitle(), "LUT Setting for Green");
  EXPECT_EQ(ModeText(editor), "Edit Mode");
  EXPECT_EQ(editor.Item<UpDownControl>(kIdcLutEditSpin)->Pos(), 8);
  EXPECT_TRUE(editor.GetDlgItem(kIdcLutEditAllTables)->isHidden());
  EXPECT_FALSE(editor.GetDlgItem(kIdcLutEditTableType)->isEnabled());
  SetCameraLut(Inverted());
  // What the progress window says while the window system runs.
  QStringList messages;
  int highest = 0;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (!ui.GetProgressBar().IsVisible()) return;
    messages << ui.GetProgressBar().Message();
    if (ui.GetProgressBar().Pos() < 100) highest = std::max(highest, ui.GetProgressBar().Pos());
  });
  watch.start(0);

  editor.OnWriteTableData();
  // On the screen before the first entry, then with each entry's count.
  EXPECT_EQ(messages.value(0), "Now, writing camera gamma data.");
  EXPECT_EQ(messages.value(1), "Now, writing camera gamma data.  (1 / 256)");
  EXPECT_EQ(messages.last(), "Now, writing camera gamma data.  (256 / 256)");
  EXPECT_EQ(highest, 99);
  const Lines sent = Sent();
  ASSERT_EQ(sent.size(), 512u);
  EXPECT_EQ(Lines(sent.begin(), sent.begin() + 4),
            (Lines{"LUTI=0", "LUTD=0", "LUTI=1", "LUTD=16"}));
  EXPECT_EQ(sent[510], "LUTI=255");
  EXPECT_EQ(sent[511], "LUTD=4095");
  EXPECT_EQ(CameraLut(), DeriveLutTable(LutEditPoints()));
  EXPECT_TRUE(prompter.boxes.empty());
  EXPECT_FALSE(ui.GetProgressBar().IsOpen());
}

TEST_F(LutEditorTest, AWriteSkipsTheLevelOfARefusedIndexAndStopsWhenTheCameraIsGone) {
  Start();
  Camera().MutableOptions().refusedLines = {"LUTI=7"};
  Green().OnWriteTableData();
  const Lines sent = Sent();
  EXPECT_EQ(sent.size(), 511u);
  EXPECT_EQ(sent[14], "LUTI=7");
  EXPECT_EQ(sent[15], "LUTI=8");  // no LUTD for entry 7
  EXPECT_EQ(BoxTexts().last(),
            "Couldn't write the whole LUT to the camera: 255 of 256 entries were written.");

  Camera().MutableOptions().refusedLines.clear();
  Camera().MutableOptions().silentAfterLines = 0;  // from now on
  Mark();
  Green().OnWriteTableData();
  EXPECT_EQ(Sent(), Lines{"LUTI=0"});
  EXPECT_EQ(BoxTexts().last(),
            "Couldn't write the whole LUT to the camera: 0 of 256 entries were written.");
}

TEST_F(LutEditorTest, ReadShowsTheCamerasCurveInViewModeOrLeavesTheEditorAsItWas) {
  Start();
  LutTable table = Inverted();
  table[3] = 5000;  // more than the camera's 12 bits
  SetCameraLut(table);
  Green().OnReadTableData();
  table[3] = kLutMaxLevel;
  EXPECT_EQ(Green().Table(), table);
  EXPECT_EQ(ModeText(Green()), "View Mode");
  // Gestures in View Mode change nothing shown.
  Move(Green(), 128, 10, Qt::LeftButton);
  EXPECT_EQ(Green().Table(), table);

  // A camera that falls silent half way: table and mode stay.
  Green().OnClearTableData();
  const LutTable edited = Green().Table();
  Camera().MutableOptions().silentAfterLines = 100;
  Green().OnReadTableData();
  EXPECT_EQ(Green().Table(), edited);
  EXPECT_EQ(Green().Mode(), CLUTDlg::kEditMode);
}

TEST_F(LutEditorTest, GesturesFollowExactlyOneButtonInTheGraphsOwnCoordinates) {
  Start();
  CLUTDlg& editor = Green();
  editor.show();
  Move(editor, 100, 100, Qt::LeftButton);
  ASSERT_EQ(editor.Points().Count(), 3);
  Move(editor, 110, 80, Qt::LeftButton);
  EXPECT_EQ(editor.Points().Point(1), (EditPoint{110, 80}));
  EXPECT_EQ(editor.Table(), DeriveLutTable(editor.Points()));  // the table follows
  Move(editor, 40, 40, Qt::LeftButton, Qt::ShiftModifier);
  Move(editor, 40, 40, Qt::LeftButton | Qt::RightButton);
  EXPECT_EQ(editor.Points().Count(), 3);
  Move(editor, 115, 85, Qt::RightButton);
  EXPECT_EQ(editor.Points().Count(), 2);

  editor.Item<UpDownControl>(kIdcLutEditSpin)->SetPos(2);
  editor.OnConvertEditable();
  EXPECT_EQ(editor.Points().Point(0), (EditPoint{0, 256}));
  EXPECT_EQ(editor.Points().Point(1), (EditPoint{256, 0}));
  editor.SetMode(7);
  EXPECT_EQ(ModeText(editor), "Unknown Mode");
}

TEST_F(LutEditorTest, SavedTablesOpenAgainExactlyAndAFaultyFileChangesNothing) {
  Camera().MutableOptions().model = "QX-9999";  // no known model: three tables
  Start();
  SetCameraLut(Inverted());
  prompter.fileAnswers = {{kFileDialogOk, PathOf("rgb.csv")}};
  window->SaveLutFile();
  EXPECT_EQ(Sent().size(), 3u * 512u);  // red, green and blue read first
  for (int colour = 0; colour < 3; ++colour) {
    window->LutEditor(colour).OnClearTableData();
  }
  prompter.fileAnswers = {{kFileDialogOk, PathOf("rgb.csv")}};
  window->OpenLutFile();
  for (int colour = 0; colour < 3; ++colour) {
    EXPECT_EQ(window->LutEditor(colour).Table(), Inverted()) << colour;
    EXPECT_EQ(window->LutEditor(colour).Mode(), CLUTDlg::kViewMode);
  }
  EXPECT_EQ(prompter.fileDialogs.back().filters.at(0).label, "Camera gamma data (*.csv)");

  QFile faulty(PathOf("bad.csv"));
  ASSERT_TRUE(faulty.open(QIODevice::WriteOnly));
  faulty.write("GammaData\r\n1\r\n1,2,3,4\r\n");
  faulty.close();
  prompter.fileAnswers = {{kFileDialogOk, PathOf("bad.csv")}};
  window->OpenLutFile();
  EXPECT_EQ(BoxTexts().last(), "Invaild data count format");
  EXPECT_EQ(window->LutEditor(1).Table(), Inverted());
}

TEST_F(LutEditorTest, AMonochromeCameraUsesTheGreenTableOnly) {
  Start();
  SetCameraLut(Inverted());
  window->ShowLutEditors();
  EXPECT_EQ(Green().windowTitle(), "LUT Setting for Monochrome");
  EXPECT_FALSE(window->LutEditor(0).isVisible());
  prompter.fileAnswers = {{kFileDialogOk, PathOf("mono.csv")}};
  window->SaveLutFile();
  EXPECT_EQ(Sent().size(), 512u);
  QFile file(PathOf("mono.csv"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().startsWith("GammaData\r\n4095\r\n4079\r\n"));

  // Opened, the single column restores green and clears red and blue.
  window->LutEditor(0).ShowTable(Inverted());
  prompter.fileAnswers = {{kFileDialogOk, PathOf("mono.csv")}};
  window->OpenLutFile();
  EXPECT_EQ(Green().Table(), Inverted());
  EXPECT_EQ(window->LutEditor(0).Table(), LutTable{});

  // Hiding hides all three, whatever was shown for which camera.
  window->LutEditor(2).show();
  window->HideLutEditors();
  for (int colour = 0; colour < 3; ++colour) EXPECT_FALSE(window->LutEditor(colour).isVisible());

  // A camera that stops answering while the tables are read: no file.
  Camera().MutableOptions().silentAfterLines = 0;
  prompter.fileAnswers = {{kFileDialogOk, PathOf("none.csv")}};
  window->SaveLutFile();
  EXPECT_FALSE(QFile::exists(PathOf("none.csv")));
}

TEST_F(LutEditorTest, WhatIsNoFileIsRefusedAndChangesNoTable) {
  Start();
  Green().ShowTable(Inverted());
  const test::SpecialFiles special(dir.path().toStdString());
  for (const std::string& path : special.All()) {
    prompter.fileAnswers = {{kFileDialogOk, QString::fromStdString(path)}};
    window->OpenLutFile();
    EXPECT_TRUE(BoxTexts().last().startsWith(QString::fromStdString(path) + "\nCouldn't open"));
  }
  EXPECT_EQ(prompter.boxes.size(), special.All().size());
  EXPECT_EQ(Green().Table(), Inverted());
}

}  // namespace
}  // namespace cct
