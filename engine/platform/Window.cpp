#include "platform/Window.h"

namespace Platform {

namespace {
HeadlessWindow& DefaultWindow() {
  static HeadlessWindow window;
  return window;
}
Window*& Installed() {
  static Window* window = nullptr;
  return window;
}
}  // namespace

Window& GetWindow() {
  Window* installed = Installed();
  return installed != nullptr ? *installed : DefaultWindow();
}

void SetWindow(Window* window) { Installed() = window; }

}  // namespace Platform
