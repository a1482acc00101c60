#include "res/templates/all_templates.h"
#include "res/templates/resource_ids.h"

// The parameter pages. Each fills the tab control's display area; the pages'
// controls are listed here in tab order.
namespace cct::templates {

namespace {
using namespace ctl;

constexpr int16_t kPageWidth = 566;
constexpr int16_t kPageHeight = 248;

constexpr std::span<const ControlTemplate> kNoControls = {};
}  // namespace

const DialogTemplate kUserA = {kIddUserA,   "User A",    kPageWidth,
                               kPageHeight, dlg::kChild, kNoControls};
const DialogTemplate kUserB = {kIddUserB,   "User B",    kPageWidth,
                               kPageHeight, dlg::kChild, kNoControls};
const DialogTemplate kFactoryA = {kIddFactoryA, "Factory A", kPageWidth,
                                  kPageHeight,  dlg::kChild, kNoControls};

}  // namespace cct::templates
