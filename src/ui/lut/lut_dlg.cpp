#include "ui/lut/lut_dlg.h"

#include <QLabel>
#include <QVBoxLayout>

#include "lut/lut_curve.h"
#include "res/templates/resource_ids.h"
#include "ui/kit/up_down_control.h"
#include "ui/lut/lut_graph.h"
#include "ui/lut/lut_transfer.h"

namespace cct {

namespace {

constexpr const char* kCaptions[] = {"LUT Setting for Red", "LUT Setting for Green",
                                     "LUT Setting for Blue"};
const QColor kCurveColours[] = {QColor(0xff, 0, 0), QColor(0, 0xff, 0), QColor(0, 0, 0xff)};
constexpr int kPointCountMin = 2;
constexpr int kPointCountStart = 8;

bool ValidColour(int colourIndex) {
  return colourIndex >= 0 && colourIndex < 3;
}

}  // namespace

CLUTDlg::CLUTDlg(const UiContext& context, int colourIndex)
    : CStatusDialog(kIddLut, kIdcLutStatus, context.ui),
      context_(context),
      colourIndex_(colourIndex) {}

CLUTDlg::~CLUTDlg() = default;

QString CLUTDlg::ColourCaption() const {
  return ValidColour(colourIndex_) ? QString::fromLatin1(kCaptions[colourIndex_])
                                   : QStringLiteral("LUT Setting");
}

bool CLUTDlg::OnInitDialog() {
  if (!CStatusDialog::OnInitDialog()) return false;
  setWindowTitle(ColourCaption());
  if (QWidget* frame = GetDlgItem(kIdcLutEditGraph)) {
    graph_ = new LutGraph(kCurveColours[ValidColour(colourIndex_) ? colourIndex_ : 1], frame);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(graph_);
    graph_->SetGesture([this](Qt::MouseButton button, int x, int y) { OnGesture(button, x, y); });
  }
  // The help texts were written for a narrower font than most desktops use.
  for (int id : {kIdcLutEditHelpAdd, kIdcLutEditHelpDelete, kIdcLutEditHelpMove}) {
    if (QWidget* help = GetDlgItem(id)) {
      QFont font = help->font();
      font.setPointSizeF(font.pointSizeF() * 0.85);
      help->setFont(font);
    }
  }
  if (UpDownControl* spin = CountSpin()) {
    spin->SetRange(kPointCountMin, kMaxEditPoints);
    spin->SetPos(kPointCountStart);
  }
  SetMode(kEditMode);
  return true;
}

UpDownControl* CLUTDlg::CountSpin() const {
  return Item<UpDownControl>(kIdcLutEditSpin);
}

void CLUTDlg::OnControlEvent(ControlEvent& event) {
  if (event.code != ControlEventCode::Clicked) return;
  switch (event.ctrlId) {
    case kIdcLutEditRead:
      OnReadTableData();
      break;
    case kIdcLutEditWrite:
      OnWriteTableData();
      break;
    case kIdcLutEditClear:
      OnClearTableData();
      break;
    case kIdcLutEditConvert:
      OnConvertEditable();
      break;
    default:
      break;
  }
}

void CLUTDlg::SetMode(int mode) {
  mode_ = mode;
  if (auto* label = Item<QLabel>(kIdcLutEditMode)) {
    label->setText(mode == kEditMode   ? QStringLiteral("Edit Mode")
                   : mode == kViewMode ? QStringLiteral("View Mode")
                                       : QStringLiteral("Unknown Mode"));
  }
  Refresh();
}

void CLUTDlg::Refresh() {
  // Derived here, when the points or the mode change, and never while
  // painting: a repaint during a camera read must not put the old points'
  // curve over the table just read.
  if (mode_ == kEditMode) table_ = DeriveLutTable(points_);
  if (graph_) graph_->Show(table_, mode_ == kEditMode ? &points_ : nullptr);
}

void CLUTDlg::ShowTable(const LutTable& table) {
  table_ = table;
  SetMode(kViewMode);
}

void CLUTDlg::OnConvertEditable() {
  const UpDownControl* spin = CountSpin();
  points_.ConvertFrom(table_, spin ? spin->Pos() : kPointCountStart);
  SetMode(kEditMode);
}

void CLUTDlg::OnClearTableData() {
  points_.Clear();
  SetMode(kEditMode);
}

void CLUTDlg::OnGesture(Qt::MouseButton button, int x, int y) {
  const bool changed = button == Qt::LeftButton ? points_.LeftDrag(x, y) : points_.RightDrag(x, y);
  // In View Mode the points change unseen, until the table is edited again.
  if (changed && mode_ == kEditMode) Refresh();
}

void CLUTDlg::OnReadTableData() {
  LutTransfer(context_).ReadTable(*this);
}

void CLUTDlg::OnWriteTableData() {
  LutTransfer(context_).WriteTable(*this);
}

}  // namespace cct
