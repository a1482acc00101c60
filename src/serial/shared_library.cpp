#include "serial/shared_library.h"

#include <dlfcn.h>

#include <utility>

namespace cct {

SharedLibrary::SharedLibrary(SharedLibrary&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)) {}

SharedLibrary& SharedLibrary::operator=(SharedLibrary&& other) noexcept {
  if (this != &other) {
    Release();
    handle_ = std::exchange(other.handle_, nullptr);
  }
  return *this;
}

bool SharedLibrary::Load(const std::string& nameOrPath) {
  Release();
  if (nameOrPath.empty()) return false;
  handle_ = ::dlopen(nameOrPath.c_str(), RTLD_NOW | RTLD_LOCAL);
  return handle_ != nullptr;
}

void SharedLibrary::Release() {
  if (handle_ != nullptr) ::dlclose(std::exchange(handle_, nullptr));
}

void* SharedLibrary::Symbol(const char* name) const {
  return handle_ != nullptr ? ::dlsym(handle_, name) : nullptr;
}

}  // namespace cct
