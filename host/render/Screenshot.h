#pragma once
#include <string>

// Writes what OpenGL has drawn into the current back buffer as a PNG,
// top row first as image files expect. False when the file cannot be written.
class Screenshot {
 public:
  static bool Write(const std::string& path, int width, int height);
};
