#include "render/ShaderProgram.h"

#include <vector>

namespace {

std::string InfoLog(GLuint object, bool isProgram) {
  GLint length = 0;
  if (isProgram) {
    glGetProgramiv(object, GL_INFO_LOG_LENGTH, &length);
  } else {
    glGetShaderiv(object, GL_INFO_LOG_LENGTH, &length);
  }
  std::vector<char> log(static_cast<std::size_t>(length > 0 ? length : 1), '\0');
  if (isProgram) {
    glGetProgramInfoLog(object, length, nullptr, log.data());
  } else {
    glGetShaderInfoLog(object, length, nullptr, log.data());
  }
  return log.data();
}

}  // namespace

ShaderProgram::ShaderProgram(const char* vertexSource, const char* fragmentSource) {
  const GLuint vertex = Compile(GL_VERTEX_SHADER, vertexSource);
  const GLuint fragment = vertex != 0 ? Compile(GL_FRAGMENT_SHADER, fragmentSource) : 0;
  if (vertex == 0 || fragment == 0) {
    if (vertex != 0) glDeleteShader(vertex);
    return;
  }
  const GLuint program = glCreateProgram();
  glAttachShader(program, vertex);
  glAttachShader(program, fragment);
  glLinkProgram(program);
  glDeleteShader(vertex);
  glDeleteShader(fragment);
  GLint linked = GL_FALSE;
  glGetProgramiv(program, GL_LINK_STATUS, &linked);
  if (linked != GL_TRUE) {
    mError = "shader link: " + InfoLog(program, true);
    glDeleteProgram(program);
    return;
  }
  mProgram = program;
}

ShaderProgram::~ShaderProgram() {
  if (mProgram != 0) glDeleteProgram(mProgram);
}

GLuint ShaderProgram::Compile(GLenum stage, const char* source) {
  const GLuint shader = glCreateShader(stage);
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  GLint compiled = GL_FALSE;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
  if (compiled != GL_TRUE) {
    mError = std::string(stage == GL_VERTEX_SHADER ? "vertex" : "fragment") + " shader: " + InfoLog(shader, false);
    glDeleteShader(shader);
    return 0;
  }
  return shader;
}

void ShaderProgram::SetMatrix(GLint location, const Vectormath::Aos::Matrix4& matrix) {
  float values[16];
  for (int column = 0; column < 4; ++column) {
    for (int row = 0; row < 4; ++row) values[column * 4 + row] = matrix.getElem(column, row);
  }
  glUniformMatrix4fv(location, 1, GL_FALSE, values);
}
