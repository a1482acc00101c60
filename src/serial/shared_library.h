#pragma once

#include <string>

namespace cct {

// One reference to a shared object loaded with dlopen(RTLD_NOW | RTLD_LOCAL).
// The reference is dropped with the object, so no early return can leak a
// grabber library. Loading the same library twice gives two references; the
// dynamic linker unloads it when the last one goes.
class SharedLibrary {
 public:
  SharedLibrary() = default;
  ~SharedLibrary() { Release(); }
  SharedLibrary(SharedLibrary&& other) noexcept;
  SharedLibrary& operator=(SharedLibrary&& other) noexcept;
  SharedLibrary(const SharedLibrary&) = delete;
  SharedLibrary& operator=(const SharedLibrary&) = delete;

  // A name without "/" goes through the dynamic linker's search; a path is
  // loaded as it is. Any library held before is released first.
  bool Load(const std::string& nameOrPath);
  void Release();
  bool IsLoaded() const { return handle_ != nullptr; }

  // Looks up an exported function; false (and `fn` null) when it is missing.
  template <typename Fn>
  bool Resolve(const char* name, Fn*& fn) const {
    fn = reinterpret_cast<Fn*>(Symbol(name));
    return fn != nullptr;
  }

 private:
  void* Symbol(const char* name) const;

  void* handle_ = nullptr;
};

}  // namespace cct
