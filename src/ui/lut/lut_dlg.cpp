#include "ui/lut/lut_dlg.h"

#include "res/templates/resource_ids.h"

namespace cct {

namespace {
constexpr const char* kCaptions[] = {"LUT Setting for Red", "LUT Setting for Green",
                                     "LUT Setting for Blue"};
}  // namespace

CLUTDlg::CLUTDlg(const UiContext& context, int colourIndex)
    : CStatusDialog(kIddLut, kIdcLutStatus, context.ui),
      context_(context),
      colourIndex_(colourIndex) {}

CLUTDlg::~CLUTDlg() = default;

bool CLUTDlg::OnInitDialog() {
  if (!CStatusDialog::OnInitDialog()) return false;
  if (colourIndex_ >= 0 && colourIndex_ < 3)
    setWindowTitle(QString::fromLatin1(kCaptions[colourIndex_]));
  return true;
}

}  // namespace cct
