#pragma once
#include <new>
#include <utility>

namespace platform::detail {

// Process-wide objects that other threads may still use while the process exits (a message
// thread blocked in GetMessage, a backend's reader): built once, never destroyed.
template <class T>
class Immortal {
 public:
  template <class... Args>
  explicit Immortal(Args&&... args) {
    ::new (static_cast<void*>(storage_)) T(std::forward<Args>(args)...);
  }
  T& get() { return *std::launder(reinterpret_cast<T*>(storage_)); }

 private:
  alignas(T) unsigned char storage_[sizeof(T)];
};

}  // namespace platform::detail
