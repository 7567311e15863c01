#include "render/Screenshot.h"

#include <epoxy/gl.h>
#include <stb_image_write.h>

#include <algorithm>
#include <cstddef>
#include <vector>

bool Screenshot::Write(const std::string& path, int width, int height) {
  if (width <= 0 || height <= 0) return false;
  const auto rowBytes = static_cast<std::size_t>(width) * 3;
  std::vector<unsigned char> pixels(rowBytes * static_cast<std::size_t>(height));
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  // OpenGL's first row is the bottom one.
  std::vector<unsigned char> image(pixels.size());
  for (std::size_t row = 0; row < static_cast<std::size_t>(height); ++row) {
    std::copy_n(pixels.data() + (static_cast<std::size_t>(height) - 1 - row) * rowBytes, rowBytes,
                image.data() + row * rowBytes);
  }
  return stbi_write_png(path.c_str(), width, height, 3, image.data(), static_cast<int>(rowBytes)) != 0;
}
