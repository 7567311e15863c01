#pragma once
#include <vector>

#include "render/SceneView.h"

// Split screen: one view fills the window, two share it side by side, three
// and four take its quarters (the fourth quarter stays empty for three).
// Rectangles are in OpenGL's window coordinates, the first view top left.
class ViewLayout {
 public:
  [[nodiscard]] static std::vector<SceneView::Rect> Split(int views, int width, int height);
};
