#include "ui/main/online_status.h"

#include <algorithm>

#include "res/templates/resource_ids.h"

namespace cct {

COnlineStatusUpdater::~COnlineStatusUpdater() {
  if (indicator_) indicator_->Unregister(*this);
}

OnlineStatusIndicator::~OnlineStatusIndicator() {
  for (COnlineStatusUpdater* updater : updaters_) updater->indicator_ = nullptr;
}

void OnlineStatusIndicator::Register(COnlineStatusUpdater& updater) {
  // The picture first: a window opened while the camera answers shows it.
  if (updater.strip_) updater.strip_->SetBitmap(bitmap_);
  updaters_.push_back(&updater);
  updater.indicator_ = this;
}

void OnlineStatusIndicator::Unregister(COnlineStatusUpdater& updater) {
  std::erase(updaters_, &updater);
  if (updater.indicator_ == this) updater.indicator_ = nullptr;
}

void OnlineStatusIndicator::SetOnline() {
  Apply(kIdbOnline, 1);
}

void OnlineStatusIndicator::SetOffline() {
  Apply(kIdbOffline, 0);
}

bool OnlineStatusIndicator::IsOnline() const {
  return bitmap_ == kIdbOnline;
}

void OnlineStatusIndicator::Apply(int bitmap, int online) {
  bitmap_ = bitmap;
  // A copy: a window may close, and leave the list, when it is told.
  const std::vector<COnlineStatusUpdater*> snapshot = updaters_;
  for (COnlineStatusUpdater* updater : snapshot) {
    if (updater->strip_) updater->strip_->SetBitmap(bitmap_);
  }
  for (COnlineStatusUpdater* updater : snapshot) {
    const bool stillThere =
        std::find(updaters_.begin(), updaters_.end(), updater) != updaters_.end();
    if (stillThere && updater->strip_) updater->Update(online);
  }
}

}  // namespace cct
