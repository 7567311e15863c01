#include "render/ViewLayout.h"

std::vector<SceneView::Rect> ViewLayout::Split(int views, int width, int height) {
  std::vector<SceneView::Rect> rects;
  if (views <= 0) return rects;
  if (views == 1) {
    rects.push_back({0, 0, width, height});
    return rects;
  }
  const int halfWidth = width / 2;
  if (views == 2) {
    rects.push_back({0, 0, halfWidth, height});
    rects.push_back({halfWidth, 0, width - halfWidth, height});
    return rects;
  }
  const int halfHeight = height / 2;
  const SceneView::Rect quarters[4] = {{0, height - halfHeight, halfWidth, halfHeight},
                                       {halfWidth, height - halfHeight, width - halfWidth, halfHeight},
                                       {0, 0, halfWidth, height - halfHeight},
                                       {halfWidth, 0, width - halfWidth, height - halfHeight}};
  for (int i = 0; i < views && i < 4; ++i) rects.push_back(quarters[i]);
  return rects;
}
