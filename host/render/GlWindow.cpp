#include "render/GlWindow.h"

#include <dlfcn.h>
#include <epoxy/gl.h>
#include <link.h>

namespace {

// Keeps every library loaded so far mapped until the process ends. The GL
// driver unloads parts of itself at exit; pinned, what they keep for the life
// of the process can still be named by the leak checker.
void PinLoadedLibraries() {
  dl_iterate_phdr(
      [](dl_phdr_info* info, std::size_t, void*) {
        if (info->dlpi_name != nullptr && info->dlpi_name[0] != '\0') {
          dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
        }
        return 0;
      },
      nullptr);
}

}  // namespace

std::unique_ptr<GlWindow> GlWindow::Open(const std::string& title, int width, int height, std::string& error) {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    error = SDL_GetError();
    return nullptr;
  }
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  SDL_Window* window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                                        SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
  if (window == nullptr) {
    error = SDL_GetError();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return nullptr;
  }
  SDL_GLContext context = SDL_GL_CreateContext(window);
  if (context == nullptr) {
    error = std::string("no OpenGL 3.3 core context: ") + SDL_GetError();
    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return nullptr;
  }
  if (epoxy_gl_version() < 33) {
    error = "the OpenGL driver offers less than version 3.3";
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return nullptr;
  }
  // The engine paces its frames itself; waiting for the display as well
  // would only add to the frame time.
  SDL_GL_SetSwapInterval(0);
  PinLoadedLibraries();
  return std::unique_ptr<GlWindow>(new GlWindow(window, context));
}

GlWindow::~GlWindow() {
  SDL_GL_DeleteContext(mContext);
  SDL_DestroyWindow(mWindow);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

GlWindow::Size GlWindow::DrawableSize() const {
  Size size;
  SDL_GL_GetDrawableSize(mWindow, &size.width, &size.height);
  return size;
}

bool GlWindow::IsFullscreen() const {
  return (SDL_GetWindowFlags(mWindow) & (SDL_WINDOW_FULLSCREEN | SDL_WINDOW_FULLSCREEN_DESKTOP)) != 0;
}
