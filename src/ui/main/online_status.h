#pragma once

#include <QPointer>

#include <vector>

#include "res/templates/resource_ids.h"
#include "ui/kit/picture_control.h"

namespace cct {

class OnlineStatusIndicator;

// Mixed into every window with a status strip: the strip shows the
// indicator's picture, and Update tells the window of every change (1
// online, 0 offline). A window leaves the indicator when it is destroyed.
class COnlineStatusUpdater {
 public:
  COnlineStatusUpdater() = default;
  virtual ~COnlineStatusUpdater();
  COnlineStatusUpdater(const COnlineStatusUpdater&) = delete;
  COnlineStatusUpdater& operator=(const COnlineStatusUpdater&) = delete;

  virtual void Update(int online) { (void)online; }

  PictureControl* StatusStrip() const { return strip_; }
  void SetStatusStrip(PictureControl* strip) { strip_ = strip; }

 private:
  friend class OnlineStatusIndicator;
  QPointer<PictureControl> strip_;
  OnlineStatusIndicator* indicator_ = nullptr;
};

// The one object that knows whether the camera answers and every strip that
// shows it. Starts offline.
class OnlineStatusIndicator {
 public:
  OnlineStatusIndicator() = default;
  ~OnlineStatusIndicator();
  OnlineStatusIndicator(const OnlineStatusIndicator&) = delete;
  OnlineStatusIndicator& operator=(const OnlineStatusIndicator&) = delete;

  // The strip shows the current picture at once, then the updater joins the
  // list (twice if registered twice).
  void Register(COnlineStatusUpdater& updater);
  // Removes every entry of the updater.
  void Unregister(COnlineStatusUpdater& updater);

  // Every strip shows the picture, then every updater is told, in
  // registration order; both only for updaters whose strip exists. Done on
  // every call, also when the state does not change.
  void SetOnline();
  void SetOffline();
  void Set(bool online) { online ? SetOnline() : SetOffline(); }

  int CurrentBitmap() const { return bitmap_; }
  bool IsOnline() const;
  int Count() const { return static_cast<int>(updaters_.size()); }
  const std::vector<COnlineStatusUpdater*>& Updaters() const { return updaters_; }

 private:
  void Apply(int bitmap, int online);

  std::vector<COnlineStatusUpdater*> updaters_;
  int bitmap_ = kIdbOffline;
};

}  // namespace cct
