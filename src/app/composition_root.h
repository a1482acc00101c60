#pragma once

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "protocol/host.h"

namespace cct {

class PreferenceStore;
class CSerialChannel;
class Command;
class ControlModeHolder;
class ParameterTable;
struct CameraModelRecord;

// Owns objects in the order they were created and destroys them in the
// reverse order, as the single objects of the program require.
class CreationOrder {
 public:
  CreationOrder() = default;
  ~CreationOrder() { Clear(); }
  CreationOrder(const CreationOrder&) = delete;
  CreationOrder& operator=(const CreationOrder&) = delete;

  template <typename T>
  T& Adopt(std::unique_ptr<T> object) {
    T& ref = *object;
    owned_.push_back(std::make_unique<Holder<T>>(std::move(object)));
    return ref;
  }
  // Newest first.
  void Clear() {
    while (!owned_.empty()) owned_.pop_back();
  }

 private:
  struct Owned {
    virtual ~Owned() = default;
  };
  template <typename T>
  struct Holder : Owned {
    explicit Holder(std::unique_ptr<T> p) : object(std::move(p)) {}
    std::unique_ptr<T> object;
  };
  std::vector<std::unique_ptr<Owned>> owned_;
};

// The program's single objects, each created on first use and all destroyed
// in the reverse order of their creation when the root goes: the serial
// channel and the control-mode holder write their preferences then, and the
// preference store, created before either, writes the normal-shutdown marker
// last. One root exists at a time; the application makes it, tests make
// their own.
class CompositionRoot {
 public:
  using StoreFactory = std::function<std::unique_ptr<PreferenceStore>()>;

  // `makeStore` makes the preference store on its first use; by default the
  // plain PreferenceStore.
  explicit CompositionRoot(Host& host, StoreFactory makeStore = {});
  ~CompositionRoot();
  CompositionRoot(const CompositionRoot&) = delete;
  CompositionRoot& operator=(const CompositionRoot&) = delete;

  // The root now in place; nullptr when there is none.
  static CompositionRoot* Current();

  Host& GetHost() { return host_; }
  PreferenceStore& GetPreferenceStore();
  CSerialChannel& GetSerialChannel();
  Command& GetCommand();
  ControlModeHolder& GetControlMode();
  ParameterTable& GetParameterTable();
  CameraModelRecord& GetCameraModel();

  // An object of a layer above that must live until the program ends: it
  // goes with the single objects, before every one created ahead of it.
  template <typename T>
  T& Keep(std::unique_ptr<T> object) {
    return order_.Adopt(std::move(object));
  }

 private:
  Host& host_;
  StoreFactory makeStore_;
  CreationOrder order_;
  PreferenceStore* preferences_ = nullptr;
  CSerialChannel* serialChannel_ = nullptr;
  Command* command_ = nullptr;
  ControlModeHolder* controlMode_ = nullptr;
  ParameterTable* parameterTable_ = nullptr;
  CameraModelRecord* cameraModel_ = nullptr;
};

// The single objects of the current root (which must exist).
Host& TheHost();
PreferenceStore& ThePreferenceStore();
CSerialChannel& TheSerialChannel();
Command& TheCommand();
ControlModeHolder& TheControlMode();
ParameterTable& TheParameterTable();
CameraModelRecord& TheCameraModel();

}  // namespace cct
