#pragma once
#include <SDL.h>

#include <memory>
#include <string>

// The game window: an SDL2 window with an OpenGL 3.3 core context whose
// functions libepoxy resolves. It belongs to the program, not to a system, so
// that it outlives the engine's systems that draw into it and read its events.
class GlWindow {
 public:
  struct Size {
    int width = 0;
    int height = 0;
  };

  // The window, or null with the reason in `error` (no display, no OpenGL
  // 3.3). Width and height are the client area asked for.
  static std::unique_ptr<GlWindow> Open(const std::string& title, int width, int height, std::string& error);
  ~GlWindow();
  GlWindow(const GlWindow&) = delete;
  GlWindow& operator=(const GlWindow&) = delete;

  [[nodiscard]] SDL_Window* Handle() const { return mWindow; }
  [[nodiscard]] SDL_GLContext Context() const { return mContext; }
  // The size in pixels of what OpenGL draws into.
  [[nodiscard]] Size DrawableSize() const;
  [[nodiscard]] bool IsFullscreen() const;
  void Swap() const { SDL_GL_SwapWindow(mWindow); }

 private:
  GlWindow(SDL_Window* window, SDL_GLContext context) : mWindow(window), mContext(context) {}

  SDL_Window* mWindow;
  SDL_GLContext mContext;
};
