#pragma once

#include "lut/lut_edit_points.h"
#include "lut/lut_table.h"
#include "ui/main/status_dialog.h"
#include "ui/main/ui_context.h"

namespace cct {

class LutGraph;
class UpDownControl;

// The LUT editor of one colour table (0 red, 1 green, 2 blue): the table as
// a curve, reshaped with edit points, read from and written to the camera.
// Modeless, owned by the main window, created hidden when the main window
// starts. In Edit Mode the table follows the edit points; in View Mode it is
// shown as it came from the camera or a file.
class CLUTDlg : public CStatusDialog {
  Q_OBJECT

 public:
  enum Mode { kEditMode = 0, kViewMode = 1 };

  CLUTDlg(const UiContext& context, int colourIndex);
  ~CLUTDlg() override;

  int ColourIndex() const { return colourIndex_; }
  // "LUT Setting for Red", "... Green", "... Blue".
  QString ColourCaption() const;

  const LutTable& Table() const { return table_; }
  const LutEditPoints& Points() const { return points_; }
  int Mode() const { return mode_; }
  // Shows the label of the mode ("Unknown Mode" for any other value); entering
  // Edit Mode derives the table from the points.
  void SetMode(int mode);
  // A table from the camera or a file, shown as it is: View Mode.
  void ShowTable(const LutTable& table);

  // The operator's actions, as the controls run them.
  void OnConvertEditable();
  void OnClearTableData();
  void OnReadTableData();
  void OnWriteTableData();
  void OnGesture(Qt::MouseButton button, int x, int y);

  LutGraph* Graph() const { return graph_; }

 protected:
  bool OnInitDialog() override;
  void OnControlEvent(ControlEvent& event) override;

 private:
  // Derives the table from the points (Edit Mode) and redraws.
  void Refresh();
  UpDownControl* CountSpin() const;

  UiContext context_;
  int colourIndex_;
  LutEditPoints points_;
  LutTable table_{};
  int mode_ = kEditMode;
  LutGraph* graph_ = nullptr;
};

}  // namespace cct
