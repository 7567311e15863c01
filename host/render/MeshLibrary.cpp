#include "render/MeshLibrary.h"

#include <array>
#include <cstddef>

using Vectormath::Aos::Vector3;
using Vectormath::Aos::Vector4;

namespace {

// Position and normal.
using Vertex = std::array<float, 6>;

// The six faces of the unit cube, each as two triangles wound
// counter-clockwise seen from outside; `inside` reverses winding and normals.
std::vector<Vertex> CubeVertices(bool inside) {
  struct Face {
    Vector3 normal, u, v;
  };
  const Face faces[] = {
      {Vector3(1, 0, 0), Vector3(0, 0, -1), Vector3(0, 1, 0)}, {Vector3(-1, 0, 0), Vector3(0, 0, 1), Vector3(0, 1, 0)},
      {Vector3(0, 1, 0), Vector3(1, 0, 0), Vector3(0, 0, -1)}, {Vector3(0, -1, 0), Vector3(1, 0, 0), Vector3(0, 0, 1)},
      {Vector3(0, 0, 1), Vector3(1, 0, 0), Vector3(0, 1, 0)},  {Vector3(0, 0, -1), Vector3(-1, 0, 0), Vector3(0, 1, 0)},
  };
  std::vector<Vertex> vertices;
  for (const Face& face : faces) {
    const Vector3 centre = face.normal * 0.5f;
    const Vector3 corners[4] = {centre - face.u * 0.5f - face.v * 0.5f, centre + face.u * 0.5f - face.v * 0.5f,
                                centre + face.u * 0.5f + face.v * 0.5f, centre - face.u * 0.5f + face.v * 0.5f};
    const int order[6] = {0, 1, 2, 0, 2, 3};
    const int reversed[6] = {0, 2, 1, 0, 3, 2};
    const Vector3 normal = inside ? -face.normal : face.normal;
    for (int i = 0; i < 6; ++i) {
      const Vector3& p = corners[inside ? reversed[i] : order[i]];
      vertices.push_back({p.getX(), p.getY(), p.getZ(), normal.getX(), normal.getY(), normal.getZ()});
    }
  }
  return vertices;
}

MeshLibrary::Mesh Upload(const std::vector<Vertex>& vertices) {
  MeshLibrary::Mesh mesh;
  glGenVertexArrays(1, &mesh.vao);
  glGenBuffers(1, &mesh.vbo);
  glBindVertexArray(mesh.vao);
  glBindBuffer(GL_ARRAY_BUFFER, mesh.vbo);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(Vertex)), vertices.data(),
               GL_STATIC_DRAW);
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(Vertex), nullptr);
  glEnableVertexAttribArray(1);
  glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, sizeof(Vertex), reinterpret_cast<const void*>(3 * sizeof(float)));
  mesh.vertices = static_cast<GLsizei>(vertices.size());
  glBindVertexArray(0);
  return mesh;
}

void Free(MeshLibrary::Mesh& mesh) {
  glDeleteBuffers(1, &mesh.vbo);
  glDeleteVertexArrays(1, &mesh.vao);
}

}  // namespace

MeshLibrary::MeshLibrary() : mBox(Upload(CubeVertices(false))), mRoom(Upload(CubeVertices(true))) {
  glGenVertexArrays(1, &mLines.vao);
  glGenBuffers(1, &mLines.vbo);
  glBindVertexArray(mLines.vao);
  glBindBuffer(GL_ARRAY_BUFFER, mLines.vbo);
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(LineVertex), nullptr);
  glEnableVertexAttribArray(1);
  glVertexAttribPointer(1, 4, GL_FLOAT, GL_FALSE, sizeof(LineVertex),
                        reinterpret_cast<const void*>(offsetof(LineVertex, color)));
  glBindVertexArray(0);
}

MeshLibrary::~MeshLibrary() {
  Free(mBox);
  Free(mRoom);
  Free(mLines);
}

MeshLibrary::Model MeshLibrary::ModelFor(const std::string& modelName) {
  return modelName == "room" ? Model::Room : Model::Box;
}

void MeshLibrary::Draw(Model model) const {
  const Mesh& mesh = model == Model::Room ? mRoom : mBox;
  glBindVertexArray(mesh.vao);
  glDrawArrays(GL_TRIANGLES, 0, mesh.vertices);
}

void MeshLibrary::DrawColored(const std::vector<LineVertex>& vertices, GLenum mode) {
  if (vertices.empty()) return;
  glBindVertexArray(mLines.vao);
  glBindBuffer(GL_ARRAY_BUFFER, mLines.vbo);
  const auto bytes = static_cast<GLsizeiptr>(vertices.size() * sizeof(LineVertex));
  if (vertices.size() > mLineCapacity) {
    glBufferData(GL_ARRAY_BUFFER, bytes, vertices.data(), GL_STREAM_DRAW);
    mLineCapacity = vertices.size();
  } else {
    glBufferSubData(GL_ARRAY_BUFFER, 0, bytes, vertices.data());
  }
  glDrawArrays(mode, 0, static_cast<GLsizei>(vertices.size()));
}

void MeshLibrary::AddBoxEdges(const Vector3& min, const Vector3& max, const Vector4& color,
                              std::vector<LineVertex>& out) {
  auto corner = [&](int i) {
    return Vector3((i & 1) != 0 ? max.getX() : min.getX(), (i & 2) != 0 ? max.getY() : min.getY(),
                   (i & 4) != 0 ? max.getZ() : min.getZ());
  };
  // Corners differing in exactly one bit share an edge.
  for (int a = 0; a < 8; ++a) {
    for (int bit = 1; bit < 8; bit <<= 1) {
      if ((a & bit) != 0) continue;
      for (const Vector3& p : {corner(a), corner(a | bit)}) {
        out.push_back({{p.getX(), p.getY(), p.getZ()}, {color.getX(), color.getY(), color.getZ(), color.getW()}});
      }
    }
  }
}
