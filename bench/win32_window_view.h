#pragma once
// What a window on the Windows desktop shows, read through Windows itself, for benchmarks
// that include the graphics stack's own Windows names and so cannot include <windows.h>.
#include <cstdint>
#include <string>

namespace testing_support::desktop {

class WindowView {
 public:
  // The window of that title; ok() is false when there is none.
  explicit WindowView(const std::string& title);
  ~WindowView();
  WindowView(const WindowView&) = delete;
  WindowView& operator=(const WindowView&) = delete;
  bool ok() const { return window_ != nullptr; }
  // The pixel at (x, y) of the client area as 0xRRGGBB.
  uint32_t pixelAt(int x, int y) const;

 private:
  void* window_ = nullptr;
  void* dc_ = nullptr;
};

}  // namespace testing_support::desktop
