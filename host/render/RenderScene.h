#pragma once
#include <vector>

#include "objects/ComponentType.h"
#include "render/MeshLibrary.h"
#include "vectormath/vectormath_aos.h"

class DrawableRegistry;

// One frame's worth of what there is to draw, read once from the objects and
// shared by every view: each visible object with its world matrix and colour,
// and each light where it shines from.
struct RenderScene {
  struct Item {
    ObjectID id = 0;
    MeshLibrary::Model model = MeshLibrary::Model::Box;
    Vectormath::Aos::Matrix4 world;
    Vectormath::Aos::Vector3 position;
    Vectormath::Aos::Vector4 color;
    bool transparent = false;
    // The plain look of the default shader, or the deck-plate pattern.
    bool patterned = false;
  };

  struct LightSource {
    // 0 a point light, 1 a spot light; other kinds light nothing here.
    int type = 0;
    Vectormath::Aos::Vector3 position;
    Vectormath::Aos::Vector3 direction;
    Vectormath::Aos::Vector3 color;
    float range = 0.0f;
    float falloff = 1.0f;
    float cosInner = 1.0f;
    float cosOuter = 1.0f;
  };

  std::vector<Item> opaque;
  std::vector<Item> transparent;
  std::vector<LightSource> lights;

  void Gather(const DrawableRegistry& registry);

  // Colours come on a 0-255 scale from some files and highlights, 0-1 from
  // others: anything above 1 is taken as 0-255.
  [[nodiscard]] static Vectormath::Aos::Vector4 NormalizedColor(const Vectormath::Aos::Vector4& color);
};
