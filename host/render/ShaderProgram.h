#pragma once
#include <epoxy/gl.h>

#include <string>

#include "vectormath/vectormath_aos.h"

// One linked GLSL program. A failed compile or link leaves it invalid, with
// the driver's log in Error(), so the renderer can refuse to start cleanly.
class ShaderProgram {
 public:
  ShaderProgram(const char* vertexSource, const char* fragmentSource);
  ~ShaderProgram();
  ShaderProgram(const ShaderProgram&) = delete;
  ShaderProgram& operator=(const ShaderProgram&) = delete;

  [[nodiscard]] bool IsValid() const { return mProgram != 0; }
  [[nodiscard]] const std::string& Error() const { return mError; }
  void Use() const { glUseProgram(mProgram); }
  [[nodiscard]] GLint Uniform(const char* name) const { return glGetUniformLocation(mProgram, name); }

  // Matrices are handed over for column vectors, the way the shaders use them.
  static void SetMatrix(GLint location, const Vectormath::Aos::Matrix4& matrix);

 private:
  GLuint Compile(GLenum stage, const char* source);

  GLuint mProgram = 0;
  std::string mError;
};
