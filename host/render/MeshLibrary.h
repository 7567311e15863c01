#pragma once
#include <epoxy/gl.h>

#include <string>
#include <vector>

#include "vectormath/vectormath_aos.h"

// The built-in models, chosen by a Renderable's model name. Every model is a
// unit cube centred on the origin that the object's world matrix scales and
// places; rooms are the same cube turned inside out, so that the players
// standing in them see their floor, walls and ceiling. Lines (debug shapes and
// immediate lines) go through one buffer refilled per draw.
class MeshLibrary {
 public:
  enum class Model { Box, Room };

  struct Mesh {
    GLuint vao = 0;
    GLuint vbo = 0;
    GLsizei vertices = 0;
  };

  struct LineVertex {
    float position[3];
    float color[4];
  };

  MeshLibrary();
  ~MeshLibrary();
  MeshLibrary(const MeshLibrary&) = delete;
  MeshLibrary& operator=(const MeshLibrary&) = delete;

  // Any name not known draws as a box.
  [[nodiscard]] static Model ModelFor(const std::string& modelName);
  void Draw(Model model) const;
  // Draws GL_LINES from pairs of vertices.
  void DrawLines(const std::vector<LineVertex>& vertices) { DrawColored(vertices, GL_LINES); }
  // Draws coloured vertices as the given primitives through the line buffer.
  void DrawColored(const std::vector<LineVertex>& vertices, GLenum mode);

  // The twelve edges of an axis-aligned box, appended as line pairs.
  static void AddBoxEdges(const Vectormath::Aos::Vector3& min, const Vectormath::Aos::Vector3& max,
                          const Vectormath::Aos::Vector4& color, std::vector<LineVertex>& out);

 private:
  Mesh mBox;
  Mesh mRoom;
  Mesh mLines;
  std::size_t mLineCapacity = 0;
};
